#include "htmlaid/speller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using htmlaid::Speller;

namespace {

const QString kSystem = QString::fromLatin1(htmlaid::kSystemDictionaries);

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Speller, DictionariesAreFoundByTheirTwoFiles)
{
    // The project installs the US English dictionary.
    ASSERT_TRUE(Speller::languagesIn(kSystem).contains(QStringLiteral("en_US")));
    QTemporaryDir dir;
    for (const char *name : {"xx_XX.dic", "xx_XX.aff", "yy.dic", ".hidden.dic", ".hidden.aff"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(Speller::languagesIn(dir.path()), QStringList{QStringLiteral("xx_XX")});
    EXPECT_EQ(Speller::pickLanguage({"de_DE", "en_US"}, "de_DE"), QStringLiteral("de_DE"));
    EXPECT_EQ(Speller::pickLanguage({"de_DE", "en_US"}, "fr_FR"), QStringLiteral("en_US"));
    EXPECT_EQ(Speller::pickLanguage({"de_DE"}, ""), QStringLiteral("de_DE"));
    EXPECT_TRUE(Speller::pickLanguage({}, "en_US").isEmpty());
}

TEST(Speller, ChecksAndSuggestsWithTheSystemDictionary)
{
    QTemporaryDir dir;
    Speller s(dir.filePath(QStringLiteral("words.txt")));
    const Result r = s.load(kSystem, QStringLiteral("en_US"));
    ASSERT_TRUE(r) << r.message.toStdString();
    EXPECT_TRUE(s.ready());
    EXPECT_TRUE(s.check(QStringLiteral("hello")));
    EXPECT_TRUE(s.check(QStringLiteral("Paragraph")));
    EXPECT_TRUE(s.check(QStringLiteral("don't")));
    EXPECT_TRUE(s.check(QString::fromUtf8("don\u2019t")));
    EXPECT_FALSE(s.check(QStringLiteral("helo")));
    EXPECT_FALSE(s.check(QStringLiteral("mispeled")));
    const QStringList suggestions = s.suggest(QStringLiteral("mispeled"));
    EXPECT_TRUE(suggestions.contains(QStringLiteral("misspelled"))) << suggestions.join(u',').toStdString();
    EXPECT_LE(suggestions.size(), 8);
    EXPECT_LE(s.suggest(QStringLiteral("helo"), 2).size(), 2);
}

TEST(Speller, NoDictionaryIsAFailureThatChecksNothing)
{
    QTemporaryDir dir;
    Speller s(dir.filePath(QStringLiteral("words.txt")));
    for (const char *bad : {"zz_ZZ", "", "../hunspell/en_US"}) {
        const Result r = s.load(kSystem, QString::fromLatin1(bad));
        EXPECT_FALSE(r) << bad;
        EXPECT_FALSE(r.message.isEmpty());
    }
    EXPECT_FALSE(s.ready());
    EXPECT_TRUE(s.check(QStringLiteral("helo")));   // nothing to say
    EXPECT_TRUE(s.suggest(QStringLiteral("helo")).isEmpty());
}

TEST(Speller, AddedWordsAreKeptInTheUsersListAndKnownNextTime)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("words.txt"));
    {
        Speller s(list);
        ASSERT_TRUE(s.load(kSystem, QStringLiteral("en_US")));
        EXPECT_FALSE(s.check(QStringLiteral("Mivor")));
        ASSERT_TRUE(s.add(QStringLiteral("Mivor")));
        EXPECT_TRUE(s.check(QStringLiteral("Mivor")));
        ASSERT_TRUE(s.add(QStringLiteral("Mivor")));   // once only
        ASSERT_TRUE(s.add(QString::fromUtf8("Zürichsee")));
        EXPECT_FALSE(s.add(QStringLiteral("  ")));
        EXPECT_FALSE(s.add(QStringLiteral("two\nlines")));
    }
    EXPECT_EQ(readAll(list), QString::fromUtf8("Mivor\nZürichsee\n").toUtf8());
    Speller again(list);
    ASSERT_TRUE(again.load(kSystem, QStringLiteral("en_US")));
    EXPECT_TRUE(again.check(QStringLiteral("Mivor")));
    EXPECT_TRUE(again.check(QString::fromUtf8("Zürichsee")));
    EXPECT_EQ(again.personalWords().size(), 2);
}

TEST(Speller, TheWordListIsNeverWrittenThroughALinkAtItsName)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("elsewhere.txt"));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("precious\n");
    }
    const QString list = dir.filePath(QStringLiteral("words.txt"));
    ASSERT_TRUE(QFile::link(target, list));
    Speller s(list);
    ASSERT_TRUE(s.load(kSystem, QStringLiteral("en_US")));
    ASSERT_TRUE(s.add(QStringLiteral("Mivor")));
    EXPECT_EQ(readAll(target), QByteArray("precious\n"));
    EXPECT_FALSE(QFileInfo(list).isSymLink());
    EXPECT_TRUE(readAll(list).contains("Mivor"));
}

TEST(Speller, AListThatCannotBeWrittenAddsNothing)
{
    QTemporaryDir dir;
    // A folder stands where the list should be written.
    const QString list = dir.filePath(QStringLiteral("words.txt"));
    ASSERT_TRUE(QDir().mkpath(list + QStringLiteral("/inside")));
    Speller s(list);
    ASSERT_TRUE(s.load(kSystem, QStringLiteral("en_US")));
    const Result r = s.add(QStringLiteral("Mivor"));
    EXPECT_FALSE(r);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_FALSE(s.check(QStringLiteral("Mivor")));
}
