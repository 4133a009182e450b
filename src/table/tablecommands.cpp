// The table editor's commands: the grid's spans and alignment, pictures,
// the cell panel and its text box, and Apply, Preview, Save and Open. The
// window's building and the mirroring of the model are in tablewindow.cpp.
#include "table/tablewindow.h"

#include "imaging/pictureloader.h"
#include "widgets/colourswatch.h"
#include "markup/fontdialog.h"
#include "markup/paragraphdialog.h"
#include "platform/fileio.h"
#include "platform/focusreturn.h"
#include "table/cellformat.h"
#include "table/tablefile.h"
#include "table/tablehtml.h"
#include "table/tablepreview.h"
#include "table/tablewidgets.h"
#include "table/textboxtext.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QTextDocumentFragment>
#include <QToolButton>

using namespace table;

namespace {

const QString NoDocumentMessage = QStringLiteral("There is no open document to insert the table into.");
const QString TableFilter = QStringLiteral("Mivor Table Files *.mtb|*.mtb");

} // namespace

// ---- grid ---------------------------------------------------------------------

void Thtmltabletemp::gridCellChosen(int column, int row)
{
    model_.selectCell(column, row);
    mirror();
    if (Edit1->isEnabled() && isVisible())
        Edit1->setFocus();
}

void Thtmltabletemp::ClearColSpan1Click()
{
    model_.ClearColSpan1Click();
    mirror();
}

void Thtmltabletemp::ClearRowSpan1Click()
{
    model_.ClearRowSpan1Click();
    mirror();
}

void Thtmltabletemp::SetColumnAlign(AlignKind kind, int value)
{
    model_.SetColumnAlign(kind, value);
    mirror();
}

void Thtmltabletemp::SetRowAlign(AlignKind kind, int value)
{
    model_.SetRowAlign(kind, value);
    mirror();
}

// ---- pictures -------------------------------------------------------------------

// The picture dialog's choice with a preview to show; a reference whose
// picture cannot be loaded is reported and counts as no choice.
std::optional<std::pair<QString, QImage>> Thtmltabletemp::pickPicture(const QString &folder)
{
    if (!hooks_.choosePicture)
        return std::nullopt;
    FocusReturn back(this);
    auto chosen = hooks_.choosePicture(folder);
    if (!chosen || chosen->first.isEmpty())
        return std::nullopt;
    if (chosen->second.isNull()) {
        const PictureResult picture = loadPicture(chosen->first);
        if (!picture.ok) {
            dialogs().error(picture.message, this);
            return std::nullopt;
        }
        chosen->second = picture.value;
    }
    return chosen;
}

void Thtmltabletemp::SpeedButton3Click()
{
    // The table's picture keeps the dialog's folder as it was last set.
    const auto chosen = pickPicture(QString());
    if (!chosen)
        return;
    model_.setTableBackground(chosen->first);
    tableThumbRef_ = chosen->first;
    showThumbnail(Image1, chosen->second);
    mirror();
}

void Thtmltabletemp::SpeedButton4Click()
{
    model_.setTableBackground(QString());
    mirror();
}

void Thtmltabletemp::Image1DblClick()
{
    SpeedButton4Click();
}

void Thtmltabletemp::SpeedButton5Click()
{
    const auto chosen = pickPicture(hooks_.documentFolder);
    if (!chosen)
        return;
    model_.setCellBackground(chosen->first);
    cellThumbRef_ = chosen->first;
    showThumbnail(Image2, chosen->second);
    model_.SetCellBtnClick();
    model_.StringGrid1Click();
    mirror();
}

void Thtmltabletemp::Image2DblClick()
{
    model_.setCellBackground(QString());
    mirror();
}

void Thtmltabletemp::picBtnClick()
{
    if (!hooks_.choosePicture)
        return;
    FocusReturn back(this);
    const auto chosen = hooks_.choosePicture(hooks_.documentFolder);
    if (!chosen || chosen->first.isEmpty())
        return;
    QFile file;
    if (!fileio::openRegularFile(chosen->first, file)) {
        dialogs().error(QStringLiteral("Cannot open file %1").arg(chosen->first), this);
        return;
    }
    // The box follows the cell, so that the next keystroke in it does not
    // write the old text back over the picture.
    model_.replaceFocusedCellText(pictureCellText(chosen->first, file.size()));
    mirror();
}

// ---- cell panel buttons -----------------------------------------------------------

void Thtmltabletemp::SetCellBtnClick()
{
    model_.SetCellBtnClick();
    mirror();
}

void Thtmltabletemp::resetcellbtnClick()
{
    model_.resetcellbtnClick();
    mirror();
}

// ---- cell text box ----------------------------------------------------------------

void Thtmltabletemp::Edit1DblClick()
{
    if (Edit1->height() < CellTextBox::ExpandedHeight) {
        editHeight_ = CellTextBox::ExpandedHeight;
        Edit1->setToolTip(QStringLiteral("2048 character limit - double click to shrink"));
    } else {
        editHeight_ = CellTextBox::ShrunkHeight;
        Edit1->setToolTip(QStringLiteral("2048 character limit - double click to expand"));
    }
    layoutTextArea();
}

void Thtmltabletemp::insertIntoTextBox(const QString &text, int caretBack, bool focusBox)
{
    if (!Edit1->isEnabled())
        return;
    // Straight through the box's cursor: the user's clipboard is not touched.
    QTextCursor cursor = Edit1->textCursor();
    cursor.insertText(boxTextFromCellText(text));
    const QString boxText = Edit1->toPlainText();
    const int end = offsetOfBoxPosition(boxText, cursor.position());
    cursor.setPosition(boxPositionOfOffset(boxText, end - caretBack));
    Edit1->setTextCursor(cursor);
    if (focusBox)
        Edit1->setFocus();
}

static QString selectionOf(const CellTextBox *box)
{
    return cellTextFromBoxText(box->textCursor().selection().toPlainText());
}

void Thtmltabletemp::BoldBtnClick()
{
    const CellInsertion ins = boldInsertion(selectionOf(Edit1));
    insertIntoTextBox(ins.text, ins.caretBack, true);
}

void Thtmltabletemp::ItalicBtnClick()
{
    const CellInsertion ins = italicInsertion(selectionOf(Edit1));
    insertIntoTextBox(ins.text, ins.caretBack, true);
}

void Thtmltabletemp::UnderlineBtnClick()
{
    const CellInsertion ins = underlineInsertion(selectionOf(Edit1));
    insertIntoTextBox(ins.text, ins.caretBack, true);
}

void Thtmltabletemp::ParagraphClick()
{
    ParagraphDialogClosed(execReturningFocus(paragraphDialog_, this));
}

void Thtmltabletemp::ParagraphDialogClosed(int result)
{
    if (result != QDialog::Accepted || paragraphDialog_->FragmentText.isEmpty())
        return;
    const CellInsertion ins = paragraphInsertion(paragraphDialog_->FragmentText, selectionOf(Edit1));
    insertIntoTextBox(ins.text, ins.caretBack, true);
}

void Thtmltabletemp::FontBtnClick()
{
    FontDialogClosed(execReturningFocus(fontDialog_, this));
}

void Thtmltabletemp::FontDialogClosed(int result)
{
    if (result != QDialog::Accepted || fontDialog_->FragmentText.isEmpty())
        return;
    const CellInsertion ins = fontInsertion(fontDialog_->FragmentText, selectionOf(Edit1));
    insertIntoTextBox(ins.text, ins.caretBack, true);
}

void Thtmltabletemp::SpeedButton2Click()
{
    const CellInsertion ins = lineBreakInsertion();
    insertIntoTextBox(ins.text, ins.caretBack, true);
}

void Thtmltabletemp::Shape6MouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        // The table's colour, whether or not it is in use.
        const CellInsertion ins = colourInsertion(TabColor->fill());
        insertIntoTextBox(ins.text, ins.caretBack, false);
        return;
    }
    const std::optional<quint32> chosen = chooseSharedColour(this);
    if (!chosen) {
        // A cancelled choice still replaces the selection, with nothing.
        insertIntoTextBox(QString(), 0, false);
        return;
    }
    Shape6->setFill(*chosen);
    const CellInsertion ins = colourInsertion(*chosen);
    insertIntoTextBox(ins.text, ins.caretBack, false);
}

void Thtmltabletemp::TabSpikeBtnClick()
{
    if (!hooks_.spikePickMode || !hooks_.pickedText || !Edit1->isEnabled())
        return;
    {
        FocusReturn back(this);
        hooks_.spikePickMode(true);
    }
    const QString picked = hooks_.pickedText();
    hooks_.spikePickMode(false);
    // Every pick ends in a line break, so an empty text means the spike was
    // closed without a choice: the cell keeps what it had.
    if (picked.isEmpty())
        return;
    Edit1->setPlainText(boxTextFromCellText(picked));
}

void Thtmltabletemp::GridupClick()
{
    areaRaised_ = !areaRaised_;
    Gridup->setText(areaRaised_ ? QStringLiteral("▼") : QStringLiteral("▲"));
    layoutTextArea();
}

// ---- apply, preview, files ------------------------------------------------------------

void Thtmltabletemp::ApplyBtnClick()
{
    TableHtml = buildTableHtml(model_);
    mirror();
    if (PreviewMode) {
        if (const Result shown = ShowTablePreview(TableHtml); !shown)
            dialogs().error(shown.message, this);
        // Cleared also after a failure, so that Apply inserts next time.
        PreviewMode = false;
        return;
    }
    if (!hooks_.insertTable || !hooks_.insertTable(TableHtml)) {
        dialogs().error(NoDocumentMessage, this);
        return;
    }
    removeTablePreview();
    close();
}

void Thtmltabletemp::TablePrevBtnClick()
{
    PreviewMode = true;
    ApplyBtnClick();
}

void Thtmltabletemp::SaveTableBtnClick()
{
    model_.SetCellBtnClick();
    mirror();
    saveState_.fileName = QStringLiteral("*.mtb");
    saveState_.defaultExt = QStringLiteral("mtb");
    saveState_.filter = TableFilter;
    if (!dialogs().saveFile(saveState_, this))
        return;
    if (Result r = writeTableFile(model_, saveState_.fileName); !r)
        dialogs().error(r.message, this);
}

void Thtmltabletemp::OpenTableBtnClick()
{
    openState_.fileName = QStringLiteral("*.mtb");
    openState_.defaultExt = QStringLiteral("mtb");
    openState_.filter = TableFilter;
    if (!dialogs().openFile(openState_, this))
        return;
    if (Result r = readTableFile(model_, openState_.fileName); !r) {
        dialogs().error(r.message, this);
        return;
    }
    mirror();
}

void Thtmltabletemp::SpeedButton1Click()
{
    close();
}

void Thtmltabletemp::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closed();
}
