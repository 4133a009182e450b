#include "documents/subform.h"

#include "documents/documenthost.h"
#include "documents/gutter.h"
#include "documents/highlighting.h"
#include "documents/memo.h"
#include "platform/dialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QScrollBar>

TSubForm *TSubForm::reporting_ = nullptr;

TSubForm::TSubForm(DocumentHost *host, bool wrapNewDocs, const QFont &editorFont, QWidget *parent)
    : QMdiSubWindow(parent), host_(host)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto *body = new QWidget(this);
    auto *row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    Memo1 = new TMemo(body);
    Memo1->setHost(host);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    LineNum = new LineGutter(Memo1, body);
    LineNum->setObjectName(QStringLiteral("LineNum"));
    Bevel1 = new QFrame(body);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFixedWidth(3);
    row->addWidget(LineNum);
    row->addWidget(Bevel1);
    row->addWidget(Memo1, 1);
    setWidget(body);
    resize(683, 440);
    // The window's own menu would close it on Ctrl+W as well as Ctrl+F4;
    // Ctrl+W belongs to the main window's "&Close", and a key bound twice
    // does nothing at all.
    if (QMenu *menu = systemMenu()) {
        for (QAction *a : menu->actions()) {
            QList<QKeySequence> keys = a->shortcuts();
            if (keys.removeAll(QKeySequence(Qt::CTRL | Qt::Key_W)) > 0)
                a->setShortcuts(keys);
        }
    }

    Memo1->setWrap(wrapNewDocs);
    TopLine = -1;
    QFont gutterFont = LineNum->font();
    gutterFont.setFamily(editorFont.family());
    gutterFont.setPointSize(editorFont.pointSize());
    LineNum->setFont(gutterFont);
    LineNum->hide();
    // The numbers keep level with the text as it is zoomed.
    connect(Memo1, &TMemo::zoomChanged, this, [this, size = gutterFont.pointSize()](int zoom) {
        QFont f = LineNum->font();
        f.setPointSize(std::max(2, size + zoom));
        LineNum->setFont(f);
        shownLineCount_ = -1;
        ApplicationEvents1Message();
        Memo1MouseUp();
    });

    connect(Memo1, &TMemo::textChanged, this, &TSubForm::Memo1Change);
    // Loading and saving change the flag without changing the text.
    connect(Memo1, &TMemo::modificationChanged, this, &TSubForm::Memo1Change);
    connect(Memo1, &TMemo::mouseReleased, this, &TSubForm::Memo1MouseUp);
    // Only what is typed is looked at, never the whole text.
    connect(Memo1, &TMemo::inserted, this, [this](const QString &text) {
        if (encoding == textfile::Encoding::Windows1252 && !beyond1252_ && !textfile::fitsWindows1252(text)) {
            beyond1252_ = true;
            emit saveFormatChanged();
        }
    });
    connect(Memo1, &TMemo::keyReleased, this, &TSubForm::Memo1KeyUp);
    connect(Memo1, &TMemo::mouseMoved, this, &TSubForm::FormMouseMove);
    // Scrolling by any means (bar, wheel, keys, caret moves) shows up here.
    connect(Memo1->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &TSubForm::ApplicationEvents1Message);
    connect(Memo1, &TMemo::viewChanged, this, &TSubForm::ApplicationEvents1Message);
    connect(Memo1, &TMemo::textChanged, this, &TSubForm::ApplicationEvents1Message);
    connect(Memo1, &TMemo::linesNumbered, this, &TSubForm::linesNumbered);
    // Pages are coloured as HTML; the caption names the file.
    Memo1->setHtmlHighlighting(names::showsAsHtml(caption()));
    connect(this, &QWidget::windowTitleChanged, this,
            [this](const QString &title) { Memo1->setHtmlHighlighting(names::showsAsHtml(title)); });
    setMouseTracking(true);
}

TSubForm::~TSubForm()
{
    if (reporting_ == this)
        reporting_ = nullptr;
}

void TSubForm::CheckSelection()
{
    reportedSelection_ = Memo1->selLength() > 0;
    host_->SetSelectionCommands(reportedSelection_);
}

int TSubForm::CaretLine() const
{
    return Memo1->knownLineFromOffset(Memo1->selStart());
}

int TSubForm::CaretColumn() const
{
    return Memo1->columnOfOffset(Memo1->selStart());
}

bool TSubForm::gutterVisible() const
{
    return !LineNum->isHidden();
}

void TSubForm::setGutterVisible(bool on)
{
    LineNum->setVisible(on);
    if (on) {
        shownLineCount_ = -1;
        ApplicationEvents1Message();
        refreshView();
    }
}

void TSubForm::positionReport(Report why)
{
    if (why == Report::User || (Memo1->selLength() > 0) != reportedSelection_)
        CheckSelection();
    // A row the background wrap has not reached yet would make the report
    // wait for the whole wrap: it shows as pending and is filled in later.
    const int row = CaretLine();
    rowPending_ = row < 0;
    reporting_ = this;
    host_->showCaretPosition(QStringLiteral(" col=") + QString::number(CaretColumn()) + QStringLiteral(": row=") +
                             (row < 0 ? QStringLiteral("\u2026") : QString::number(row)));
}

void TSubForm::linesNumbered()
{
    if (rowPending_ && reporting_ == this && Memo1->knownLineFromOffset(Memo1->selStart()) >= 0)
        positionReport(Report::View);
    if (gutterVisible() && LineNum->hasBlanks())
        LineNum->refresh(TopLine, Memo1->knownDisplayLines());
}

void TSubForm::refresh(Report why)
{
    positionReport(why);
    TopLine = Memo1->firstVisibleLine();
    LineNum->refresh(TopLine, Memo1->knownDisplayLines());
}

void TSubForm::Memo1MouseUp()
{
    refresh(Report::User);
}

void TSubForm::refreshView()
{
    refresh(Report::View);
}

void TSubForm::Memo1KeyUp()
{
    positionReport(Report::User);
}

void TSubForm::ApplicationEvents1Message()
{
    if (Memo1->firstVisibleLine() != TopLine)
        refreshView();
    // The engine keeps the display-line count, so this is cheap.
    const int lines = Memo1->lineCount();
    if (lines != shownLineCount_) {
        shownLineCount_ = lines;
        LineNum->updateWidth(lines);
    }
}

void TSubForm::setEncoding(textfile::Encoding enc)
{
    encoding = enc;
    beyond1252_ = false;
    emit saveFormatChanged();
}

textfile::Encoding TSubForm::savedEncoding() const
{
    return beyond1252_ ? textfile::Encoding::Utf8 : encoding;
}

void TSubForm::Memo1Change()
{
    host_->SetUndoCommands();
}

void TSubForm::FormActivate()
{
    host_->documentActivated(this);
    host_->SetUndoCommands();
    CheckSelection();
    host_->showWrapState(Memo1->wrap());
    host_->showLineNumberingState(gutterVisible());
    host_->enableSelectAll();
    host_->checkWindowEntries(caption());
}

bool TSubForm::FormCloseQuery()
{
    if (!Memo1->modified())
        return true;
    const Answer a = dialogs().askYesNoCancel(
        QStringLiteral("File ") + caption() + QStringLiteral(" has changed. Do you want to save now?"), this);
    if (a == Answer::Cancel)
        return false;
    if (a == Answer::Yes)
        host_->saveDocument(this);
    return true;
}

void TSubForm::FormClose()
{
    host_->previewOff();
    host_->AddReopenItem(caption());
    host_->removeWindowEntries(caption());
}

void TSubForm::FormMouseMove()
{
    host_->clearHint();
}

void TSubForm::discard()
{
    discarding_ = true;
}

void TSubForm::closeEvent(QCloseEvent *e)
{
    if (discarding_) {
        QMdiSubWindow::closeEvent(e);
        return;
    }
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    FormClose();
    // Destruction step: the last window gone leaves no document commands.
    const bool last = host_->documentCount() < 2;
    QMdiSubWindow::closeEvent(e);
    if (!e->isAccepted())
        return;
    host_->documentClosed(this);
    if (last)
        host_->DisableDocCommands();
}

void TSubForm::resizeEvent(QResizeEvent *e)
{
    QMdiSubWindow::resizeEvent(e);
    if (Memo1)
        refreshView();
}

void TSubForm::mouseMoveEvent(QMouseEvent *e)
{
    QMdiSubWindow::mouseMoveEvent(e);
    FormMouseMove();
}
