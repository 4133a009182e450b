// The main window's preview and printing commands: the browser pane and its
// handle strip, the external browser, the help page and printing. Each
// handler hands its work to preview/.
#include "app/mainwindow.h"

#include "documents/memo.h"
#include "documents/subform.h"
#include "platform/appfolder.h"
#include "platform/shell.h"
#include "preview/browserpane.h"
#include "preview/helppage.h"
#include "preview/pageview.h"
#include "preview/printing.h"
#include "preview/temppage.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QSplitter>
#include <QToolButton>

namespace {

// Double clicks on the handle strip, which has no signal of its own.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject *parent, std::function<void()> run) : QObject(parent), run_(std::move(run)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonDblClick) {
            run_();
            return true;
        }
        return QObject::eventFilter(watched, e);
    }

private:
    std::function<void()> run_;
};

} // namespace

void TMainForm::wirePreviewCommands()
{
    PageView = new TPageView;
    connect(this, &QObject::destroyed, [page = PageView] { delete page; });
    Panel2->installEventFilter(new DoubleClickFilter(this, [this] { Panel2DblClick(); }));
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { Splitter1Moved(); });
}

void TMainForm::RefreshPreview()
{
    TSubForm *doc = CurrentDoc;
    if (docs_.isEmpty() || !doc)
        return;
    const QString page = temppage::panePagePath(doc->caption());
    if (const Result written =
            temppage::write(page, doc->caption(), doc->Memo1->text(), doc->encoding, doc->byteOrderMark);
        !written) {
        dialogs().error(written.message, this);
        return;
    }
    QCoreApplication::processEvents();
    WebBrowser1->navigate(page);
}

void TMainForm::Panel2DblClick()
{
    const int pane = previewPaneWidth();
    if (pane > 400 || pane < 100) {
        setPreviewPaneWidth(width() / 2);
        action(commands::Id::HtmlPreview)->setChecked(true);
    } else {
        setPreviewPaneWidth(4);
        BrowseBtnClick();
    }
    EnableHtmlTools();
}

void TMainForm::Splitter1Moved()
{
    const int left = Splitter1->handle(1)->mapTo(this, QPoint(0, 0)).x();
    if (left < width() / 2)
        DisableHtmlTools();
    else
        EnableHtmlTools();
}

void TMainForm::htmlBtnClick()
{
    TSubForm *doc = CurrentDoc;
    if (!doc)
        return;
    if (doc->caption().startsWith(QLatin1Char('~'))) {
        dialogs().message(QStringLiteral("You must save the html file first before it can be displayed."), this);
        saveAsDocument(doc);
    }
    if (doc->caption().startsWith(QLatin1Char('~')))
        return;
    const temppage::ExternalPage target = temppage::externalPage(doc->caption());
    if (const Result written =
            temppage::write(target.page, doc->caption(), doc->Memo1->text(), doc->encoding, doc->byteOrderMark);
        !written) {
        dialogs().error(written.message, this);
        return;
    }
    TempPage = target.page;
    if (!shell().openFile(TempPage))
        dialogs().error(QStringLiteral("Failed to execute ") + doc->caption(), this);
    // The browser comes to the front: the editor and its tool windows step aside.
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top != this && top->isVisible() && top->isWindow() && !(top->windowFlags() & Qt::Popup))
            top->showMinimized();
    showMinimized();
    TempFiles << TempPage;
}

void TMainForm::Help2Click()
{
    const QString page = helppage::install(AppFolder, dataFolder());
    if (!shell().openFile(page))
        dialogs().error(QStringLiteral("Failed to execute ") + QString::fromLatin1(helppage::kName), this);
}

void TMainForm::WebPrintPreview1Click()
{
    WebBrowser1->printPreview(showModal);
}

void TMainForm::PreviewBtnClick()
{
    if (!CurrentDoc)
        return;
    if (!printing::loadPage(*PageView, *CurrentDoc->Memo1))
        return;
    printing::printPreview(*PageView, this, showModal);
}

void TMainForm::Print1Click()
{
    if (!CurrentDoc)
        return;
    if (!printing::loadPage(*PageView, *CurrentDoc->Memo1))
        return;
    const QString failure = printing::printAtOnce(*PageView);
    if (!failure.isEmpty())
        dialogs().error(failure, this);
}

void TMainForm::Portrait1Click()
{
    PageView->Portrait1Click();
    action(commands::Id::Portrait)->setChecked(true);
    action(commands::Id::Landscape)->setChecked(false);
}

void TMainForm::Landscape1Click()
{
    PageView->Landscape1Click();
    action(commands::Id::Portrait)->setChecked(false);
    action(commands::Id::Landscape)->setChecked(true);
}
