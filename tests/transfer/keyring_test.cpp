// FTP passwords kept in a real desktop keyring: a GNOME Keyring in a private
// D-Bus session (scripts/with-keyring.sh, the `keyring` test). Without a
// keyring on the session bus these tests have nothing to talk to and skip;
// the plain runs of this binary check the file-only road instead.
#include "support/scripteddialogs.h"
#include "transfer/ftpprefs.h"
#include "transfer/keyring.h"
#include "transfer/publishing.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QWidget>
#include <gtest/gtest.h>

using namespace transfer;

namespace {

// What the keyring holds under a name, asked with the desktop's own tool,
// so the check does not go through the code it checks.
QString lookedUp(const QString &key)
{
    QProcess tool;
    tool.start(QStringLiteral("secret-tool"),
               {QStringLiteral("lookup"), QStringLiteral("user"), key, QStringLiteral("server"), QStringLiteral("Mivor")});
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

class KeyringTest : public ::testing::Test {
protected:
    ScriptedDialogs dlg;
    FileDialogState saveDialog;
    QWidget owner;
    QStringList file;   // the lines of FTPData.ini as the store got them
    std::unique_ptr<Publishing> pub;

    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("MIVOR_TEST_KEYRING") || !desktopKeyring().reachable())
            GTEST_SKIP() << "no private keyring; the keyring test runs these with one";
        start();
    }
    void start()
    {
        pub = std::make_unique<Publishing>(
            &owner, [this] { return file.isEmpty() ? FtpDataRead::failure(QString()) : FtpDataRead::success(file); },
            [this](const QStringList &lines) {
                file = lines;
                return Result::success();
            },
            saveDialog);
        pub->LoadFtpData();
        waitForKeyring();
    }
    void waitForKeyring()
    {
        QElapsedTimer t;
        t.start();
        while (pub->passwordsPending() > 0 && t.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_EQ(pub->passwordsPending(), 0);
    }
    // FTP Settings with these rows, the keyring box as given, then Keep.
    void keep(const QList<QStringList> &rows, std::optional<bool> inKeyring = std::nullopt)
    {
        bool enabled = false, checked = false;
        pub->showModal = [&](QDialog *d) {
            auto *prefs = qobject_cast<TFTPPrefs *>(d);
            if (!prefs)
                return int(QDialog::Rejected);
            enabled = prefs->KeyringBox->isEnabled();
            checked = prefs->KeyringBox->isChecked();
            if (inKeyring)
                prefs->KeyringBox->setChecked(*inKeyring);
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 3; ++c)
                    prefs->setCell(r + 1, c, rows.value(r).value(c));
            prefs->SpeedButton2Click();
            return prefs->result();
        };
        pub->FTPSettings();
        boxWasEnabled = enabled;
        boxWasChecked = checked;
        waitForKeyring();
    }
    bool boxWasEnabled = false, boxWasChecked = false;
};

} // namespace

TEST_F(KeyringTest, PasswordsGoToTheKeyringAndTheFileKeepsEverythingElse)
{
    keep({{"ftp.one.example", "ann", "first secret"}, {"ftp.two.example", "bob", "second secret"}});
    EXPECT_TRUE(boxWasEnabled);
    EXPECT_TRUE(boxWasChecked);   // on by default where a keyring answers
    EXPECT_EQ(file, (QStringList{"ftp.one.example", "ann", "", "ftp.two.example", "bob", ""}));
    EXPECT_EQ(lookedUp("ann@ftp.one.example (FTP)"), "first secret");
    EXPECT_EQ(lookedUp("bob@ftp.two.example (FTP)"), "second secret");
    EXPECT_TRUE(dlg.errors.isEmpty()) << dlg.errors.join('|').toStdString();

    // The next run reads them back from the keyring.
    start();
    EXPECT_EQ(pub->session.FtpServers[0].Password, "first secret");
    EXPECT_EQ(pub->session.FtpServers[1].Password, "second secret");
    EXPECT_EQ(pub->session.FtpPassword, "first secret");
    EXPECT_TRUE(dlg.errors.isEmpty()) << dlg.errors.join('|').toStdString();
}

TEST_F(KeyringTest, UntickingPutsThePasswordsBackIntoTheFileAndEmptiesTheKeyring)
{
    keep({{"ftp.three.example", "cy", "third secret"}, {"ftp.four.example", "di", "fourth secret"}});
    ASSERT_EQ(lookedUp("cy@ftp.three.example (FTP)"), "third secret");
    start();
    // A server dropped from the table takes its password with it.
    keep({{"ftp.three.example", "cy", "third secret"}});
    EXPECT_TRUE(boxWasChecked);
    EXPECT_EQ(lookedUp("di@ftp.four.example (FTP)"), "");
    EXPECT_EQ(lookedUp("cy@ftp.three.example (FTP)"), "third secret");

    keep({{"ftp.three.example", "cy", "third secret"}}, false);
    EXPECT_EQ(file, (QStringList{"ftp.three.example", "cy", "third secret"}));
    start();
    EXPECT_EQ(lookedUp("cy@ftp.three.example (FTP)"), "");
    EXPECT_EQ(pub->session.FtpServers[0].Password, "third secret");
    // The choice shows again next time.
    keep({{"ftp.three.example", "cy", "third secret"}});
    EXPECT_FALSE(boxWasChecked);
    EXPECT_EQ(file, (QStringList{"ftp.three.example", "cy", "third secret"}));
}

TEST_F(KeyringTest, APasswordTheKeyringLostIsReportedAndLeftEmpty)
{
    keep({{"ftp.five.example", "ed", "fifth secret"}});
    QProcess::execute(QStringLiteral("secret-tool"), {QStringLiteral("clear"), QStringLiteral("user"),
                                                      QStringLiteral("ed@ftp.five.example (FTP)"),
                                                      QStringLiteral("server"), QStringLiteral("Mivor")});
    start();
    ASSERT_EQ(dlg.errors.size(), 1);
    EXPECT_TRUE(dlg.errors[0].startsWith("The FTP password for ed@ftp.five.example (FTP) could not be read"))
        << dlg.errors[0].toStdString();
    EXPECT_EQ(pub->session.FtpServers[0].Password, "");
}
