#pragma once
// The HTML TABLE fragment built from a table, and the preview page around it.
#include "table/tabletypes.h"

#include <QString>

namespace table {

class TableModel;

// The fragment for the given table state: upper-case tags, one line per tag,
// CR LF line ends, a tab before each cell. Covered cells are left out.
QString generateTableHtml(const TTableProperties &props, const CellStore &cells,
                          const GridTexts &texts);

// What "Apply" and "Preview" produce: the cell panel is first stored into
// the selected cell, then the table is generated.
QString buildTableHtml(TableModel &model);

// The page "tabtemp.htm" that shows a table in the web browser.
QString tablePreviewPage(const QString &tableHtml);

// The preview file's name, in the process's current directory.
inline const QString TablePreviewFileName = QStringLiteral("tabtemp.htm");

// Writes the preview page to "tabtemp.htm" in the current directory and asks
// the desktop to open it. On failure returns false with the message to show
// ("Failed to execute table preview", or the file layer's wording).
bool ShowTablePreview(const QString &tableHtml, QString &error);

// Deletes "tabtemp.htm" from the current directory if it is there (Apply).
void removeTablePreview();

} // namespace table
