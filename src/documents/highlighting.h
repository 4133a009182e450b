#pragma once
// Which documents are shown with HTML colouring.
#include <QString>

namespace names {

// Pages: .htm, .html, .shtml and .php files (any case) and untitled
// documents, which are pages until saved under another name.
bool showsAsHtml(const QString &caption);

} // namespace names
