#pragma once
// The "Windows" menu (one entry per open document, the current one checked)
// and the "Reopen" submenu, kept in step with a ReopenList. Entry names are
// unique over the whole run.
#include "app/reopenlist.h"

#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;

class WindowList : public QObject {
    Q_OBJECT
public:
    WindowList(QMenu *windows, QMenu *reopen, QObject *parent = nullptr);

    // Lists a document at the end, checked alone; a click runs onPick.
    void addWindow(const QString &caption, std::function<void(QAction *)> onPick);
    // Checks the entries of this caption and unchecks the others.
    void checkOnly(const QString &caption);
    void checkEntry(QAction *entry);
    void removeWindow(const QString &caption);
    QStringList windows() const;
    QStringList checkedWindows() const;

    // False when the path was listed already.
    bool addReopen(const QString &path, std::function<void(QAction *)> onPick);
    void removeReopen(const QString &text);
    QStringList reopen() const { return reopen_.entries(); }

private:
    QString nextName();
    QMenu *windows_;
    QMenu *reopenMenu_;
    ReopenList reopen_;
    int itemCount_ = 0;
};
