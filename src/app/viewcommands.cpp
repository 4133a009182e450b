#include "app/viewcommands.h"

#include "app/commandhost.h"
#include "app/commandstate.h"
#include "app/previewcommands.h"
#include "documents/memo.h"
#include "documents/subform.h"

#include <QAction>
#include <QLayout>
#include <QSplitter>

ViewCommands::ViewCommands(CommandHost &host, CommandState &state, PreviewCommands &preview, const ViewBars &bars)
    : host_(host), state_(state), preview_(preview), bars_(bars)
{
}

void ViewCommands::bind(CommandState &state)
{
    using commands::Id;
    state.bind(Id::Toolbar, [this] { Toolbar1Click(); });
    state.bind(Id::StatusBar, [this] { StatusBar2Click(); });
    state.bind(Id::HtmlToolbar, [this] { HtmlToolbar1Click(); });
    state.bind(Id::WordWrap, [this] { wrapbtnClick(); });
    state.bind(Id::LineNumbering, [this] { LineNumbering1Click(); });
    state.bind(Id::ZoomIn, [this] { ZoomIn1Click(); });
    state.bind(Id::ZoomOut, [this] { ZoomOut1Click(); });
    state.bind(Id::ZoomReset, [this] { ZoomReset1Click(); });
}

void ViewCommands::showWrapState(bool on)
{
    state_.setChecked(commands::Id::WordWrap, on);
}

void ViewCommands::showLineNumberingState(bool on)
{
    state_.action(commands::Id::LineNumbering)->setChecked(on);
}

void ViewCommands::Toolbar1Click()
{
    // By the entry's check: the strip counts as shown while the window is not.
    QAction *a = state_.action(commands::Id::Toolbar);
    bars_.mainStrip->setVisible(!a->isChecked());
    a->setChecked(!a->isChecked());
}

void ViewCommands::StatusBar2Click()
{
    const bool show = !bars_.statusBar->isVisible();
    bars_.statusBar->setVisible(show);
    state_.action(commands::Id::StatusBar)->setChecked(show);
}

void ViewCommands::HtmlToolbar1Click()
{
    QAction *a = state_.action(commands::Id::HtmlToolbar);
    QWidget *frame = host_.frame();
    QSplitterHandle *handle = bars_.splitter->handle(1);
    auto splitterLeft = [&] { return handle->mapTo(frame, QPoint(0, 0)).x(); };
    if (bars_.htmlStrip->isVisible()) {
        bars_.htmlStrip->hide();
        a->setChecked(false);
        frame->layout()->activate();
        if (splitterLeft() < 50)
            preview_.setPreviewPaneWidth(frame->width() - bars_.splitter->handleWidth() - 7);
    } else {
        bars_.htmlStrip->show();
        a->setChecked(true);
        frame->layout()->activate();
        const int left = splitterLeft();
        if (left < 50)
            preview_.setPreviewPaneWidth(frame->width() - (bars_.splitter->handleWidth() + 40));
        else if (left > 700)
            preview_.setPreviewPaneWidth(4);
    }
}

void ViewCommands::wrapbtnClick()
{
    TSubForm *doc = host_.currentDocument();
    if (!doc)
        return;
    const bool on = !state_.action(commands::Id::WordWrap)->isChecked();
    doc->Memo1->setWrap(on);
    showWrapState(on);
}

void ViewCommands::LineNumbering1Click()
{
    QAction *a = state_.action(commands::Id::LineNumbering);
    a->setChecked(!a->isChecked());
    if (TSubForm *doc = host_.currentDocument())
        doc->setGutterVisible(a->isChecked());
}

void ViewCommands::ZoomIn1Click()
{
    if (TSubForm *doc = host_.currentDocument())
        doc->Memo1->zoomIn();
}

void ViewCommands::ZoomOut1Click()
{
    if (TSubForm *doc = host_.currentDocument())
        doc->Memo1->zoomOut();
}

void ViewCommands::ZoomReset1Click()
{
    if (TSubForm *doc = host_.currentDocument())
        doc->Memo1->zoomReset();
}
