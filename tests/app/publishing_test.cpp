// FTP settings kept and read through the main window, and the enabling of
// Save @ www that follows them.
#include "app/ftpdatastore.h"
#include "settings/settingscodec.h"
#include "mainwindowtestbase.h"
#include "support/createdfiles.h"
#include "transfer/ftpprefs.h"

#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

class FtpSettingsTest : public MainWindowTest {
protected:
    // Fills the grid rows (server, user, password) and presses Keep.
    void keep(const QList<QStringList> &rows)
    {
        modalAnswer = [rows](QDialog *d) {
            auto *prefs = qobject_cast<TFTPPrefs *>(d);
            if (!prefs)
                return int(QDialog::Rejected);
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 3; ++c)
                    prefs->setCell(r + 1, c, rows.value(r).value(c));
            prefs->SpeedButton2Click();
            return prefs->result();
        };
        w->transferCommands().FTPSettings1Click();
        modalAnswer = nullptr;
    }
    QStringList row(const char *s, const char *u, const char *p) { return {s, u, p}; }
};

} // namespace

TEST_F(FtpSettingsTest, KeepWritesOnlyTheScrambledFileAndEnablesSaveAtWww)
{
    w->documentCommands().New1Click();
    EXPECT_FALSE(enabled(QStringLiteral("Savewww1")));
    keep({row("ftp.one", "u1", "p1"), {}, row("ftp.three", "u3", "p3")});
    const QString dvf = cfg.appFolder() + QStringLiteral("FTPData.dvf");
    ASSERT_TRUE(QFile::exists(dvf));
    EXPECT_FALSE(QFile::exists(cfg.appFolder() + QStringLiteral("FTPData.ini")));
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                    | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFile::permissions(dvf) & others, QFile::Permissions());
    EXPECT_TRUE(QFile::permissions(dvf) & QFile::WriteOwner);
    EXPECT_TRUE(w->transferCommands().ftpDataPresent());
    EXPECT_TRUE(enabled(QStringLiteral("Savewww1")));
    const auto &s = w->transferCommands().publishingDialogs()->session;
    EXPECT_EQ(s.FtpServers[1].Server, QStringLiteral("ftp.three"));
    EXPECT_EQ(s.FtpServer, QStringLiteral("ftp.one"));

    // Clearing a row takes it away at once.
    keep({row("ftp.one", "u1", "p1")});
    EXPECT_TRUE(s.FtpServers[1].Server.isEmpty());

    // A fresh start reads the table back.
    w.reset();
    open();
    EXPECT_TRUE(w->transferCommands().ftpDataPresent());
    EXPECT_EQ(w->transferCommands().publishingDialogs()->session.FtpServers[0].Password, QStringLiteral("p1"));
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST_F(FtpSettingsTest, KeepAndStartNeverLayThePasswordsOnDisk)
{
    CreatedFiles created(cfg.appFolder());
    ASSERT_TRUE(created.watching());
    keep({row("ftp.one", "u1", "p1")});
    w.reset();
    open();
    EXPECT_EQ(w->transferCommands().publishingDialogs()->session.FtpServers[0].Password, QStringLiteral("p1"));
    const QStringList names = created.names();
    EXPECT_TRUE(names.contains(QStringLiteral("FTPData.dvf")));
    for (const QString &name : names)
        EXPECT_FALSE(name.contains(QStringLiteral(".ini"))) << name.toStdString();
}

TEST_F(FtpSettingsTest, IncompleteRowSavesNothing)
{
    keep({row("ftp.one", "u1", ""), row("ftp.two", "u2", "p2")});
    EXPECT_EQ(dlg.messages, QStringList{"Incomplete details."});
    EXPECT_FALSE(QFile::exists(cfg.appFolder() + QStringLiteral("FTPData.dvf")));
    EXPECT_FALSE(w->transferCommands().ftpDataPresent());
}

// Save @ www writes the file first; when that fails the window says why and
// nothing is sent.
TEST_F(FtpSettingsTest, SaveAtWwwThatCannotWriteTheFileSaysWhyAndSendsNothing)
{
    keep({row("ftp.one", "u1", "p1")});
    w->documentCommands().New1Click();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    ASSERT_TRUE(QDir().mkpath(path));   // a folder stands at the name
    w->currentDocument()->setCaption(path);
    shownDialogs.clear();
    w->transferCommands().Savewww1Click();
    EXPECT_EQ(dlg.errors, QStringList{QStringLiteral("Cannot create file ") + path + QStringLiteral(": Is a directory")});
    EXPECT_TRUE(shownDialogs.isEmpty());
}

TEST(FtpDataFile, DamagedShortAndEmptyFiles)
{
    TempConfig cfg;
    const QString folder = cfg.appFolder();
    QDir().mkpath(folder);
    // No file: nothing, silently.
    transfer::FtpDataRead r = loadFtpDataFile(folder);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.isEmpty());

    // No complete row kept: an empty file, read as no entries.
    ASSERT_TRUE(saveFtpDataFile(folder, {}));
    r = loadFtpDataFile(folder);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.value.isEmpty());

    // Bytes that announce more than they hold.
    QFile f(folder + QStringLiteral("FTPData.dvf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x40short");
    f.close();
    r = loadFtpDataFile(folder);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.isEmpty());

    // A scrambled file of another settings file is not taken for this one,
    // and writes nothing into the folder.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(scrambleSettings("x\r\n", folder + QStringLiteral("mivor.ini"), SettingsKey));
    f.close();
    r = loadFtpDataFile(folder);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("mivor.ini")));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("FTPData.ini")));

    // Judged by its size, before a byte of it is read.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(qint64(400) << 20));
    f.close();
    r = loadFtpDataFile(folder);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, folder + QStringLiteral("FTPData.dvf is larger than 4 MB and was not read"));
}
