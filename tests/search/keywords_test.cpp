#include "search/keywords.h"

#include "search/printers.h"

#include "platform/appfolder.h"
#include "platform/smallfile.h"
#include "support/tempconfig.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

using namespace search;

namespace {

KeywordScan scanned(const QString &text, const QStringList &ignore = {})
{
    KeywordScan scan(text, ignore);
    while (!scan.step(1000)) {
    }
    return scan;
}

QString meta(const QString &keywords)
{
    return QStringLiteral("<META NAME=\"KEYWORDS\" DESCRIPTION=\"") + keywords + QStringLiteral("\"> ");
}

} // namespace

TEST(KeywordScan, CountsWordsWhateverTheirCase)
{
    const KeywordScan scan = scanned(QStringLiteral("HTML html Html"));
    EXPECT_EQ(scan.keywords(), (QList<KeywordEntry>{{3, QStringLiteral("HTML")}}));
    EXPECT_EQ(scan.metaText(), meta(QStringLiteral("HTML")));
}

TEST(KeywordScan, EqualCountsKeepAlphabeticalOrder)
{
    const KeywordScan scan = scanned(QStringLiteral("plum pear apple plum apple"));
    EXPECT_EQ(scan.keywords(), (QList<KeywordEntry>{{2, QStringLiteral("APPLE")},
                                                    {2, QStringLiteral("PLUM")},
                                                    {1, QStringLiteral("PEAR")}}));
    EXPECT_EQ(scan.metaText(), meta(QStringLiteral("APPLE, PLUM, PEAR")));
    // A prefix sorts before the longer word.
    EXPECT_EQ(scanned(QStringLiteral("apples apple")).metaText(), meta(QStringLiteral("APPLE, APPLES")));
}

TEST(KeywordScan, OnlyAsciiLettersMakeWords)
{
    EXPECT_EQ(scanned(QStringLiteral("the and car cars")).metaText(), meta(QStringLiteral("CARS")));
    EXPECT_EQ(scanned(QStringLiteral("e-mail")).metaText(), meta(QStringLiteral("MAIL")));
    EXPECT_EQ(scanned(QStringLiteral("café")).metaText(), meta(QString()));
    EXPECT_EQ(scanned(QStringLiteral("résumé")).metaText(), meta(QString()));
    EXPECT_EQ(scanned(QStringLiteral("abc1defg don't x_word")).metaText(), meta(QStringLiteral("DEFG, WORD")));
    EXPECT_EQ(scanned(QStringLiteral("<BODY bgcolor=\"#FFFFFF\">\r\n<FONT>")).metaText(),
              meta(QStringLiteral("BGCOLOR, BODY, FFFFFF, FONT")));
    // A word that ends the text counts.
    EXPECT_EQ(scanned(QStringLiteral("end")).distinctWordCount(), 0);
    EXPECT_EQ(scanned(QStringLiteral("ends")).metaText(), meta(QStringLiteral("ENDS")));
}

TEST(KeywordScan, EmptyTextGivesAnEmptyList)
{
    KeywordScan scan(QString(), {});
    EXPECT_TRUE(scan.step(0));
    EXPECT_EQ(scan.progressPercent(), 100);
    EXPECT_EQ(scan.metaText(), QStringLiteral("<META NAME=\"KEYWORDS\" DESCRIPTION=\"\"> "));
}

TEST(KeywordScan, AtMostTwentyOfTheMostFrequent)
{
    // Word number i (two letters from i) occurs i + 1 times; 26 words.
    QString text;
    QStringList expected;
    for (int i = 25; i >= 0; --i) {
        const QString word = QStringLiteral("word") + QChar(u'a' + i);
        for (int n = 0; n <= i; ++n)
            text += word + QLatin1Char(' ');
        if (expected.size() < 20)
            expected.append(word.toUpper());
    }
    const KeywordScan scan = scanned(text);
    EXPECT_EQ(scan.distinctWordCount(), 26);
    EXPECT_EQ(scan.metaText(), meta(expected.join(QStringLiteral(", "))));
    EXPECT_EQ(scan.keywords(100).size(), 26);
}

TEST(KeywordScan, EveryDistinctWordIsCounted)
{
    // Far more than a fixed table of a thousand entries would hold; the
    // frequent word comes last in the text and last in alphabetical order.
    QString text;
    for (int i = 0; i < 3000; ++i) {
        text += QStringLiteral("word");
        int v = i;
        do {
            text += QChar(u'a' + v % 26);
            v /= 26;
        } while (v > 0);
        text += QLatin1Char(' ');
    }
    text += QStringLiteral("zzzz zzzz");
    const KeywordScan scan = scanned(text);
    EXPECT_EQ(scan.distinctWordCount(), 3001);
    EXPECT_EQ(scan.keywords(1), (QList<KeywordEntry>{{2, QStringLiteral("ZZZZ")}}));
}

TEST(KeywordScan, LongWordsAreCutToThirtyLetters)
{
    const QString word35 = QStringLiteral("abcdefghijklmnopqrstuvwxyzabcdefghi");
    ASSERT_EQ(word35.size(), 35);
    EXPECT_EQ(scanned(word35).metaText(), meta(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD")));
}

TEST(KeywordScan, IgnoreListWholeLinesWithoutCase)
{
    const QStringList ignore{QStringLiteral("Body"), QStringLiteral("FONT"), QStringLiteral("href "),
                             QStringLiteral("caf\u00e9"), QStringLiteral("abc")};
    const KeywordScan scan = scanned(QStringLiteral("body BODY Font font href title"), ignore);
    // "href " with its blank matches no word, so HREF still counts.
    EXPECT_EQ(scan.metaText(), meta(QStringLiteral("HREF, TITLE")));
}

TEST(KeywordScan, SlicesGiveTheSameCountsAsOneRun)
{
    // Words straddle the slice boundaries.
    QString text;
    for (int i = 0; text.size() < 300000; ++i)
        text += (i % 7 == 0 ? QStringLiteral("lorem ") : QStringLiteral("ipsumdolor, sitamet\r\n"));
    KeywordScan sliced(text, {});
    int steps = 0;
    int lastPercent = -1;
    while (!sliced.step(0)) {
        ++steps;
        EXPECT_GE(sliced.progressPercent(), lastPercent);
        EXPECT_LT(sliced.progressPercent(), 100);
        lastPercent = sliced.progressPercent();
    }
    EXPECT_GE(steps, 3);
    EXPECT_EQ(sliced.progressPercent(), 100);
    EXPECT_TRUE(sliced.isDone());
    EXPECT_EQ(sliced.keywords(), scanned(text).keywords());
}

TEST(KeywordScan, CancelUsesTheWordsReadSoFar)
{
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("alpha ");
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("omega ");
    KeywordScan scan(text, {});
    EXPECT_FALSE(scan.step(0)); // one slice of 65536 characters
    const int percent = scan.progressPercent();
    EXPECT_GT(percent, 0);
    EXPECT_LT(percent, 100);
    scan.cancel();
    EXPECT_TRUE(scan.isDone());
    EXPECT_TRUE(scan.step(1000));
    // 65536 = 10922 whole words and "alph", which was still being read.
    EXPECT_EQ(scan.keywords(), (QList<KeywordEntry>{{10922, QStringLiteral("ALPHA")}}));
    EXPECT_EQ(scan.metaText(), meta(QStringLiteral("ALPHA")));
}

TEST(MetaInsertion, AfterTheFirstHeadLine)
{
    const QString m = meta(QStringLiteral("X"));
    MetaInsertion at = findMetaInsertion(QStringLiteral("<HTML><HEAD>\r\n<TITLE>t</TITLE>\r\n<head>"), m);
    EXPECT_TRUE(at.found);
    EXPECT_EQ(at.offset, 14);
    EXPECT_EQ(at.text, m + QStringLiteral("\r\n"));

    at = findMetaInsertion(QStringLiteral("<html>\r\n  <Head>  \r\n</head>"), m);
    EXPECT_EQ(at.offset, 20);

    // The last line: the META text still gets a line of its own.
    at = findMetaInsertion(QStringLiteral("<html>\r\n<head>"), m);
    EXPECT_TRUE(at.found);
    EXPECT_EQ(at.offset, 14);
    EXPECT_EQ(at.text, QStringLiteral("\r\n") + m);
}

TEST(MetaInsertion, NoHeadLine)
{
    for (const char *text : {"<html>\r\n<head profile=x>\r\n", "", "<HEA\r\nD>", "<HEADER>"})
        EXPECT_FALSE(findMetaInsertion(QString::fromLatin1(text), meta(QString())).found) << text;
    EXPECT_EQ(QString::fromLatin1(NoHeadMessage), QStringLiteral("No <HEAD> found in html file"));
}

TEST(IgnoreListFile, ReadsEveryKindOfLineBreak)
{
    TempConfig dir;
    const QString path = dir.write(QStringLiteral("ignore.lst"), "body\r\nFont\nhref \rtitle\r\n\r\nlast");
    const IgnoreListFile list = readIgnoreList(path);
    ASSERT_TRUE(list.ok);
    EXPECT_EQ(list.value, (QStringList{QStringLiteral("body"), QStringLiteral("Font"), QStringLiteral("href "),
                                       QStringLiteral("title"), QString(), QStringLiteral("last")}));
}

TEST(IgnoreListFile, MissingFile)
{
    TempConfig dir;
    const IgnoreListFile list = readIgnoreList(dir.path() + QStringLiteral("ignore.lst"));
    EXPECT_FALSE(list.ok);
    EXPECT_EQ(list.message, QStringLiteral("Unable to open 'ignore.lst'"));
}

TEST(IgnoreListFile, OversizedOrNonRegularFilesAreRefused)
{
    TempConfig dir;
    // One endless line, as a damaged or planted list might be.
    const QString path = dir.write(QStringLiteral("ignore.lst"), QByteArray(MaxSmallFileBytes + 1, 'w'));
    IgnoreListFile list = readIgnoreList(path);
    EXPECT_FALSE(list.ok);
    EXPECT_TRUE(list.value.isEmpty());
    EXPECT_EQ(list.message, tooLargeMessage(path));

    // A folder in its place is a file that cannot be opened.
    QFile::remove(path);
    QDir().mkpath(path);
    list = readIgnoreList(path);
    EXPECT_FALSE(list.ok);
    EXPECT_EQ(list.message, QStringLiteral("Unable to open 'ignore.lst'"));
}

TEST(IgnoreListFile, DefaultListIsInstalledOnceAndKeptAfterward)
{
    TempConfig config;
    EXPECT_EQ(ignoreListPath(appFolder()), config.appFolder() + QStringLiteral("ignore.lst"));
    ASSERT_TRUE(installDefaultIgnoreList(appFolder(), dataFolder()));
    IgnoreListFile list = readIgnoreList(ignoreListPath(appFolder()));
    ASSERT_TRUE(list.ok);
    EXPECT_TRUE(list.value.contains(QStringLiteral("body")));

    // The user's own list is never overwritten.
    QFile own(ignoreListPath(appFolder()));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly | QIODevice::Truncate));
    own.write("mine\n");
    own.close();
    EXPECT_TRUE(installDefaultIgnoreList(appFolder(), dataFolder()));
    EXPECT_EQ(TempConfig::read(ignoreListPath(appFolder())), QByteArray("mine\n"));
}

TEST(IgnoreListFile, ShippedListHoldsWordsThatCanMatch)
{
    const IgnoreListFile list = readIgnoreList(dataFolder() + QStringLiteral("ignore.lst"));
    ASSERT_TRUE(list.ok);
    EXPECT_GT(list.value.size(), 200);
    QSet<QString> seen;
    for (const QString &word : list.value) {
        // Lines a word can equal: four or more ASCII letters, nothing else.
        EXPECT_GE(word.size(), 4) << word.toStdString();
        for (QChar c : word)
            EXPECT_TRUE((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) << word.toStdString();
        EXPECT_FALSE(seen.contains(word.toLower())) << "twice: " << word.toStdString();
        seen.insert(word.toLower());
    }
    for (const char *tag : {"body", "head", "html", "title", "table", "width", "height", "align", "center",
                            "font", "color", "href", "style", "class", "script", "meta", "content", "name",
                            "border"})
        EXPECT_TRUE(seen.contains(QString::fromLatin1(tag))) << tag;
    // With the shipped list, a page's markup does not crowd out its words.
    const KeywordScan scan = scanned(
        QStringLiteral("<HTML><HEAD><TITLE>Orchids</TITLE></HEAD>\r\n<BODY><TABLE WIDTH=\"100%\" BORDER=0>"
                       "<FONT COLOR=\"red\">Orchids and orchid growers</FONT></TABLE></BODY></HTML>"),
        list.value);
    EXPECT_EQ(scan.metaText(), meta(QStringLiteral("ORCHIDS, GROWERS, ORCHID")));
}
