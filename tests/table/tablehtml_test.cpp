#include "table/tablehtml.h"
#include "table/tablemodel.h"
#include "table/tabletext.h"

#include <gtest/gtest.h>

using namespace table;

namespace {

QString firstLine(const QString &html)
{
    return html.left(html.indexOf(QLatin1String("\r\n")));
}

} // namespace

TEST(TableText, ColorToHtmlSwapsRedAndBlue)
{
    EXPECT_EQ(ColorToHtml(0x0000FF), "FF0000");
    EXPECT_EQ(ColorToHtml(0xFF0000), "0000FF");
    EXPECT_EQ(ColorToHtml(0x563412), "123456");
    EXPECT_EQ(ColorToHtml(0x000000), "000000");
    EXPECT_EQ(ColorToHtml(0x00000A), "0A0000");
    EXPECT_EQ(ColorToHtml(0xABCDEF), "EFCDAB");
    // Wider values: their first six digits.
    EXPECT_EQ(ColorToHtml(0xFFFFFFFF), "FFFFFF");
    EXPECT_EQ(ColorToHtml(0x1234567), "563412");
}

TEST(TableText, AsciiLowerLeavesOtherLettersAlone)
{
    EXPECT_EQ(asciiLower(QStringLiteral("C:\\Pics\\Back.GIF")), "c:\\pics\\back.gif");
    EXPECT_EQ(asciiLower(QStringLiteral("ÄÉ.Gif")), QStringLiteral("ÄÉ.gif"));
}

TEST(TableText, Windows1252RoundTripAndQuestionMarks)
{
    const QString text = QStringLiteral("Caf\u00E9 \u20AC \u201Cq\u201D \u0081");
    const QByteArray bytes = toWindows1252(text);
    EXPECT_EQ(bytes, QByteArray("Caf\xE9 \x80 \x93q\x94 \x81"));
    EXPECT_EQ(fromWindows1252(bytes.constData(), bytes.size()), text);
    EXPECT_EQ(toWindows1252(QStringLiteral("a\u4E2Db\U0001F600c\u0080")), QByteArray("a?b?c?"));
    // Every byte decodes to something that encodes back to the same byte.
    for (int b = 0; b < 256; ++b) {
        const char ch = char(b);
        EXPECT_EQ(toWindows1252(fromWindows1252(&ch, 1)), QByteArray(1, ch)) << b;
    }
}

TEST(TableHtml, OneByOneExampleLineForLine)
{
    TableModel m;
    m.Edit1Change("x");
    EXPECT_EQ(buildTableHtml(m),
              "<TABLE BORDER=\"1\" CELLPADDING=\"0\" CELLSPACING=\"0\">\r\n"
              "<TR>\r\n"
              "\t<TD VALIGN=\"top\" ALIGN=\"left\" >\r\n"
              "x</TD>\r\n"
              "\r\n"
              "</TR>\r\n"
              "</TABLE>\r\n");
}

TEST(TableHtml, GenerationStoresTheSelectedCellFirst)
{
    TableModel m;
    m.setHorzAlign(1);
    m.Edit1Change("");
    const QString html = buildTableHtml(m);
    EXPECT_NE(html.indexOf("\t<TD VALIGN=\"top\" ALIGN=\"center\" >\r\n</TD>\r\n"), -1) << qPrintable(html);
    EXPECT_TRUE(m.cell(0, 0).Stored);
}

TEST(TableHtml, TableAttributesInOrder)
{
    TableModel m;
    m.WidthRGClick(PixelsUnit);
    m.setTabWidth(600);
    m.setTabHeight(40);
    m.setTabBorder(0);
    m.TabColorChkClick(true);
    m.setTabColour(0x0000FF);
    m.TabLineChkClick(true);
    m.setLineColour(0x00FF00);
    m.setTabAlign(2);
    m.setTabPadding(-2);
    m.setTabSpacing(3);
    m.setTableBackground("C:\\Pics\\Back.GIF");
    EXPECT_EQ(firstLine(buildTableHtml(m)),
              "<TABLE HEIGHT=\"40%\" WIDTH=\"600\" BORDER=\"0\" BGCOLOR=\"#FF0000\""
              " BORDERCOLOR=\"#00FF00\" ALIGN=\"center\" CELLPADDING=\"-2\" CELLSPACING=\"3\""
              " BACKGROUND=\"c:\\pics\\back.gif\">");

    m.LightDarkClick(true);
    m.setLightColour(0x102030);
    m.setDarkColour(0x405060);
    m.TabColorChkClick(false);
    m.setTabAlign(1);
    m.setTableBackground("");
    EXPECT_EQ(firstLine(buildTableHtml(m)),
              "<TABLE HEIGHT=\"40%\" WIDTH=\"600\" BORDER=\"0\""
              " BORDERCOLORLIGHT=\"#302010\" BORDERCOLORDARK=\"#605040\" ALIGN=\"left\""
              " CELLPADDING=\"-2\" CELLSPACING=\"3\">");
    m.setTabAlign(3);
    EXPECT_NE(firstLine(buildTableHtml(m)).indexOf(" ALIGN=\"right\""), -1);
}

TEST(TableHtml, TableWidthUnitsAndZero)
{
    TableModel m;
    m.setTabWidth(50);
    EXPECT_EQ(firstLine(buildTableHtml(m)), "<TABLE WIDTH=\"50%\" BORDER=\"1\" CELLPADDING=\"0\" CELLSPACING=\"0\">");
    m.WidthRGClick(PixelsUnit);
    m.setTabWidth(50);
    EXPECT_EQ(firstLine(buildTableHtml(m)), "<TABLE WIDTH=\"50\" BORDER=\"1\" CELLPADDING=\"0\" CELLSPACING=\"0\">");
    m.setTabWidth(0);
    EXPECT_EQ(firstLine(buildTableHtml(m)), "<TABLE BORDER=\"1\" CELLPADDING=\"0\" CELLSPACING=\"0\">");
}

TEST(TableHtml, CellAttributesInOrder)
{
    TableModel m;
    m.TabColsChange(2);
    m.setCellWidth(30);
    m.RadioGroup6Click(PixelsUnit);
    m.setCellHeight(20);
    m.CellColorCheckClick(true);
    m.setCellColour(0x563412);
    m.setVertAlign(2);
    m.setHorzAlign(2);
    m.setCellBackground("Img/Cell.JPG");
    m.colspinChange(2);
    m.Edit1Change("<B>a</B>");
    EXPECT_EQ(buildTableHtml(m),
              "<TABLE BORDER=\"1\" CELLPADDING=\"0\" CELLSPACING=\"0\">\r\n"
              "<TR>\r\n"
              "\t<TD WIDTH=\"30%\" HEIGHT=\"20\" BGCOLOR=\"#123456\" VALIGN=\"bottom\" ALIGN=\"right\""
              " BACKGROUND=\"img/cell.jpg\" COLSPAN=\"2\" >\r\n"
              "<B>a</B></TD>\r\n"
              "\r\n"
              "</TR>\r\n"
              "</TABLE>\r\n");
}

TEST(TableHtml, WidthsOnlyFromRowZeroAndHeightsOnlyFromColumnZero)
{
    TableModel m;
    m.TabColsChange(2);
    m.TabRowsChange(2);
    m.setCellWidth(10);
    m.setCellHeight(11);
    m.selectCell(1, 0);
    m.setCellWidth(20);
    m.setCellHeight(21);
    m.selectCell(0, 1);
    m.setCellWidth(30);
    m.setCellHeight(31);
    m.selectCell(1, 1);
    m.setCellWidth(40);
    m.setCellHeight(41);
    const QString html = buildTableHtml(m);
    EXPECT_EQ(html,
              "<TABLE BORDER=\"1\" CELLPADDING=\"0\" CELLSPACING=\"0\">\r\n"
              "<TR>\r\n"
              "\t<TD WIDTH=\"10%\" HEIGHT=\"11%\" VALIGN=\"top\" ALIGN=\"left\" >\r\n</TD>\r\n"
              "\t<TD WIDTH=\"20%\" VALIGN=\"top\" ALIGN=\"left\" >\r\n</TD>\r\n"
              "\r\n</TR>\r\n"
              "<TR>\r\n"
              "\t<TD HEIGHT=\"31%\" VALIGN=\"top\" ALIGN=\"left\" >\r\n</TD>\r\n"
              "\t<TD VALIGN=\"top\" ALIGN=\"left\" >\r\n</TD>\r\n"
              "\r\n</TR>\r\n"
              "</TABLE>\r\n");
}

TEST(TableHtml, ColumnSpanLeavesOutTheCoveredCell)
{
    TableModel m;
    m.TabColsChange(2);
    m.colspinChange(2);
    m.Edit1Change("wide");
    EXPECT_EQ(buildTableHtml(m),
              "<TABLE BORDER=\"1\" CELLPADDING=\"0\" CELLSPACING=\"0\">\r\n"
              "<TR>\r\n"
              "\t<TD VALIGN=\"top\" ALIGN=\"left\" COLSPAN=\"2\" >\r\n"
              "wide</TD>\r\n"
              "\r\n</TR>\r\n"
              "</TABLE>\r\n");
}

TEST(TableHtml, CoveredCellsUseUpTheirColumnAndRowDecisions)
{
    TableModel m;
    m.TabColsChange(2);
    m.TabRowsChange(2);
    m.rowspinChange(2); // (0, 1) is covered
    m.selectCell(1, 1);
    m.setCellHeight(50); // row 1's height decision was taken by the covered (0, 1)
    m.selectCell(0, 0);
    const QString html = buildTableHtml(m);
    EXPECT_EQ(html.indexOf("HEIGHT"), -1) << qPrintable(html);
    EXPECT_NE(html.indexOf("ROWSPAN=\"2\""), -1);
    EXPECT_EQ(html.count("<TD"), 3);
}

TEST(TableHtml, ArbitraryRecordValuesGiveNoPiece)
{
    TTableProperties p;
    p.Cols = 2;
    CellStore cells;
    for (auto &column : cells)
        column.fill(BlankCell);
    cells[0][0].HAlign = 7;
    cells[0][0].VAlign = -1;
    cells[0][0].Width = -5;
    cells[0][0].ColSpan = 1;
    cells[1][0].RowSpan = -2;
    GridTexts texts;
    EXPECT_EQ(generateTableHtml(p, cells, texts),
              "<TABLE BORDER=\"1\" CELLPADDING=\"0\" CELLSPACING=\"0\">\r\n"
              "<TR>\r\n"
              "\t<TD >\r\n</TD>\r\n"
              "\r\n</TR>\r\n"
              "</TABLE>\r\n");
}

TEST(TableHtml, PreviewPageAroundTheTable)
{
    EXPECT_EQ(tablePreviewPage("<TABLE>\r\n</TABLE>\r\n"),
              "<HTML>\r\n"
              "<HEAD>\r\n"
              "<META NAME=\"Generator\" CONTENT=\"Dravenic's Mivor v2.0\" >\r\n"
              "<TITLE></TITLE>\r\n"
              "</HEAD>\r\n"
              "<BODY>\r\n"
              "<BR><BR>\r\n"
              "<TABLE>\r\n</TABLE>\r\n"
              "\r\n"
              "<BR><BR>\r\n"
              "Remember to close this window\r\n"
              "</BODY>\r\n"
              "</HTML>\r\n");
}
