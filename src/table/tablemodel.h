#pragma once
// The table being designed in the table editor: grid texts, the 20 x 20
// store of cell records, the table properties, the cell panel, the selection
// and every rule that ties them together. The editor window only mirrors
// this state into its controls and reports the user's actions to it.
#include "table/tabletypes.h"

#include <QString>

namespace table {

class TableModel {
public:
    // A new table: 1 x 1, every record blank, selection (0, 0).
    TableModel();

    // ---- grid size -------------------------------------------------------
    int colCount() const { return m_props.Cols; }
    int rowCount() const { return m_props.Rows; }
    // The size boxes changed (values are brought into 1..20). Records and
    // texts of cells outside the new size are kept for a later growth.
    void TabColsChange(int value);
    void TabRowsChange(int value);
    QString gridLabel() const { return m_gridLabel; }
    QString gridSelect() const { return m_gridSelect; }

    // ---- table properties ------------------------------------------------
    const TTableProperties &properties() const { return m_props; }
    int tabWidthMax() const { return m_tabWidthMax; }
    int tabHeightMax() const { return m_tabHeightMax; }
    void setTabWidth(int value);
    void setTabHeight(int value);
    // The user picked a unit: "Pixels" allows up to 1000; "%" limits the box
    // to 100 and sets it to 100. Picking the unit already chosen does nothing.
    void WidthRGClick(int unit);
    void HeightRGClick(int unit);
    void TabColorChkClick(bool checked);
    void setTabColour(quint32 colour);
    void setTabBorder(int value);
    // "Line" and "Light"/"Dark" exclude each other: checking one unchecks the other.
    void TabLineChkClick(bool checked);
    void setLineColour(quint32 colour);
    void LightDarkClick(bool checked);
    void setLightColour(quint32 colour);
    void setDarkColour(quint32 colour);
    void setTabSpacing(int value);
    void setTabPadding(int value);
    void setTabAlign(int index);
    // Caption of BGImageLabel; empty clears the background picture.
    void setTableBackground(const QString &imageRef);

    // ---- cell panel ------------------------------------------------------
    const CellPanel &panel() const { return m_panel; }
    void setCellWidth(int value);
    void RadioGroup5Click(int unit);
    void setCellHeight(int value);
    void RadioGroup6Click(int unit);
    void CellColorCheckClick(bool checked);
    void setCellColour(quint32 colour);
    void setHorzAlign(int index);
    void setVertAlign(int index);
    void setCellBackground(const QString &imageRef);
    // The span boxes changed value; runs the span rule, which may correct
    // the value (read it back from panel()).
    void colspinChange(int value);
    void rowspinChange(int value);
    bool clearColSpanVisible() const { return m_clearColSpanVisible; }
    bool clearRowSpanVisible() const { return m_clearRowSpanVisible; }

    // ---- cell text box ---------------------------------------------------
    bool textBoxEnabled() const { return m_textBoxEnabled; }
    QString textBoxText() const { return m_textBoxText; }
    // The text box changed: its whole text becomes the focused cell's text.
    void Edit1Change(const QString &text);
    // Replaces the focused cell's text from elsewhere (the picture button);
    // the text box follows.
    void replaceFocusedCellText(const QString &text);

    // ---- selection -------------------------------------------------------
    int SelCol() const { return m_selCol; }
    int SelRow() const { return m_selRow; }
    int focusCol() const { return m_focusCol; }
    int focusRow() const { return m_focusRow; }
    // Before the grid's focused cell changes: stores the panel into the
    // previously selected cell and selects the new one.
    void StringGrid1SelectCell(int column, int row);
    // After the focused cell changed: shows it in the text box and panel.
    void StringGrid1Click();
    // A click or keyboard move onto (column, row): both of the above with
    // the focus moved in between. Positions outside the grid are ignored.
    void selectCell(int column, int row);

    // ---- cells -----------------------------------------------------------
    const TCellAttributes &cell(int column, int row) const { return m_cells[column][row]; }
    QString cellText(int column, int row) const { return m_texts[column][row]; }
    const CellStore &cellStore() const { return m_cells; }
    const GridTexts &gridTexts() const { return m_texts; }

    void SaveCellAttributes(int column, int row);
    void showCellAttributes(int column, int row);
    void SetCellBtnClick() { SaveCellAttributes(m_selCol, m_selRow); }
    void resetcellbtnClick();
    void ClearColSpan1Click();
    void ClearRowSpan1Click();
    // Alignment of the focused cell's whole column or row; the panel's
    // matching radio group takes the value too.
    void SetColumnAlign(AlignKind kind, int value);
    void SetRowAlign(AlignKind kind, int value);

    // ---- restoring a table file ------------------------------------------
    bool Loading() const { return m_loading; }
    // Replaces the whole table by restored values. The properties must hold
    // counts within 1..20. Afterwards cell (0, 0) is selected, focused and
    // shown.
    void restore(const TTableProperties &props, const CellStore &cells);

private:
    void updateGridLabel();
    void moveSelectionInside();
    void runColSpanRule();
    void runRowSpanRule();
    void refreshTextBox();
    void refreshSpanControls();

    TTableProperties m_props;
    int m_tabWidthMax = PixelLimit;
    int m_tabHeightMax = PixelLimit;
    CellStore m_cells;
    GridTexts m_texts;
    CellPanel m_panel;
    int m_selCol = 0;
    int m_selRow = 0;
    int m_focusCol = 0;
    int m_focusRow = 0;
    bool m_loading = false;
    bool m_textBoxEnabled = true;
    QString m_textBoxText;
    bool m_clearColSpanVisible = false;
    bool m_clearRowSpanVisible = false;
    QString m_gridLabel = QStringLiteral("Table(Col, Row)");
    QString m_gridSelect = QStringLiteral("Selectect Cell(Col, Row)");
};

// The marker the text box shows for a covered cell.
inline const QString SpannedCellText = QStringLiteral("This is a spanned cell");

} // namespace table
