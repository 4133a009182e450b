#include "app/markupcommands.h"

#include "app/commandhost.h"
#include "app/commandstate.h"
#include "app/documentcommands.h"
#include "app/toolwindows.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "formmaker/formform.h"
#include "markup/anchordialog.h"
#include "markup/colorhtml.h"
#include "markup/emaildialog.h"
#include "markup/fontdialog.h"
#include "markup/framedialogs.h"
#include "markup/headlinedialog.h"
#include "markup/hrlinedialog.h"
#include "markup/listdialog.h"
#include "markup/marqueedialog.h"
#include "markup/newpagedialog.h"
#include "markup/paragraphdialog.h"
#include "markup/sortselection.h"
#include "platform/screensampler.h"
#include "widgets/colourswatch.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
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

MarkupCommands::MarkupCommands(CommandHost &host, CommandState &state, ToolWindows &tools,
                               DocumentCommands &documents, QObject *parent)
    : QObject(parent), host_(host), state_(state), tools_(tools), documents_(documents)
{
}

void MarkupCommands::bind(CommandState &state)
{
    using commands::Id;
    for (const commands::Command &c : commands::table()) {
        if (c.tag) {
            const markup::TagCommandId tag = *c.tag;
            state.bind(c.id, [this, tag] { runTagCommand(tag); });
        }
    }
    state.bind(Id::NewWebPage, [this] { NewWebPage1Click(); });
    state.bind(Id::SortSelection, [this] { SortSelection1Click(); });
    state.bind(Id::Color, [this] { Color1Click(); });
    state.bind(Id::Headlines, [this] { HHeadlines1Click(); });
    state.bind(Id::Anchor, [this] { AnchorBtnClick(); });
    state.bind(Id::Font, [this] { FontBtnClick(); });
    state.bind(Id::Rule, [this] { HRuleBtnClick(); });
    state.bind(Id::Email, [this] { email1Click(); });
    state.bind(Id::Form, [this] { FormMenu1Click(); });
    state.bind(Id::Frameset, [this] { Frameset1Click(); });
    state.bind(Id::Frame, [this] { Frame1Click(); });
    state.bind(Id::Marquee, [this] { Marquee1Click(); });
    state.bind(Id::Paragraph, [this] { Paragraph1Click(); });
    state.bind(Id::List, [this] { List1Click(); });
    state.bind(Id::ColourPicker, [this] { colpicBtnClick(); });
}

void MarkupCommands::makeSwatch(QWidget *htmlStrip, QObject *hover)
{
    const commands::Command &swatch = commands::command(commands::Id::ColourSwatch);
    Shape1 = new ColourSwatch(htmlStrip, QSize(29, 27));
    Shape1->setObjectName(swatch.button);
    Shape1->setOpensChooser(false);
    Shape1->setFill(0xFFFFFF);
    Shape1->setOutline(0xFFFFFF);
    Shape1->setMouseTracking(true);
    connect(Shape1, &ColourSwatch::mousePressed, this, &MarkupCommands::Shape1MouseDown);
    Shape1->setToolTip(swatch.hint);
    Shape1->move(2, swatch.y);
    Shape1->installEventFilter(hover);
    Shape1->setEnabled(false);
    state_.addWidget(swatch.button, Shape1);
}

TMemo *MarkupCommands::memo()
{
    TSubForm *doc = host_.currentDocument();
    return doc ? doc->Memo1 : nullptr;
}

QString MarkupCommands::selectionText()
{
    TMemo *m = memo();
    return m ? m->selText() : QString();
}

void MarkupCommands::runTagCommand(markup::TagCommandId id)
{
    if (TMemo *m = memo()) {
        const markup::Insertion ins = markup::applyTagCommand(markup::tagCommand(id), m->selText());
        m->InsertFragment(ins.text, ins.caretBack);
    }
}

// Shows a tag dialog modally and inserts what it built. Dialogs that keep
// their result across openings count only when accepted; the others
// whenever they leave a text.
void MarkupCommands::insertFromDialog(FragmentDialog *dialog, Answer counts,
                                      const std::function<markup::Insertion(const QString &)> &build)
{
    const int answer = host_.runModal(dialog);
    const bool taken = counts == Answer::Accepted ? answer == QDialog::Accepted : !dialog->FragmentText.isEmpty();
    if (!taken || !memo())
        return;   // cancelled, or the document went away meanwhile
    const markup::Insertion ins = build(dialog->FragmentText);
    memo()->InsertFragment(ins.text, ins.caretBack);
}

// The fragment as the dialog built it, the caret after it.
static markup::Insertion asBuilt(const QString &text)
{
    return {text, 0};
}

void MarkupCommands::Paragraph1Click()
{
    if (!memo())
        return;
    tools_.createAfterSplash();
    insertFromDialog(tools_.Parabox, Answer::Accepted,
                     [this](const QString &t) { return markup::paragraphInsertion(t, selectionText()); });
}

void MarkupCommands::FontBtnClick()
{
    if (!memo())
        return;
    tools_.createBeforeSplash();
    insertFromDialog(tools_.HtmlFont, Answer::Accepted,
                     [this](const QString &t) { return markup::fontInsertion(t, selectionText()); });
}

void MarkupCommands::HHeadlines1Click()
{
    if (!memo())
        return;
    tools_.createBeforeSplash();
    tools_.Headline->setSelectionText(selectionText());
    insertFromDialog(tools_.Headline, Answer::AnyText, asBuilt);
}

void MarkupCommands::HRuleBtnClick()
{
    if (!memo())
        return;
    tools_.createAfterSplash();
    insertFromDialog(tools_.HrLineBox, Answer::AnyText, markup::ruleInsertion);
}

void MarkupCommands::List1Click()
{
    if (!memo())
        return;
    tools_.createBeforeSplash();
    insertFromDialog(tools_.ListForm, Answer::AnyText, [this](const QString &open) {
        return markup::listInsertion(open, selectionText(), tools_.ListForm->CloseTag);
    });
}

void MarkupCommands::AnchorBtnClick()
{
    if (!memo())
        return;
    tools_.createAfterSplash();
    tools_.AnchorBox->setSelectionText(selectionText());
    insertFromDialog(tools_.AnchorBox, Answer::AnyText, asBuilt);
}

void MarkupCommands::email1Click()
{
    if (!memo())
        return;
    tools_.createBeforeSplash();
    tools_.emailBox->setSelectionText(selectionText());
    insertFromDialog(tools_.emailBox, Answer::AnyText, asBuilt);
}

void MarkupCommands::Marquee1Click()
{
    if (!memo())
        return;
    tools_.createBeforeSplash();
    tools_.marqueebox->setSelectionText(selectionText());
    insertFromDialog(tools_.marqueebox, Answer::AnyText, asBuilt);
}

void MarkupCommands::Frameset1Click()
{
    if (!memo())
        return;
    tools_.createBeforeSplash();
    insertFromDialog(tools_.Frameset, Answer::Accepted, markup::framesetInsertion);
}

void MarkupCommands::Frame1Click()
{
    if (!memo())
        return;
    tools_.createBeforeSplash();
    insertFromDialog(tools_.Framez, Answer::Accepted, markup::frameInsertion);
}

void MarkupCommands::FormMenu1Click()
{
    if (!memo())
        return;
    tools_.createBeforeSplash();
    host_.runModal(tools_.FormForm);
    if (!tools_.FormForm->FormHtml.isEmpty() && memo())
        memo()->InsertFragment(tools_.FormForm->FormHtml);
}

void MarkupCommands::SortSelection1Click()
{
    if (TMemo *m = memo())
        m->InsertFragment(markup::sortSelection(m->selText()));
}

void MarkupCommands::NewWebPage1Click()
{
    TSubForm *doc = documents_.newUntitledDocument();
    documents_.saveAsNewPage(doc);
    tools_.createBeforeSplash();
    tools_.NewHtml->DocumentFolder = QString();
    const QString caption = doc->caption();
    const int slash = caption.lastIndexOf(QLatin1Char('/'));
    if (!caption.startsWith(QLatin1Char('~')) && slash >= 0)
        tools_.NewHtml->DocumentFolder = caption.left(slash + 1);
    if (host_.runModal(tools_.NewHtml) != QDialog::Accepted || !host_.isOpen(doc))
        return;
    // The skeleton replaces the whole text; the caret goes inside its BODY.
    TMemo *m = doc->Memo1;
    m->setText(tools_.NewHtml->PageText);
    m->setFocus();
    m->setSelStart(std::max(0, m->textLength() - 22));
    m->setModified(true);
    state_.SetUndoCommands();
}

// ------------------------------------------------------------ colour

void MarkupCommands::Shape1MouseDown(Qt::MouseButton button)
{
    if (!Shape1->isEnabled() || !memo())
        return;
    if (button != Qt::RightButton) {
        const std::optional<quint32> chosen = chooseSharedColour(host_.frame());
        if (!chosen || !memo())
            return;
        Shape1->setFill(*chosen);
        Shape1->setOutline(*chosen);
    }
    memo()->InsertFragment(markup::quotedColour(Shape1->fill()));
}

void MarkupCommands::Color1Click()
{
    Shape1MouseDown(Qt::LeftButton);
}

void MarkupCommands::colpicBtnClick()
{
    if (PickingColour) {
        endPicking();
        return;
    }
    PickingColour = true;
    state_.button(commands::Id::ColourPicker)->setChecked(true);
    QApplication::setOverrideCursor(pipetteCursor());
    host_.frame()->grabMouse();
    qApp->installEventFilter(this);
}

void MarkupCommands::ApplicationEvents1Idle()
{
    if (PickingColour)
        Shape1->setFill(screenSampler().pixelUnderPointer());
}

void MarkupCommands::FormMouseDown()
{
    if (PickingColour)
        endPicking();
}

void MarkupCommands::endPicking()
{
    PickingColour = false;
    state_.button(commands::Id::ColourPicker)->setChecked(false);
    QWidget *frame = host_.frame();
    frame->releaseMouse();
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
    frame->activateWindow();
    frame->setFocus();
}

bool MarkupCommands::eventFilter(QObject *watched, QEvent *e)
{
    if (PickingColour) {
        if (e->type() == QEvent::MouseMove) {
            QTimer::singleShot(0, this, &MarkupCommands::ApplicationEvents1Idle);
        } else if (e->type() == QEvent::MouseButtonPress) {
            FormMouseDown();
            return true;
        }
    }
    return QObject::eventFilter(watched, e);
}
