#include "htmlaid/pagewords.h"

#include "htmlaid/htmldata.h"

#include <gtest/gtest.h>

using namespace htmlaid;

namespace {

// The words read from lines fed one by one.
QStringList wordsOf(const QStringList &lines, bool html = true, QList<Word> *all = nullptr)
{
    PageWords reader(HtmlData::shipped(), html);
    QStringList out;
    int offset = 0;
    for (const QString &line : lines) {
        reader.feed(line, offset, [&](const Word &w) {
            out << w.text;
            if (all)
                *all << w;
        });
        offset += int(line.size()) + 2;
    }
    return out;
}

} // namespace

TEST(PageWords, OnlyThePagesTextIsRead)
{
    EXPECT_EQ(wordsOf({QStringLiteral("<p class=\"intro\" title='Helo there'>Some <B>bold</B> text</p>")}),
              QStringList({"Some", "bold", "text"}));
    EXPECT_EQ(wordsOf({QStringLiteral("one <!-- hidden words --> two <script>var wrongg = 1;</script> three"),
                       QStringLiteral("<style>p { colr: red }</style>four <?php echo $x ?> five <!doctype html>")}),
              QStringList({"one", "two", "three", "four", "five"}));
    // Comments, tags and scripts that go on over several lines.
    EXPECT_EQ(wordsOf({QStringLiteral("a-ok <!-- first"), QStringLiteral("second -->third <a"),
                       QStringLiteral("href=\"x\"\r"), QStringLiteral(">fourth<SCRIPT type=x>"),
                       QStringLiteral("if (a < b) alert('hi')"), QStringLiteral("</Script> fifth")}),
              QStringList({"ok", "third", "fourth", "fifth"}));
}

TEST(PageWords, ReferencesAreReadAsTheirCharactersAndOffsetsAreAsWritten)
{
    QList<Word> words;
    const QStringList read = wordsOf({QStringLiteral("caf&eacute; &amp; na&#239;ve r&#xE9;sum&eacute; x&nbsp;y"),
                                      QStringLiteral("don't it\u2019s &bogus;word")},
                                     true, &words);
    EXPECT_EQ(read, QStringList({QString::fromUtf8("café"), QString::fromUtf8("naïve"), QString::fromUtf8("résumé"),
                                 "don't", "it's", "bogus", "word"}));
    ASSERT_FALSE(words.isEmpty());
    EXPECT_EQ(words[0].offset, 0);
    EXPECT_EQ(words[0].length, 11);   // "caf&eacute;"
    EXPECT_EQ(words[2].offset, int(QStringLiteral("caf&eacute; &amp; na&#239;ve ").size()));
    EXPECT_EQ(words[3].offset, int(QStringLiteral("caf&eacute; &amp; na&#239;ve r&#xE9;sum&eacute; x&nbsp;y").size()) + 2);
}

TEST(PageWords, NumbersNamesOfFilesAndAddressesAreNotWords)
{
    EXPECT_EQ(wordsOf({QStringLiteral("see page2 or index.htm at www.example.org, mail me@host.org, 42 x_y end.")}),
              QStringList({"see", "or", "at", "mail", "end"}));
    EXPECT_EQ(wordsOf({QStringLiteral("http://host/path and C:\\dir\\file too")}), QStringList({"and", "too"}));
}

TEST(PageWords, PlainTextIsReadWhole)
{
    EXPECT_EQ(wordsOf({QStringLiteral("<p>Some text &amp; more</p>")}, false),
              QStringList({"Some", "text", "amp", "more"}));
}

TEST(PageWords, StretchesEndAfterABlank)
{
    const StringSource src(QStringLiteral("alpha beta gamma"));
    EXPECT_EQ(stretchEnd(src, 0, 8), 6);      // after "alpha "
    EXPECT_EQ(stretchEnd(src, 0, 3), 3);      // no blank: as asked
    EXPECT_EQ(stretchEnd(src, 0, 100), 16);   // the end of the text
}
