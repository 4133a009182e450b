#pragma once
// Showing a table in the web browser: the preview page written beside the
// program's current directory and handed to the desktop.
#include <QString>

namespace table {

// The preview file's name, in the process's current directory.
inline const QString TablePreviewFileName = QStringLiteral("tabtemp.htm");

// Writes the preview page to "tabtemp.htm" in the current directory and asks
// the desktop to open it. On failure returns false with the message to show
// ("Failed to execute table preview", or the file layer's wording).
bool ShowTablePreview(const QString &tableHtml, QString &error);

// Deletes "tabtemp.htm" from the current directory if it is there (Apply).
void removeTablePreview();

} // namespace table
