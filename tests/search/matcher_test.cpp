#include "search/findinfiles.h"
#include "search/findtext.h"
#include "search/matcher.h"

#include <gtest/gtest.h>

using namespace search;

namespace {

FindOptions regex(bool matchCase = true, bool wholeWord = false)
{
    return {matchCase, wholeWord, true, false};
}

std::vector<Match> all(const Matcher &m, const QString &text)
{
    std::vector<Match> out;
    m.collect(text, 0, int(text.size()), out);
    return out;
}

} // namespace

TEST(Matcher, ExpressionsSeeCrLfAsOneLineBreak)
{
    const QString text = QStringLiteral("ab\r\ncd\r\nab");
    // "^" and "$" at every line, "." never across the break.
    EXPECT_EQ(all(Matcher(QStringLiteral("^ab$"), regex()), text), (std::vector<Match>{{0, 2}, {8, 2}}));
    EXPECT_EQ(all(Matcher(QStringLiteral("b.c"), regex()), text), std::vector<Match>{});
    EXPECT_EQ(Matcher(QStringLiteral("b\\r\\nc"), regex()).find(text, 0), (Match{1, 4}));
    // Case folding and word boundaries are Perl's.
    EXPECT_EQ(Matcher(QStringLiteral("CD"), regex(false)).find(text, 0), (Match{4, 2}));
    EXPECT_FALSE(Matcher(QStringLiteral("CD"), regex(true)).find(text, 0).found());
    EXPECT_EQ(all(Matcher(QStringLiteral("cat"), regex(true, true)), QStringLiteral("cat cats (cat)")),
              (std::vector<Match>{{0, 3}, {10, 3}}));
    EXPECT_EQ(Matcher(QStringLiteral("\\w+"), regex()).find(QStringLiteral("-- café --"), 0), (Match{3, 4}));
}

TEST(Matcher, AnInvalidExpressionSaysWhyAndFindsNothing)
{
    const Matcher m(QStringLiteral("ab(c"), regex());
    EXPECT_FALSE(m.valid());
    EXPECT_TRUE(m.findsNothing());
    EXPECT_TRUE(m.errorMessage().startsWith(QStringLiteral("Invalid regular expression: "))) << m.errorMessage().toStdString();
    EXPECT_TRUE(m.errorMessage().contains(QStringLiteral("parenthesis"))) << m.errorMessage().toStdString();
    // The place is counted in what was typed, not in what the program added.
    EXPECT_TRUE(m.errorMessage().endsWith(QStringLiteral("(at character 4)"))) << m.errorMessage().toStdString();
    EXPECT_TRUE(Matcher(QStringLiteral("a**"), regex(true, true)).errorMessage().endsWith(QStringLiteral("(at character 3)")));
    EXPECT_FALSE(m.find(QStringLiteral("abc"), 0).found());
    EXPECT_FALSE(findNext(QStringLiteral("xab(c"), 0, QStringLiteral("ab(c"), regex()).found());
    // A plain search text is never parsed.
    EXPECT_EQ(findNext(QStringLiteral("xab(c"), 0, QStringLiteral("ab(c"), {}).offset, 1);
    // An empty expression finds nothing, as an empty search text does.
    EXPECT_TRUE(Matcher(QString(), regex()).findsNothing());
    EXPECT_TRUE(Matcher(QString(), regex()).valid());
}

TEST(Matcher, CollectListsMatchesStartingInTheStretchAndSeesAroundIt)
{
    const QString text = QStringLiteral("aaaa xaay");
    // Plain matches overlap, as Find Next's do.
    EXPECT_EQ(all(Matcher(QStringLiteral("aa"), {}), text),
              (std::vector<Match>{{0, 2}, {1, 2}, {2, 2}, {6, 2}}));
    std::vector<Match> part;
    Matcher(QStringLiteral("aa"), {}).collect(text, 1, 3, part);
    EXPECT_EQ(part, (std::vector<Match>{{1, 2}, {2, 2}}));
    // An expression's look-behind and "^" see the text before the stretch;
    // its match may run past the stretch's end.
    part.clear();
    Matcher(QStringLiteral("(?<=x)a+y"), regex()).collect(text, 6, 7, part);
    EXPECT_EQ(part, (std::vector<Match>{{6, 3}}));
    part.clear();
    Matcher(QStringLiteral("^a"), regex()).collect(text, 1, int(text.size()), part);
    EXPECT_TRUE(part.empty());
    // Empty matches mark nothing.
    EXPECT_TRUE(all(Matcher(QStringLiteral("b*"), regex()), text).empty());
    EXPECT_EQ(Matcher(QStringLiteral("x"), {}).fixedLength(), 1);
    EXPECT_EQ(Matcher(QStringLiteral("x"), {false, true}).fixedLength(), 3);
    EXPECT_EQ(Matcher(QStringLiteral("x"), regex()).fixedLength(), -1);
}

TEST(Matcher, ReplacementsExpandGroupsAndEscapes)
{
    const QString text = QStringLiteral("key=value");
    const Matcher m(QStringLiteral("(?<k>\\w+)=(\\w+)"), regex());
    const Match hit = m.find(text, 0);
    ASSERT_EQ(hit, (Match{0, 9}));
    const auto with = [&](const char *r) { return m.replacementFor(text, hit, QString::fromLatin1(r)); };
    EXPECT_EQ(with("\\2: \\1"), QStringLiteral("value: key"));
    EXPECT_EQ(with("$2=$1 ($0)"), QStringLiteral("value=key (key=value)"));
    EXPECT_EQ(with("${k}|${2}|$&"), QStringLiteral("key|value|key=value"));
    // $10 is group 1 and a "0" while there are fewer than ten groups.
    EXPECT_EQ(with("$10"), QStringLiteral("key0"));
    EXPECT_EQ(with("$$1 \\\\1 \\$"), QStringLiteral("$1 \\1 $"));
    EXPECT_EQ(with("a\\nb\\tc"), QStringLiteral("a\r\nb\tc"));
    // Not an escape, a group that is not there, a "$" at the end: as typed
    // or nothing.
    EXPECT_EQ(with("\\q $9 ${} $"), QStringLiteral("\\q  ${} $"));
    // A selection that is no longer the match: its groups stand for nothing.
    EXPECT_EQ(m.replacementFor(text, {1, 3}, QStringLiteral("<\\1>")), QStringLiteral("<>"));
    // A plain search replaces with the text as typed.
    EXPECT_EQ(Matcher(QStringLiteral("key"), {}).replacementFor(text, {0, 3}, QStringLiteral("\\1$1")),
              QStringLiteral("\\1$1"));
}

TEST(ReplaceAllMatches, EachMatchGetsItsOwnReplacementFromTheCaretOn)
{
    const QString text = QStringLiteral("a=1, b=2, c=3");
    ReplaceAllResult r =
        replaceAll(text, 0, QStringLiteral("(\\w)=(\\d)"), QStringLiteral("\\2=\\1"), regex());
    // The character at the caret never starts a hit.
    EXPECT_EQ(r.text, QStringLiteral("a=1, 2=b, 3=c"));
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.replacements, (QList<Replacement>{{5, 3, "2=b"}, {10, 3, "3=c"}}));
    // With wrap around the whole text is covered.
    FindOptions wrapping = regex();
    wrapping.wrapAround = true;
    r = replaceAll(text, 6, QStringLiteral("(\\w)=(\\d)"), QStringLiteral("\\2=\\1"), wrapping);
    EXPECT_EQ(r.text, QStringLiteral("1=a, 2=b, 3=c"));
    EXPECT_EQ(r.count, 3);
    // Empty matches are replaced too: every line quoted (the end of the text
    // after its last line break starts none).
    r = replaceAll(QStringLiteral("one\r\ntwo\r\n"), -1, QStringLiteral("^"), QStringLiteral("> "), regex());
    EXPECT_EQ(r.text, QStringLiteral("> one\r\n> two\r\n"));
    EXPECT_EQ(r.count, 2);
    // An invalid expression replaces nothing.
    r = replaceAll(text, -1, QStringLiteral("("), QStringLiteral("x"), regex());
    EXPECT_EQ(r.text, text);
    EXPECT_EQ(r.count, 0);
}

TEST(FindNext, WrapAroundGoesOnOnceFromTheStart)
{
    const QString text = QStringLiteral("cat and cat");
    FindOptions options;
    options.wrapAround = true;
    // Nothing after the caret: from offset 0, the first character included.
    FindHit hit = findNext(text, 8, QStringLiteral("cat"), options);
    EXPECT_EQ(hit.offset, 0);
    EXPECT_TRUE(hit.wrapped);
    hit = findNext(text, 0, QStringLiteral("cat"), options);
    EXPECT_EQ(hit.offset, 8);
    EXPECT_FALSE(hit.wrapped);
    // A text with no hit at all ends the search once round.
    EXPECT_FALSE(findNext(text, 3, QStringLiteral("dog"), options).found());
    // Off, as the window always searched: no wrap.
    EXPECT_FALSE(findNext(text, 8, QStringLiteral("cat"), {}).found());
    // Replace All with wrap around covers the text before the caret too.
    EXPECT_EQ(replaceAll(text, 8, QStringLiteral("cat"), QStringLiteral("dog"), options).text,
              QStringLiteral("dog and dog"));
}

TEST(FindInFiles, AnExpressionListsEachLineWhereAMatchStarts)
{
    const QString text = QStringLiteral("<p>one</p>\r\nplain\r\n<p>two</p><p>3</p>\r\n<P>");
    Matcher m(QStringLiteral("<p>\\w+"), regex());
    ResultLines lines(QStringLiteral("a.htm"));
    appendMatchingLines(lines, m, text);
    EXPECT_EQ(lines.toStringList(), (QStringList{QStringLiteral("a.htm:pos 0:line 0...<p>one</p>"),
                                                  QStringLiteral("a.htm:pos 19:line 2...<p>two</p><p>3</p>")}));
    // With wrapping, each screen line on its own.
    ResultLines wrapped(QStringLiteral("a.htm"));
    appendMatchingLines(wrapped, m, text, [](int line, WrappedLine &w) {
        w.firstDisplayLine = line == 2 ? 3 : line;
        w.starts = line == 2 ? std::vector<int>{0, 10} : std::vector<int>{0};
    });
    EXPECT_EQ(wrapped.toStringList(), (QStringList{QStringLiteral("a.htm:pos 0:line 0...<p>one</p>"),
                                                    QStringLiteral("a.htm:pos 19:line 3...<p>two</p>"),
                                                    QStringLiteral("a.htm:pos 29:line 4...<p>3</p>")}));
    // An expression that matches only empty strings lists nothing.
    ResultLines none(QStringLiteral("a.htm"));
    appendMatchingLines(none, Matcher(QStringLiteral("^"), regex()), text);
    EXPECT_TRUE(none.isEmpty());
}
