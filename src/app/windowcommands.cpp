#include "app/windowcommands.h"

#include "app/commandhost.h"
#include "app/commandstate.h"
#include "app/windowlist.h"
#include "documents/filenames.h"
#include "documents/subform.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

void WindowCommands::attach(QMdiArea *desktop, QMenu *windows, QMenu *reopen, QObject *parent)
{
    desktop_ = desktop;
    list_ = new WindowList(windows, reopen, parent);
}

void WindowCommands::bind(CommandState &state)
{
    using commands::Id;
    state.bind(Id::Cascade, [this] { Cascade1Click(); });
    state.bind(Id::TileVertical, [this] { ile1Click(); });
    state.bind(Id::TileHorizontal, [this] { ileHorizontal1Click(); });
    state.bind(Id::MinimizeAll, [this] { MinimizeAll1Click(); });
    state.bind(Id::ArrangeAll, [this] { ArrangeAll1Click(); });
}

TSubForm *WindowCommands::documentOf(QMdiSubWindow *w) const
{
    auto *doc = qobject_cast<TSubForm *>(w);
    return host_.isOpen(doc) ? doc : nullptr;
}

// ------------------------------------------------------------ window list

void WindowCommands::AddWindowItem(TSubForm *doc)
{
    if (!doc)
        doc = host_.currentDocument();
    if (doc)
        list_->addWindow(doc->caption(), [this](QAction *entry) { dummy1Click(entry); });
}

void WindowCommands::dummy1Click(QAction *entry)
{
    const QString wanted = names::StripAmpersands(entry->text());
    const QList<QMdiSubWindow *> order = desktop_->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        TSubForm *doc = documentOf(*it);
        if (!doc)
            continue;
        list_->checkEntry(entry);
        if (wanted == doc->caption()) {
            if (doc->isMinimized())
                doc->showNormal();
            desktop_->setActiveSubWindow(doc);
            doc->raise();
            if (picked)
                picked();
        }
    }
}

void WindowCommands::checkWindowEntries(const QString &caption)
{
    list_->checkOnly(caption);
}

void WindowCommands::removeWindowEntries(const QString &caption)
{
    list_->removeWindow(caption);
}

QStringList WindowCommands::windowList() const
{
    return list_->windows();
}

QStringList WindowCommands::checkedWindowEntries() const
{
    return list_->checkedWindows();
}

void WindowCommands::addReopenEntry(const QString &path)
{
    list_->addReopen(path, [this](QAction *entry) { ReopenItemClick(entry); });
}

QStringList WindowCommands::reopenList() const
{
    return list_->reopen();
}

void WindowCommands::ReopenItemClick(QAction *entry)
{
    const QString caption = entry->text();
    if (reopen && reopen(names::StripAmpersands(caption)))
        list_->removeReopen(caption);
}

// ------------------------------------------------------------ arrange

void WindowCommands::Cascade1Click()
{
    desktop_->cascadeSubWindows();
}

void WindowCommands::tileWindows(bool sideBySide)
{
    QList<QMdiSubWindow *> shown;
    for (QMdiSubWindow *w : desktop_->subWindowList(QMdiArea::CreationOrder))
        if (w->isVisible() && !w->isMinimized())
            shown << w;
    if (shown.isEmpty())
        return;
    const QRect area = desktop_->viewport()->rect();
    const int n = int(shown.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *w = shown[i];
        if (w->isMaximized())
            w->showNormal();
        if (sideBySide) {
            const int x0 = area.width() * i / n, x1 = area.width() * (i + 1) / n;
            w->setGeometry(x0, 0, x1 - x0, area.height());
        } else {
            const int y0 = area.height() * i / n, y1 = area.height() * (i + 1) / n;
            w->setGeometry(0, y0, area.width(), y1 - y0);
        }
    }
}

void WindowCommands::ile1Click()
{
    tileWindows(true);
}

void WindowCommands::ileHorizontal1Click()
{
    tileWindows(false);
}

void WindowCommands::MinimizeAll1Click()
{
    // From the bottom of the stack up, so the window in front goes last.
    for (QMdiSubWindow *w : desktop_->subWindowList(QMdiArea::StackingOrder))
        w->showMinimized();
    ArrangeAll1Click();
}

void WindowCommands::ArrangeAll1Click()
{
    const QRect area = desktop_->viewport()->rect();
    int x = 0, y = area.height();
    for (QMdiSubWindow *w : desktop_->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized())
            continue;
        const QSize s = w->size();
        if (x > 0 && x + s.width() > area.width()) {
            x = 0;
            y -= s.height();
        }
        w->move(x, y - s.height());
        x += s.width();
    }
}
