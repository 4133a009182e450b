#include "mainwindowtestbase.h"

#include <QFile>
#include <QMdiArea>
#include <QMenu>

namespace {

QAction *entryFor(QMenu *menu, const QString &caption)
{
    for (QAction *a : menu->actions())
        if (a->text() == caption)
            return a;
    ADD_FAILURE() << "no entry " << caption.toStdString();
    return nullptr;
}

} // namespace

class WindowListTest : public MainWindowTest {
protected:
    QString a, b, c;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        a = cfg.write(QStringLiteral("a.htm"), "aaa");
        b = cfg.write(QStringLiteral("b.htm"), "bbb");
        c = cfg.write(QStringLiteral("c.htm"), "ccc");
    }

    TSubForm *openFile(const QString &path)
    {
        dlg.queueFile(path);
        w->documentCommands().Open1Click();
        QCoreApplication::processEvents();
        return w->currentDocument();
    }

    void closeCurrent()
    {
        w->documentCommands().Close1Click();
        QCoreApplication::processEvents();
    }
};

TEST_F(WindowListTest, OpenDocumentsAreListedInOrderAndAClickBringsOneForward)
{
    TSubForm *da = openFile(a);
    openFile(b);
    TSubForm *dc = openFile(c);
    EXPECT_EQ(w->windowCommands().windowList(), (QStringList{a, b, c}));
    EXPECT_EQ(w->windowCommands().checkedWindowEntries(), QStringList{c});
    // Entry names are unique within the run.
    QStringList names;
    for (QAction *e : w->commandState().menu(commands::Menu::Windows)->actions())
        names << e->objectName();
    EXPECT_EQ(names.size(), 3);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 3);

    w->windowCommands().dummy1Click(entryFor(w->commandState().menu(commands::Menu::Windows), a));
    QCoreApplication::processEvents();
    EXPECT_EQ(w->currentDocument(), da);
    EXPECT_EQ(w->documentArea()->activeSubWindow(), da);
    EXPECT_EQ(w->windowCommands().checkedWindowEntries(), QStringList{a});
    EXPECT_EQ(memo().text(), QStringLiteral("aaa"));

    // A minimized window is restored as it comes forward.
    dc->showMinimized();
    QCoreApplication::processEvents();
    w->windowCommands().dummy1Click(entryFor(w->commandState().menu(commands::Menu::Windows), c));
    QCoreApplication::processEvents();
    EXPECT_FALSE(dc->isMinimized());
    EXPECT_EQ(w->currentDocument(), dc);
    EXPECT_EQ(w->windowCommands().checkedWindowEntries(), QStringList{c});
}

TEST_F(WindowListTest, ReopenKeepsTheLastFiveClosedNewestFirstWithoutMovingKnownPaths)
{
    QStringList paths;
    for (int i = 1; i <= 6; ++i)
        paths << cfg.write(QStringLiteral("f%1.txt").arg(i), "x");
    for (const QString &p : paths) {
        openFile(p);
        closeCurrent();
    }
    EXPECT_EQ(w->windowCommands().reopenList(), (QStringList{paths[5], paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_EQ(w->commandState().menu(commands::Menu::Reopen)->actions().size(), 5);

    // Closing a file that is already listed leaves the list as it is.
    openFile(paths[3]);
    closeCurrent();
    EXPECT_EQ(w->windowCommands().reopenList(), (QStringList{paths[5], paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_TRUE(w->windowCommands().windowList().isEmpty());
}

TEST_F(WindowListTest, AReopenClickOpensTheFileAndItsCloseBringsItBackOnTop)
{
    openFile(a);
    closeCurrent();
    openFile(b);
    closeCurrent();
    ASSERT_EQ(w->windowCommands().reopenList(), (QStringList{b, a}));

    w->windowCommands().ReopenItemClick(entryFor(w->commandState().menu(commands::Menu::Reopen), a));
    QCoreApplication::processEvents();
    ASSERT_EQ(int(w->documents().size()), 1);
    EXPECT_EQ(w->currentDocument()->caption(), a);
    EXPECT_EQ(memo().text(), QStringLiteral("aaa"));
    EXPECT_FALSE(memo().modified());
    EXPECT_EQ(w->windowCommands().windowList(), QStringList{a});
    EXPECT_EQ(w->windowCommands().reopenList(), QStringList{b});

    closeCurrent();
    EXPECT_EQ(w->windowCommands().reopenList(), (QStringList{a, b}));
}

TEST_F(WindowListTest, AReopenClickOnAVanishedFileKeepsTheEntryAndAnEmptyWindow)
{
    openFile(a);
    closeCurrent();
    ASSERT_TRUE(QFile::remove(a));

    w->windowCommands().ReopenItemClick(entryFor(w->commandState().menu(commands::Menu::Reopen), a));
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg.messages, QStringList{QStringLiteral("Cannot open file ") + a});
    ASSERT_EQ(int(w->documents().size()), 1);
    EXPECT_EQ(w->currentDocument()->caption(), a);
    EXPECT_TRUE(memo().text().isEmpty());
    EXPECT_TRUE(w->windowCommands().windowList().isEmpty());
    EXPECT_EQ(w->windowCommands().reopenList(), QStringList{a});
}

TEST_F(WindowListTest, SaveAsReplacesTheEntryByTheNewPathAtTheEnd)
{
    TSubForm *da = openFile(a);
    openFile(b);
    searchHost().bringToFront(da);
    ASSERT_EQ(w->currentDocument(), da);
    const QString y = cfg.path() + QStringLiteral("y.htm");
    dlg.queueFile(y);
    w->documentCommands().SaveAs1Click();
    EXPECT_EQ(w->windowCommands().windowList(), (QStringList{b, y}));
    EXPECT_EQ(w->windowCommands().checkedWindowEntries(), QStringList{y});
    // Entries are compared without access-key markers.
    w->commandState().menu(commands::Menu::Windows)->actions().first()->setText(b.left(3) + QStringLiteral("&") + b.mid(3));
    w->windowCommands().removeWindowEntries(b);
    EXPECT_EQ(w->windowCommands().windowList(), QStringList{y});
}

TEST_F(WindowListTest, TilesFillTheDesktopSideBySideOrStacked)
{
    openFile(a);
    openFile(b);
    openFile(c);
    const QRect area = w->documentArea()->viewport()->rect();
    ASSERT_GT(area.width(), 300);
    ASSERT_GT(area.height(), 300);
    const QList<QMdiSubWindow *> subs = w->documentArea()->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(subs.size(), 3);

    w->windowCommands().ile1Click();
    QCoreApplication::processEvents();
    int x = 0;
    for (QMdiSubWindow *s : subs) {
        EXPECT_EQ(s->geometry().top(), 0);
        EXPECT_EQ(s->height(), area.height());
        EXPECT_EQ(s->x(), x);
        x += s->width();
    }
    EXPECT_EQ(x, area.width());

    w->windowCommands().ileHorizontal1Click();
    QCoreApplication::processEvents();
    int y = 0;
    for (QMdiSubWindow *s : subs) {
        EXPECT_EQ(s->x(), 0);
        EXPECT_EQ(s->width(), area.width());
        EXPECT_EQ(s->y(), y);
        y += s->height();
    }
    EXPECT_EQ(y, area.height());
}

TEST_F(WindowListTest, NewWindowsFillTheDesktopAndStepAsCascadeSteps)
{
    const QRect area = w->documentArea()->viewport()->rect();
    ASSERT_GT(area.width(), 600);
    openFile(a);
    TSubForm *first = w->currentDocument();
    EXPECT_EQ(first->geometry(), area);
    EXPECT_FALSE(first->isMaximized());
    openFile(b);
    openFile(c);
    const QList<QMdiSubWindow *> subs = w->documentArea()->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(subs.size(), 3);
    const QPoint step = subs[1]->pos();
    EXPECT_GT(step.x(), 0);
    EXPECT_GT(step.y(), 0);
    QList<QPoint> placed;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(subs[i]->pos(), step * i);
        // As large as the first, cut where the desktop ends.
        EXPECT_EQ(subs[i]->geometry(), QRect(step * i, area.bottomRight()));
        EXPECT_FALSE(subs[i]->isMaximized());
        placed << subs[i]->pos();
    }

    // The desktop's Cascade puts windows on the same steps.
    w->windowCommands().Cascade1Click();
    QCoreApplication::processEvents();
    QList<QPoint> cascaded;
    for (QMdiSubWindow *s : subs)
        cascaded << s->pos();
    std::sort(cascaded.begin(), cascaded.end(), [](QPoint p, QPoint q) { return p.y() < q.y(); });
    EXPECT_EQ(cascaded, placed);
}

TEST_F(WindowListTest, MinimizeAllMinimizesEveryWindowAndLinesThemUpAtTheBottom)
{
    openFile(a);
    openFile(b);
    w->windowCommands().MinimizeAll1Click();
    QCoreApplication::processEvents();
    const int bottom = w->documentArea()->viewport()->rect().height();
    for (QMdiSubWindow *s : w->documentArea()->subWindowList()) {
        EXPECT_TRUE(s->isMinimized());
        EXPECT_EQ(s->geometry().bottom() + 1, bottom);
    }
    const QList<QMdiSubWindow *> subs = w->documentArea()->subWindowList(QMdiArea::CreationOrder);
    EXPECT_EQ(subs[0]->x(), 0);
    EXPECT_EQ(subs[1]->x(), subs[0]->width());

    // Tiling leaves minimized windows alone.
    w->windowCommands().ile1Click();
    for (QMdiSubWindow *s : subs)
        EXPECT_TRUE(s->isMinimized());
}

TEST_F(WindowListTest, ClosingAnUntitledWindowThatIsNotCurrentSavesThatWindow)
{
    w->documentCommands().New1Click();
    TSubForm *first = w->currentDocument();
    first->Memo1->setText(QStringLiteral("first text"));
    w->documentCommands().New1Click();
    TSubForm *second = w->currentDocument();
    second->Memo1->setText(QStringLiteral("second text"));
    ASSERT_NE(first, second);

    const QString target = cfg.path() + QStringLiteral("first");
    dlg.queueFile(target);
    first->close();   // its own close box, while the other window is current
    QCoreApplication::processEvents();
    EXPECT_EQ(TempConfig::read(target + QStringLiteral(".txt")), QByteArray("first text"));
    ASSERT_EQ(int(w->documents().size()), 1);
    EXPECT_EQ(w->currentDocument(), second);
    EXPECT_EQ(second->caption(), QStringLiteral("~Untiltled2"));
    EXPECT_EQ(w->windowCommands().windowList(), QStringList{QStringLiteral("~Untiltled2")});
}
