// The main window's markup commands: tag pairs, fragments from the dialogs,
// colour and the pipette. Each handler gathers the selection, lets a dialog
// or a builder make the text, and inserts it through InsertFragment.
#include "app/mainwindow.h"

#include "documents/memo.h"
#include "documents/subform.h"
#include "formmaker/formform.h"
#include "markup/anchordialog.h"
#include "markup/colorhtml.h"
#include "widgets/colourswatch.h"
#include "markup/emaildialog.h"
#include "markup/fontdialog.h"
#include "markup/framedialogs.h"
#include "markup/headlinedialog.h"
#include "markup/hrlinedialog.h"
#include "markup/listdialog.h"
#include "markup/marqueedialog.h"
#include "markup/newpagedialog.h"
#include "markup/paragraphdialog.h"
#include "markup/picturedialog.h"
#include "markup/sortselection.h"
#include "markup/tagcommands.h"
#include "platform/screensampler.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QPainter>
#include <QToolButton>

namespace {

// The pipette cursor, drawn once: an eyedropper whose tip is the hot spot.
QCursor pipetteCursor()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(3, 28, 18, 13);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(3, 28, 18, 13);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(22, 9), 6, 6);
    p.end();
    return QCursor(pm, 2, 29);
}

} // namespace

void TMainForm::createDialogsBeforeSplash()
{
    tools_.createBeforeSplash(*this);
}

void TMainForm::createDialogsAfterSplash()
{
    tools_.createAfterSplash(this);
}

QString TMainForm::selectionText() const
{
    return CurrentDoc ? CurrentDoc->Memo1->selText() : QString();
}

void TMainForm::insertWithCaret(const markup::Insertion &ins)
{
    if (!CurrentDoc)
        return;
    InsertFragment(ins.text);
    if (ins.caretBack > 0) {
        TMemo *memo = CurrentDoc->Memo1;
        memo->setSelStart(std::max(0, memo->selStart() - ins.caretBack));
    }
}

void TMainForm::runTagCommand(markup::TagCommandId id)
{
    if (CurrentDoc)
        insertWithCaret(markup::applyTagCommand(markup::tagCommand(id), selectionText()));
}

void TMainForm::Paragraph1Click()
{
    if (!CurrentDoc)
        return;
    createDialogsAfterSplash();
    if (showModal(tools_.Parabox) == QDialog::Accepted)
        insertWithCaret(markup::paragraphInsertion(tools_.Parabox->FragmentText, selectionText()));
}

void TMainForm::FontBtnClick()
{
    if (!CurrentDoc)
        return;
    createDialogsBeforeSplash();
    if (showModal(tools_.HtmlFont) == QDialog::Accepted)
        insertWithCaret(markup::fontInsertion(tools_.HtmlFont->FragmentText, selectionText()));
}

void TMainForm::HHeadlines1Click()
{
    if (!CurrentDoc)
        return;
    createDialogsBeforeSplash();
    tools_.Headline->setSelectionText(selectionText());
    showModal(tools_.Headline);
    if (!tools_.Headline->FragmentText.isEmpty())
        insertWithCaret({tools_.Headline->FragmentText, 0});
}

void TMainForm::HRuleBtnClick()
{
    if (!CurrentDoc)
        return;
    createDialogsAfterSplash();
    showModal(tools_.HrLineBox);
    if (!tools_.HrLineBox->FragmentText.isEmpty())
        insertWithCaret(markup::ruleInsertion(tools_.HrLineBox->FragmentText));
}

void TMainForm::List1Click()
{
    if (!CurrentDoc)
        return;
    createDialogsBeforeSplash();
    showModal(tools_.ListForm);
    if (!tools_.ListForm->OpenTag.isEmpty())
        insertWithCaret(markup::listInsertion(tools_.ListForm->OpenTag, selectionText(), tools_.ListForm->CloseTag));
}

void TMainForm::AnchorBtnClick()
{
    if (!CurrentDoc)
        return;
    createDialogsAfterSplash();
    tools_.AnchorBox->setSelectionText(selectionText());
    showModal(tools_.AnchorBox);
    if (!tools_.AnchorBox->FragmentText.isEmpty())
        insertWithCaret({tools_.AnchorBox->FragmentText, 0});
}

void TMainForm::email1Click()
{
    if (!CurrentDoc)
        return;
    createDialogsBeforeSplash();
    tools_.emailBox->setSelectionText(selectionText());
    showModal(tools_.emailBox);
    if (!tools_.emailBox->FragmentText.isEmpty())
        insertWithCaret({tools_.emailBox->FragmentText, 0});
}

void TMainForm::Marquee1Click()
{
    if (!CurrentDoc)
        return;
    createDialogsBeforeSplash();
    tools_.marqueebox->setSelectionText(selectionText());
    showModal(tools_.marqueebox);
    if (!tools_.marqueebox->FragmentText.isEmpty())
        insertWithCaret({tools_.marqueebox->FragmentText, 0});
}

void TMainForm::Frameset1Click()
{
    if (!CurrentDoc)
        return;
    createDialogsBeforeSplash();
    if (showModal(tools_.Frameset) == QDialog::Accepted)
        insertWithCaret(markup::framesetInsertion(tools_.Frameset->FragmentText));
}

void TMainForm::Frame1Click()
{
    if (!CurrentDoc)
        return;
    createDialogsBeforeSplash();
    if (showModal(tools_.Framez) == QDialog::Accepted)
        insertWithCaret(markup::frameInsertion(tools_.Framez->FragmentText));
}

void TMainForm::FormMenu1Click()
{
    if (!CurrentDoc)
        return;
    createDialogsBeforeSplash();
    showModal(tools_.FormForm);
    if (!tools_.FormForm->FormHtml.isEmpty())
        insertWithCaret({tools_.FormForm->FormHtml, 0});
}

void TMainForm::SortSelection1Click()
{
    if (!CurrentDoc)
        return;
    insertWithCaret({markup::sortSelection(selectionText()), 0});
}

void TMainForm::NewWebPage1Click()
{
    ++UntitledCount;
    TSubForm *doc = CreateDocWindow(QStringLiteral("~Untiltled") + QString::number(UntitledCount));
    NewPageSaving = true;
    SaveAs1Click();
    NewPageSaving = false;
    createDialogsBeforeSplash();
    tools_.NewHtml->DocumentFolder = QString();
    const QString caption = doc->caption();
    const int slash = caption.lastIndexOf(QLatin1Char('/'));
    if (!caption.startsWith(QLatin1Char('~')) && slash >= 0)
        tools_.NewHtml->DocumentFolder = caption.left(slash + 1);
    if (showModal(tools_.NewHtml) != QDialog::Accepted || !docs_.contains(doc))
        return;
    TMemo *memo = doc->Memo1;
    memo->setText(tools_.NewHtml->PageText);
    memo->setFocus();
    memo->setSelStart(std::max(0, memo->textLength() - 22));
    memo->setModified(true);
    SetUndoCommands();
}

// ------------------------------------------------------------ colour

void TMainForm::Shape1MouseDown(Qt::MouseButton button)
{
    if (!Shape1->isEnabled() || !CurrentDoc)
        return;
    if (button != Qt::RightButton) {
        const std::optional<quint32> chosen = chooseSharedColour(this);
        if (!chosen)
            return;
        Shape1->setFill(*chosen);
        Shape1->setOutline(*chosen);
    }
    InsertFragment(markup::quotedColour(Shape1->fill()));
}

void TMainForm::Color1Click()
{
    Shape1MouseDown(Qt::LeftButton);
}

void TMainForm::colpicBtnClick()
{
    QToolButton *b = button(commands::Id::ColourPicker);
    if (PickingColour) {
        endPicking();
        return;
    }
    PickingColour = true;
    b->setChecked(true);
    QApplication::setOverrideCursor(pipetteCursor());
    grabMouse();
    qApp->installEventFilter(this);
}

void TMainForm::ApplicationEvents1Idle()
{
    if (PickingColour)
        Shape1->setFill(screenSampler().pixelUnderPointer());
}

void TMainForm::FormMouseDown()
{
    if (PickingColour)
        endPicking();
}

void TMainForm::endPicking()
{
    PickingColour = false;
    button(commands::Id::ColourPicker)->setChecked(false);
    releaseMouse();
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
    activateWindow();
    setFocus();
}
