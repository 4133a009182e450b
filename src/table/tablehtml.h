#pragma once
// The HTML TABLE fragment built from a table, and the preview page around it.
// Text only: writing the page and opening it is tablepreview.h's.
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

} // namespace table
