#pragma once
// The files a page refers to through "src=" and "background=", found by a
// plain character scan (no HTML parsing), as the image upload lists them.
#include <QString>
#include <QStringList>

namespace transfer {

// Lower-cases the text (ASCII letters only) and scans it with two match
// counters, one per word; a character that breaks a partial match is not
// retried as the word's first character. After a full match the value is
// read from the next character: double quotes are dropped, and the value
// ends before a blank or ">" (or at the end of the text) once it holds a
// "."; until then blanks and ">" belong to it. A value cut off by the end
// of the text is kept only when it holds a ".". Sorted, each once.
QStringList scanImageReferences(const QString &text);

// The local file a reference names: an absolute reference as it is, a
// relative one taken from the document's own folder. A web address has no
// local file ("" is returned).
QString localFileOfReference(const QString &reference, const QString &documentFolder);

} // namespace transfer
