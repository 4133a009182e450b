#pragma once
// The "Windows" menu (one entry per open document), the "Reopen" submenu and
// the arranging of the document windows on the desktop.
#include <QStringList>
#include <functional>

class CommandHost;
class CommandState;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QObject;
class TSubForm;
class WindowList;

class WindowCommands {
public:
    explicit WindowCommands(CommandHost &host) : host_(host) {}
    // The desktop and the two menus the command table made; the list lives
    // as long as `parent`.
    void attach(QMdiArea *desktop, QMenu *windows, QMenu *reopen, QObject *parent);
    void bind(CommandState &state);

    // Run after a window was picked from the menu (the preview follows it).
    std::function<void()> picked;
    // Opens a Reopen entry's file; true when it opened.
    std::function<bool(const QString &path)> reopen;

    // Lists a document (the current one when none is named), checked alone.
    void AddWindowItem(TSubForm *doc = nullptr);
    void checkWindowEntries(const QString &caption);
    void removeWindowEntries(const QString &caption);
    QStringList windowList() const;   // captions in menu order
    QStringList checkedWindowEntries() const;
    void dummy1Click(QAction *entry);

    // A saved file goes on top of the Reopen list.
    void addReopenEntry(const QString &path);
    QStringList reopenList() const;   // captions, top first
    void ReopenItemClick(QAction *entry);

    // The document of a desktop window; null for one that is none or gone.
    TSubForm *documentOf(QMdiSubWindow *w) const;

    void Cascade1Click();
    void ile1Click();
    void ileHorizontal1Click();
    void MinimizeAll1Click();
    void ArrangeAll1Click();

private:
    void tileWindows(bool sideBySide);
    CommandHost &host_;
    QMdiArea *desktop_ = nullptr;
    WindowList *list_ = nullptr;
};
