#include "table/tablefile.h"
#include "table/tablehtml.h"
#include "table/tablemodel.h"

#include "support/fifofeeder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace table;

namespace {

QByteArray bytesOf(const TableModel &m)
{
    return encodeTableFile(m.properties(), m.cellStore());
}

qint32 intAt(const QByteArray &b, int offset)
{
    return qFromLittleEndian<qint32>(b.constData() + offset);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Everything a window could show, to check that a refused load changed nothing.
struct Snapshot {
    explicit Snapshot(const TableModel &m)
        : props(m.properties()), cells(m.cellStore()), texts(m.gridTexts()), panel(m.panel()),
          selCol(m.SelCol()), selRow(m.SelRow()), focusCol(m.focusCol()), focusRow(m.focusRow()),
          box(m.textBoxText()), label(m.gridLabel()), select(m.gridSelect())
    {
    }
    bool operator==(const Snapshot &) const = default;
    TTableProperties props;
    CellStore cells;
    GridTexts texts;
    CellPanel panel;
    int selCol, selRow, focusCol, focusRow;
    QString box, label, select;
};

// A table with something in most fields.
void fill(TableModel &m)
{
    m.TabColsChange(4);
    m.TabRowsChange(3);
    m.setTabWidth(80);
    m.HeightRGClick(PixelsUnit);
    m.setTabHeight(300);
    m.TabColorChkClick(true);
    m.setTabColour(0x336699);
    m.setTabBorder(2);
    m.TabLineChkClick(true);
    m.setLineColour(0x112233);
    m.setTabSpacing(4);
    m.setTabPadding(5);
    m.setTabAlign(2);
    m.setTableBackground("Back.gif");
    m.Edit1Change("first");
    m.setCellWidth(25);
    m.colspinChange(2);
    m.selectCell(3, 0);
    m.Edit1Change("corner");
    m.rowspinChange(3);
    m.CellColorCheckClick(true);
    m.setCellColour(0xABCDEF);
    m.selectCell(1, 2);
    m.Edit1Change("caf\u00E9");
    m.setVertAlign(1);
    m.RadioGroup6Click(PixelsUnit);
    m.setCellHeight(33);
    m.setCellBackground("c.gif");
    m.selectCell(0, 1);
    m.SetRowAlign(AlignKind::Horizontal, 1);
    m.SetCellBtnClick();
}

} // namespace

TEST(TableFile, NewTableImage)
{
    TableModel m;
    m.SetCellBtnClick();
    const QByteArray b = bytesOf(m);
    ASSERT_EQ(b.size(), 937924);
    EXPECT_EQ(b.left(8), QByteArray::fromHex("0100000001000000"));
    // Properties: border 1 at 32, white colours, everything else zero.
    EXPECT_EQ(intAt(b, 32), 1);
    EXPECT_EQ(b.mid(28, 4), QByteArray::fromHex("ffffff00"));
    EXPECT_EQ(b.mid(40, 4), QByteArray::fromHex("ffffff00"));
    EXPECT_EQ(b.mid(48, 8), QByteArray::fromHex("ffffff00ffffff00"));
    EXPECT_EQ(b[24], 0);
    EXPECT_EQ(b[68], 0);

    // A blank record, byte for byte (cell (0, 1) was never touched).
    QByteArray blank(2344, '\0');
    blank[8] = 1;
    blank[16] = 1;
    blank.replace(20, 4, QByteArray::fromHex("ffffff00"));
    blank[288] = 1;
    blank[292] = 1;
    EXPECT_EQ(b.mid(cellRecordOffset(0, 1), 2344), blank);
    EXPECT_EQ(b.mid(cellRecordOffset(19, 19), 2344), blank);
    // The stored cell differs only in Stored.
    blank[0] = 1;
    EXPECT_EQ(b.mid(324, 2344), blank);
}

TEST(TableFile, RecordsAreColumnMajor)
{
    EXPECT_EQ(cellRecordOffset(3, 2), 145652);
    TableModel m;
    m.TabColsChange(5);
    m.TabRowsChange(5);
    m.selectCell(3, 2);
    m.setCellWidth(77);
    m.Edit1Change("here");
    m.SetCellBtnClick();
    const QByteArray b = bytesOf(m);
    EXPECT_EQ(b[145652], 1);
    EXPECT_EQ(intAt(b, 145652 + 12), 77);
    EXPECT_EQ(b.mid(145652 + 296, 5), QByteArray("here\0", 5));
}

TEST(TableFile, FieldOffsetsOfAFilledTable)
{
    TableModel m;
    fill(m);
    const QByteArray b = bytesOf(m);
    EXPECT_EQ(intAt(b, 0), 4);
    EXPECT_EQ(intAt(b, 4), 3);
    EXPECT_EQ(intAt(b, 8), 80);
    EXPECT_EQ(intAt(b, 12), 300);
    EXPECT_EQ(intAt(b, 16), 0);
    EXPECT_EQ(intAt(b, 20), 1);
    EXPECT_EQ(b[24], 1);
    EXPECT_EQ(intAt(b, 28), 0x336699);
    EXPECT_EQ(intAt(b, 32), 2);
    EXPECT_EQ(b[36], 1);
    EXPECT_EQ(intAt(b, 40), 0x112233);
    EXPECT_EQ(b[44], 0);
    EXPECT_EQ(intAt(b, 56), 4);
    EXPECT_EQ(intAt(b, 60), 5);
    EXPECT_EQ(intAt(b, 64), 2);
    EXPECT_EQ(b.mid(68, 9), QByteArray("\x08" "Back.gif"));

    const int c = cellRecordOffset(1, 2);
    EXPECT_EQ(b[c + 8], 0);           // HeightPercent
    EXPECT_EQ(intAt(b, c + 4), 33);   // Height
    EXPECT_EQ(intAt(b, c + 28), 1);   // VAlign
    EXPECT_EQ(b.mid(c + 32, 6), QByteArray("\x05" "c.gif"));
    EXPECT_EQ(b.mid(c + 296, 5), QByteArray("caf\xE9\0", 5));
    const int corner = cellRecordOffset(3, 0);
    EXPECT_EQ(b[corner + 17], 1);
    EXPECT_EQ(intAt(b, corner + 20), 0xABCDEF);
    EXPECT_EQ(intAt(b, corner + 288), 3);
    EXPECT_EQ(intAt(b, cellRecordOffset(3, 1) + 288), 0);
    EXPECT_EQ(intAt(b, cellRecordOffset(0, 0) + 292), 2);
}

TEST(TableFile, LongTextIsCutForTheFileOnly)
{
    TableModel m;
    const QString text = QString(2100, QLatin1Char('a')) + QStringLiteral("\u4E2D");
    m.Edit1Change(text);
    m.setCellBackground(QString(255, QLatin1Char('b')));
    m.SetCellBtnClick();
    const QByteArray b = bytesOf(m);
    EXPECT_EQ(b.mid(324 + 296, 2048), QByteArray(2047, 'a') + QByteArray(1, '\0'));
    EXPECT_EQ(static_cast<unsigned char>(b[324 + 32]), 255);
    EXPECT_EQ(m.cell(0, 0).Text, text);

    TableModel loaded;
    Result error;
    ASSERT_TRUE((error = loadTableBytes(loaded, b)));
    EXPECT_EQ(loaded.cellText(0, 0), QString(2047, QLatin1Char('a')));
    EXPECT_EQ(loaded.panel().Background, QString(255, QLatin1Char('b')));
}

TEST(TableFile, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    TableModel m;
    m.Edit1Change(QStringLiteral("\u20AC \u4E2D"));
    m.setTableBackground(QStringLiteral("\u00E9\u4E2D.gif"));
    m.SetCellBtnClick();
    const QByteArray b = bytesOf(m);
    EXPECT_EQ(b.mid(68, 7), QByteArray("\x06\xE9?.gif"));
    EXPECT_EQ(b.mid(324 + 296, 4), QByteArray("\x80 ?\0", 4));
}

TEST(TableFile, PercentWidthComesBackAsSaved)
{
    TableModel m;
    m.setTabWidth(50);
    TableModel loaded;
    Result error;
    ASSERT_TRUE((error = loadTableBytes(loaded, bytesOf(m))));
    EXPECT_EQ(loaded.properties().Width, 50);
    EXPECT_EQ(loaded.properties().WidthUnit, PercentUnit);

    // A restored value is not cut by a limit left from an earlier "%" choice.
    m.WidthRGClick(PixelsUnit);
    m.setTabWidth(700);
    m.WidthRGClick(PercentUnit);
    m.WidthRGClick(PixelsUnit);
    m.setTabWidth(700);
    TableModel percentChosen;
    percentChosen.WidthRGClick(PixelsUnit);
    percentChosen.WidthRGClick(PercentUnit);
    ASSERT_TRUE((error = loadTableBytes(percentChosen, bytesOf(m))));
    EXPECT_EQ(percentChosen.properties().Width, 700);
    EXPECT_EQ(percentChosen.properties().WidthUnit, PixelsUnit);
    EXPECT_EQ(percentChosen.tabWidthMax(), 1000);
}

TEST(TableFile, LightDarkComesBackCheckedWithLineUnchecked)
{
    TableModel m;
    m.LightDarkClick(true);
    m.setLightColour(0x010203);
    m.setDarkColour(0x040506);
    TableModel loaded;
    loaded.TabLineChkClick(true);
    Result error;
    ASSERT_TRUE((error = loadTableBytes(loaded, bytesOf(m))));
    EXPECT_TRUE(loaded.properties().LightDarkOn);
    EXPECT_FALSE(loaded.properties().LineOn);
    EXPECT_EQ(loaded.properties().LightColour, 0x010203u);
    EXPECT_EQ(loaded.properties().DarkColour, 0x040506u);

    // Both flags set (not written by the editor): the later "Light"/"Dark" wins.
    QByteArray both = bytesOf(m);
    both[36] = 1;
    ASSERT_TRUE((error = loadTableBytes(loaded, both)));
    EXPECT_TRUE(loaded.properties().LightDarkOn);
    EXPECT_FALSE(loaded.properties().LineOn);
}

TEST(TableFile, SaveLoadIntoAFreshEditorGivesTheSameHtml)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.mtb");
    TableModel m;
    fill(m);
    m.SetCellBtnClick();
    Result error;
    ASSERT_TRUE((error = writeTableFile(m, path))) << qPrintable(error.message);
    EXPECT_EQ(QFile(path).size(), 937924);

    // Apply before saving, with cell (0, 0) selected as after loading.
    m.selectCell(0, 0);
    const QString before = buildTableHtml(m);

    TableModel loaded;
    ASSERT_TRUE((error = readTableFile(loaded, path))) << qPrintable(error.message);
    EXPECT_FALSE(loaded.Loading());
    EXPECT_EQ(buildTableHtml(loaded), before);
    EXPECT_EQ(loaded.properties(), m.properties());

    QString fromFile;
    ASSERT_TRUE((error = tableHtmlFromFile(path, fromFile)));
    EXPECT_EQ(fromFile, before);
    EXPECT_NE(before.indexOf("COLSPAN=\"2\""), -1);
    EXPECT_NE(before.indexOf("ROWSPAN=\"3\""), -1);
    EXPECT_NE(before.indexOf(QStringLiteral("caf\u00E9</TD>")), -1);
}

TEST(TableFile, LoadingSelectsAndShowsCellZeroZero)
{
    TableModel source;
    fill(source);
    source.selectCell(0, 0);
    const QByteArray bytes = bytesOf(source);

    TableModel m;
    m.TabColsChange(6);
    m.TabRowsChange(6);
    m.selectCell(5, 5);
    m.Edit1Change("previous table");
    m.selectCell(4, 4);
    Result error;
    ASSERT_TRUE((error = loadTableBytes(m, bytes)));
    EXPECT_EQ(m.SelCol(), 0);
    EXPECT_EQ(m.SelRow(), 0);
    EXPECT_EQ(m.focusCol(), 0);
    EXPECT_EQ(m.focusRow(), 0);
    EXPECT_EQ(m.gridSelect(), "Selected Cell(Col, Row) = (1, 1)");
    EXPECT_EQ(m.gridLabel(), "Table(Col, Row) = (4, 3)");
    EXPECT_EQ(m.panel().Width, 25);
    EXPECT_EQ(m.panel().ColSpan, 2);
    EXPECT_TRUE(m.clearColSpanVisible());
    EXPECT_EQ(m.textBoxText(), "first");
    // Cells outside the restored size hold the file's texts, not the old table's.
    EXPECT_TRUE(m.cellText(5, 5).isEmpty());

    // The next move stores cell (0, 0)'s panel into cell (0, 0), not elsewhere.
    m.selectCell(2, 2);
    EXPECT_EQ(m.cell(0, 0), source.cell(0, 0));
    EXPECT_EQ(m.cell(4, 4), source.cell(4, 4));
}

TEST(TableFile, ShortFilesAreRefusedAndChangeNothing)
{
    TableModel m;
    fill(m);
    const Snapshot before(m);
    TableModel other;
    other.TabColsChange(2);
    const QByteArray good = bytesOf(other);
    Result error;
    for (int size : {0, 7, 324, 937923}) {
        error.message.clear();
        EXPECT_FALSE((error = loadTableBytes(m, good.left(size), "x.mtb"))) << size;
        EXPECT_FALSE(error.message.isEmpty());
        EXPECT_EQ(Snapshot(m), before);
        EXPECT_FALSE(m.Loading());
    }
    EXPECT_EQ(error.message, "The file x.mtb is not a table file: it is 937923 bytes long, a table file has 937924 bytes.");

    // Longer than needed: the rest is ignored.
    EXPECT_TRUE((error = loadTableBytes(m, good + QByteArray(10, 'z'))));
    EXPECT_EQ(m.colCount(), 2);
}

TEST(TableFile, CountsOutsideTheRangeAreRefused)
{
    TableModel m;
    fill(m);
    const Snapshot before(m);
    Result error;
    for (auto [cols, rows] : {std::pair{0, 1}, {21, 1}, {1, 0}, {1, 21}, {-1, 5}}) {
        QByteArray b = encodeTableFile(TTableProperties{}, m.cellStore());
        qToLittleEndian<qint32>(cols, b.data());
        qToLittleEndian<qint32>(rows, b.data() + 4);
        EXPECT_FALSE((error = loadTableBytes(m, b, "bad.mtb")));
        EXPECT_EQ(error.message, "The file bad.mtb is not a table file: its column and row counts must lie between 1 and 20.");
        EXPECT_EQ(Snapshot(m), before);
    }
}

TEST(TableFile, RandomFilesAreRefusedAndChangeNothing)
{
    QRandomGenerator random(1234);
    TableModel m;
    fill(m);
    const Snapshot before(m);
    Result error;
    for (int i = 0; i < 5; ++i) {
        QByteArray b(TableFileSize, '\0');
        random.fillRange(reinterpret_cast<quint32 *>(b.data()), TableFileSize / 4);
        qToLittleEndian<qint32>(qint32(random.bounded(21, 1 << 30)), b.data());
        EXPECT_FALSE((error = loadTableBytes(m, b)));
        EXPECT_EQ(Snapshot(m), before);
    }
}

TEST(TableFile, DamagedValuesInsideAValidSizeAreShownWithinTheControlsRanges)
{
    TableModel source;
    source.TabColsChange(2);
    QByteArray b = bytesOf(source);
    qToLittleEndian<qint32>(5000, b.data() + 8);     // width
    qToLittleEndian<qint32>(9, b.data() + 16);       // width unit
    qToLittleEndian<qint32>(400, b.data() + 32);     // border
    qToLittleEndian<qint32>(-4, b.data() + 64);      // alignment
    const int c = cellRecordOffset(0, 0);
    b[c] = 1;
    qToLittleEndian<qint32>(7, b.data() + c + 24);   // HAlign
    qToLittleEndian<qint32>(9, b.data() + c + 292);  // ColSpan
    b[c + 296 + 2047] = 'z';                         // no terminating zero
    std::fill(b.data() + c + 296, b.data() + c + 296 + 2047, 'y');

    TableModel m;
    Result error;
    ASSERT_TRUE((error = loadTableBytes(m, b)));
    EXPECT_EQ(m.properties().Width, 1000);
    EXPECT_EQ(m.properties().WidthUnit, PixelsUnit);
    EXPECT_EQ(m.properties().Border, 100);
    EXPECT_EQ(m.properties().Align, 0);
    EXPECT_EQ(m.panel().HAlign, 2);
    EXPECT_EQ(m.panel().ColSpan, 2);
    EXPECT_EQ(m.cellText(0, 0).size(), 2048);
    const QString html = buildTableHtml(m);
    EXPECT_NE(html.indexOf("ALIGN=\"right\" COLSPAN=\"2\""), -1);
}

TEST(TableFile, FileErrorsUseThePlatformWording)
{
    QTemporaryDir dir;
    TableModel m;
    const Snapshot before(m);
    Result error;
    const QString missing = dir.filePath("none.mtb");
    EXPECT_FALSE((error = readTableFile(m, missing)));
    EXPECT_EQ(error.message, "Cannot open file " + missing);
    EXPECT_EQ(Snapshot(m), before);

    QString html;
    EXPECT_FALSE((error = tableHtmlFromFile(missing, html)));
    EXPECT_EQ(error.message, "Cannot open file " + missing);

    const QString badTarget = dir.filePath("no/such/folder/t.mtb");
    EXPECT_FALSE((error = writeTableFile(m, badTarget)));
    EXPECT_EQ(error.message, "Cannot create file " + badTarget);

    const QString shortFile = dir.filePath("short.mtb");
    writeFile(shortFile, QByteArray(100, '\1'));
    EXPECT_FALSE((error = tableHtmlFromFile(shortFile, html)));
    EXPECT_TRUE(error.message.startsWith("The file " + shortFile + " is not a table file"));
}

TEST(TableFile, AFifoIsRefusedWithoutWaitingForAWriter)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("table.mtb"));
    FifoFeeder feeder(fifo, QByteArray(table::TableFileSize, '\0'));
    ASSERT_TRUE(feeder.made());
    auto m = std::make_unique<table::TableModel>();
    Result error;
    EXPECT_FALSE((error = table::readTableFile(*m, fifo)));
    EXPECT_EQ(error.message, QStringLiteral("Cannot open file ") + fifo);
}
