// The "Windows" and "Reopen" menus and the arranging of document windows.
#include "app/mainwindow.h"
#include "app/windowlist.h"
#include "documents/filenames.h"
#include "documents/filerules.h"
#include "documents/subform.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

// ------------------------------------------------------------ window list

void TMainForm::AddWindowItem()
{
    if (CurrentDoc)
        windowList_->addWindow(CurrentDoc->caption(), [this](QAction *entry) { dummy1Click(entry); });
}

void TMainForm::dummy1Click(QAction *entry)
{
    const QString wanted = names::StripAmpersands(entry->text());
    const QList<QMdiSubWindow *> order = desktop->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        TSubForm *doc = docOf(*it);
        if (!doc)
            continue;
        windowList_->checkEntry(entry);
        if (wanted == doc->caption()) {
            if (doc->isMinimized())
                doc->showNormal();
            desktop->setActiveSubWindow(doc);
            doc->raise();
            RefreshPreview();
        }
    }
}

void TMainForm::checkWindowEntries(const QString &caption)
{
    windowList_->checkOnly(caption);
}

void TMainForm::removeWindowEntries(const QString &caption)
{
    windowList_->removeWindow(caption);
}

QStringList TMainForm::windowList() const
{
    return windowList_->windows();
}

QStringList TMainForm::checkedWindowEntries() const
{
    return windowList_->checkedWindows();
}

void TMainForm::AddReopenItem(const QString &path)
{
    if (filerules::isUntitled(path)) {
        // The window of that caption, which need not be the current one.
        TSubForm *doc = CurrentDoc && CurrentDoc->caption() == path ? CurrentDoc : nullptr;
        for (TSubForm *d : docs_)
            if (!doc && d->caption() == path)
                doc = d;
        saveAsDocument(doc);
        return;
    }
    windowList_->addReopen(path, [this](QAction *entry) { ReopenItemClick(entry); });
}

QStringList TMainForm::reopenList() const
{
    return windowList_->reopen();
}

void TMainForm::ReopenItemClick(QAction *entry)
{
    const QString caption = entry->text();
    if (openDocument(names::StripAmpersands(caption), Listing::OnSuccess))
        windowList_->removeReopen(caption);
}

// ------------------------------------------------------------ arrange

void TMainForm::Cascade1Click()
{
    desktop->cascadeSubWindows();
}

void TMainForm::tileWindows(bool sideBySide)
{
    QList<QMdiSubWindow *> shown;
    for (QMdiSubWindow *w : desktop->subWindowList(QMdiArea::CreationOrder))
        if (w->isVisible() && !w->isMinimized())
            shown << w;
    if (shown.isEmpty())
        return;
    const QRect area = desktop->viewport()->rect();
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

void TMainForm::ile1Click()
{
    tileWindows(true);
}

void TMainForm::ileHorizontal1Click()
{
    tileWindows(false);
}

void TMainForm::MinimizeAll1Click()
{
    // From the bottom of the stack up, so the window in front goes last.
    for (QMdiSubWindow *w : desktop->subWindowList(QMdiArea::StackingOrder))
        w->showMinimized();
    ArrangeAll1Click();
}

void TMainForm::ArrangeAll1Click()
{
    const QRect area = desktop->viewport()->rect();
    int x = 0, y = area.height();
    for (QMdiSubWindow *w : desktop->subWindowList(QMdiArea::CreationOrder)) {
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
