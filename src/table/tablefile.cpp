#include "table/tablefile.h"

#include "platform/fileio.h"
#include "table/tablehtml.h"
#include "table/tablemodel.h"
#include "table/tabletext.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>
#include <memory>

namespace table {

namespace {

constexpr int CountedCapacity = 255;
constexpr int TextFieldSize = 2048;

void putInt(char *at, qint32 value)
{
    qToLittleEndian<qint32>(value, at);
}

void putUInt(char *at, quint32 value)
{
    qToLittleEndian<quint32>(value, at);
}

void putBool(char *at, bool value)
{
    *at = value ? 1 : 0;
}

void putCounted(char *at, const QString &text)
{
    const QByteArray bytes = toWindows1252(text).left(CountedCapacity);
    at[0] = char(bytes.size());
    std::memcpy(at + 1, bytes.constData(), size_t(bytes.size()));
}

qint32 getInt(const char *at)
{
    return qFromLittleEndian<qint32>(at);
}

quint32 getUInt(const char *at)
{
    return qFromLittleEndian<quint32>(at);
}

bool getBool(const char *at)
{
    return *at != 0;
}

QString getCounted(const char *at)
{
    const int length = static_cast<unsigned char>(at[0]);
    return fromWindows1252(at + 1, length);
}

void putCell(char *at, const TCellAttributes &c)
{
    putBool(at + 0, c.Stored);
    putInt(at + 4, c.Height);
    putBool(at + 8, c.HeightPercent);
    putInt(at + 12, c.Width);
    putBool(at + 16, c.WidthPercent);
    putBool(at + 17, c.ColourOn);
    putUInt(at + 20, c.Colour);
    putInt(at + 24, c.HAlign);
    putInt(at + 28, c.VAlign);
    putCounted(at + 32, c.Background);
    putInt(at + 288, c.RowSpan);
    putInt(at + 292, c.ColSpan);
    // At most 2047 characters, so that the terminating zero always fits.
    const QByteArray text = toWindows1252(c.Text).left(TextFieldSize - 1);
    std::memcpy(at + 296, text.constData(), size_t(text.size()));
}

TCellAttributes getCell(const char *at)
{
    TCellAttributes c;
    c.Stored = getBool(at + 0);
    c.Height = getInt(at + 4);
    c.HeightPercent = getBool(at + 8);
    c.Width = getInt(at + 12);
    c.WidthPercent = getBool(at + 16);
    c.ColourOn = getBool(at + 17);
    c.Colour = getUInt(at + 20);
    c.HAlign = getInt(at + 24);
    c.VAlign = getInt(at + 28);
    c.Background = getCounted(at + 32);
    c.RowSpan = getInt(at + 288);
    c.ColSpan = getInt(at + 292);
    const char *text = at + 296;
    const void *zero = std::memchr(text, 0, TextFieldSize);
    const qsizetype length = zero ? static_cast<const char *>(zero) - text : TextFieldSize;
    c.Text = fromWindows1252(text, length);
    return c;
}

QString displayName(const QString &fileName)
{
    return fileName.isEmpty() ? QStringLiteral("The file") : QStringLiteral("The file ") + fileName;
}

} // namespace

QByteArray encodeTableFile(const TTableProperties &p, const CellStore &cells)
{
    // Reserved bytes and the unused rest of every text field are zero.
    QByteArray bytes(TableFileSize, '\0');
    char *at = bytes.data();
    putInt(at + 0, p.Cols);
    putInt(at + 4, p.Rows);
    putInt(at + 8, p.Width);
    putInt(at + 12, p.Height);
    putInt(at + 16, p.WidthUnit);
    putInt(at + 20, p.HeightUnit);
    putBool(at + 24, p.ColourOn);
    putUInt(at + 28, p.Colour);
    putInt(at + 32, p.Border);
    putBool(at + 36, p.LineOn);
    putUInt(at + 40, p.LineColour);
    putBool(at + 44, p.LightDarkOn);
    putUInt(at + 48, p.LightColour);
    putUInt(at + 52, p.DarkColour);
    putInt(at + 56, p.Spacing);
    putInt(at + 60, p.Padding);
    putInt(at + 64, p.Align);
    putCounted(at + 68, p.Background);
    for (int col = 0; col < MaxTableSize; ++col) {
        for (int row = 0; row < MaxTableSize; ++row)
            putCell(at + cellRecordOffset(col, row), cells[col][row]);
    }
    return bytes;
}

Result decodeTableFile(const QByteArray &bytes, TTableProperties &props, CellStore &cells,
                       const QString &fileName)
{
    if (bytes.size() < TableFileSize) {
        return Result::failure(displayName(fileName)
            + QStringLiteral(" is not a table file: it is %1 bytes long, a table file has %2 bytes.")
                  .arg(bytes.size())
                  .arg(TableFileSize));
    }
    const char *at = bytes.constData();
    TTableProperties p;
    p.Cols = getInt(at + 0);
    p.Rows = getInt(at + 4);
    if (p.Cols < 1 || p.Cols > MaxTableSize || p.Rows < 1 || p.Rows > MaxTableSize) {
        return Result::failure(displayName(fileName)
            + QStringLiteral(" is not a table file: its column and row counts must lie between 1 and 20."));
    }
    p.Width = getInt(at + 8);
    p.Height = getInt(at + 12);
    p.WidthUnit = getInt(at + 16);
    p.HeightUnit = getInt(at + 20);
    p.ColourOn = getBool(at + 24);
    p.Colour = getUInt(at + 28);
    p.Border = getInt(at + 32);
    p.LineOn = getBool(at + 36);
    p.LineColour = getUInt(at + 40);
    p.LightDarkOn = getBool(at + 44);
    p.LightColour = getUInt(at + 48);
    p.DarkColour = getUInt(at + 52);
    p.Spacing = getInt(at + 56);
    p.Padding = getInt(at + 60);
    p.Align = getInt(at + 64);
    p.Background = getCounted(at + 68);
    for (int col = 0; col < MaxTableSize; ++col) {
        for (int row = 0; row < MaxTableSize; ++row)
            cells[col][row] = getCell(at + cellRecordOffset(col, row));
    }
    props = p;
    return Result::success();
}

Result writeTableFile(const TableModel &model, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(encodeTableFile(model.properties(), model.cellStore())) != TableFileSize
        || !file.commit()) {
        return Result::failure(QStringLiteral("Cannot create file %1").arg(path));
    }
    return Result::success();
}

Result loadTableBytes(TableModel &model, const QByteArray &bytes, const QString &fileName)
{
    TTableProperties props;
    auto cells = std::make_unique<CellStore>();
    if (Result r = decodeTableFile(bytes, props, *cells, fileName); !r)
        return r;
    model.restore(props, *cells);
    return Result::success();
}

Result readTableFile(TableModel &model, const QString &path)
{
    // Only the first 937924 bytes matter; anything after them is ignored.
    const fileio::FileRead bytes = fileio::readRegularFile(path, TableFileSize, true);
    if (!bytes)
        return Result::failure(QStringLiteral("Cannot open file %1").arg(path));
    return loadTableBytes(model, bytes.value, path);
}

Result tableHtmlFromFile(const QString &path, QString &html)
{
    auto model = std::make_unique<TableModel>();
    if (Result r = readTableFile(*model, path); !r)
        return r;
    html = buildTableHtml(*model);
    return Result::success();
}

} // namespace table
