#include "app/windowlist.h"

#include "documents/filenames.h"

#include <QAction>
#include <QMenu>

WindowList::WindowList(QMenu *windows, QMenu *reopen, QObject *parent)
    : QObject(parent), windows_(windows), reopenMenu_(reopen)
{
}

QString WindowList::nextName()
{
    return QStringLiteral("childmenu") + QString::number(++itemCount_);
}

void WindowList::addWindow(const QString &caption, std::function<void(QAction *)> onPick)
{
    for (QAction *a : windows_->actions())
        a->setChecked(false);
    auto *entry = new QAction(caption, windows_);
    entry->setObjectName(nextName());
    entry->setCheckable(true);
    entry->setChecked(true);
    connect(entry, &QAction::triggered, this, [entry, onPick] { onPick(entry); });
    windows_->addAction(entry);
}

void WindowList::checkOnly(const QString &caption)
{
    for (QAction *a : windows_->actions())
        a->setChecked(names::StripAmpersands(a->text()) == caption);
}

void WindowList::checkEntry(QAction *entry)
{
    for (QAction *a : windows_->actions())
        a->setChecked(false);
    entry->setChecked(true);
}

void WindowList::removeWindow(const QString &caption)
{
    for (QAction *a : windows_->actions()) {
        if (names::StripAmpersands(a->text()) == caption) {
            windows_->removeAction(a);
            a->deleteLater();
        }
    }
}

QStringList WindowList::windows() const
{
    QStringList out;
    for (QAction *a : windows_->actions())
        out << a->text();
    return out;
}

QStringList WindowList::checkedWindows() const
{
    QStringList out;
    for (QAction *a : windows_->actions())
        if (a->isChecked())
            out << a->text();
    return out;
}

bool WindowList::addReopen(const QString &path, std::function<void(QAction *)> onPick)
{
    if (!reopen_.add(path))
        return false;
    auto *entry = new QAction(path, reopenMenu_);
    entry->setObjectName(nextName());
    connect(entry, &QAction::triggered, this, [entry, onPick] { onPick(entry); });
    const QList<QAction *> existing = reopenMenu_->actions();
    reopenMenu_->insertAction(existing.isEmpty() ? nullptr : existing.first(), entry);
    while (reopenMenu_->actions().size() > reopen_.entries().size()) {
        QAction *last = reopenMenu_->actions().last();
        reopenMenu_->removeAction(last);
        last->deleteLater();
    }
    return true;
}

void WindowList::removeReopen(const QString &text)
{
    if (!reopen_.remove(text))
        return;
    for (QAction *a : reopenMenu_->actions()) {
        if (a->text() == text) {
            reopenMenu_->removeAction(a);
            a->deleteLater();
            return;
        }
    }
}
