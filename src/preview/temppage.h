#pragma once
// The temporary page through which a document is shown in a browser: the
// editor's current text written as "~$$$temp.htm" beside the document, so
// relative pictures, styles and links resolve as they will on the web.
#include "documents/textfile.h"

#include <QString>

namespace temppage {

inline constexpr char kName[] = "~$$$temp.htm";

// The pane's page: the caption's folder with its separator + the name; for
// an untitled document just the name (relative to the current folder).
QString panePagePath(const QString &caption);

// The external browser's page: dir is the caption's folder without a
// trailing separator (the root keeps its "/"), page is dir + "/" + name,
// or "/" + name in the root.
struct ExternalPage {
    QString dir;
    QString page;
};
ExternalPage externalPage(const QString &caption);

// Writes the page through the side-file routine: whatever entry has the
// name is replaced (a planted link is never followed) and the page takes the
// document's permission bits. UTF-8 text that is not plain ASCII gets a
// byte-order mark, since a page without a declared charset would otherwise
// be read as windows-1252 by the browser; so does the text of a file that
// began with one (byteOrderMark). Fails with "Cannot create file
// <path>: <the system's reason>".
Result write(const QString &path, const QString &caption, const QString &text, textfile::Encoding enc,
             bool byteOrderMark = false);

} // namespace temppage
