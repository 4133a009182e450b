#pragma once
// The files a page refers to through "src=" and "background=", found by a
// plain character scan (no HTML parsing), as the image upload lists them,
// and which of them may leave the machine.
#include <QString>
#include <QStringList>

namespace transfer {

// Lower-cases the text (ASCII letters only) and scans it with two match
// counters, one per word; a character that breaks a partial match is not
// retried as the word's first character. After a full match the value is
// read from the next character: double quotes are dropped, and the value
// ends before a blank or ">" (or at the end of the text) once it holds a
// "."; until then blanks and ">" belong to it. A value cut off by the end
// of the text is kept only when it holds a ".". Sorted with only the ASCII
// letters folded, each once.
QStringList scanImageReferences(const QString &text);

// Orders two texts with only A-Z folded to a-z; other characters compare by
// their UTF-16 code units, so "å" and "Å" are two names in a fixed order.
int compareAsciiFolded(const QString &a, const QString &b);

// Where a reference leads and whether it may be uploaded. Only a file inside
// the page's own folder tree may go: ".." steps, absolute paths and links
// are all resolved first, so a page cannot send /etc/passwd or a key from a
// sibling folder by naming it.
struct ReferenceTarget {
    QString localFile;    // the file to send, links resolved; "" when refused
    QString remoteName;   // its path under the chosen server folder: never
                          // "..", never a leading "/"
    QString refusal;      // why it may not be uploaded; "" when it may
    bool allowed() const { return refusal.isEmpty(); }
};

// `pageFolder` is the folder of the page's file; "" for a page never saved,
// whose references have no folder to be confined to and are all refused.
// A reference that names no existing file inside the tree stays allowed:
// its upload fails like any missing file.
ReferenceTarget resolveReference(const QString &reference, const QString &pageFolder);

} // namespace transfer
