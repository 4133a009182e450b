// The external browser and the help page through the scripted shell; the
// temporary page's place beside the document.
#include "app/mainwindowtestbase.h"
#include "platform/appfolder.h"
#include "preview/helppage.h"
#include "preview/temppage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TEST(TempPagePaths, PageLiesBesideTheDocumentForPaneAndBrowserAlike)
{
    EXPECT_EQ(temppage::panePagePath("/home/ann/web/index.htm"), "/home/ann/web/~$$$temp.htm");
    EXPECT_EQ(temppage::externalPage("/home/ann/web/index.htm").page, "/home/ann/web/~$$$temp.htm");
    EXPECT_EQ(temppage::externalPage("/home/ann/web/index.htm").dir, "/home/ann/web");
    // The root keeps its one separator.
    EXPECT_EQ(temppage::panePagePath("/index.htm"), "/~$$$temp.htm");
    EXPECT_EQ(temppage::externalPage("/index.htm").page, "/~$$$temp.htm");
    EXPECT_EQ(temppage::externalPage("/index.htm").dir, "/");
    // An untitled document's pane page is relative to the current folder.
    EXPECT_EQ(temppage::panePagePath("~Untiltled3"), "~$$$temp.htm");
}

TEST(TempPagePaths, NonAsciiUtf8PageCarriesAMarkSoTheBrowserReadsItRight)
{
    TempConfig cfg;
    const QString page = cfg.path() + "~$$$temp.htm";
    ASSERT_TRUE(temppage::write(page, "~Untiltled1", QString::fromUtf8("caf\u00e9"), textfile::Encoding::Utf8));
    EXPECT_EQ(TempConfig::read(page), QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9"));
    ASSERT_TRUE(temppage::write(page, "~Untiltled1", "plain", textfile::Encoding::Utf8));
    EXPECT_EQ(TempConfig::read(page), QByteArray("plain"));
    ASSERT_TRUE(temppage::write(page, "~Untiltled1", QString::fromUtf8("caf\u00e9"),
                                textfile::Encoding::Windows1252));
    EXPECT_EQ(TempConfig::read(page), QByteArray("caf\xE9"));
}

using ExternalViewTest = MainWindowTest;

TEST_F(ExternalViewTest, UntitledDocumentIsSavedFirstAndCancelShowsNothing)
{
    w->documentCommands().New1Click();
    memo().setText("<p>draft</p>");
    dlg.queueFile(std::nullopt);
    w->previewCommands().htmlBtnClick();
    EXPECT_EQ(dlg.messages, QStringList{"You must save the html file first before it can be displayed."});
    EXPECT_EQ(dlg.fileDialogs.size(), 1);
    EXPECT_TRUE(shellDouble.opened.isEmpty());
    EXPECT_TRUE(w->previewCommands().tempFiles().isEmpty());
    EXPECT_FALSE(w->isMinimized());

    dlg.queueFile(cfg.path() + "Draft.htm");
    w->previewCommands().htmlBtnClick();
    const QString page = cfg.path() + "~$$$temp.htm";
    EXPECT_EQ(w->currentDocument()->caption(), cfg.path() + "draft.htm");
    EXPECT_EQ(shellDouble.opened, QStringList{page});
    EXPECT_EQ(w->previewCommands().tempPage(), page);
    EXPECT_EQ(w->previewCommands().tempFiles(), QStringList{page});
    EXPECT_EQ(TempConfig::read(page), QByteArray("<p>draft</p>"));
    EXPECT_TRUE(w->isMinimized());
}

TEST_F(ExternalViewTest, FailureIsReportedThePageStaysListedAndGoesAtExit)
{
    const QString path = cfg.write("site.htm", "<html>site</html>");
    ASSERT_TRUE(w->documentCommands().openDocument(path, DocumentCommands::Listing::OnSuccess));
    memo().setText("<html>edited</html>");
    shellDouble.result = false;
    w->previewCommands().htmlBtnClick();
    w->previewCommands().htmlBtnClick();
    const QString page = cfg.path() + "~$$$temp.htm";
    EXPECT_EQ(dlg.errors, QStringList({"Failed to execute " + path, "Failed to execute " + path}));
    EXPECT_EQ(w->previewCommands().tempFiles(), QStringList({page, page}));   // listed on every use
    EXPECT_EQ(TempConfig::read(page), QByteArray("<html>edited</html>"));
    EXPECT_EQ(TempConfig::read(path), QByteArray("<html>site</html>"));   // the document itself untouched

    dlg.queueAnswer(Answer::No);   // do not save the edit
    w->close();
    EXPECT_FALSE(QFile::exists(page));
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(ExternalViewTest, HelpPageIsCopiedWhenMissingOrOlderAndOpened)
{
    const QString copy = appFolder() + "mivor2_help.htm";
    const QString shipped = dataFolder() + "mivor2_help.htm";
    ASSERT_TRUE(QFileInfo::exists(shipped));
    QFile::remove(copy);
    w->helpCommands().Help2Click();
    EXPECT_EQ(shellDouble.opened, QStringList{copy});
    EXPECT_EQ(TempConfig::read(copy), TempConfig::read(shipped));
    EXPECT_TRUE(dlg.errors.isEmpty());

    // An older copy is replaced; one at least as new is left alone.
    auto writeCopy = [&](const QByteArray &bytes, const QDateTime &when) {
        QFile f(copy);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.flush();
        f.setFileTime(when, QFileDevice::FileModificationTime);
    };
    const QDateTime shippedTime = QFileInfo(shipped).lastModified();
    writeCopy("old", shippedTime.addDays(-1));
    w->helpCommands().Help2Click();
    EXPECT_EQ(TempConfig::read(copy), TempConfig::read(shipped));
    writeCopy("mine", shippedTime.addSecs(60));
    w->helpCommands().Help2Click();
    EXPECT_EQ(TempConfig::read(copy), QByteArray("mine"));

    shellDouble.result = false;
    w->helpCommands().Help2Click();
    EXPECT_EQ(dlg.errors, QStringList{"Failed to execute mivor2_help.htm"});
}
