#include "mainwindowtestbase.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace {

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace

TEST_F(MainWindowTest, UntitledNumbersCountUpAndAreNeverReused)
{
    w->New1Click();
    w->New1Click();
    w->New1Click();
    EXPECT_EQ(w->windowList(),
              (QStringList{QStringLiteral("~Untiltled1"), QStringLiteral("~Untiltled2"), QStringLiteral("~Untiltled3")}));
    for (TSubForm *d : w->documents()) {
        EXPECT_TRUE(d->Memo1->text().isEmpty());
        EXPECT_FALSE(d->Memo1->modified());
    }
    // Each untitled close offers Save As; cancelling still closes the window.
    w->CloseAll1Click();
    QCoreApplication::processEvents();
    ASSERT_EQ(w->documentCount(), 0);
    w->New1Click();
    EXPECT_EQ(w->CurrentDoc->caption(), QStringLiteral("~Untiltled4"));
    EXPECT_TRUE(w->reopenList().isEmpty());
}

TEST_F(MainWindowTest, SavingAnUntitledDocumentAsksForANameAndLowerCasesItsFileNamePart)
{
    w->New1Click();
    memo().setText(QStringLiteral("one\r\ntwo"));
    memo().setModified(true);
    QDir().mkpath(cfg.path() + QStringLiteral("Site"));
    dlg.queueFile(cfg.path() + QStringLiteral("Site/Page"));
    w->Save1Click();

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
    EXPECT_EQ(w->CurrentDoc->caption(), saved);
    EXPECT_EQ(w->SaveDialog1.fileName, saved);
    EXPECT_FALSE(memo().modified());
    EXPECT_FALSE(enabled(QStringLiteral("Save1")));
    EXPECT_FALSE(enabled(QStringLiteral("SaveBtn")));
    EXPECT_EQ(w->windowList(), QStringList{saved});
    // No backup for a document that had no file.
    EXPECT_FALSE(QFile::exists(cfg.path() + QStringLiteral("Site/~untiltled1.bak")));
}

TEST_F(MainWindowTest, SaveAsKeepsABackupOfTheOldFileAndWritesTheNewName)
{
    ASSERT_TRUE(w->settings.MakeBackups);
    const QString old = cfg.write(QStringLiteral("x/Index.HTM"), "<p>old</p>");
    dlg.queueFile(old);
    w->Open1Click();
    memo().setText(QStringLiteral("<p>new</p>"));
    memo().setModified(true);

    dlg.queueFile(cfg.path() + QStringLiteral("x/New.HTM"));
    w->SaveAs1Click();
    ASSERT_EQ(dlg.fileDialogs.size(), 2);
    EXPECT_EQ(dlg.fileDialogs[1].fileName, old);
    EXPECT_EQ(dlg.fileDialogs[1].filterIndex, 2);
    EXPECT_EQ(dlg.fileDialogs[1].defaultExt, QStringLiteral("htm"));

    const QString fresh = cfg.path() + QStringLiteral("x/new.htm");
    EXPECT_EQ(TempConfig::read(fresh), QByteArray("<p>new</p>"));
    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("x/index.bak")), QByteArray("<p>old</p>"));
    EXPECT_EQ(TempConfig::read(old), QByteArray("<p>old</p>"));
    EXPECT_FALSE(QFile::exists(cfg.path() + QStringLiteral("x/New.HTM")));
    EXPECT_EQ(w->CurrentDoc->caption(), fresh);
    EXPECT_FALSE(memo().modified());
}

TEST_F(MainWindowTest, SaveAsOfAnOtherExtensionKeepsTheDialogsLastFilter)
{
    const QString notes = cfg.write(QStringLiteral("notes.css"), "a{}");
    dlg.queueFile(notes);
    w->Open1Click();
    w->SaveDialog1.filterIndex = 3;
    w->SaveDialog1.defaultExt = QStringLiteral("xyz");
    dlg.queueFile(std::nullopt);
    w->SaveAs1Click();
    EXPECT_EQ(dlg.fileDialogs.last().filterIndex, 3);
    EXPECT_EQ(dlg.fileDialogs.last().defaultExt, QStringLiteral("xyz"));
}

TEST_F(MainWindowTest, SaveOfAFileDeletedOnDiskDependsOnBackups)
{
    const QString path = cfg.write(QStringLiteral("gone.htm"), "first");
    dlg.queueFile(path);
    w->Open1Click();
    memo().setText(QStringLiteral("second"));
    memo().setModified(true);
    ASSERT_TRUE(QFile::remove(path));

    // With backups the missing file cannot be copied, and nothing is written.
    w->Save1Click();
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0], QStringLiteral("Cannot open file ") + path);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(cfg.path() + QStringLiteral("gone.bak")));
    EXPECT_TRUE(memo().modified());
    EXPECT_TRUE(enabled(QStringLiteral("Save1")));

    w->settings.MakeBackups = false;
    w->Save1Click();
    EXPECT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(TempConfig::read(path), QByteArray("second"));
    EXPECT_FALSE(memo().modified());
}

TEST_F(MainWindowTest, TwoSavesLeaveTheFirstSavedTextAsBackup)
{
    const QString path = cfg.write(QStringLiteral("Page.Htm"), "original");
    dlg.queueFile(path);
    w->Open1Click();
    memo().setText(QStringLiteral("first save"));
    memo().setModified(true);
    w->Save1Click();
    const QString bak = cfg.path() + QStringLiteral("page.bak");
    EXPECT_EQ(TempConfig::read(bak), QByteArray("original"));
    memo().setText(QStringLiteral("second save"));
    memo().setModified(true);
    w->Save1Click();
    EXPECT_EQ(TempConfig::read(bak), QByteArray("first save"));
    EXPECT_EQ(TempConfig::read(path), QByteArray("second save"));
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST_F(MainWindowTest, SaveSelectionWritesOnlyTheSelectionUnderTheNameAsChosen)
{
    const QString path = cfg.write(QStringLiteral("doc.htm"), "alpha beta");
    dlg.queueFile(path);
    w->Open1Click();

    // Nothing selected: an empty file.
    const QString empty = cfg.path() + QStringLiteral("Empty");
    dlg.queueFile(empty);
    w->SaveSelBtnClick();
    const FileDialogState &shown = dlg.fileDialogs.last();
    EXPECT_EQ(shown.title, QStringLiteral("Save Selection As"));
    EXPECT_EQ(shown.filterIndex, 1);
    EXPECT_EQ(shown.defaultExt, QStringLiteral("txt"));
    ASSERT_TRUE(QFile::exists(empty + QStringLiteral(".txt")));
    EXPECT_EQ(TempConfig::read(empty + QStringLiteral(".txt")), QByteArray());

    memo().setSelection(6, 4);
    dlg.queueFile(cfg.path() + QStringLiteral("Part.TXT"));
    w->SaveSelBtnClick();
    // Proposed: whatever the dialog last held; the name is kept as typed.
    EXPECT_EQ(dlg.fileDialogs.last().fileName, empty + QStringLiteral(".txt"));
    EXPECT_EQ(TempConfig::read(cfg.path() + QStringLiteral("Part.TXT")), QByteArray("beta"));
    EXPECT_EQ(w->CurrentDoc->caption(), path);
    EXPECT_FALSE(memo().modified());
    EXPECT_EQ(w->windowList(), QStringList{path});
}

TEST_F(MainWindowTest, CancelledSaveAsChangesNothingButMovesTheEntryToTheEnd)
{
    const QString a = cfg.write(QStringLiteral("a.htm"), "a");
    const QString b = cfg.write(QStringLiteral("b.htm"), "b");
    dlg.queueFile(a);
    w->Open1Click();
    TSubForm *first = w->CurrentDoc;
    memo().setText(QStringLiteral("edited"));
    memo().setModified(true);
    dlg.queueFile(b);
    w->Open1Click();
    w->bringToFront(first);
    ASSERT_EQ(w->CurrentDoc, first);

    dlg.queueFile(std::nullopt);
    w->SaveAs1Click();
    EXPECT_EQ(first->caption(), a);
    EXPECT_TRUE(first->Memo1->modified());
    EXPECT_EQ(TempConfig::read(a), QByteArray("a"));
    EXPECT_EQ(w->windowList(), (QStringList{b, a}));
    EXPECT_EQ(w->checkedWindowEntries(), QStringList{a});
}

TEST_F(MainWindowTest, LoneLineFeedsComeBackAsCarriageReturnLineFeed)
{
    const QString path = cfg.write(QStringLiteral("unix.txt"), "one\ntwo\n\nthree");
    dlg.queueFile(path);
    w->Open1Click();
    EXPECT_FALSE(memo().modified());
    w->settings.MakeBackups = false;
    memo().setModified(true);
    w->Save1Click();
    EXPECT_EQ(TempConfig::read(path), QByteArray("one\r\ntwo\r\n\r\nthree"));
}

TEST_F(MainWindowTest, SaveAsIntoAMissingFolderLeavesEverythingAsItWas)
{
    const QString path = cfg.write(QStringLiteral("keep/page.htm"), "old bytes\r\n");
    dlg.queueFile(path);
    w->Open1Click();
    memo().setText(QStringLiteral("new text"));
    memo().setModified(true);

    // Save As into a folder that does not exist.
    const QString nowhere = cfg.path() + QStringLiteral("missing/other.htm");
    dlg.queueFile(nowhere);
    w->SaveAs1Click();
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0], QStringLiteral("Cannot create file ") + nowhere);
    EXPECT_EQ(w->CurrentDoc->caption(), path);
    EXPECT_TRUE(memo().modified());
    EXPECT_EQ(w->windowList(), QStringList{path});
    EXPECT_FALSE(QDir(cfg.path() + QStringLiteral("missing")).exists());
    EXPECT_EQ(TempConfig::read(path), QByteArray("old bytes\r\n"));
}

TEST_F(MainWindowTest, SaveIntoAReadOnlyFolderLeavesTheOldFile)
{
    if (runningAsRoot())
        GTEST_SKIP() << "permissions do not stop root";
    const QString path = cfg.write(QStringLiteral("keep/page.htm"), "old bytes\r\n");
    dlg.queueFile(path);
    w->Open1Click();
    memo().setText(QStringLiteral("new text"));
    memo().setModified(true);
    w->settings.MakeBackups = false;
    const QString folder = cfg.path() + QStringLiteral("keep");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    w->Save1Click();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0], QStringLiteral("Cannot create file ") + path);
    EXPECT_EQ(TempConfig::read(path), QByteArray("old bytes\r\n"));
    EXPECT_TRUE(memo().modified());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("page.htm")});
}

TEST_F(MainWindowTest, OpenSetsItsFilterClearsTheNameAndListsTheFile)
{
    const QString a = cfg.write(QStringLiteral("Mixed Case.HTML"), "<b>x</b>\r\n");
    w->OpenDialog1.fileName = QStringLiteral("leftover");
    dlg.queueFile(a);
    w->Open1Click();
    ASSERT_EQ(dlg.fileDialogs.size(), 1);
    EXPECT_EQ(dlg.fileDialogs[0].filter,
              QStringLiteral("HTML (*.htm, *.html)|*.htm;*html|TEXT (*.txt)|*.txt|All files (*.*)|*.*"));
    EXPECT_TRUE(dlg.fileDialogs[0].fileName.isEmpty());
    // An existing file is opened under its own name, case and all.
    EXPECT_EQ(w->CurrentDoc->caption(), a);
    EXPECT_EQ(memo().text(), QStringLiteral("<b>x</b>\r\n"));
    EXPECT_FALSE(memo().modified());
    EXPECT_EQ(w->windowList(), QStringList{a});

    // Cancelled: nothing opens.
    dlg.queueFile(std::nullopt);
    w->Open1Click();
    EXPECT_EQ(w->documentCount(), 1);

    // A file that cannot be read: the window stays, empty and unlisted.
    const QString missing = cfg.path() + QStringLiteral("nope.htm");
    dlg.queueFile(missing);
    w->Open1Click();
    EXPECT_EQ(dlg.messages, QStringList{QStringLiteral("Cannot open file ") + missing});
    EXPECT_EQ(w->documentCount(), 2);
    EXPECT_EQ(w->CurrentDoc->caption(), missing);
    EXPECT_EQ(w->windowList(), QStringList{a});
}
