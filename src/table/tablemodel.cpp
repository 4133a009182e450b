#include "table/tablemodel.h"

#include <algorithm>

namespace table {

namespace {

int bounded(int value, int low, int high)
{
    return std::clamp(value, low, std::max(low, high));
}

// A radio group with three items shows an out-of-range index (possible only
// in a damaged file) as its nearest item.
int alignIndex(int value)
{
    return bounded(value, 0, 2);
}

} // namespace

TableModel::TableModel()
{
    for (auto &column : m_cells)
        column.fill(BlankCell);
    refreshSpanControls();
}

// ---- grid size -------------------------------------------------------------

void TableModel::TabColsChange(int value)
{
    m_props.Cols = bounded(value, 1, MaxTableSize);
    updateGridLabel();
    moveSelectionInside();
    m_panel.ColSpanMax = m_props.Cols;
    if (m_panel.ColSpan > m_panel.ColSpanMax)
        colspinChange(m_panel.ColSpanMax);
}

void TableModel::TabRowsChange(int value)
{
    m_props.Rows = bounded(value, 1, MaxTableSize);
    updateGridLabel();
    moveSelectionInside();
    m_panel.RowSpanMax = m_props.Rows;
    if (m_panel.RowSpan > m_panel.RowSpanMax)
        rowspinChange(m_panel.RowSpanMax);
}

void TableModel::updateGridLabel()
{
    m_gridLabel = QStringLiteral("Table(Col, Row) = (%1, %2)").arg(m_props.Cols).arg(m_props.Rows);
}

// A shrinking grid cannot keep its focus on a cell it no longer has; the
// selection moves to the nearest cell inside, as an ordinary move would.
void TableModel::moveSelectionInside()
{
    const int col = std::min(m_focusCol, m_props.Cols - 1);
    const int row = std::min(m_focusRow, m_props.Rows - 1);
    if (col == m_focusCol && row == m_focusRow)
        return;
    if (m_loading) {
        m_focusCol = m_selCol = col;
        m_focusRow = m_selRow = row;
        return;
    }
    StringGrid1SelectCell(col, row);
    m_focusCol = col;
    m_focusRow = row;
    StringGrid1Click();
}

// ---- table properties ------------------------------------------------------

void TableModel::setTabWidth(int value)
{
    m_props.Width = bounded(value, 0, m_tabWidthMax);
}

void TableModel::setTabHeight(int value)
{
    m_props.Height = bounded(value, 0, m_tabHeightMax);
}

void TableModel::WidthRGClick(int unit)
{
    unit = bounded(unit, PercentUnit, PixelsUnit);
    if (unit == m_props.WidthUnit)
        return;
    m_props.WidthUnit = unit;
    if (unit == PixelsUnit) {
        m_tabWidthMax = PixelLimit;
    } else {
        m_tabWidthMax = PercentLimit;
        m_props.Width = PercentLimit;
    }
}

void TableModel::HeightRGClick(int unit)
{
    unit = bounded(unit, PercentUnit, PixelsUnit);
    if (unit == m_props.HeightUnit)
        return;
    m_props.HeightUnit = unit;
    if (unit == PixelsUnit) {
        m_tabHeightMax = PixelLimit;
    } else {
        m_tabHeightMax = PercentLimit;
        m_props.Height = PercentLimit;
    }
}

void TableModel::TabColorChkClick(bool checked)
{
    m_props.ColourOn = checked;
}

void TableModel::setTabColour(quint32 colour)
{
    m_props.Colour = colour;
}

void TableModel::setTabBorder(int value)
{
    m_props.Border = bounded(value, 0, 100);
}

void TableModel::TabLineChkClick(bool checked)
{
    m_props.LineOn = checked;
    if (checked)
        m_props.LightDarkOn = false;
}

void TableModel::setLineColour(quint32 colour)
{
    m_props.LineColour = colour;
}

void TableModel::LightDarkClick(bool checked)
{
    m_props.LightDarkOn = checked;
    if (checked)
        m_props.LineOn = false;
}

void TableModel::setLightColour(quint32 colour)
{
    m_props.LightColour = colour;
}

void TableModel::setDarkColour(quint32 colour)
{
    m_props.DarkColour = colour;
}

void TableModel::setTabSpacing(int value)
{
    m_props.Spacing = value;
}

void TableModel::setTabPadding(int value)
{
    m_props.Padding = value;
}

void TableModel::setTabAlign(int index)
{
    m_props.Align = bounded(index, 0, 3);
}

void TableModel::setTableBackground(const QString &imageRef)
{
    m_props.Background = imageRef;
}

// ---- cell panel ------------------------------------------------------------

void TableModel::setCellWidth(int value)
{
    m_panel.Width = bounded(value, 0, m_panel.WidthMax);
}

void TableModel::RadioGroup5Click(int unit)
{
    const bool percent = unit != PixelsUnit;
    if (percent == m_panel.WidthPercent)
        return;
    m_panel.WidthPercent = percent;
    if (percent) {
        m_panel.WidthMax = PercentLimit;
        m_panel.Width = PercentLimit;
    } else {
        m_panel.WidthMax = PixelLimit;
    }
}

void TableModel::setCellHeight(int value)
{
    m_panel.Height = bounded(value, 0, m_panel.HeightMax);
}

void TableModel::RadioGroup6Click(int unit)
{
    const bool percent = unit != PixelsUnit;
    if (percent == m_panel.HeightPercent)
        return;
    m_panel.HeightPercent = percent;
    if (percent) {
        m_panel.HeightMax = PercentLimit;
        m_panel.Height = PercentLimit;
    } else {
        m_panel.HeightMax = PixelLimit;
    }
}

void TableModel::CellColorCheckClick(bool checked)
{
    m_panel.ColourOn = checked;
}

void TableModel::setCellColour(quint32 colour)
{
    m_panel.Colour = colour;
}

void TableModel::setHorzAlign(int index)
{
    m_panel.HAlign = alignIndex(index);
}

void TableModel::setVertAlign(int index)
{
    m_panel.VAlign = alignIndex(index);
}

void TableModel::setCellBackground(const QString &imageRef)
{
    m_panel.Background = imageRef;
}

// A spin box reports a change only when its value really changes, and it
// keeps its value within its range.
void TableModel::colspinChange(int value)
{
    value = bounded(value, 0, m_panel.ColSpanMax);
    if (value == m_panel.ColSpan)
        return;
    m_panel.ColSpan = value;
    runColSpanRule();
}

void TableModel::rowspinChange(int value)
{
    value = bounded(value, 0, m_panel.RowSpanMax);
    if (value == m_panel.RowSpan)
        return;
    m_panel.RowSpan = value;
    runRowSpanRule();
}

// The corrections below would re-enter the rule through the box; they are
// applied here in one pass to their final value. The last-column limit is
// applied last so that it always wins: a stored span wider than the grid
// (left by shrinking the table) would otherwise bounce between the two.
void TableModel::runColSpanRule()
{
    if (m_loading)
        return;
    const int x = m_focusCol;
    const int y = m_focusRow;
    const TCellAttributes &c = m_cells[x][y];
    int v = m_panel.ColSpan;
    if (c.ColSpan > 0 && v <= 0)
        v = 1;
    if (c.ColSpan > 1 && v < c.ColSpan)
        v = c.ColSpan;
    if (v > m_props.Cols - x)
        v = m_props.Cols - x;
    m_panel.ColSpan = v;
    for (int col = x + 1; col <= x + v - 1; ++col) {
        TCellAttributes &covered = m_cells[col][y];
        covered.Stored = true;
        covered.HAlign = 0;
        covered.RowSpan = 0;
        covered.ColSpan = 0;
        m_texts[col][y].clear();
    }
    m_panel.ColSpanEnabled = v != 0;
    m_clearColSpanVisible = v > 1;
}

void TableModel::runRowSpanRule()
{
    if (m_loading)
        return;
    const int x = m_focusCol;
    const int y = m_focusRow;
    const TCellAttributes &c = m_cells[x][y];
    int v = m_panel.RowSpan;
    if (c.RowSpan > 0 && v <= 0)
        v = 1;
    if (c.RowSpan > 1 && v < c.RowSpan)
        v = c.RowSpan;
    if (v > m_props.Rows - y)
        v = m_props.Rows - y;
    m_panel.RowSpan = v;
    for (int row = y + 1; row <= y + v - 1; ++row) {
        TCellAttributes &covered = m_cells[x][row];
        covered.Stored = true;
        covered.HAlign = 0;
        covered.RowSpan = 0;
        covered.ColSpan = 0;
        m_texts[x][row].clear();
    }
    m_panel.RowSpanEnabled = v != 0;
    m_clearRowSpanVisible = v > 1;
}

void TableModel::refreshSpanControls()
{
    m_panel.ColSpanEnabled = m_panel.ColSpan != 0;
    m_panel.RowSpanEnabled = m_panel.RowSpan != 0;
    m_clearColSpanVisible = m_panel.ColSpan > 1;
    m_clearRowSpanVisible = m_panel.RowSpan > 1;
}

// ---- cell text box ---------------------------------------------------------

void TableModel::Edit1Change(const QString &text)
{
    // A covered cell's box is disabled and holds only the marker.
    if (!m_textBoxEnabled)
        return;
    m_textBoxText = text;
    m_texts[m_focusCol][m_focusRow] = text;
}

void TableModel::replaceFocusedCellText(const QString &text)
{
    if (m_cells[m_focusCol][m_focusRow].covered())
        return;
    m_texts[m_focusCol][m_focusRow] = text;
    refreshTextBox();
}

// The box shows the focused cell's text as it stands after showing, so that
// the next keystroke edits what the grid shows.
void TableModel::refreshTextBox()
{
    const TCellAttributes &c = m_cells[m_focusCol][m_focusRow];
    m_textBoxEnabled = !c.covered();
    m_textBoxText = m_textBoxEnabled ? m_texts[m_focusCol][m_focusRow] : SpannedCellText;
}

// ---- selection -------------------------------------------------------------

void TableModel::StringGrid1SelectCell(int column, int row)
{
    if (m_loading)
        return;
    SaveCellAttributes(m_selCol, m_selRow);
    m_selCol = column;
    m_selRow = row;
    m_gridSelect = QStringLiteral("Selected Cell(Col, Row) = (%1, %2)").arg(column + 1).arg(row + 1);
}

void TableModel::StringGrid1Click()
{
    const int x = m_focusCol;
    const int y = m_focusRow;
    if (m_cells[x][y].Stored) {
        showCellAttributes(x, y);
    } else {
        m_cells[x][y] = BlankCell;
        showCellAttributes(x, y);
    }
    refreshTextBox();
}

void TableModel::selectCell(int column, int row)
{
    if (column < 0 || row < 0 || column >= m_props.Cols || row >= m_props.Rows)
        return;
    StringGrid1SelectCell(column, row);
    if (m_loading)
        return;
    m_focusCol = column;
    m_focusRow = row;
    StringGrid1Click();
}

// ---- cells -----------------------------------------------------------------

void TableModel::SaveCellAttributes(int column, int row)
{
    if (m_loading)
        return;
    TCellAttributes &c = m_cells[column][row];
    c.Stored = true;
    c.Background = m_panel.Background.left(255);
    c.Width = m_panel.Width;
    c.WidthPercent = m_panel.WidthPercent;
    c.Height = m_panel.Height;
    c.HeightPercent = m_panel.HeightPercent;
    c.ColourOn = m_panel.ColourOn;
    c.Colour = m_panel.Colour;
    c.HAlign = m_panel.HAlign;
    c.VAlign = m_panel.VAlign;
    c.RowSpan = m_panel.RowSpan;
    c.ColSpan = m_panel.ColSpan;
    // The whole text; only the table file has to cut it.
    c.Text = m_texts[column][row];
}

void TableModel::showCellAttributes(int column, int row)
{
    const TCellAttributes c = m_cells[column][row];
    m_panel.Background = c.Background;
    // The limits go back to the boxes' full range: a limit of 100 left from
    // an earlier "%" choice must not cut a stored value while showing it.
    m_panel.WidthMax = PixelLimit;
    m_panel.HeightMax = PixelLimit;
    m_panel.Width = bounded(c.Width, 0, PixelLimit);
    m_panel.WidthPercent = c.WidthPercent;
    m_panel.Height = bounded(c.Height, 0, PixelLimit);
    m_panel.HeightPercent = c.HeightPercent;
    m_panel.ColourOn = c.ColourOn;
    m_panel.Colour = c.Colour;
    m_panel.HAlign = alignIndex(c.HAlign);
    m_panel.VAlign = alignIndex(c.VAlign);
    colspinChange(c.ColSpan);
    rowspinChange(c.RowSpan);
    m_texts[column][row] = c.Text;
}

void TableModel::resetcellbtnClick()
{
    m_cells[m_focusCol][m_focusRow] = BlankCell;
    showCellAttributes(m_focusCol, m_focusRow);
    refreshTextBox();
}

void TableModel::ClearColSpan1Click()
{
    // The menu item is shown only while the box holds a span above 1.
    if (!m_clearColSpanVisible)
        return;
    const int x = m_focusCol;
    const int y = m_focusRow;
    const int last = std::min(x + m_panel.ColSpan - 1, MaxTableSize - 1);
    for (int col = x + 1; col <= last; ++col) {
        TCellAttributes &released = m_cells[col][y];
        released.Stored = true;
        released.RowSpan = 1;
        released.ColSpan = 1;
        m_texts[col][y].clear();
    }
    TCellAttributes &c = m_cells[x][y];
    c.Stored = true;
    c.RowSpan = 1;
    c.ColSpan = 1;
    colspinChange(1);
}

void TableModel::ClearRowSpan1Click()
{
    if (!m_clearRowSpanVisible)
        return;
    const int x = m_focusCol;
    const int y = m_focusRow;
    const int last = std::min(y + m_panel.RowSpan - 1, MaxTableSize - 1);
    for (int row = y + 1; row <= last; ++row) {
        TCellAttributes &released = m_cells[x][row];
        released.Stored = true;
        released.RowSpan = 1;
        released.ColSpan = 1;
        m_texts[x][row].clear();
    }
    TCellAttributes &c = m_cells[x][y];
    c.Stored = true;
    c.RowSpan = 1;
    c.ColSpan = 1;
    rowspinChange(1);
}

void TableModel::SetColumnAlign(AlignKind kind, int value)
{
    value = alignIndex(value);
    for (int row = 0; row < m_props.Rows; ++row) {
        TCellAttributes &c = m_cells[m_focusCol][row];
        c.Stored = true;
        (kind == AlignKind::Horizontal ? c.HAlign : c.VAlign) = value;
    }
    (kind == AlignKind::Horizontal ? m_panel.HAlign : m_panel.VAlign) = value;
}

void TableModel::SetRowAlign(AlignKind kind, int value)
{
    value = alignIndex(value);
    for (int col = 0; col < m_props.Cols; ++col) {
        TCellAttributes &c = m_cells[col][m_focusRow];
        c.Stored = true;
        (kind == AlignKind::Horizontal ? c.HAlign : c.VAlign) = value;
    }
    (kind == AlignKind::Horizontal ? m_panel.HAlign : m_panel.VAlign) = value;
}

// ---- restoring -------------------------------------------------------------

void TableModel::restore(const TTableProperties &props, const CellStore &cells)
{
    m_loading = true;
    TabColsChange(props.Cols);
    TabRowsChange(props.Rows);
    // Restored values are shown as read, within the boxes' full range.
    m_tabWidthMax = PixelLimit;
    m_tabHeightMax = PixelLimit;
    setTabWidth(props.Width);
    setTabHeight(props.Height);
    m_props.WidthUnit = bounded(props.WidthUnit, PercentUnit, PixelsUnit);
    m_props.HeightUnit = bounded(props.HeightUnit, PercentUnit, PixelsUnit);
    TabColorChkClick(props.ColourOn);
    setTabColour(props.Colour);
    setTabBorder(props.Border);
    TabLineChkClick(props.LineOn);
    setLineColour(props.LineColour);
    LightDarkClick(props.LightDarkOn);
    setLightColour(props.LightColour);
    setDarkColour(props.DarkColour);
    setTabSpacing(props.Spacing);
    setTabPadding(props.Padding);
    setTabAlign(props.Align);
    setTableBackground(props.Background);

    m_cells = cells;
    // Every grid text comes from the file, also outside the restored size,
    // so that enlarging the table later shows this table's cells and not
    // leftovers of the table that was open before.
    for (int col = 0; col < MaxTableSize; ++col) {
        for (int row = 0; row < MaxTableSize; ++row)
            m_texts[col][row] = cells[col][row].Text;
    }
    m_focusCol = m_focusRow = 0;
    for (int col = m_props.Cols - 1; col >= 0; --col) {
        for (int row = m_props.Rows - 1; row >= 0; --row)
            showCellAttributes(col, row);
    }
    m_loading = false;

    // The panel shows cell (0, 0), so the selection and the focus are there
    // too, and the controls the span rule would have set follow the panel.
    m_selCol = m_selRow = 0;
    m_gridSelect = QStringLiteral("Selected Cell(Col, Row) = (1, 1)");
    refreshSpanControls();
    refreshTextBox();
}

} // namespace table
