#include "app/previewcommands.h"

#include "app/commandhost.h"
#include "app/commandstate.h"
#include "app/documentcommands.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "preview/browserpane.h"
#include "preview/pageview.h"
#include "preview/printing.h"
#include "preview/temppage.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QSplitter>

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

PreviewCommands::PreviewCommands(CommandHost &host, CommandState &state, DocumentCommands &documents,
                                 const PreviewArea &area)
    : host_(host), state_(state), documents_(documents), area_(area), PageView(new TPageView)
{
    area_.handle->installEventFilter(new DoubleClickFilter(area_.handle, [this] { Panel2DblClick(); }));
    QObject::connect(area_.splitter, &QSplitter::splitterMoved, area_.splitter, [this] { Splitter1Moved(); });
}

PreviewCommands::~PreviewCommands()
{
    delete PageView;
}

void PreviewCommands::bind(CommandState &state)
{
    using commands::Id;
    state.bind(Id::HtmlPreview, [this] { BrowseBtnClick(); });
    state.bind(Id::ViewInBrowser, [this] { htmlBtnClick(); });
    state.bind(Id::WebPrintPreview, [this] { WebPrintPreview1Click(); });
    state.bind(Id::PrintPreview, [this] { PreviewBtnClick(); });
    state.bind(Id::Print, [this] { Print1Click(); });
    state.bind(Id::Portrait, [this] { Portrait1Click(); });
    state.bind(Id::Landscape, [this] { Landscape1Click(); });
}

std::function<int(QDialog *)> PreviewCommands::modalRunner()
{
    return [this](QDialog *d) { return host_.runModal(d); };
}

int PreviewCommands::previewPaneWidth() const
{
    return area_.browser->width();
}

void PreviewCommands::setPreviewPaneWidth(int w)
{
    const QList<int> sizes = area_.splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    const int handle = area_.handle->width();
    const int pane = std::clamp(w + handle, handle, std::max(total, handle));
    area_.splitter->setSizes({std::max(0, total - pane), pane});
}

void PreviewCommands::EnableHtmlTools()
{
    state_.EnableHtmlTools(area_.mainStrip, !host_.documents().isEmpty());
}

void PreviewCommands::DisableHtmlTools()
{
    state_.DisableHtmlTools(area_.mainStrip);
}

// The preview pane: on, it takes most of the window and the tool strips rest.
void PreviewCommands::BrowseBtnClick()
{
    QAction *a = state_.action(commands::Id::HtmlPreview);
    if (a->isChecked()) {
        a->setChecked(false);
        setPreviewPaneWidth(4);
        state_.action(commands::Id::WebPrintPreview)->setEnabled(false);
        EnableHtmlTools();
    } else {
        a->setChecked(true);
        setPreviewPaneWidth(host_.frame()->width() - 50);
        state_.action(commands::Id::WebPrintPreview)->setEnabled(true);
        DisableHtmlTools();
    }
    RefreshPreview();
}

void PreviewCommands::previewOff()
{
    state_.action(commands::Id::HtmlPreview)->setChecked(false);
    setPreviewPaneWidth(4);
    state_.action(commands::Id::WebPrintPreview)->setEnabled(false);
    EnableHtmlTools();
}

void PreviewCommands::RefreshPreview()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc)
        return;
    const QString page = temppage::panePagePath(doc->caption());
    if (const Result written =
            temppage::write(page, doc->caption(), doc->Memo1->text(), doc->encoding, doc->byteOrderMark);
        !written) {
        dialogs().error(written.message, host_.frame());
        return;
    }
    area_.browser->navigate(page);
}

void PreviewCommands::Panel2DblClick()
{
    const int pane = previewPaneWidth();
    if (pane > 400 || pane < 100) {
        setPreviewPaneWidth(host_.frame()->width() / 2);
        state_.action(commands::Id::HtmlPreview)->setChecked(true);
    } else {
        setPreviewPaneWidth(4);
        BrowseBtnClick();
    }
    EnableHtmlTools();
}

void PreviewCommands::Splitter1Moved()
{
    QWidget *frame = host_.frame();
    const int left = area_.splitter->handle(1)->mapTo(frame, QPoint(0, 0)).x();
    if (left < frame->width() / 2)
        DisableHtmlTools();
    else
        EnableHtmlTools();
}

void PreviewCommands::htmlBtnClick()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc)
        return;
    if (doc->caption().startsWith(QLatin1Char('~'))) {
        dialogs().message(QStringLiteral("You must save the html file first before it can be displayed."),
                          host_.frame());
        documents_.saveAsDocument(doc);
    }
    if (doc->caption().startsWith(QLatin1Char('~')))
        return;
    const temppage::ExternalPage target = temppage::externalPage(doc->caption());
    if (const Result written =
            temppage::write(target.page, doc->caption(), doc->Memo1->text(), doc->encoding, doc->byteOrderMark);
        !written) {
        dialogs().error(written.message, host_.frame());
        return;
    }
    TempPage = target.page;
    if (!shell().openFile(TempPage))
        dialogs().error(QStringLiteral("Failed to execute ") + doc->caption(), host_.frame());
    // The browser comes to the front: the editor and its tool windows step aside.
    QWidget *frame = host_.frame();
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top != frame && top->isVisible() && top->isWindow() && !(top->windowFlags() & Qt::Popup))
            top->showMinimized();
    frame->showMinimized();
    TempFiles << TempPage;
}

void PreviewCommands::removeTempFiles()
{
    for (const QString &f : TempFiles)
        QFile::remove(f);
    TempFiles.clear();
}

void PreviewCommands::WebPrintPreview1Click()
{
    area_.browser->printPreview(modalRunner());
}

void PreviewCommands::PreviewBtnClick()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc || !printing::loadPage(*PageView, *doc->Memo1))
        return;
    printing::printPreview(*PageView, host_.frame(), modalRunner());
}

void PreviewCommands::Print1Click()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc || !printing::loadPage(*PageView, *doc->Memo1))
        return;
    const QString failure = printing::printAtOnce(*PageView);
    if (!failure.isEmpty())
        dialogs().error(failure, host_.frame());
}

void PreviewCommands::Portrait1Click()
{
    PageView->Portrait1Click();
    state_.action(commands::Id::Portrait)->setChecked(true);
    state_.action(commands::Id::Landscape)->setChecked(false);
}

void PreviewCommands::Landscape1Click()
{
    PageView->Landscape1Click();
    state_.action(commands::Id::Portrait)->setChecked(false);
    state_.action(commands::Id::Landscape)->setChecked(true);
}
