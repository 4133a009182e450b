#pragma once
// "Table Editor": the free-standing window in which the user designs one
// table. Every value lives in TableModel; the handlers pass the user's edits
// to it and copy its state back into the controls.
#include "platform/dialogs.h"
#include "table/tablemodel.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

class CellTextBox;
class ClickLabel;
class ColourSwatch;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class RadioGroup;
class SpinField;
class TableGrid;
class THtmlFont;
class TParabox;

// What the editor needs from the rest of the program. Empty functions are
// allowed: the matching command then does nothing (Apply reports that there
// is no document).
struct TableEditorHooks {
    // Apply: inserts into the current document; false when there is none.
    std::function<bool(const QString &html)> insertTable;
    // The picture dialog, shown modally with its document folder set to
    // `folder` (empty: keep the folder it had). The image reference and its
    // preview, or nullopt when cancelled.
    std::function<std::optional<std::pair<QString, QImage>>(const QString &folder)> choosePicture;
    // Pick mode of the spike: on = true shows the spike for picking clips and
    // returns once the user has closed it; on = false ends the mode.
    std::function<void(bool on)> spikePickMode;
    // The clips picked in the spike, each followed by CR LF.
    std::function<QString()> pickedText;
    // Folder of the current document's file, ending in "/".
    QString documentFolder;
};

class Thtmltabletemp : public QWidget {
    Q_OBJECT
public:
    // The paragraph and font dialogs are the program's shared ones; when
    // none is given the editor makes its own.
    explicit Thtmltabletemp(TableEditorHooks hooks, TParabox *paragraphDialog = nullptr,
                            THtmlFont *fontDialog = nullptr, QWidget *parent = nullptr);
    ~Thtmltabletemp() override;

    TableEditorHooks &hooks() { return hooks_; }
    const table::TableModel &model() const { return model_; }

    // The table text of the last Apply or Preview.
    QString TableHtml;
    // Set by "Preview" until its page has been handed to the shell.
    bool PreviewMode = false;

    // --- table properties ---
    QGroupBox *TablePropsBox;
    SpinField *TabCols;
    SpinField *TabRows;
    SpinField *TabBorder;
    QCheckBox *TabColorChk;
    ColourSwatch *TabColor;
    QCheckBox *TabLineChk;
    ColourSwatch *LineColor;
    QCheckBox *LightDark;
    ColourSwatch *TabLight;
    ColourSwatch *TabDark;
    RadioGroup *WidthRG;
    SpinField *TabWidth;
    RadioGroup *HeightRG;
    SpinField *TabHeight;
    SpinField *TabSpacing;
    SpinField *TabPadding;
    RadioGroup *TabAlignRG;
    QPushButton *SpeedButton3;   // "BG Image"
    QPushButton *SpeedButton4;   // "Clear"
    ClickLabel *Image1;
    QLabel *BGImageLabel;

    // --- selected cell properties ---
    QGroupBox *CellPropsBox;
    RadioGroup *RadioGroup5;
    SpinField *cellwidth;
    RadioGroup *RadioGroup6;
    SpinField *CellHeight;
    QCheckBox *CellColorCheck;
    ColourSwatch *Shape5;
    RadioGroup *horzalign;
    RadioGroup *VertAlign;
    QPushButton *SpeedButton5;   // "BG Image"
    QPushButton *SetCellBtn;
    QPushButton *resetcellbtn;
    QToolButton *picBtn;
    ClickLabel *Image2;
    QLabel *Label11;

    // --- cell text area ---
    QWidget *Panel3;
    QPushButton *SaveTableBtn;
    QPushButton *OpenTableBtn;
    QToolButton *BoldBtn;
    QToolButton *ItalicBtn;
    QToolButton *UnderlineBtn;
    QToolButton *FontBtn;
    ColourSwatch *Shape6;
    QToolButton *Paragraph;
    QToolButton *SpeedButton2;   // "<BR>"
    QToolButton *TabSpikeBtn;
    SpinField *colspin;
    SpinField *rowspin;
    ClickLabel *Gridup;
    CellTextBox *Edit1;
    QWidget *Splitter1;          // the draggable border between box and grid
    TableGrid *StringGrid1;
    QMenu *PopupMenu1;
    QAction *ClearColSpan1;
    QAction *ClearRowSpan1;

    // --- bottom bar ---
    QPushButton *SpeedButton1;   // "&Cancel"
    QLabel *GridLabel;
    QLabel *GridSelect;
    QPushButton *TablePrevBtn;
    QPushButton *ApplyBtn;

    // --- handlers ---
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void picBtnClick();
    void Image1DblClick();
    void Image2DblClick();
    void SetCellBtnClick();
    void resetcellbtnClick();
    void Edit1DblClick();
    void BoldBtnClick();
    void ItalicBtnClick();
    void UnderlineBtnClick();
    // "<P>" and "f" show their dialog modally, then pass its result on.
    void ParagraphClick();
    void ParagraphDialogClosed(int result);
    void FontBtnClick();
    void FontDialogClosed(int result);
    void SpeedButton2Click();
    void Shape6MouseDown(Qt::MouseButton button);
    void TabSpikeBtnClick();
    void GridupClick();
    void ClearColSpan1Click();
    void ClearRowSpan1Click();
    void SetColumnAlign(table::AlignKind kind, int value);
    void SetRowAlign(table::AlignKind kind, int value);
    void ApplyBtnClick();
    void TablePrevBtnClick();
    void SaveTableBtnClick();
    void OpenTableBtnClick();
    void SpeedButton1Click();

    // The grid's focused cell is (column, row) after a click or a key.
    void gridCellChosen(int column, int row);

    // Height of the cell text box while the text area is at the bottom.
    static constexpr int TextAreaHeight = 174;

signals:
    // The user closed the window (Apply, Cancel or the close button).
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTableProperties();
    void buildCellProperties();
    void buildTextArea();
    void buildBottomBar();
    void connectControls();
    void layoutTextArea();
    // Copies the model into every control without letting them report it.
    void mirror();
    void mirrorGrid();
    void showTableThumbnail();
    void showCellThumbnail();
    // Puts a text in place of the box's selection, then sets the caret
    // `caretBack` CR LF characters before the end of the insertion.
    void insertIntoTextBox(const QString &text, int caretBack, bool focusBox);
    std::optional<std::pair<QString, QImage>> pickPicture(const QString &folder);

    TableEditorHooks hooks_;
    table::TableModel model_;
    TParabox *paragraphDialog_;
    THtmlFont *fontDialog_;
    FileDialogState saveState_;
    FileDialogState openState_;
    int editHeight_ = 25;
    bool areaRaised_ = false;
    bool mirroring_ = false;
    QString tableThumbRef_;
    QString cellThumbRef_;
    int dragStartY_ = -1;
    int dragStartHeight_ = 0;
};
