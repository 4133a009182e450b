#include "mainwindowtestbase.h"
#include "support/waituntil.h"

#include "search/resultlines.h"
#include "search/resultsform.h"
#include "support/fifofeeder.h"
#include "support/unprivileged.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QMenu>

TEST_F(MainWindowTest, UntitledNumbersCountUpAndAreNeverReused)
{
    w->documentCommands().New1Click();
    w->documentCommands().New1Click();
    w->documentCommands().New1Click();
    EXPECT_EQ(w->windowCommands().windowList(),
              (QStringList{QStringLiteral("~Untiltled1"), QStringLiteral("~Untiltled2"), QStringLiteral("~Untiltled3")}));
    for (TSubForm *d : w->documents()) {
        EXPECT_TRUE(d->Memo1->text().isEmpty());
        EXPECT_FALSE(d->Memo1->modified());
    }
    // Each untitled close offers Save As; cancelling still closes the window.
    w->documentCommands().CloseAll1Click();
    // One window closes per turn of the event loop.
    waitUntil([this] { return w->documents().isEmpty(); });
    ASSERT_EQ(int(w->documents().size()), 0);
    w->documentCommands().New1Click();
    EXPECT_EQ(w->currentDocument()->caption(), QStringLiteral("~Untiltled4"));
    EXPECT_TRUE(w->windowCommands().reopenList().isEmpty());
}

TEST_F(MainWindowTest, SavingAnUntitledDocumentAsksForANameAndLowerCasesItsFileNamePart)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("one\r\ntwo"));
    memo().setModified(true);
    QDir().mkpath(cfg.path() + QStringLiteral("Site"));
    dlg.queueFile(cfg.path() + QStringLiteral("Site/Page"));
    w->documentCommands().Save1Click();

    ASSERT_EQ(dlg.fileDialogs.size(), 1);
    const FileDialogState &shown = dlg.fileDialogs[0];
    EXPECT_EQ(shown.title, QStringLiteral("Save As"));
    EXPECT_EQ(shown.filterIndex, 1);
    EXPECT_EQ(shown.defaultExt, QStringLiteral("txt"));
    EXPECT_EQ(shown.fileName, QStringLiteral("~Untiltled1"));
    EXPECT_EQ(shown.filter, QStringLiteral("Text *.txt|*.txt|HTML *.htm|*.htm|All files *.*|*.*"));

    // The folder keeps its case; only the new file's own name is lower-cased.
    const QString saved = cfg.path() + QStringLiteral("Site/page.txt");
    EXPECT_EQ(TempConfig::read(saved), QByteArray("one\r\ntwo"));
    EXPECT_EQ(w->currentDocument()->caption(), saved);
    EXPECT_EQ(w->documentCommands().saveDialogState().fileName, saved);
    EXPECT_FALSE(memo().modified());
    EXPECT_FALSE(enabled(QStringLiteral("Save1")));
    EXPECT_FALSE(enabled(QStringLiteral("SaveBtn")));
    EXPECT_EQ(w->windowCommands().windowList(), QStringList{saved});
    // No backup for a document that had no file.
    EXPECT_FALSE(QFile::exists(cfg.path() + QStringLiteral("Site/~untiltled1.bak")));
}

TEST_F(MainWindowTest, SaveAsKeepsABackupOfTheOldFileAndWritesTheNewName)
{
    ASSERT_TRUE(w->appSettings().MakeBackups);
    const QString old = cfg.write(QStringLiteral("x/Index.HTM"), "<p>old</p>");
    dlg.queueFile(old);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("<p>new</p>"));
    memo().setModified(true);

    dlg.queueFile(cfg.path() + QStringLiteral("x/New.HTM"));
    w->documentCommands().SaveAs1Click();
    ASSERT_EQ(dlg.fileDialogs.size(), 2);
    EXPECT_EQ(dlg.fileDialogs[1].fileName, old);
    EXPECT_EQ(dlg.fileDialogs[1].filterIndex, 2);
    EXPECT_EQ(dlg.fileDialogs[1].defaultExt, QStringLiteral("htm"));

    const QString fresh = cfg.path() + QStringLiteral("x/new.htm");
    EXPECT_EQ(TempConfig::read(fresh), QByteArray("<p>new</p>"));
    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("x/index.bak")), QByteArray("<p>old</p>"));
    EXPECT_EQ(TempConfig::read(old), QByteArray("<p>old</p>"));
    EXPECT_FALSE(QFile::exists(cfg.path() + QStringLiteral("x/New.HTM")));
    EXPECT_EQ(w->currentDocument()->caption(), fresh);
    EXPECT_FALSE(memo().modified());
}

TEST_F(MainWindowTest, SaveAsOfAnOtherExtensionKeepsTheDialogsLastFilter)
{
    const QString notes = cfg.write(QStringLiteral("notes.css"), "a{}");
    dlg.queueFile(notes);
    w->documentCommands().Open1Click();
    w->documentCommands().saveDialogState().filterIndex = 3;
    w->documentCommands().saveDialogState().defaultExt = QStringLiteral("xyz");
    dlg.queueFile(std::nullopt);
    w->documentCommands().SaveAs1Click();
    EXPECT_EQ(dlg.fileDialogs.last().filterIndex, 3);
    EXPECT_EQ(dlg.fileDialogs.last().defaultExt, QStringLiteral("xyz"));
}

TEST_F(MainWindowTest, SaveOfAFileDeletedOnDiskWritesItAgainWithoutABackup)
{
    ASSERT_TRUE(w->appSettings().MakeBackups);
    const QString path = cfg.write(QStringLiteral("gone.htm"), "first");
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("second"));
    memo().setModified(true);
    ASSERT_TRUE(QFile::remove(path));

    // Nothing on disk to back up: the text is saved all the same.
    w->documentCommands().Save1Click();
    EXPECT_TRUE(dlg.messages.isEmpty());
    EXPECT_EQ(TempConfig::read(path), QByteArray("second"));
    EXPECT_FALSE(QFile::exists(cfg.path() + QStringLiteral("gone.bak")));
    EXPECT_FALSE(memo().modified());
    EXPECT_FALSE(enabled(QStringLiteral("Save1")));
}

TEST_F(MainWindowTest, CommandLineFileThatDoesNotExistYetIsCreatedBySave)
{
    const QString path = cfg.path() + QStringLiteral("newpage.htm");
    w.reset();
    open({path});
    ASSERT_EQ(int(w->documents().size()), 1);
    ASSERT_EQ(dlg.messages, QStringList{QStringLiteral("Cannot open file ") + path});
    ASSERT_TRUE(w->appSettings().MakeBackups);
    memo().setText(QStringLiteral("<p>hello</p>"));
    memo().setModified(true);
    w->documentCommands().Save1Click();
    EXPECT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(TempConfig::read(path), QByteArray("<p>hello</p>"));
    EXPECT_FALSE(QFile::exists(cfg.path() + QStringLiteral("newpage.bak")));
    EXPECT_FALSE(memo().modified());
}

TEST_F(MainWindowTest, TwoSavesLeaveTheFirstSavedTextAsBackup)
{
    const QString path = cfg.write(QStringLiteral("Page.Htm"), "original");
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("first save"));
    memo().setModified(true);
    w->documentCommands().Save1Click();
    const QString bak = cfg.path() + QStringLiteral("page.bak");
    EXPECT_EQ(TempConfig::read(bak), QByteArray("original"));
    memo().setText(QStringLiteral("second save"));
    memo().setModified(true);
    w->documentCommands().Save1Click();
    EXPECT_EQ(TempConfig::read(bak), QByteArray("first save"));
    EXPECT_EQ(TempConfig::read(path), QByteArray("second save"));
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST_F(MainWindowTest, SaveSelectionWritesOnlyTheSelectionUnderTheNameAsChosen)
{
    const QString path = cfg.write(QStringLiteral("doc.htm"), "alpha beta");
    dlg.queueFile(path);
    w->documentCommands().Open1Click();

    // Nothing selected: an empty file.
    const QString empty = cfg.path() + QStringLiteral("Empty");
    dlg.queueFile(empty);
    w->documentCommands().SaveSelBtnClick();
    const FileDialogState &shown = dlg.fileDialogs.last();
    EXPECT_EQ(shown.title, QStringLiteral("Save Selection As"));
    EXPECT_EQ(shown.filterIndex, 1);
    EXPECT_EQ(shown.defaultExt, QStringLiteral("txt"));
    ASSERT_TRUE(QFile::exists(empty + QStringLiteral(".txt")));
    EXPECT_EQ(TempConfig::read(empty + QStringLiteral(".txt")), QByteArray());

    memo().setSelection(6, 4);
    dlg.queueFile(cfg.path() + QStringLiteral("Part.TXT"));
    w->documentCommands().SaveSelBtnClick();
    // Proposed: whatever the dialog last held; the name is kept as typed.
    EXPECT_EQ(dlg.fileDialogs.last().fileName, empty + QStringLiteral(".txt"));
    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("Part.TXT")), QByteArray("beta"));
    EXPECT_EQ(w->currentDocument()->caption(), path);
    EXPECT_FALSE(memo().modified());
    EXPECT_EQ(w->windowCommands().windowList(), QStringList{path});
}

TEST_F(MainWindowTest, CancelledSaveAsChangesNothingButMovesTheEntryToTheEnd)
{
    const QString a = cfg.write(QStringLiteral("a.htm"), "a");
    const QString b = cfg.write(QStringLiteral("b.htm"), "b");
    dlg.queueFile(a);
    w->documentCommands().Open1Click();
    TSubForm *first = w->currentDocument();
    memo().setText(QStringLiteral("edited"));
    memo().setModified(true);
    dlg.queueFile(b);
    w->documentCommands().Open1Click();
    searchHost().bringToFront(first);
    ASSERT_EQ(w->currentDocument(), first);

    dlg.queueFile(std::nullopt);
    w->documentCommands().SaveAs1Click();
    EXPECT_EQ(first->caption(), a);
    EXPECT_TRUE(first->Memo1->modified());
    EXPECT_EQ(TempConfig::read(a), QByteArray("a"));
    EXPECT_EQ(w->windowCommands().windowList(), (QStringList{b, a}));
    EXPECT_EQ(w->windowCommands().checkedWindowEntries(), QStringList{a});
}

TEST_F(MainWindowTest, LoneLineFeedsComeBackAsCarriageReturnLineFeed)
{
    const QString path = cfg.write(QStringLiteral("unix.txt"), "one\ntwo\n\nthree");
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    EXPECT_FALSE(memo().modified());
    w->appSettings().MakeBackups = false;
    memo().setModified(true);
    w->documentCommands().Save1Click();
    EXPECT_EQ(TempConfig::read(path), QByteArray("one\r\ntwo\r\n\r\nthree"));
}

TEST_F(MainWindowTest, AByteOrderMarkSurvivesEverySaveAndIsNotCountedInPositions)
{
    const QByteArray bytes("\xEF\xBB\xBF<!DOCTYPE html>\r\n<html><head><title>t</title></head>\r\n"
                           "<body><b>x</body></html>");
    const QString path = cfg.write(QStringLiteral("marked.htm"), bytes);
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    EXPECT_FALSE(memo().text().startsWith(QChar(0xFEFF)));
    EXPECT_EQ(w->statusBar()->findChild<QLabel *>(QStringLiteral("SaveFormatPanel"))->text(),
              QStringLiteral("UTF-8 with BOM, CR LF"));

    // Check HTML places its finding where the user sees the tag.
    w->searchCommands().CheckHtml1Click();
    const QString offset = QString::number(memo().text().indexOf(QStringLiteral("<b>")));
    EXPECT_TRUE(w->tools().resultsForm->Results->line(0).startsWith(
        QStringLiteral("marked.htm:pos %1:").arg(offset)))
        << w->tools().resultsForm->Results->line(0).toStdString();

    memo().setModified(true);
    w->documentCommands().Save1Click();
    EXPECT_EQ(TempConfig::read(path), bytes);
    memo().setText(memo().text() + QStringLiteral("\r\n"));
    w->documentCommands().Save1Click();
    EXPECT_EQ(TempConfig::read(path), bytes + "\r\n");
    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("marked.bak")), bytes);
    w->autosave().setAutosaveProgressMs(0);
    w->autosave().AutosaveNow();
    EXPECT_TRUE(TempConfig::read(cfg.path() + QStringLiteral("autosave_marked.tmp")).startsWith("\xEF\xBB\xBF<!DOCTYPE"));
}

TEST_F(MainWindowTest, SaveAsIntoAMissingFolderLeavesEverythingAsItWas)
{
    const QString path = cfg.write(QStringLiteral("keep/page.htm"), "old bytes\r\n");
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("new text"));
    memo().setModified(true);

    // Save As into a folder that does not exist.
    const QString nowhere = cfg.path() + QStringLiteral("missing/other.htm");
    dlg.queueFile(nowhere);
    w->documentCommands().SaveAs1Click();
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0], QStringLiteral("Cannot create file ") + nowhere + QStringLiteral(": No such file or directory"));
    EXPECT_EQ(w->currentDocument()->caption(), path);
    EXPECT_TRUE(memo().modified());
    EXPECT_EQ(w->windowCommands().windowList(), QStringList{path});
    EXPECT_FALSE(QDir(cfg.path() + QStringLiteral("missing")).exists());
    EXPECT_EQ(TempConfig::read(path), QByteArray("old bytes\r\n"));
}

TEST_F(MainWindowTest, SaveIntoAReadOnlyFolderWritesInPlaceOrSaysWhyItCannot)
{
    const QString path = cfg.write(QStringLiteral("keep/page.htm"), "old bytes\r\n");
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("new text"));
    memo().setModified(true);
    w->appSettings().MakeBackups = false;
    const QString folder = cfg.path() + QStringLiteral("keep");
    testuser::handOver(cfg.path());
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    // The file itself may be written: it is, where it is.
    {
        Unprivileged as;
        w->documentCommands().Save1Click();
    }
    EXPECT_TRUE(dlg.messages.isEmpty());
    EXPECT_EQ(TempConfig::read(path), QByteArray("new text"));
    EXPECT_FALSE(memo().modified());

    // Neither may be written: the old file stays and the message says why.
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    memo().setText(QStringLiteral("newer text"));
    memo().setModified(true);
    {
        Unprivileged as;
        w->documentCommands().Save1Click();
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0], QStringLiteral("Cannot create file ") + path + QStringLiteral(": Permission denied"));
    EXPECT_EQ(TempConfig::read(path), QByteArray("new text"));
    EXPECT_TRUE(memo().modified());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("page.htm")});
}

TEST_F(MainWindowTest, AWritableFileInAReadOnlyFolderMaySaveWithoutItsBackup)
{
    const QString path = cfg.write(QStringLiteral("shared/page.htm"), "old bytes\r\n");
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("new text"));
    memo().setModified(true);
    ASSERT_TRUE(w->appSettings().MakeBackups);
    const QString folder = cfg.path() + QStringLiteral("shared");
    testuser::handOver(cfg.path());
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString question = QStringLiteral("Cannot create file ") + folder
                           + QStringLiteral("/page.bak: Permission denied\nSave ") + path
                           + QStringLiteral(" without a backup?");
    dlg.queueAnswer(Answer::No);
    {
        Unprivileged as;
        w->documentCommands().Save1Click();
    }
    EXPECT_EQ(dlg.questions, QStringList{question});
    EXPECT_EQ(TempConfig::read(path), QByteArray("old bytes\r\n"));
    EXPECT_TRUE(memo().modified());
    dlg.queueAnswer(Answer::Yes);
    {
        Unprivileged as;
        w->documentCommands().Save1Click();
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(dlg.questions.size(), 2);
    EXPECT_EQ(TempConfig::read(path), QByteArray("new text"));
    EXPECT_FALSE(memo().modified());
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST_F(MainWindowTest, ABackupOfAnotherDocumentIsReplacedOnlyWhenTheUserSaysSo)
{
    const QString page = cfg.write(QStringLiteral("a.htm"), "<p>page v1</p>");
    const QString notes = cfg.write(QStringLiteral("a.txt"), "notes v1");
    const QString backup = cfg.path() + QStringLiteral("a.bak");
    dlg.queueFile(page);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("<p>page v2</p>"));
    w->documentCommands().Save1Click();
    ASSERT_EQ(TempConfig::read(backup), QByteArray("<p>page v1</p>"));

    dlg.queueFile(notes);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("notes v2"));
    memo().setModified(true);
    const QString question = backup + QStringLiteral(" is the backup of ") + page
                           + QStringLiteral(". Replace it with the backup of ") + notes
                           + QStringLiteral("?\nNo saves without making a backup.");
    dlg.queueAnswer(Answer::Cancel);
    w->documentCommands().Save1Click();
    EXPECT_EQ(dlg.questions, QStringList{question});
    EXPECT_EQ(TempConfig::read(notes), QByteArray("notes v1"));
    EXPECT_TRUE(memo().modified());

    dlg.queueAnswer(Answer::No);   // keep the page's backup, save the notes
    w->documentCommands().Save1Click();
    EXPECT_EQ(TempConfig::read(notes), QByteArray("notes v2"));
    EXPECT_EQ(TempConfig::read(backup), QByteArray("<p>page v1</p>"));

    memo().setText(QStringLiteral("notes v3"));
    dlg.queueAnswer(Answer::Yes);
    w->documentCommands().Save1Click();
    EXPECT_EQ(TempConfig::read(backup), QByteArray("notes v2"));
    // Now the backup is the notes': saving them again asks nothing.
    memo().setText(QStringLiteral("notes v4"));
    w->documentCommands().Save1Click();
    EXPECT_EQ(dlg.questions.size(), 3);
    EXPECT_EQ(TempConfig::read(backup), QByteArray("notes v3"));
    EXPECT_EQ(dlg.unexpected, 0);
}

TEST_F(MainWindowTest, AnAutosaveCopyIsOfferedOnlyToTheDocumentItWasMadeFrom)
{
    const QString page = cfg.write(QStringLiteral("a.htm"), "<p>saved</p>");
    const QString notes = cfg.write(QStringLiteral("a.txt"), "notes");
    dlg.queueFile(page);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("<p>typed, then the crash</p>"));
    w->autosave().setAutosaveProgressMs(0);
    w->autosave().AutosaveNow();
    const QString side = cfg.path() + QStringLiteral("autosave_a.tmp");
    ASSERT_EQ(TempConfig::read(side), QByteArray("<p>typed, then the crash</p>"));
    for (const QString &doc : {page, notes}) {
        QFile f(doc);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime);
    }
    w->currentDocument()->discard();

    dlg.queueFile(notes);
    w->documentCommands().Open1Click();
    EXPECT_TRUE(dlg.questions.isEmpty());
    EXPECT_EQ(memo().text(), QStringLiteral("notes"));

    dlg.queueAnswer(Answer::Yes);
    dlg.queueFile(page);
    w->documentCommands().Open1Click();
    EXPECT_EQ(dlg.questions.size(), 1);
    EXPECT_EQ(memo().text(), QStringLiteral("<p>typed, then the crash</p>"));

    // A copy that records no document (an older one) is offered only where
    // no other document shares its name.
    const QString loneCopy = cfg.write(QStringLiteral("autosave_b.tmp"), "old copy");
    const QString b = cfg.write(QStringLiteral("b.htm"), "b");
    cfg.write(QStringLiteral("B.txt"), "other b");
    for (const QString &doc : {b, cfg.path() + QStringLiteral("B.txt")}) {
        QFile f(doc);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime);
    }
    dlg.queueFile(b);
    w->documentCommands().Open1Click();
    EXPECT_EQ(dlg.questions.size(), 1);
    EXPECT_EQ(memo().text(), QStringLiteral("b"));
    EXPECT_TRUE(QFile::exists(loneCopy));
}

TEST_F(MainWindowTest, SavingRemovesTheTemporaryFilesACrashedSaveLeftBehind)
{
    const QString path = cfg.write(QStringLiteral("crash/page.htm"), "old");
    const QString folder = cfg.path() + QStringLiteral("crash/");
    // A process id that cannot be running, and ours, which is.
    const QString dead = cfg.write(QStringLiteral("crash/.page.htm.k3x9.2147483646"), QByteArray(4096, 'x'));
    const QString deadBackup = cfg.write(QStringLiteral("crash/.page.bak.a1.2147483646"), "x");
    const QString live = cfg.write(QStringLiteral("crash/.page.htm.b2.%1").arg(QCoreApplication::applicationPid()), "x");
    const QString notOurs = cfg.write(QStringLiteral("crash/.page.htm.swp"), "the user's");
    const QString otherDoc = cfg.write(QStringLiteral("crash/.other.htm.c3.2147483646"), "x");
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("new"));
    w->documentCommands().Save1Click();
    EXPECT_EQ(TempConfig::read(path), QByteArray("new"));
    EXPECT_FALSE(QFile::exists(dead));
    EXPECT_FALSE(QFile::exists(deadBackup));
    EXPECT_TRUE(QFile::exists(live));
    EXPECT_TRUE(QFile::exists(notOurs));
    EXPECT_TRUE(QFile::exists(otherDoc));
}

TEST_F(MainWindowTest, SaveAsAsksBeforeItsLowerCasedNameReplacesAnotherFile)
{
    const QString notes = cfg.write(QStringLiteral("notes.htm"), "<p>my notes</p>");
    const QString draft = cfg.write(QStringLiteral("draft.htm"), "<p>draft</p>");
    dlg.queueFile(draft);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("<p>draft 2</p>"));
    memo().setModified(true);

    // No: back to the dialog, which is cancelled; nothing is written.
    dlg.queueFile(cfg.path() + QStringLiteral("Notes.htm"));
    dlg.queueAnswer(Answer::No);
    dlg.queueFile(std::nullopt);
    w->documentCommands().SaveAs1Click();
    EXPECT_EQ(dlg.questions, QStringList{notes + QStringLiteral(" already exists. Do you want to replace it?")});
    EXPECT_EQ(dlg.fileDialogs.size(), 3);
    EXPECT_EQ(TempConfig::read(notes), QByteArray("<p>my notes</p>"));
    EXPECT_EQ(TempConfig::read(draft), QByteArray("<p>draft</p>"));
    EXPECT_FALSE(QFile::exists(cfg.path() + QStringLiteral("draft.bak")));
    EXPECT_EQ(w->currentDocument()->caption(), draft);
    EXPECT_TRUE(memo().modified());

    // No, then another name in the dialog: that one is written.
    dlg.queueFile(cfg.path() + QStringLiteral("Notes.htm"));
    dlg.queueAnswer(Answer::No);
    dlg.queueFile(cfg.path() + QStringLiteral("Other.htm"));
    w->documentCommands().SaveAs1Click();
    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("other.htm")), QByteArray("<p>draft 2</p>"));
    EXPECT_EQ(TempConfig::read(notes), QByteArray("<p>my notes</p>"));

    // Yes replaces it.
    memo().setModified(true);
    dlg.queueFile(cfg.path() + QStringLiteral("NOTES.htm"));
    dlg.queueAnswer(Answer::Yes);
    w->documentCommands().SaveAs1Click();
    EXPECT_EQ(TempConfig::read(notes), QByteArray("<p>draft 2</p>"));
    EXPECT_EQ(w->currentDocument()->caption(), notes);

    // The document's own file under another case is no other file: no question.
    const int asked = dlg.questions.size();
    memo().setModified(true);
    dlg.queueFile(cfg.path() + QStringLiteral("Notes.HTM"));
    w->documentCommands().SaveAs1Click();
    EXPECT_EQ(dlg.questions.size(), asked);
    EXPECT_FALSE(memo().modified());
}

TEST_F(MainWindowTest, CopiesOfAPrivateDocumentStayPrivate)
{
    const QString path = cfg.write(QStringLiteral("private.htm"), "<p>secret</p>");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("<p>more secret</p>"));
    memo().setModified(true);
    ASSERT_TRUE(w->appSettings().MakeBackups);
    w->documentCommands().Save1Click();
    w->autosave().setAutosaveProgressMs(0);
    w->autosave().AutosaveNow();
    ASSERT_TRUE(dlg.messages.isEmpty());
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                         | QFileDevice::WriteUser;
    EXPECT_EQ(QFile::permissions(path), ownerOnly);
    EXPECT_EQ(QFile::permissions(cfg.path() + QStringLiteral("private.bak")), ownerOnly);
    EXPECT_EQ(QFile::permissions(cfg.path() + QStringLiteral("autosave_private.tmp")), ownerOnly);
    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("private.bak")), QByteArray("<p>secret</p>"));
}

TEST_F(MainWindowTest, LinksPlantedAtCopyNamesAreReplacedOnlyWhenTheUserSaysSo)
{
    const QString path = cfg.write(QStringLiteral("page.htm"), "<p>page</p>");
    const QString victim = cfg.write(QStringLiteral("victim.txt"), "precious");
    const QString bak = cfg.path() + QStringLiteral("page.bak");
    const QString side = cfg.path() + QStringLiteral("autosave_page.tmp");
    ASSERT_TRUE(QFile::link(victim, bak));
    ASSERT_TRUE(QFile::link(victim, side));
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("<p>page 2</p>"));
    memo().setModified(true);
    const QString question = bak + QStringLiteral(" already exists. Do you want to replace it?");

    // No: nothing is saved.
    dlg.queueAnswer(Answer::No);
    w->documentCommands().Save1Click();
    EXPECT_EQ(dlg.questions, QStringList{question});
    EXPECT_EQ(TempConfig::read(path), QByteArray("<p>page</p>"));
    EXPECT_TRUE(memo().modified());

    // Yes: the link is replaced by the backup; its target is untouched.
    dlg.queueAnswer(Answer::Yes);
    w->documentCommands().Save1Click();
    EXPECT_EQ(TempConfig::read(path), QByteArray("<p>page 2</p>"));
    EXPECT_FALSE(QFileInfo(bak).isSymLink());
    EXPECT_EQ(TempConfig::read(bak), QByteArray("<p>page</p>"));
    EXPECT_EQ(TempConfig::read(victim), QByteArray("precious"));

    w->autosave().setAutosaveProgressMs(0);
    dlg.queueAnswer(Answer::Yes);
    w->autosave().AutosaveNow();
    EXPECT_EQ(dlg.questions.last(), side + QStringLiteral(" already exists. Do you want to replace it?"));
    EXPECT_FALSE(QFileInfo(side).isSymLink());
    EXPECT_EQ(TempConfig::read(side), QByteArray("<p>page 2</p>"));
    EXPECT_EQ(TempConfig::read(victim), QByteArray("precious"));
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST_F(MainWindowTest, SavingThroughALinkKeepsTheLink)
{
    const QString target = cfg.write(QStringLiteral("real/page.htm"), "old");
    const QString link = cfg.path() + QStringLiteral("page.htm");
    ASSERT_TRUE(QFile::link(target, link));
    dlg.queueFile(link);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("new"));
    memo().setModified(true);
    w->documentCommands().Save1Click();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(TempConfig::read(target), QByteArray("new"));
    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("page.bak")), QByteArray("old"));
}

TEST_F(MainWindowTest, FilesHoldingZeroBytesAreRefusedByEveryWayOfOpening)
{
    const QByteArray bytes("<p>a</p>\0<p>b</p>", 17);
    const QString path = cfg.write(QStringLiteral("zero.htm"), bytes);
    const QString message = path + QStringLiteral(" contains NUL bytes and cannot be edited as text");

    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    EXPECT_EQ(dlg.errors, QStringList{message});
    EXPECT_EQ(int(w->documents().size()), 0);

    documentHost().AddReopenItem(path);
    w->windowCommands().ReopenItemClick(w->commandState().menu(commands::Menu::Reopen)->actions().first());
    EXPECT_EQ(dlg.errors.size(), 2);
    EXPECT_EQ(int(w->documents().size()), 0);

    w.reset();
    open({path});
    w->FormActivate();
    EXPECT_EQ(dlg.errors.last(), message);
    EXPECT_EQ(int(w->documents().size()), 0);

    // The ignore list is opened the same way.
    const QString ignore = cfg.appFolder() + QStringLiteral("ignore.lst");
    QFile::remove(ignore);
    ASSERT_EQ(cfg.write(QStringLiteral("config/mivor/ignore.lst"), bytes), ignore);
    w->toolCommands().EditIgnoreList1Click();
    EXPECT_EQ(dlg.errors.last(), ignore + QStringLiteral(" contains NUL bytes and cannot be edited as text"));
    EXPECT_EQ(int(w->documents().size()), 0);

    // Whatever happened, the files keep every byte.
    EXPECT_EQ(TempConfig::read(path), bytes);
    EXPECT_EQ(TempConfig::read(ignore), bytes);
}

TEST_F(MainWindowTest, RichTextThatIsNoRegularFileIsRefusedAtOnce)
{
    const QString fifo = cfg.path() + QStringLiteral("letter.rtf");
    FifoFeeder feeder(fifo, "{\\rtf1 planted}");
    ASSERT_TRUE(feeder.made());
    w.reset();
    open({fifo});
    w->FormActivate();
    EXPECT_EQ(dlg.messages, QStringList{QStringLiteral("Cannot open file ") + fifo});
    EXPECT_EQ(int(w->documents().size()), 0);
}

TEST_F(MainWindowTest, AnEarlierSessionsAutosaveCopyIsOfferedBack)
{
    const QString path = cfg.write(QStringLiteral("page.htm"), "<p>saved</p>\n");
    const QString side = cfg.write(QStringLiteral("autosave_page.tmp"), "<p>typed later</p>\r\n");
    const QDateTime saved = QDateTime::currentDateTime().addSecs(-600);
    const QDateTime autosaved = saved.addSecs(300);
    auto age = [](const QString &p, const QDateTime &t) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(t, QFileDevice::FileModificationTime));
    };
    age(path, saved);
    age(side, autosaved);
    const QString question = path + QStringLiteral(" has unsaved changes from an earlier session (saved at ")
                           + autosaved.toString(QStringLiteral("HH:mm")) + QStringLiteral("). Restore them?");

    // No: the file as it is.
    dlg.queueAnswer(Answer::No);
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    EXPECT_EQ(dlg.questions, QStringList{question});
    EXPECT_EQ(memo().text(), QStringLiteral("<p>saved</p>\r\n"));
    EXPECT_FALSE(memo().modified());

    // Yes: the copy's text, to be saved.
    dlg.queueAnswer(Answer::Yes);
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    EXPECT_EQ(memo().text(), QStringLiteral("<p>typed later</p>\r\n"));
    EXPECT_TRUE(memo().modified());
    EXPECT_TRUE(enabled(QStringLiteral("Save1")));

    // Saving makes the document the newer one: no more offers, and the copy stays.
    w->documentCommands().Save1Click();
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    EXPECT_EQ(dlg.questions.size(), 2);
    EXPECT_TRUE(QFile::exists(side));
    EXPECT_EQ(dlg.unexpected, 0);
}

TEST_F(MainWindowTest, OpenSetsItsFilterClearsTheNameAndListsTheFile)
{
    const QString a = cfg.write(QStringLiteral("Mixed Case.HTML"), "<b>x</b>\r\n");
    w->documentCommands().openDialogState().fileName = QStringLiteral("leftover");
    dlg.queueFile(a);
    w->documentCommands().Open1Click();
    ASSERT_EQ(dlg.fileDialogs.size(), 1);
    EXPECT_EQ(dlg.fileDialogs[0].filter,
              QStringLiteral("HTML (*.htm, *.html)|*.htm;*html|TEXT (*.txt)|*.txt|All files (*.*)|*.*"));
    EXPECT_TRUE(dlg.fileDialogs[0].fileName.isEmpty());
    // An existing file is opened under its own name, case and all.
    EXPECT_EQ(w->currentDocument()->caption(), a);
    EXPECT_EQ(memo().text(), QStringLiteral("<b>x</b>\r\n"));
    EXPECT_FALSE(memo().modified());
    EXPECT_EQ(w->windowCommands().windowList(), QStringList{a});

    // Cancelled: nothing opens.
    dlg.queueFile(std::nullopt);
    w->documentCommands().Open1Click();
    EXPECT_EQ(int(w->documents().size()), 1);

    // A file that cannot be read: the window stays, empty and unlisted.
    const QString missing = cfg.path() + QStringLiteral("nope.htm");
    dlg.queueFile(missing);
    w->documentCommands().Open1Click();
    EXPECT_EQ(dlg.messages, QStringList{QStringLiteral("Cannot open file ") + missing});
    EXPECT_EQ(int(w->documents().size()), 2);
    EXPECT_EQ(w->currentDocument()->caption(), missing);
    EXPECT_EQ(w->windowCommands().windowList(), QStringList{a});
}
