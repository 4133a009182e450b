#include "spike/spikestore.h"

#include "settings/settingscodec.h"
#include "settings/settingsstore.h"
#include "platform/smallfile.h"
#include "support/tempconfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(SpikeStore, FirstStartIsEmptyWithoutMessageAndSaveCreatesTheFile)
{
    TempConfig config;
    const QString folder = config.appFolder();
    ResultOf<QStringList> loaded;
    EXPECT_TRUE((loaded = loadSpikeClips(folder)).value.isEmpty());
    EXPECT_TRUE(loaded.message.isEmpty());
    const Result saved = saveSpikeClips(folder, {});
    ASSERT_TRUE(saved) << saved.message.toStdString();
    EXPECT_EQ(filesIn(folder), QStringList{QStringLiteral("spike.dvf")});
    EXPECT_TRUE((loaded = loadSpikeClips(folder)).value.isEmpty());
    EXPECT_TRUE(loaded.message.isEmpty());
}

TEST(SpikeStore, ClipsSurviveARestartInOrderWithoutAPlainFileLeft)
{
    TempConfig config;
    const QString folder = config.appFolder();
    const QStringList clips{QStringLiteral("<B>bold</B>"), QStringLiteral("  indented"),
                            QStringLiteral("same"), QStringLiteral("same"),
                            QStringLiteral("caf\u00e9 \u20ac")};
    ResultOf<QStringList> loaded;
    const Result saved = saveSpikeClips(folder, clips);
    ASSERT_TRUE(saved) << saved.message.toStdString();
    EXPECT_EQ(filesIn(folder), QStringList{QStringLiteral("spike.dvf")});
    EXPECT_EQ((loaded = loadSpikeClips(folder)).value, clips);
    EXPECT_TRUE(loaded.message.isEmpty());
    EXPECT_EQ(filesIn(folder), QStringList{QStringLiteral("spike.dvf")});
}

TEST(SpikeStore, StoredFormIsTheScrambledPlainList)
{
    TempConfig config;
    const QString folder = config.appFolder();
    ASSERT_TRUE(saveSpikeClips(folder, {QStringLiteral("a"), QString(), QStringLiteral("b")}));
    const ResultOf<Unscrambled> r = unscrambleSettings(TempConfig::read(folder + QStringLiteral("spike.dvf")),
                                                       SettingsKey);
    ASSERT_TRUE(r);
    EXPECT_EQ(r.value.storedPath, (folder + QStringLiteral("spike.ini")).toUtf8());
    EXPECT_EQ(r.value.plain, QByteArray("a\r\n\r\nb\r\n"));
    // The empty clip is gone after the next start.
    EXPECT_EQ(loadSpikeClips(folder).value, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(SpikeStore, AClipHoldingABreakIsStoredAsItsLines)
{
    TempConfig config;
    const QString folder = config.appFolder();
    ASSERT_TRUE(saveSpikeClips(folder, {QStringLiteral("a\r\nb"), QStringLiteral("c")}));
    EXPECT_EQ(loadSpikeClips(folder).value,
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST(SpikeStore, FileWrittenElsewhereStillLoads)
{
    TempConfig config;
    const QString folder = config.appFolder();
    writeRaw(folder + QStringLiteral("spike.dvf"),
             scrambleSettings("x\r\ny\n", QStringLiteral("C:\\Program Files\\spike.ini"),
                              SettingsKey));
    ResultOf<QStringList> loaded;
    EXPECT_EQ((loaded = loadSpikeClips(folder)).value, (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
    EXPECT_TRUE(loaded.message.isEmpty());
    EXPECT_EQ(filesIn(folder), QStringList{QStringLiteral("spike.dvf")});
}

TEST(SpikeStore, DamagedFileGivesMessageEmptySpikeAndIsKeptAside)
{
    TempConfig config;
    const QString folder = config.appFolder();
    const QString dvf = folder + QStringLiteral("spike.dvf");
    // The header announces a 200-byte path that is not there.
    const QByteArray damaged("\xc8short", 6);
    writeRaw(dvf, damaged);
    ResultOf<QStringList> loaded;
    EXPECT_TRUE((loaded = loadSpikeClips(folder)).value.isEmpty());
    EXPECT_TRUE(loaded.message.contains(dvf)) << loaded.message.toStdString();
    EXPECT_EQ(TempConfig::read(dvf + QStringLiteral(".damaged")), damaged);

    // The next save makes a sound file again.
    ASSERT_TRUE(saveSpikeClips(folder, {QStringLiteral("new")}));
    EXPECT_EQ((loaded = loadSpikeClips(folder)).value, QStringList{QStringLiteral("new")});
    EXPECT_TRUE(loaded.message.isEmpty());

    // An empty file has not even a header.
    writeRaw(dvf, QByteArray());
    EXPECT_TRUE((loaded = loadSpikeClips(folder)).value.isEmpty());
    EXPECT_TRUE(loaded.message.contains(dvf)) << loaded.message.toStdString();
}

TEST(SpikeStore, FileNamingAnotherPlainFileWritesNothing)
{
    TempConfig config;
    const QString folder = config.appFolder();
    writeRaw(folder + QStringLiteral("ignore.lst"), "keep\r\n");
    writeRaw(folder + QStringLiteral("spike.dvf"),
             scrambleSettings("gone\r\n", folder + QStringLiteral("ignore.lst"), SettingsKey));
    ResultOf<QStringList> loaded;
    EXPECT_TRUE((loaded = loadSpikeClips(folder)).value.isEmpty());
    EXPECT_TRUE(loaded.message.contains(folder + QStringLiteral("spike.dvf"))) << loaded.message.toStdString();
    EXPECT_EQ(TempConfig::read(folder + QStringLiteral("ignore.lst")), QByteArray("keep\r\n"));
}

TEST(SpikeStore, AnOversizedFileIsRefusedAndKeptAside)
{
    TempConfig config;
    const QString folder = config.appFolder();
    const QString dvf = folder + QStringLiteral("spike.dvf");
    const QByteArray huge = scrambleSettings(QByteArray(MaxSmallFileBytes, 'c'), folder + QStringLiteral("spike.ini"),
                                             SettingsKey);
    writeRaw(dvf, huge);
    ResultOf<QStringList> loaded;
    EXPECT_TRUE((loaded = loadSpikeClips(folder)).value.isEmpty());
    EXPECT_EQ(loaded.message, tooLargeMessage(dvf));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("spike.ini")));
    EXPECT_EQ(QFileInfo(dvf + QStringLiteral(".damaged")).size(), huge.size());
}

TEST(SpikeStore, UnreadableFileGivesCannotOpen)
{
    TempConfig config;
    const QString folder = config.appFolder();
    // A folder in the file's place cannot be read as a file.
    QDir().mkpath(folder + QStringLiteral("spike.dvf"));
    ResultOf<QStringList> loaded;
    EXPECT_TRUE((loaded = loadSpikeClips(folder)).value.isEmpty());
    EXPECT_EQ(loaded.message, QStringLiteral("Cannot open file %1spike.dvf").arg(folder));
}

TEST(SpikeStore, FailedSaveIsReportedAndLeavesNoPlainText)
{
    TempConfig config;
    const QString folder = config.appFolder();
    // The scrambled file cannot be written where a folder stands in its place.
    QDir().mkpath(folder + QStringLiteral("spike.dvf"));
    const Result saved = saveSpikeClips(folder, {QStringLiteral("new")});
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.message, QStringLiteral("Cannot create file %1spike.dvf").arg(folder));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("spike.ini")));
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("spike.dvf")).isDir());
}
