#pragma once
// The table file (.mtb): the table properties (324 bytes) followed by all
// 400 cell records (2344 bytes each, column by column), 937924 bytes in all,
// little-endian, Booleans in one byte, texts in windows-1252.
#include "platform/result.h"
#include "table/tabletypes.h"

#include <QByteArray>
#include <QString>

namespace table {

class TableModel;

constexpr int TablePropertiesSize = 324;
constexpr int CellRecordSize = 2344;
constexpr int TableFileSize = TablePropertiesSize + MaxTableSize * MaxTableSize * CellRecordSize;

// Byte offset of cell (column, row)'s record in a table file.
constexpr int cellRecordOffset(int column, int row)
{
    return TablePropertiesSize + column * MaxTableSize * CellRecordSize + row * CellRecordSize;
}

// The whole file image. A cell text longer than 2047 characters is cut here;
// the model keeps it whole.
QByteArray encodeTableFile(const TTableProperties &props, const CellStore &cells);

// Reads a file image. Bytes after the first 937924 are ignored. Refuses a
// shorter image, or counts outside 1..20, with a message naming `fileName`.
Result decodeTableFile(const QByteArray &bytes, TTableProperties &props, CellStore &cells,
                       const QString &fileName = QString());

// "Save": writes the table as it stands. The caller stores the cell panel
// into the selected cell first (SetCellBtnClick), before asking for a name.
Result writeTableFile(const TableModel &model, const QString &path);

// "Load": replaces the model's table by the file's. On any failure the model
// is left exactly as it was and the result holds the message to show.
Result loadTableBytes(TableModel &model, const QByteArray &bytes, const QString &fileName = QString());
Result readTableFile(TableModel &model, const QString &path);

// The HTML that "Apply" would insert for the table in this file, once loaded
// into a new editor (cell (0, 0) selected).
Result tableHtmlFromFile(const QString &path, QString &html);

} // namespace table
