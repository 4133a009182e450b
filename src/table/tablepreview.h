#pragma once
// Showing a table in the web browser: the preview page written beside the
// program's current directory and handed to the desktop.
#include "platform/result.h"

#include <QString>

namespace table {

// The preview file's name, in the process's current directory.
inline const QString TablePreviewFileName = QStringLiteral("tabtemp.htm");

// Writes the preview page to "tabtemp.htm" in the current directory and asks
// the desktop to open it. Fails with the message to show ("Cannot create
// file tabtemp.htm" or "Failed to execute table preview").
Result ShowTablePreview(const QString &tableHtml);

// Deletes "tabtemp.htm" from the current directory if it is there (Apply).
void removeTablePreview();

} // namespace table
