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
    w->documentCommands().Open1Click();
    dlg.queueFile(b);
    w->documentCommands().Open1Click();
    memo().selectAll();
    memo().replaceSelection(QStringLiteral("second, edited"));   // an edit, as typing would be
    ASSERT_TRUE(memo().modified());

    w->autosave().setAutosaveProgressMs(0);
    w->autosave().autosaveTimer()->setInterval(30);   // a tick in a few milliseconds, not minutes
    w->autosave().autosaveTimer()->start();
    QTest::qWait(200);
    w->autosave().autosaveTimer()->stop();

    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("Web/autosave_second.tmp")),
              QByteArray("second, edited"));
    EXPECT_FALSE(QFile::exists(cfg.path() + QStringLiteral("Web/autosave_first.tmp")));
    // The document itself is left alone.
    EXPECT_EQ(w->currentDocument()->caption(), b);
    EXPECT_TRUE(memo().modified());
    EXPECT_EQ(TempConfig::read(b), QByteArray("second"));
    EXPECT_FALSE(w->autosave().autosaveLabel()->isVisible());
    EXPECT_FALSE(w->autosave().autosaveProgress()->isVisible());
}

TEST_F(MainWindowTest, AutosaveOfAnUntitledDocumentGoesToTheCurrentFolder)
{
    const QString old = QDir::currentPath();
    QDir::setCurrent(cfg.path());
    w->documentCommands().New1Click();
    w->documentCommands().New1Click();
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("draft"));
    w->autosave().setAutosaveProgressMs(0);
    w->autosave().AutosaveNow();
    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("autosave_~untiltled3.tmp")), QByteArray("draft"));
    QDir::setCurrent(old);
}

TEST_F(MainWindowTest, AutosaveFailureKeepsTheProgressVisible)
{
    const QString file = cfg.write(QStringLiteral("ro/page.htm"), "x");
    dlg.queueFile(file);
    w->documentCommands().Open1Click();
    // A folder in the way of the side file makes it impossible to write.
    QDir().mkpath(cfg.path() + QStringLiteral("ro/autosave_page.tmp"));
    w->autosave().setAutosaveProgressMs(0);
    w->autosave().AutosaveNow();
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0], QStringLiteral("Cannot create file ") + cfg.path()
                                   + QStringLiteral("ro/autosave_page.tmp: Is a directory"));
    EXPECT_EQ(dlg.errors, dlg.messages);
    EXPECT_TRUE(w->autosave().autosaveLabel()->isVisible());
    EXPECT_TRUE(w->autosave().autosaveProgress()->isVisible());
}

TEST_F(MainWindowTest, AFailingAutosaveSaysSoOncePerStreak)
{
    const QString file = cfg.write(QStringLiteral("full/page.htm"), "x");
    dlg.queueFile(file);
    w->documentCommands().Open1Click();
    const QString blocker = cfg.path() + QStringLiteral("full/autosave_page.tmp");
    QDir().mkpath(blocker);
    w->autosave().setAutosaveProgressMs(0);
    for (int tick = 0; tick < 3; ++tick)
        w->autosave().AutosaveNow();
    EXPECT_EQ(dlg.errors.size(), 1);
    // A run that works ends the streak; the next failure is news again.
    QDir(blocker).removeRecursively();
    w->autosave().AutosaveNow();
    EXPECT_FALSE(w->autosave().autosaveLabel()->isVisible());
    QFile::remove(blocker);
    QDir().mkpath(blocker);
    w->autosave().AutosaveNow();
    w->autosave().AutosaveNow();
    EXPECT_EQ(dlg.errors.size(), 2);
}

TEST_F(MainWindowTest, TimerRunsOnlyWhileAutosaveIsOnAndADocumentIsOpen)
{
    EXPECT_TRUE(w->autosave().autosaveTimer()->isActive());   // started at creation: autosave is on by default
    EXPECT_EQ(w->autosave().autosaveTimer()->interval(), 10 * 60000);
    w->documentCommands().New1Click();
    w->documentCommands().Close1Click();   // untitled: Save As offered and cancelled
    QCoreApplication::processEvents();
    EXPECT_FALSE(w->autosave().autosaveTimer()->isActive());
    w->documentCommands().New1Click();
    EXPECT_TRUE(w->autosave().autosaveTimer()->isActive());
    w->appSettings().AutosaveOn = false;
    w->autosave().restartAutosaveTimer();
    EXPECT_FALSE(w->autosave().autosaveTimer()->isActive());
    w->documentCommands().New1Click();
    EXPECT_FALSE(w->autosave().autosaveTimer()->isActive());
}

TEST_F(MainWindowTest, AutosaveRunsItsProgressWithoutHoldingTheCaller)
{
    const QString path = cfg.write(QStringLiteral("live.htm"), "old");
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("new"));
    const QString side = cfg.path() + QStringLiteral("autosave_live.tmp");

    w->autosave().setAutosaveProgressMs(150);
    w->autosave().AutosaveNow();
    // Back at once: the run shows its progress and writes at its end.
    EXPECT_TRUE(w->autosave().autosaveProgress()->isVisible());
    EXPECT_FALSE(QFile::exists(side));
    w->autosave().AutosaveNow();   // a second start while one runs is ignored
    QTRY_VERIFY_WITH_TIMEOUT(!w->autosave().autosaveProgress()->isVisible(), 5000);
    EXPECT_FALSE(w->autosave().autosaveLabel()->isVisible());
    EXPECT_EQ(TempConfig::read(side), QByteArray("new"));
    EXPECT_TRUE(dlg.questions.isEmpty());
}
