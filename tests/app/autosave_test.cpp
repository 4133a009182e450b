#include "mainwindowtestbase.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

TEST_F(MainWindowTest, AutosaveWritesOnlyTheCurrentDocumentAndTouchesNothingElse)
{
    const QString a = cfg.write(QStringLiteral("Web/First.HTM"), "first");
    const QString b = cfg.write(QStringLiteral("Web/second.txt"), "second");
    dlg.queueFile(a);
    w->Open1Click();
    dlg.queueFile(b);
    w->Open1Click();
    memo().selectAll();
    memo().replaceSelection(QStringLiteral("second, edited"));   // an edit, as typing would be
    ASSERT_TRUE(memo().modified());

    w->setAutosaveProgressMs(0);
    w->autosaveTimer()->setInterval(30);   // a tick in a few milliseconds, not minutes
    w->autosaveTimer()->start();
    QTest::qWait(200);
    w->autosaveTimer()->stop();

    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("Web/autosave_second.tmp")),
              QByteArray("second, edited"));
    EXPECT_FALSE(QFile::exists(cfg.path() + QStringLiteral("Web/autosave_first.tmp")));
    // The document itself is left alone.
    EXPECT_EQ(w->currentDocument()->caption(), b);
    EXPECT_TRUE(memo().modified());
    EXPECT_EQ(TempConfig::read(b), QByteArray("second"));
    EXPECT_FALSE(w->autosaveLabel()->isVisible());
    EXPECT_FALSE(w->autosaveProgress()->isVisible());
}

TEST_F(MainWindowTest, AutosaveOfAnUntitledDocumentGoesToTheCurrentFolder)
{
    const QString old = QDir::currentPath();
    QDir::setCurrent(cfg.path());
    w->New1Click();
    w->New1Click();
    w->New1Click();
    memo().setText(QStringLiteral("draft"));
    w->setAutosaveProgressMs(0);
    w->AutosaveNow();
    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("autosave_~untiltled3.tmp")), QByteArray("draft"));
    QDir::setCurrent(old);
}

TEST_F(MainWindowTest, AutosaveFailureKeepsTheProgressVisible)
{
    const QString file = cfg.write(QStringLiteral("ro/page.htm"), "x");
    dlg.queueFile(file);
    w->Open1Click();
    // A folder in the way of the side file makes it impossible to write.
    QDir().mkpath(cfg.path() + QStringLiteral("ro/autosave_page.tmp"));
    w->setAutosaveProgressMs(0);
    w->AutosaveNow();
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0], QStringLiteral("Cannot create file ") + cfg.path()
                                   + QStringLiteral("ro/autosave_page.tmp: Is a directory"));
    EXPECT_EQ(dlg.errors, dlg.messages);
    EXPECT_TRUE(w->autosaveLabel()->isVisible());
    EXPECT_TRUE(w->autosaveProgress()->isVisible());
}

TEST_F(MainWindowTest, AFailingAutosaveSaysSoOncePerStreak)
{
    const QString file = cfg.write(QStringLiteral("full/page.htm"), "x");
    dlg.queueFile(file);
    w->Open1Click();
    const QString blocker = cfg.path() + QStringLiteral("full/autosave_page.tmp");
    QDir().mkpath(blocker);
    w->setAutosaveProgressMs(0);
    for (int tick = 0; tick < 3; ++tick)
        w->AutosaveNow();
    EXPECT_EQ(dlg.errors.size(), 1);
    // A run that works ends the streak; the next failure is news again.
    QDir(blocker).removeRecursively();
    w->AutosaveNow();
    EXPECT_FALSE(w->autosaveLabel()->isVisible());
    QFile::remove(blocker);
    QDir().mkpath(blocker);
    w->AutosaveNow();
    w->AutosaveNow();
    EXPECT_EQ(dlg.errors.size(), 2);
}

TEST_F(MainWindowTest, TimerRunsOnlyWhileAutosaveIsOnAndADocumentIsOpen)
{
    EXPECT_TRUE(w->autosaveTimer()->isActive());   // started at creation: autosave is on by default
    EXPECT_EQ(w->autosaveTimer()->interval(), 10 * 60000);
    w->New1Click();
    w->Close1Click();   // untitled: Save As offered and cancelled
    QCoreApplication::processEvents();
    EXPECT_FALSE(w->autosaveTimer()->isActive());
    w->New1Click();
    EXPECT_TRUE(w->autosaveTimer()->isActive());
    w->appSettings().AutosaveOn = false;
    w->restartAutosaveTimer();
    EXPECT_FALSE(w->autosaveTimer()->isActive());
    w->New1Click();
    EXPECT_FALSE(w->autosaveTimer()->isActive());
}

TEST_F(MainWindowTest, AutosaveRunsItsProgressWithoutHoldingTheCaller)
{
    const QString path = cfg.write(QStringLiteral("live.htm"), "old");
    dlg.queueFile(path);
    w->Open1Click();
    memo().setText(QStringLiteral("new"));
    const QString side = cfg.path() + QStringLiteral("autosave_live.tmp");

    w->setAutosaveProgressMs(150);
    w->AutosaveNow();
    // Back at once: the run shows its progress and writes at its end.
    EXPECT_TRUE(w->autosaveProgress()->isVisible());
    EXPECT_FALSE(QFile::exists(side));
    w->AutosaveNow();   // a second start while one runs is ignored
    QTRY_VERIFY_WITH_TIMEOUT(!w->autosaveProgress()->isVisible(), 5000);
    EXPECT_FALSE(w->autosaveLabel()->isVisible());
    EXPECT_EQ(TempConfig::read(side), QByteArray("new"));
    EXPECT_TRUE(dlg.questions.isEmpty());
}
