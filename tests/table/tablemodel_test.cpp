#include "table/tablemodel.h"

#include <gtest/gtest.h>

using namespace table;

namespace {

TableModel sized(int cols, int rows)
{
    TableModel m;
    m.TabColsChange(cols);
    m.TabRowsChange(rows);
    return m;
}

} // namespace

TEST(TableModel, NewTableIsOneByOneBlankWithSelectionAtOrigin)
{
    TableModel m;
    EXPECT_EQ(m.colCount(), 1);
    EXPECT_EQ(m.rowCount(), 1);
    EXPECT_EQ(m.SelCol(), 0);
    EXPECT_EQ(m.SelRow(), 0);
    EXPECT_FALSE(m.Loading());
    EXPECT_EQ(m.properties(), TTableProperties{});
    EXPECT_EQ(m.properties().Border, 1);
    EXPECT_EQ(m.panel(), CellPanel{});
    for (int c = 0; c < MaxTableSize; ++c)
        for (int r = 0; r < MaxTableSize; ++r)
            ASSERT_EQ(m.cell(c, r), BlankCell);
    EXPECT_EQ(m.gridLabel(), "Table(Col, Row)");
    EXPECT_EQ(m.gridSelect(), "Selectect Cell(Col, Row)");
    EXPECT_TRUE(m.textBoxEnabled());
    EXPECT_FALSE(m.clearColSpanVisible());
    EXPECT_FALSE(m.clearRowSpanVisible());
}

TEST(TableModel, BlankRecordHoldsTheDocumentedValues)
{
    EXPECT_FALSE(BlankCell.Stored);
    EXPECT_EQ(BlankCell.Height, 0);
    EXPECT_TRUE(BlankCell.HeightPercent);
    EXPECT_EQ(BlankCell.Width, 0);
    EXPECT_TRUE(BlankCell.WidthPercent);
    EXPECT_FALSE(BlankCell.ColourOn);
    EXPECT_EQ(BlankCell.Colour, 0xFFFFFFu);
    EXPECT_EQ(BlankCell.RowSpan, 1);
    EXPECT_EQ(BlankCell.ColSpan, 1);
    EXPECT_TRUE(BlankCell.Background.isEmpty());
    EXPECT_TRUE(BlankCell.Text.isEmpty());
}

TEST(TableModel, SizeBoxesSetLabelSpanLimitsAndStayWithinRange)
{
    TableModel m;
    m.TabColsChange(5);
    m.TabRowsChange(3);
    EXPECT_EQ(m.gridLabel(), "Table(Col, Row) = (5, 3)");
    EXPECT_EQ(m.panel().ColSpanMax, 5);
    EXPECT_EQ(m.panel().RowSpanMax, 3);
    m.TabColsChange(25);
    m.TabRowsChange(0);
    EXPECT_EQ(m.colCount(), 20);
    EXPECT_EQ(m.rowCount(), 1);
    EXPECT_EQ(m.gridLabel(), "Table(Col, Row) = (20, 1)");
}

TEST(TableModel, SelectingStoresThePanelIntoThePreviousCell)
{
    TableModel m = sized(3, 2);
    m.Edit1Change("hello");
    m.setCellWidth(40);
    m.RadioGroup5Click(PixelsUnit);
    m.setCellHeight(12);
    m.CellColorCheckClick(true);
    m.setCellColour(0x123456);
    m.setHorzAlign(2);
    m.setVertAlign(1);
    m.setCellBackground("back.gif");
    m.selectCell(2, 1);

    const TCellAttributes &c = m.cell(0, 0);
    EXPECT_TRUE(c.Stored);
    EXPECT_EQ(c.Width, 40);
    EXPECT_FALSE(c.WidthPercent);
    EXPECT_EQ(c.Height, 12);
    EXPECT_TRUE(c.HeightPercent);
    EXPECT_TRUE(c.ColourOn);
    EXPECT_EQ(c.Colour, 0x123456u);
    EXPECT_EQ(c.HAlign, 2);
    EXPECT_EQ(c.VAlign, 1);
    EXPECT_EQ(c.Background, "back.gif");
    EXPECT_EQ(c.Text, "hello");
    EXPECT_EQ(m.SelCol(), 2);
    EXPECT_EQ(m.SelRow(), 1);
    EXPECT_EQ(m.gridSelect(), "Selected Cell(Col, Row) = (3, 2)");

    // The new cell was never stored: it is shown (and becomes) blank.
    EXPECT_EQ(m.panel().Width, 0);
    EXPECT_TRUE(m.panel().WidthPercent);
    EXPECT_EQ(m.panel().HAlign, 0);
    EXPECT_EQ(m.textBoxText(), "");

    // Coming back shows the stored values and the text.
    m.selectCell(0, 0);
    EXPECT_EQ(m.panel().Width, 40);
    EXPECT_FALSE(m.panel().WidthPercent);
    EXPECT_EQ(m.panel().Background, "back.gif");
    EXPECT_EQ(m.textBoxText(), "hello");
    EXPECT_EQ(m.cellText(0, 0), "hello");
}

TEST(TableModel, StoringCutsTheBackgroundButNeverTheText)
{
    TableModel m;
    const QString longText(3000, QLatin1Char('x'));
    m.Edit1Change(longText);
    m.setCellBackground(QString(300, QLatin1Char('b')));
    m.SetCellBtnClick();
    EXPECT_EQ(m.cell(0, 0).Background.size(), 255);
    EXPECT_EQ(m.cell(0, 0).Text, longText);
}

TEST(TableModel, ShrinkingAndGrowingKeepRecordsAndTexts)
{
    TableModel m = sized(4, 4);
    m.selectCell(2, 3);
    m.Edit1Change("far");
    m.setCellWidth(30);
    m.colspinChange(2);
    m.SetColumnAlign(AlignKind::Vertical, 2);
    m.selectCell(0, 0);
    const TCellAttributes far = m.cell(2, 3);
    const TCellAttributes covered = m.cell(3, 3);
    ASSERT_EQ(far.ColSpan, 2);
    ASSERT_EQ(covered.ColSpan, 0);

    m.TabColsChange(1);
    m.TabRowsChange(1);
    EXPECT_EQ(m.cell(2, 3), far);
    EXPECT_EQ(m.cell(3, 3), covered);
    m.TabColsChange(4);
    m.TabRowsChange(4);
    EXPECT_EQ(m.cell(2, 3), far);
    EXPECT_EQ(m.cellText(2, 3), "far");
    m.selectCell(2, 3);
    EXPECT_EQ(m.panel().ColSpan, 2);
    EXPECT_EQ(m.panel().Width, 30);
    EXPECT_EQ(m.panel().VAlign, 2);
}

TEST(TableModel, ShrinkingPastTheSelectedCellMovesTheSelectionInside)
{
    TableModel m = sized(5, 5);
    m.selectCell(4, 4);
    m.Edit1Change("kept");
    m.TabColsChange(2);
    EXPECT_EQ(m.focusCol(), 1);
    EXPECT_EQ(m.SelCol(), 1);
    EXPECT_EQ(m.focusRow(), 4);
    EXPECT_EQ(m.cell(4, 4).Text, "kept"); // stored on the way out
    m.TabRowsChange(1);
    EXPECT_EQ(m.focusRow(), 0);
    EXPECT_EQ(m.SelRow(), 0);
}

TEST(TableModel, ColumnSpanIsLimitedByTheLastColumn)
{
    TableModel m = sized(20, 1);
    m.selectCell(19, 0);
    m.colspinChange(3);
    EXPECT_EQ(m.panel().ColSpan, 1);
    EXPECT_FALSE(m.clearColSpanVisible());

    m.selectCell(18, 0); // column 18 counted from 0
    m.colspinChange(3);
    EXPECT_EQ(m.panel().ColSpan, 2);
    EXPECT_EQ(m.cell(19, 0).ColSpan, 0);
    EXPECT_TRUE(m.clearColSpanVisible());

    m.selectCell(17, 0);
    m.colspinChange(3);
    EXPECT_EQ(m.panel().ColSpan, 3);
}

TEST(TableModel, RowSpanIsLimitedByTheLastRow)
{
    TableModel m = sized(1, 20);
    m.selectCell(0, 17);
    m.rowspinChange(3);
    EXPECT_EQ(m.panel().RowSpan, 3);
    m.rowspinChange(5);
    EXPECT_EQ(m.panel().RowSpan, 3);
    EXPECT_EQ(m.cell(0, 18).RowSpan, 0);
    EXPECT_EQ(m.cell(0, 19).RowSpan, 0);
    EXPECT_TRUE(m.clearRowSpanVisible());
}

TEST(TableModel, SpanCoversCellsWhichThenShowAsSpanned)
{
    TableModel m = sized(3, 1);
    m.selectCell(1, 0);
    m.Edit1Change("one");
    m.setHorzAlign(2);
    m.setCellWidth(25);
    m.selectCell(2, 0);
    m.Edit1Change("two");
    m.selectCell(0, 0);

    m.colspinChange(3);
    for (int c : {1, 2}) {
        EXPECT_TRUE(m.cell(c, 0).Stored);
        EXPECT_EQ(m.cell(c, 0).ColSpan, 0);
        EXPECT_EQ(m.cell(c, 0).RowSpan, 0);
        EXPECT_EQ(m.cell(c, 0).HAlign, 0);
        EXPECT_TRUE(m.cellText(c, 0).isEmpty());
    }
    // Other attributes and the stored text copy stay.
    EXPECT_EQ(m.cell(1, 0).Width, 25);
    EXPECT_EQ(m.cell(1, 0).Text, "one");
    EXPECT_EQ(m.cell(0, 0).ColSpan, 1); // written only when the panel is stored

    m.selectCell(1, 0);
    EXPECT_EQ(m.cell(0, 0).ColSpan, 3);
    EXPECT_FALSE(m.textBoxEnabled());
    EXPECT_EQ(m.textBoxText(), "This is a spanned cell");
    EXPECT_EQ(m.panel().ColSpan, 0);
    EXPECT_EQ(m.panel().RowSpan, 0);
    EXPECT_FALSE(m.panel().ColSpanEnabled);
    EXPECT_FALSE(m.panel().RowSpanEnabled);
    EXPECT_FALSE(m.clearColSpanVisible());
    // The disabled box cannot write into the covered cell.
    m.Edit1Change("typed");
    EXPECT_NE(m.cellText(1, 0), "typed");
    // The marker never reaches the grid.
    EXPECT_NE(m.cellText(1, 0), "This is a spanned cell");
}

TEST(TableModel, LoweringTheBoxBeforeStoringLeavesCoveredCellsCovered)
{
    TableModel m = sized(4, 1);
    m.colspinChange(4);
    m.colspinChange(2);
    EXPECT_EQ(m.panel().ColSpan, 2);
    EXPECT_EQ(m.cell(2, 0).ColSpan, 0);
    EXPECT_EQ(m.cell(3, 0).ColSpan, 0);
}

TEST(TableModel, StoredSpanCannotBeLoweredAndClearColSpanReleasesIt)
{
    TableModel m = sized(3, 1);
    m.colspinChange(3);
    m.SetCellBtnClick();
    m.colspinChange(2);
    EXPECT_EQ(m.panel().ColSpan, 3);
    m.colspinChange(0);
    EXPECT_EQ(m.panel().ColSpan, 3);

    m.ClearColSpan1Click();
    EXPECT_EQ(m.panel().ColSpan, 1);
    EXPECT_FALSE(m.clearColSpanVisible());
    for (int c = 0; c < 3; ++c) {
        EXPECT_TRUE(m.cell(c, 0).Stored);
        EXPECT_EQ(m.cell(c, 0).ColSpan, 1);
        EXPECT_EQ(m.cell(c, 0).RowSpan, 1);
    }
    m.colspinChange(2);
    EXPECT_EQ(m.panel().ColSpan, 2); // free to choose again
}

TEST(TableModel, OrdinaryCellCannotGetSpanZeroFromTheBox)
{
    TableModel m = sized(3, 3);
    m.colspinChange(0);
    EXPECT_EQ(m.panel().ColSpan, 1);
    m.rowspinChange(0);
    EXPECT_EQ(m.panel().RowSpan, 1);
    EXPECT_TRUE(m.panel().ColSpanEnabled);
}

TEST(TableModel, ClearColSpanKeepsTheRowSpansCoveredCells)
{
    TableModel m = sized(3, 3);
    m.colspinChange(2);
    m.rowspinChange(3);
    m.SetCellBtnClick();
    ASSERT_EQ(m.cell(0, 1).RowSpan, 0);
    ASSERT_EQ(m.cell(1, 0).ColSpan, 0);

    m.ClearColSpan1Click();
    EXPECT_EQ(m.cell(1, 0).ColSpan, 1);
    EXPECT_EQ(m.cell(0, 1).RowSpan, 0);
    EXPECT_EQ(m.cell(0, 2).RowSpan, 0);
    EXPECT_EQ(m.panel().RowSpan, 3);
    EXPECT_TRUE(m.clearRowSpanVisible());
    m.SetCellBtnClick();
    EXPECT_EQ(m.cell(0, 0).RowSpan, 3);
    EXPECT_EQ(m.cell(0, 0).ColSpan, 1);

    m.ClearRowSpan1Click();
    EXPECT_EQ(m.cell(0, 1).RowSpan, 1);
    EXPECT_EQ(m.cell(0, 2).ColSpan, 1);
    EXPECT_EQ(m.panel().RowSpan, 1);
}

TEST(TableModel, ReleasedCellGetsAnEmptyTextButShowsItsStoredCopy)
{
    TableModel m = sized(2, 1);
    m.selectCell(1, 0);
    m.Edit1Change("old");
    m.selectCell(0, 0);
    m.colspinChange(2);
    m.ClearColSpan1Click();
    EXPECT_TRUE(m.cellText(1, 0).isEmpty());
    m.selectCell(1, 0);
    // Showing a stored record restores its text, and the box shows it too.
    EXPECT_EQ(m.cellText(1, 0), "old");
    EXPECT_TRUE(m.textBoxEnabled());
    EXPECT_EQ(m.textBoxText(), "old");
}

TEST(TableModel, ClearSpanDoesNothingWhileItsMenuItemIsHidden)
{
    TableModel m = sized(3, 1);
    m.colspinChange(3);
    m.SetCellBtnClick();
    m.selectCell(1, 0); // covered, box shows 0
    const CellStore before = m.cellStore();
    m.ClearColSpan1Click();
    m.ClearRowSpan1Click();
    EXPECT_EQ(m.cellStore(), before);
}

TEST(TableModel, ShowingASpanningCellKeepsTheStore)
{
    TableModel m = sized(4, 4);
    m.selectCell(1, 1);
    m.colspinChange(3);
    m.rowspinChange(2);
    m.selectCell(0, 0);
    const CellStore before = m.cellStore();
    m.selectCell(1, 1);
    EXPECT_EQ(m.panel().ColSpan, 3);
    EXPECT_EQ(m.panel().RowSpan, 2);
    m.selectCell(0, 0);
    EXPECT_EQ(m.cellStore(), before);
}

TEST(TableModel, SpanLeftWiderThanAShrunkGridSettlesOnTheLimit)
{
    TableModel m = sized(3, 1);
    m.colspinChange(3);
    m.SetCellBtnClick();
    m.TabColsChange(2);
    EXPECT_EQ(m.panel().ColSpan, 2);
    m.SetCellBtnClick();
    m.colspinChange(1);
    EXPECT_EQ(m.panel().ColSpan, 2);
}

TEST(TableModel, ColumnAlignVerticalMiddleOnFourRows)
{
    TableModel m = sized(3, 4);
    m.selectCell(1, 2);
    m.SetColumnAlign(AlignKind::Vertical, 1);
    for (int r = 0; r < 4; ++r) {
        EXPECT_TRUE(m.cell(1, r).Stored);
        EXPECT_EQ(m.cell(1, r).VAlign, 1);
        EXPECT_EQ(m.cell(1, r).HAlign, 0);
    }
    EXPECT_FALSE(m.cell(2, 0).Stored);
    EXPECT_FALSE(m.cell(1, 4).Stored); // outside the table
    EXPECT_EQ(m.panel().VAlign, 1);
    m.selectCell(0, 0);
    EXPECT_EQ(m.cell(1, 2).VAlign, 1); // the panel kept it for the focused cell
}

TEST(TableModel, RowAlignSetsEveryColumnAndKeepsCoveredSpans)
{
    TableModel m = sized(4, 2);
    m.selectCell(0, 1);
    m.colspinChange(2);
    m.SetRowAlign(AlignKind::Horizontal, 2);
    for (int c = 0; c < 4; ++c) {
        EXPECT_TRUE(m.cell(c, 1).Stored);
        EXPECT_EQ(m.cell(c, 1).HAlign, 2);
    }
    EXPECT_EQ(m.cell(1, 1).ColSpan, 0);
    EXPECT_EQ(m.cell(1, 1).RowSpan, 0);
    EXPECT_EQ(m.panel().HAlign, 2);
    EXPECT_EQ(m.cell(0, 0).HAlign, 0);
}

TEST(TableModel, ResetCellEmptiesTextAndShowsBlankValues)
{
    TableModel m = sized(2, 2);
    m.selectCell(1, 1);
    m.Edit1Change("text");
    m.setCellWidth(70);
    m.CellColorCheckClick(true);
    m.setCellBackground("x.gif");
    m.SetCellBtnClick();
    m.resetcellbtnClick();
    EXPECT_EQ(m.cell(1, 1), BlankCell);
    EXPECT_TRUE(m.cellText(1, 1).isEmpty());
    EXPECT_EQ(m.textBoxText(), "");
    EXPECT_EQ(m.panel().Width, 0);
    EXPECT_FALSE(m.panel().ColourOn);
    EXPECT_TRUE(m.panel().Background.isEmpty());
}

TEST(TableModel, ResetOfACoveredCellMakesItEditableAgain)
{
    TableModel m = sized(2, 1);
    m.colspinChange(2);
    m.selectCell(1, 0);
    ASSERT_FALSE(m.textBoxEnabled());
    m.resetcellbtnClick();
    EXPECT_TRUE(m.textBoxEnabled());
    EXPECT_EQ(m.panel().ColSpan, 1);
    EXPECT_TRUE(m.panel().ColSpanEnabled);
}

TEST(TableModel, UnitSelectorsReactOnlyToAChangeOfUnit)
{
    TableModel m;
    m.WidthRGClick(PixelsUnit);
    m.setTabWidth(350);
    EXPECT_EQ(m.properties().Width, 350);
    m.WidthRGClick(PercentUnit);
    EXPECT_EQ(m.properties().Width, 100);
    EXPECT_EQ(m.tabWidthMax(), 100);
    m.setTabWidth(350);
    EXPECT_EQ(m.properties().Width, 100);
    m.WidthRGClick(PixelsUnit);
    EXPECT_EQ(m.tabWidthMax(), 1000);
    EXPECT_EQ(m.properties().Width, 100);
    m.setTabWidth(1500);
    EXPECT_EQ(m.properties().Width, 1000);
    m.WidthRGClick(PixelsUnit);
    EXPECT_EQ(m.properties().Width, 1000);

    // The default unit is already "%": picking it again changes nothing.
    m.setTabHeight(350);
    m.HeightRGClick(PercentUnit);
    EXPECT_EQ(m.properties().Height, 350);
    EXPECT_EQ(m.tabHeightMax(), 1000);
    m.HeightRGClick(PixelsUnit);
    m.HeightRGClick(PercentUnit);
    EXPECT_EQ(m.properties().Height, 100);
    EXPECT_EQ(m.tabHeightMax(), 100);
}

TEST(TableModel, CellUnitSelectorsAndShowingWithoutReaction)
{
    TableModel m = sized(2, 1);
    m.RadioGroup5Click(PixelsUnit);
    m.setCellWidth(350);
    m.RadioGroup6Click(PixelsUnit);
    m.setCellHeight(500);
    m.selectCell(1, 0);
    m.RadioGroup5Click(PixelsUnit);
    m.RadioGroup5Click(PercentUnit);
    EXPECT_EQ(m.panel().Width, 100);
    EXPECT_EQ(m.panel().WidthMax, 100);
    // Showing the pixel cell keeps its values whole, despite the limit of 100.
    m.selectCell(0, 0);
    EXPECT_EQ(m.panel().Width, 350);
    EXPECT_FALSE(m.panel().WidthPercent);
    EXPECT_EQ(m.panel().Height, 500);
    EXPECT_EQ(m.panel().WidthMax, 1000);
    EXPECT_EQ(m.cell(1, 0).Width, 100);
    EXPECT_TRUE(m.cell(1, 0).WidthPercent);
}

TEST(TableModel, LineAndLightDarkExcludeEachOther)
{
    TableModel m;
    m.LightDarkClick(true);
    m.TabLineChkClick(true);
    EXPECT_TRUE(m.properties().LineOn);
    EXPECT_FALSE(m.properties().LightDarkOn);
    m.LightDarkClick(true);
    EXPECT_FALSE(m.properties().LineOn);
    EXPECT_TRUE(m.properties().LightDarkOn);
    m.LightDarkClick(false);
    EXPECT_FALSE(m.properties().LineOn);
    EXPECT_FALSE(m.properties().LightDarkOn);
}

TEST(TableModel, PropertyBoxesKeepTheirRanges)
{
    TableModel m;
    m.setTabBorder(150);
    EXPECT_EQ(m.properties().Border, 100);
    m.setTabBorder(-3);
    EXPECT_EQ(m.properties().Border, 0);
    m.setTabSpacing(-7);
    m.setTabPadding(12345);
    EXPECT_EQ(m.properties().Spacing, -7);
    EXPECT_EQ(m.properties().Padding, 12345);
    m.setTabAlign(3);
    EXPECT_EQ(m.properties().Align, 3);
    m.setTabAlign(9);
    EXPECT_EQ(m.properties().Align, 3);
}

TEST(TableModel, PictureTextReplacesTheCellAndTheBoxFollows)
{
    TableModel m;
    m.Edit1Change("before");
    m.replaceFocusedCellText("<IMG SRC=\"a.gif\">\r\n");
    EXPECT_EQ(m.cellText(0, 0), "<IMG SRC=\"a.gif\">\r\n");
    EXPECT_EQ(m.textBoxText(), "<IMG SRC=\"a.gif\">\r\n");
}
