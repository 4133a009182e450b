#include "settings/settingscodec.h"

#include <QDir>
#include <QFile>
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
    QByteArray stored, plain;
    const Result empty = unscrambleSettings(QByteArray(), SettingsKey, stored, plain);
    EXPECT_FALSE(empty);
    EXPECT_FALSE(empty.message.isEmpty());
    EXPECT_FALSE(unscrambleSettings(QByteArray("\x05" "abcd"), SettingsKey, stored, plain));
    EXPECT_TRUE(unscrambleSettings(QByteArray("\x04" "abcd"), SettingsKey, stored, plain));
    EXPECT_TRUE(plain.isEmpty());
}

TEST(SettingsFiles, EncodeThenDecodeRestoresThePlainFile)
{
    QTemporaryDir dir;
    const QString plainPath = dir.filePath(QStringLiteral("spike.ini"));
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i)
        bytes.append(char(i * 7));
    writeAll(plainPath, bytes);
    const Result encoded = EncodeSettingsFile(plainPath, SettingsKey);
    ASSERT_TRUE(encoded) << encoded.message.toStdString();
    EXPECT_TRUE(QFile::exists(plainPath));  // callers delete it
    const QString dvf = dir.filePath(QStringLiteral("spike.dvf"));
    const QByteArray scrambled = readAll(dvf);
    EXPECT_EQ(scrambled, scrambleSettings(bytes, plainPath, SettingsKey));
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                    | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_FALSE(QFile::permissions(dvf) & others);
    EXPECT_TRUE(QFile::permissions(dvf).testFlags(QFile::ReadOwner | QFile::WriteOwner));

    QFile::remove(plainPath);
    EXPECT_EQ(DecodeSettingsFile(dvf, SettingsKey).value, QStringLiteral("spike.ini"));
    EXPECT_EQ(readAll(plainPath), bytes);
}

TEST(SettingsFiles, EmptyPlainFileGivesHeaderOnly)
{
    QTemporaryDir dir;
    const QString plainPath = dir.filePath(QStringLiteral("FTPData.ini"));
    writeAll(plainPath, QByteArray());
    ASSERT_TRUE(EncodeSettingsFile(plainPath, SettingsKey));
    const QString dvf = dir.filePath(QStringLiteral("FTPData.dvf"));
    EXPECT_EQ(readAll(dvf).size(), 1 + plainPath.toUtf8().size());
    writeAll(plainPath, "stale");
    EXPECT_EQ(DecodeSettingsFile(dvf, SettingsKey).value, QStringLiteral("FTPData.ini"));
    EXPECT_EQ(readAll(plainPath), QByteArray());
}

TEST(SettingsFiles, MovedFileDecodesInItsNewFolderUnderTheStoredName)
{
    QTemporaryDir a, b;
    writeAll(a.filePath(QStringLiteral("mivor.ini")), "Arial\r\n");
    ASSERT_TRUE(EncodeSettingsFile(a.filePath(QStringLiteral("mivor.ini")), SettingsKey));
    ASSERT_TRUE(QFile::rename(a.filePath(QStringLiteral("mivor.dvf")), b.filePath(QStringLiteral("renamed.dvf"))));
    QFile::remove(a.filePath(QStringLiteral("mivor.ini")));
    EXPECT_EQ(DecodeSettingsFile(b.filePath(QStringLiteral("renamed.dvf")), SettingsKey).value, QStringLiteral("mivor.ini"));
    EXPECT_EQ(readAll(b.filePath(QStringLiteral("mivor.ini"))), QByteArray("Arial\r\n"));
    EXPECT_FALSE(QFile::exists(a.filePath(QStringLiteral("mivor.ini"))));
}

TEST(SettingsFiles, StoredNameFromAnotherSystemUsesItsLastPart)
{
    QTemporaryDir dir;
    const QString dvf = dir.filePath(QStringLiteral("old.dvf"));
    writeAll(dvf, scrambleSettings("x", QStringLiteral("C:\\Program Files\\Mivor\\mivor.ini"), SettingsKey));
    EXPECT_EQ(DecodeSettingsFile(dvf, SettingsKey).value, QStringLiteral("mivor.ini"));
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("mivor.ini"))), QByteArray("x"));
}

TEST(SettingsFiles, StoredNamesThatLeaveTheFolderAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("app")));
    const QString dvf = dir.filePath(QStringLiteral("app/x.dvf"));
    for (const QString &stored : {QString(), QStringLiteral("/etc/"), QStringLiteral("."),
                                  QStringLiteral("/a/.."), QStringLiteral("..")}) {
        writeAll(dvf, scrambleSettings("evil", stored, SettingsKey));
        const ResultOf<QString> decoded = DecodeSettingsFile(dvf, SettingsKey);
        EXPECT_EQ(decoded.value, QString()) << stored.toStdString();
        EXPECT_FALSE(decoded.message.isEmpty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("app"))).entryList(QDir::Files), QStringList{QStringLiteral("x.dvf")});
}

TEST(SettingsFiles, DamagedOrMissingFilesGiveMessages)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none.dvf"));
    ResultOf<QString> decoded = DecodeSettingsFile(missing, SettingsKey);
    EXPECT_EQ(decoded.value, QString());
    EXPECT_EQ(decoded.message, QStringLiteral("Cannot open file ") + missing);

    const QString shortFile = dir.filePath(QStringLiteral("short.dvf"));
    writeAll(shortFile, "\x20" "abc");
    decoded = DecodeSettingsFile(shortFile, SettingsKey);
    EXPECT_EQ(decoded.value, QString());
    EXPECT_TRUE(decoded.message.contains(QStringLiteral("too short"))) << decoded.message.toStdString();

    const QString plainMissing = dir.filePath(QStringLiteral("gone.ini"));
    const Result encoded = EncodeSettingsFile(plainMissing, SettingsKey);
    EXPECT_FALSE(encoded);
    EXPECT_EQ(encoded.message, QStringLiteral("Cannot open file ") + plainMissing);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("gone.dvf"))));
}

TEST(SettingsFiles, EncodeRefusesLongPathsAndItsOwnOutput)
{
    QTemporaryDir dir;
    Result error;
    const QString deep = dir.path() + QLatin1Char('/') + QString(200, QLatin1Char('d'));
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString plainPath = deep + QLatin1Char('/') + QString(60, QLatin1Char('n')) + QStringLiteral(".ini");
    writeAll(plainPath, "x");
    EXPECT_FALSE((error = EncodeSettingsFile(plainPath, SettingsKey)));
    EXPECT_TRUE(error.message.contains(QStringLiteral("255"))) << error.message.toStdString();
    EXPECT_EQ(QDir(deep).entryList(QDir::Files).size(), 1);

    const QString dvf = dir.filePath(QStringLiteral("a.dvf"));
    writeAll(dvf, "plain");
    EXPECT_FALSE((error = EncodeSettingsFile(dvf, SettingsKey)));
    EXPECT_EQ(readAll(dvf), QByteArray("plain"));
}

TEST(SettingsFiles, EncodeNameWithoutExtensionGetsDvfAppended)
{
    QTemporaryDir dir;
    writeAll(dir.filePath(QStringLiteral("settings")), "x");
    ASSERT_TRUE(EncodeSettingsFile(dir.filePath(QStringLiteral("settings")), SettingsKey));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("settings.dvf"))));
}
