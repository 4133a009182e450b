#include "settings/settingscodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "support/filebytes.h"

namespace {

constexpr char kHi = char(14961 / 256);  // 58
constexpr char kLo = char(14961 % 256);  // 113

} // namespace

TEST(SettingsScramble, HeaderHoldsThePathXorLowByte)
{
    const QByteArray out = scrambleSettings("AB", QStringLiteral("/c/x.ini"), SettingsKey);
    ASSERT_EQ(out.size(), 1 + 8 + 2);
    EXPECT_EQ(out.at(0), char(8));
    QByteArray path = out.mid(1, 8);
    for (char &c : path)
        c ^= kLo;
    EXPECT_EQ(path, QByteArray("/c/x.ini"));
    EXPECT_EQ(out.at(9), char('A' ^ kHi));
    EXPECT_EQ(out.at(10), char('B' ^ kLo));
}

TEST(SettingsScramble, AlternationRestartsAtEveryChunk)
{
    const QByteArray plain(16386, '\0');
    const QByteArray out = scrambleSettings(plain, QStringLiteral("p"), SettingsKey);
    ASSERT_EQ(out.size(), 2 + 16386);
    const QByteArray body = out.mid(2);
    EXPECT_EQ(body.at(0), kHi);
    EXPECT_EQ(body.at(1), kLo);
    EXPECT_EQ(body.at(16383), kLo);
    EXPECT_EQ(body.at(16384), kHi);
    EXPECT_EQ(body.at(16385), kHi);
    // Any key: the two bytes come from the key as given.
    EXPECT_EQ(scrambleBody(QByteArray(2, '\0'), 0x1234), QByteArray("\x12\x34"));
}

TEST(SettingsScramble, LongPathIsRefusedNotTruncated)
{
    EXPECT_TRUE(scrambleSettings("x", QString(256, QLatin1Char('a')), SettingsKey).isEmpty());
    EXPECT_EQ(scrambleSettings("", QString(255, QLatin1Char('a')), SettingsKey).size(), 256);
    // Length counts UTF-8 bytes, not characters.
    EXPECT_TRUE(scrambleSettings("", QString(128, QChar(0xE9)), SettingsKey).isEmpty());
}

TEST(SettingsScramble, UnscrambleRejectsShortHeaders)
{
    const Result empty = unscrambleSettings(QByteArray(), SettingsKey);
    EXPECT_FALSE(empty);
    EXPECT_FALSE(empty.message.isEmpty());
    EXPECT_FALSE(unscrambleSettings(QByteArray("\x05" "abcd"), SettingsKey));
    const ResultOf<Unscrambled> exact = unscrambleSettings(QByteArray("\x04" "abcd"), SettingsKey);
    EXPECT_TRUE(exact);
    EXPECT_TRUE(exact.value.plain.isEmpty());
}

TEST(SettingsFiles, EncodeThenDecodeGivesThePlainBytesWithoutAPlainFile)
{
    QTemporaryDir dir;
    const QString plainPath = dir.filePath(QStringLiteral("spike.ini"));
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i)
        bytes.append(char(i * 7));
    const Result encoded = EncodeSettingsFile(plainPath, bytes, SettingsKey);
    ASSERT_TRUE(encoded) << encoded.message.toStdString();
    const QString dvf = dir.filePath(QStringLiteral("spike.dvf"));
    EXPECT_EQ(readAll(dvf), scrambleSettings(bytes, plainPath, SettingsKey));
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                    | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_FALSE(QFile::permissions(dvf) & others);
    EXPECT_TRUE(QFile::permissions(dvf).testFlags(QFile::ReadOwner | QFile::WriteOwner));

    const ResultOf<SettingsContent> decoded = DecodeSettingsFile(dvf, SettingsKey);
    EXPECT_EQ(decoded.value.name, QStringLiteral("spike.ini"));
    EXPECT_EQ(decoded.value.plain, bytes);
    // The plain form never touches the disk, not even for a moment.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("spike.dvf")});
}

TEST(SettingsFiles, EmptyPlainTextGivesHeaderOnly)
{
    QTemporaryDir dir;
    const QString plainPath = dir.filePath(QStringLiteral("FTPData.ini"));
    ASSERT_TRUE(EncodeSettingsFile(plainPath, QByteArray(), SettingsKey));
    const QString dvf = dir.filePath(QStringLiteral("FTPData.dvf"));
    EXPECT_EQ(readAll(dvf).size(), 1 + plainPath.toUtf8().size());
    const ResultOf<SettingsContent> decoded = DecodeSettingsFile(dvf, SettingsKey);
    EXPECT_EQ(decoded.value.name, QStringLiteral("FTPData.ini"));
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.value.plain, QByteArray());
}

TEST(SettingsFiles, MovedFileDecodesUnderTheStoredName)
{
    QTemporaryDir a, b;
    ASSERT_TRUE(EncodeSettingsFile(a.filePath(QStringLiteral("mivor.ini")), "Arial\r\n", SettingsKey));
    ASSERT_TRUE(QFile::rename(a.filePath(QStringLiteral("mivor.dvf")), b.filePath(QStringLiteral("renamed.dvf"))));
    const ResultOf<SettingsContent> decoded = DecodeSettingsFile(b.filePath(QStringLiteral("renamed.dvf")), SettingsKey);
    EXPECT_EQ(decoded.value.name, QStringLiteral("mivor.ini"));
    EXPECT_EQ(decoded.value.plain, QByteArray("Arial\r\n"));
    EXPECT_TRUE(DecodeOwnSettingsFile(b.filePath(QStringLiteral("renamed.dvf")), QStringLiteral("mivor.ini"), SettingsKey));
}

TEST(SettingsFiles, StoredNameFromAnotherSystemUsesItsLastPart)
{
    QTemporaryDir dir;
    const QString dvf = dir.filePath(QStringLiteral("old.dvf"));
    writeAll(dvf, scrambleSettings("x", QStringLiteral("C:\\Program Files\\Mivor\\mivor.ini"), SettingsKey));
    EXPECT_EQ(DecodeSettingsFile(dvf, SettingsKey).value.name, QStringLiteral("mivor.ini"));
    EXPECT_EQ(DecodeOwnSettingsFile(dvf, QStringLiteral("mivor.ini"), SettingsKey).value, QByteArray("x"));
}

TEST(SettingsFiles, UnusableOrForeignStoredNamesAreRefused)
{
    QTemporaryDir dir;
    const QString dvf = dir.filePath(QStringLiteral("x.dvf"));
    for (const QString &stored : {QString(), QStringLiteral("/etc/"), QStringLiteral("."),
                                  QStringLiteral("/a/.."), QStringLiteral("..")}) {
        writeAll(dvf, scrambleSettings("evil", stored, SettingsKey));
        const ResultOf<SettingsContent> decoded = DecodeSettingsFile(dvf, SettingsKey);
        EXPECT_FALSE(decoded.ok) << stored.toStdString();
        EXPECT_FALSE(decoded.message.isEmpty());
    }
    writeAll(dvf, scrambleSettings("evil", QStringLiteral("/home/u/.bashrc"), SettingsKey));
    const OwnSettingsRead<QByteArray> own = DecodeOwnSettingsFile(dvf, QStringLiteral("mivor.ini"), SettingsKey);
    EXPECT_FALSE(own.ok);
    EXPECT_TRUE(own.damaged);
    EXPECT_TRUE(own.value.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("x.dvf")});
}

TEST(SettingsFiles, DamagedMissingOrOversizedFilesGiveMessages)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none.dvf"));
    ResultOf<SettingsContent> decoded = DecodeSettingsFile(missing, SettingsKey);
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.message, QStringLiteral("Cannot open file ") + missing);
    // A file that is not there is no damaged file to keep aside.
    EXPECT_FALSE(DecodeOwnSettingsFile(missing, QStringLiteral("none.ini"), SettingsKey).damaged);

    const QString shortFile = dir.filePath(QStringLiteral("short.dvf"));
    writeAll(shortFile, "\x20" "abc");
    decoded = DecodeSettingsFile(shortFile, SettingsKey);
    EXPECT_FALSE(decoded.ok);
    EXPECT_TRUE(decoded.message.contains(QStringLiteral("too short"))) << decoded.message.toStdString();

    // Judged by its size before it is read, not after.
    const QString huge = dir.filePath(QStringLiteral("FTPData.dvf"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(400) << 20));
    }
    const OwnSettingsRead<QByteArray> own = DecodeOwnSettingsFile(huge, QStringLiteral("FTPData.ini"), SettingsKey);
    EXPECT_FALSE(own.ok);
    EXPECT_TRUE(own.damaged);
    EXPECT_EQ(own.message, huge + QStringLiteral(" is larger than 4 MB and was not read"));
}

TEST(SettingsFiles, EncodeRefusesLongPathsAndItsOwnOutput)
{
    QTemporaryDir dir;
    Result error;
    const QString deep = dir.path() + QLatin1Char('/') + QString(200, QLatin1Char('d'));
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString plainPath = deep + QLatin1Char('/') + QString(60, QLatin1Char('n')) + QStringLiteral(".ini");
    EXPECT_FALSE((error = EncodeSettingsFile(plainPath, "x", SettingsKey)));
    EXPECT_TRUE(error.message.contains(QStringLiteral("255"))) << error.message.toStdString();
    EXPECT_EQ(QDir(deep).entryList(QDir::Files).size(), 0);

    const QString dvf = dir.filePath(QStringLiteral("a.dvf"));
    writeAll(dvf, "plain");
    EXPECT_FALSE((error = EncodeSettingsFile(dvf, "x", SettingsKey)));
    EXPECT_EQ(readAll(dvf), QByteArray("plain"));
}

TEST(SettingsFiles, EncodeNameWithoutExtensionGetsDvfAppended)
{
    QTemporaryDir dir;
    ASSERT_TRUE(EncodeSettingsFile(dir.filePath(QStringLiteral("settings")), "x", SettingsKey));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("settings.dvf"))));
}

TEST(SettingsFiles, ALinkAtTheScrambledNameIsReplacedNotWrittenThrough)
{
    QTemporaryDir dir;
    const QString decoy = dir.filePath(QStringLiteral("shadow"));
    writeAll(decoy, "root:*:19000:0:99999:7:::\n");
    QFile::setPermissions(decoy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const QFile::Permissions decoyMode = QFile::permissions(decoy);
    const QString dvf = dir.filePath(QStringLiteral("mivor.dvf"));
    ASSERT_TRUE(QFile::link(decoy, dvf));
    ASSERT_TRUE(EncodeSettingsFile(dir.filePath(QStringLiteral("mivor.ini")), "Arial\r\n", SettingsKey));
    EXPECT_EQ(readAll(decoy), QByteArray("root:*:19000:0:99999:7:::\n"));
    EXPECT_EQ(QFile::permissions(decoy), decoyMode);
    EXPECT_FALSE(QFileInfo(dvf).isSymLink());
    EXPECT_EQ(DecodeOwnSettingsFile(dvf, QStringLiteral("mivor.ini"), SettingsKey).value, QByteArray("Arial\r\n"));
}
