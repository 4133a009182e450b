// "Open @ www..." through the main window, against a real HTTP server on
// 127.0.0.1.
#include "mainwindowtestbase.h"

#include "../transfer/localservers.h"
#include "transfer/urlbox.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

namespace {

class DownloadTest : public MainWindowTest {
protected:
    QTemporaryDir site;
    std::unique_ptr<LocalServer> server;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        server = std::make_unique<LocalServer>(QStringLiteral("http"), QStringList{site.path()});
        ASSERT_TRUE(server->running()) << server->error().toStdString();
    }
    QString url(const QString &path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(server->port()).arg(path); }

    // Types the address and the local name into "Download File" and presses Go.
    void download(const QString &address, const QString &target)
    {
        modalAnswer = [&](QDialog *d) {
            auto *box = qobject_cast<TURLBox *>(d);
            if (!box)
                return int(QDialog::Rejected);
            box->Edit1->setText(address);
            box->Edit2->setText(target);
            box->GoBtnClick();
            return int(QDialog::Accepted);
        };
        w->transferCommands().Openwww1Click();
        modalAnswer = nullptr;
    }
};

} // namespace

TEST_F(DownloadTest, APageOpensChangedInANewWindow)
{
    writeFile(site.filePath(QStringLiteral("page.htm")), "<p>published</p>\r\n");
    const QString target = cfg.path() + QStringLiteral("local.htm");
    download(url(QStringLiteral("/page.htm")), target);
    ASSERT_NE(w->currentDocument(), nullptr);
    EXPECT_EQ(w->currentDocument()->caption(), target);
    EXPECT_EQ(memo().text(), QStringLiteral("<p>published</p>\r\n"));
    EXPECT_TRUE(memo().modified());
    EXPECT_EQ(w->windowCommands().windowList(), QStringList{target});
}

TEST_F(DownloadTest, ADownloadThatCannotBeEditedAsTextOpensNoWindow)
{
    // UTF-16 holds NUL bytes: a window for it would save typed text over them.
    const QByteArray utf16("\xFF\xFE<\0p\0>\0", 8);
    writeFile(site.filePath(QStringLiteral("wide.htm")), utf16);
    const QString target = cfg.path() + QStringLiteral("wide.htm");
    download(url(QStringLiteral("/wide.htm")), target);
    EXPECT_EQ(dlg.errors, QStringList{target + QStringLiteral(" contains NUL bytes and cannot be edited as text")});
    EXPECT_EQ(w->currentDocument(), nullptr);
    EXPECT_TRUE(w->windowCommands().windowList().isEmpty());
    EXPECT_EQ(readFile(target), utf16);
    EXPECT_FALSE(enabled(QStringLiteral("Save1")));
}

TEST_F(DownloadTest, AFailedDownloadSaysWhyUnderTheDesignsSentence)
{
    const QString target = cfg.write(QStringLiteral("keep.htm"), "mine");
    download(url(QStringLiteral("/missing")), target);
    ASSERT_EQ(dlg.errors.size(), 1);
    EXPECT_TRUE(dlg.errors[0].startsWith(QStringLiteral("Error in file download\n"))) << dlg.errors[0].toStdString();
    EXPECT_TRUE(dlg.errors[0].contains(QStringLiteral("404"))) << dlg.errors[0].toStdString();

    download(QStringLiteral("http://127.0.0.1:%1/").arg(unusedPort()), target);
    ASSERT_EQ(dlg.errors.size(), 2);
    EXPECT_TRUE(dlg.errors[1].startsWith(QStringLiteral("Error in file download\n")));
    EXPECT_GT(dlg.errors[1].size(), QStringLiteral("Error in file download\n").size());

    download(url(QStringLiteral("/announced-huge")), target);
    ASSERT_EQ(dlg.errors.size(), 3);
    EXPECT_EQ(dlg.errors[2], QStringLiteral("Error in file download\nThe page is 2.0 GB; a download may be at most 64 MB."));
    EXPECT_EQ(readFile(target), QByteArray("mine"));
    EXPECT_EQ(w->currentDocument(), nullptr);
}
