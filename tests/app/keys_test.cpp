// The keys of the main window and of the tool windows: the usual desktop keys
// where the program leaves a key free, and no key bound twice in one window.
#include "mainwindowtestbase.h"

#include "documents/filenames.h"
#include "search/findform.h"
#include "search/findinfilesform.h"
#include "search/resultsform.h"
#include "table/tablewindow.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QLineEdit>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QShortcut>
#include <QTest>

namespace {

// Where a key of this object acts: its top-level window, or the document
// window it belongs to (a document's own menu acts while it is active). A
// menu is a window of its own on screen, but its entries act where the menu
// belongs.
QWidget *keyScope(QObject *o)
{
    for (QObject *p = o; p; p = p->parent()) {
        auto *w = qobject_cast<QWidget *>(p);
        if (!w)
            continue;
        if (qobject_cast<QMdiSubWindow *>(w))
            return w;
        if (w->isWindow() && w->windowType() != Qt::Popup)
            return w;
    }
    return nullptr;
}

using Keys = QMap<QKeySequence, QStringList>;

// Every key bound in `scope`: menu entries and other actions, buttons (an
// "&" in a caption binds Alt and its letter) and stand-alone shortcuts, each
// with what binds it. A key of a disabled or hidden control counts too: it
// comes alive with its control.
void addKeysOf(QWidget *scope, Keys &keys)
{
    const auto add = [&keys](const QKeySequence &k, QObject *owner, const QString &what) {
        if (!k.isEmpty())
            keys[k] << (owner->objectName().isEmpty() ? what : owner->objectName());
    };
    for (QAction *a : scope->findChildren<QAction *>()) {
        if (keyScope(a) != scope || a->menu())
            continue;
        for (const QKeySequence &k : a->shortcuts())
            add(k, a, a->text());
    }
    for (QAbstractButton *b : scope->findChildren<QAbstractButton *>())
        if (keyScope(b) == scope)
            add(b->shortcut(), b, b->text());
    for (QShortcut *s : scope->findChildren<QShortcut *>())
        if (keyScope(s) == scope)
            for (const QKeySequence &k : s->keys())
                add(k, s, QStringLiteral("shortcut"));
}

QStringList keysBoundTwice(const Keys &keys)
{
    QStringList twice;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        if (it.value().size() > 1)
            twice << it.key().toString() + QStringLiteral(": ") + it.value().join(QStringLiteral(", "));
    return twice;
}

// The keys of a window; for the main window, each document window's keys
// are checked together with the main window's, since both act there.
QStringList keysBoundTwiceIn(QWidget *window)
{
    Keys own;
    addKeysOf(window, own);
    QStringList twice = keysBoundTwice(own);
    for (QMdiSubWindow *doc : window->findChildren<QMdiSubWindow *>()) {
        Keys both = own;
        addKeysOf(doc, both);
        twice << keysBoundTwice(both);
    }
    return twice;
}

} // namespace

TEST_F(MainWindowTest, NoKeyIsBoundTwiceInAnyWindow)
{
    // Every window with keys, with documents and tool windows in place.
    w->documentCommands().New1Click();
    w->documentCommands().New1Click();
    w->searchCommands().Find1Click();
    w->toolCommands().Table1Click();
    QList<QWidget *> windows{w.get(), w->tools().FindForm,
                             w->tools().FinFiles,
                             w->tools().resultsForm,
                             w->tools().TableEditor};
    for (QWidget *window : windows) {
        ASSERT_TRUE(window);
        EXPECT_TRUE(keysBoundTwiceIn(window).isEmpty())
            << window->objectName().toStdString() << ": " << keysBoundTwiceIn(window).join(u';').toStdString();
    }
    // The walk sees the menus' keys, and the document windows' own.
    Keys keys;
    addKeysOf(w.get(), keys);
    EXPECT_EQ(keys.value(QKeySequence(QStringLiteral("Ctrl+S"))), QStringList({"Save1"}));
    addKeysOf(w->currentDocument(), keys);
    EXPECT_FALSE(keys.value(QKeySequence(QStringLiteral("Ctrl+F4"))).isEmpty());
}

TEST_F(MainWindowTest, TheUsualKeysRunTheirCommandsAndThePartsKeysKeepTheirs)
{
    using commands::Id;
    const QList<std::pair<Id, const char *>> added{
        {Id::Open, "Ctrl+O"},         {Id::Save, "Ctrl+S"},  {Id::SaveAs, "Ctrl+Shift+S"},
        {Id::Close, "Ctrl+W"},        {Id::Print, "Ctrl+P"}, {Id::FindNext, "F3"},
        {Id::FindInFiles, "Ctrl+Shift+F"}};
    for (const auto &[id, key] : added)
        EXPECT_EQ(w->action(id)->shortcut(), QKeySequence(QString::fromLatin1(key))) << key;
    EXPECT_EQ(w->action(Id::NewLine)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(w->action(Id::Font)->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    EXPECT_TRUE(w->action(Id::New)->shortcut().isEmpty());

    // Typed in the text, Ctrl+W closes the document through "&Close": a
    // saved document goes to the top of the Reopen list.
    const QString path = cfg.write(QStringLiteral("page.htm"), "<p>x</p>");
    ASSERT_TRUE(w->documentCommands().openDocument(path, DocumentCommands::Listing::OnSuccess));
    w->documentCommands().New1Click();
    w->documentArea()->setActiveSubWindow(w->documents().first());
    memo().setFocus();
    QTest::keyClick(w->currentDocument()->Memo1, Qt::Key_W, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->documents().size(), 1);
    EXPECT_EQ(w->windowCommands().reopenList().value(0), path);
}

TEST_F(MainWindowTest, F3RepeatsTheLastFindInTheCurrentDocument)
{
    w->documentCommands().New1Click();
    TSubForm *first = w->currentDocument();
    first->Memo1->setText(QStringLiteral("xx cat cat"));
    // Nothing searched for yet: F3 opens the find window as "&Find..." does.
    w->searchCommands().FindNext1Click();
    TFindForm *find = w->tools().FindForm;
    ASSERT_TRUE(find->isVisible());
    find->Findtxt->setText(QStringLiteral("cat"));
    find->FindBtnClick();
    EXPECT_EQ(first->Memo1->selStart(), 3);
    w->searchCommands().FindNext1Click();
    EXPECT_EQ(first->Memo1->selStart(), 7);

    // In another document it searches there, from its caret.
    w->documentCommands().New1Click();
    TSubForm *second = w->currentDocument();
    second->Memo1->setText(QStringLiteral("a cat"));
    w->searchCommands().FindNext1Click();
    EXPECT_EQ(w->currentDocument(), second);
    EXPECT_EQ(second->Memo1->selStart(), 2);
    EXPECT_EQ(first->Memo1->selStart(), 7);
    w->searchCommands().FindNext1Click();
    EXPECT_EQ(dlg.messages.value(0), QStringLiteral("End of Search"));
}

TEST_F(MainWindowTest, TheAddedEditingKeysAreFreeKeysAndWorkFromTheText)
{
    using commands::Id;
    const QList<std::pair<Id, QList<QKeySequence>>> added{
        {Id::Redo, {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}},
        {Id::GoToLine, {QKeySequence(QStringLiteral("Ctrl+G"))}},
        {Id::ZoomIn, {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))}},
        {Id::ZoomOut, {QKeySequence(QStringLiteral("Ctrl+-"))}},
        {Id::ZoomReset, {QKeySequence(QStringLiteral("Ctrl+0"))}}};
    for (const auto &[id, keys] : added)
        EXPECT_EQ(w->action(id)->shortcuts(), keys) << commands::command(id).name.toStdString();
    // The program's own keys stay where they were.
    EXPECT_EQ(w->action(Id::Undo)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(w->action(Id::Image)->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
    EXPECT_EQ(w->action(Id::GoToLine)->text(), "&Go to Line...");

    // Ctrl+G in the text opens Go to Line.
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("a\r\nb\r\nc"));
    memo().setFocus();
    QList<QString> shown;
    modalAnswer = [&shown](QDialog *d) {
        shown << d->windowTitle();
        return int(QDialog::Rejected);
    };
    QTest::keyClick(w->currentDocument()->Memo1, Qt::Key_G, Qt::ControlModifier);
    QCoreApplication::processEvents();
    modalAnswer = nullptr;
    EXPECT_EQ(shown, QList<QString>{QStringLiteral("Go to Line")});
}

TEST_F(MainWindowTest, F3InTheFindWindowFindsTheNextHit)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("xx cat cat"));
    w->searchCommands().Find1Click();
    TFindForm *find = w->tools().FindForm;
    find->Findtxt->setText(QStringLiteral("cat"));
    QApplication::setActiveWindow(find);
    find->Findtxt->setFocus();
    QTest::keyClick(find->Findtxt, Qt::Key_F3);
    EXPECT_EQ(memo().selStart(), 3);
    QApplication::setActiveWindow(find);
    QTest::keyClick(find, Qt::Key_F3);
    EXPECT_EQ(memo().selStart(), 7);
}
