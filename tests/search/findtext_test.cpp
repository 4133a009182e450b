#include "search/findtext.h"

#include "search/printers.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

using namespace search;

namespace {

const FindOptions IgnoreCase{false, false};
const FindOptions MatchCase{true, false};
const FindOptions WholeWord{false, true};

// Applies a Replace All edit list the way a window does: one edit after the
// other on the live text.
QString applyInOrder(QString text, const QList<Replacement> &edits, const QString &replacement)
{
    for (const Replacement &edit : edits)
        text.replace(edit.offset, edit.length, replacement);
    return text;
}

} // namespace

TEST(SearchFrom, BoundsAndEmptyPattern)
{
    const QString text = QStringLiteral("abcabc");
    EXPECT_EQ(SearchFrom(0, u"abc", text), 0);
    EXPECT_EQ(SearchFrom(1, u"abc", text), 3);
    EXPECT_EQ(SearchFrom(4, u"abc", text), -1); // would run past the end
    EXPECT_EQ(SearchFrom(5, u"c", text), 5);    // the last character
    EXPECT_EQ(SearchFrom(6, u"c", text), -1);   // start past the last character
    EXPECT_EQ(SearchFrom(0, u"", text), -1);
    EXPECT_EQ(SearchFrom(0, u"a", u""), -1);
    EXPECT_EQ(SearchFrom(-5, u"ab", text), 0);
    EXPECT_EQ(SearchFrom(0, u"ABC", text), -1); // exact comparison
}

TEST(FoldAsciiUpper, OnlyAsciiLettersChange)
{
    EXPECT_EQ(foldAsciiUpper(u"az AZ `{@[ é ß ÿ 09"), QStringLiteral("AZ AZ `{@[ é ß ÿ 09"));
}

TEST(PreparePattern, BlanksAndCase)
{
    EXPECT_EQ(preparePattern(QStringLiteral("Cat"), IgnoreCase), QStringLiteral("CAT"));
    EXPECT_EQ(preparePattern(QStringLiteral("Cat"), MatchCase), QStringLiteral("Cat"));
    EXPECT_EQ(preparePattern(QStringLiteral("Cat"), {true, true}), QStringLiteral(" Cat "));
    EXPECT_EQ(preparePattern(QString(), WholeWord), QStringLiteral("  "));
}

TEST(FindNext, CharacterAtCaretNeverStartsAHit)
{
    // The window puts the caret at 0 when it opens, so a word that occurs
    // only at the very start is not found.
    const QString text = QStringLiteral("cat sat");
    EXPECT_FALSE(findNext(text, 0, QStringLiteral("cat"), IgnoreCase).found());
    const FindHit hit = findNext(text, 0, QStringLiteral("sat"), IgnoreCase);
    EXPECT_EQ(hit.offset, 4);
    EXPECT_EQ(hit.length, 3);
}

TEST(FindNext, StepsThroughOverlappingHitsThenStaysAtEnd)
{
    const QString text = QStringLiteral("xaaaa");
    int caret = 0;
    QList<int> hits;
    for (FindHit hit; (hit = findNext(text, caret, QStringLiteral("aa"), IgnoreCase)).found();)
        hits.append(caret = hit.offset);
    EXPECT_EQ(hits, (QList<int>{1, 2, 3}));
    // Repeating after "End of Search" without moving the caret ends again.
    EXPECT_FALSE(findNext(text, caret, QStringLiteral("aa"), IgnoreCase).found());
    EXPECT_FALSE(findNext(text, caret, QStringLiteral("aa"), IgnoreCase).found());
}

TEST(FindNext, CaseFoldingIsAsciiOnly)
{
    const QString text = QStringLiteral("x HTML Html É");
    EXPECT_EQ(findNext(text, 0, QStringLiteral("html"), IgnoreCase).offset, 2);
    EXPECT_EQ(findNext(text, 2, QStringLiteral("html"), IgnoreCase).offset, 7);
    EXPECT_FALSE(findNext(text, 0, QStringLiteral("html"), MatchCase).found());
    EXPECT_EQ(findNext(text, 0, QStringLiteral("Html"), MatchCase).offset, 7);
    EXPECT_FALSE(findNext(text, 0, QStringLiteral("é"), IgnoreCase).found());
    EXPECT_EQ(findNext(text, 0, QStringLiteral("É"), IgnoreCase).offset, 12);
}

TEST(FindNext, WholeWordBlanksAreLiteral)
{
    const FindHit hit = findNext(QStringLiteral("a cat sat"), 0, QStringLiteral("cat"), WholeWord);
    EXPECT_EQ(hit.offset, 1); // the selection covers the blank on either side
    EXPECT_EQ(hit.length, 5);
    // Not found where there is no blank: the text's start or end, a line's
    // start or end, or next to punctuation.
    for (const char *text : {"cat sat", "a cat", "x\r\ncat sat", "a cat\r\nsat", "a cat, sat", "a cats sat"})
        EXPECT_FALSE(findNext(QString::fromLatin1(text), -1, QStringLiteral("cat"), WholeWord).found())
            << text;
    // An empty search text with whole word looks for two blanks.
    EXPECT_EQ(findNext(QStringLiteral("ab  c"), 0, QString(), WholeWord).offset, 2);
    EXPECT_FALSE(findNext(QStringLiteral("ab  c"), 0, QString(), IgnoreCase).found());
}

TEST(FindNext, LineBreaksCountTwo)
{
    const FindHit hit = findNext(QStringLiteral("ab\r\ncd"), 0, QStringLiteral("cd"), IgnoreCase);
    EXPECT_EQ(hit.offset, 4);
    EXPECT_EQ(hit.length, 2);
}

TEST(ReplaceAll, ReplacesEveryLaterHitAndCounts)
{
    const ReplaceAllResult r = replaceAll(QStringLiteral("a cat and a cat"), 0, QStringLiteral("cat"),
                                          QStringLiteral("dog"), IgnoreCase);
    EXPECT_EQ(r.text, QStringLiteral("a dog and a dog"));
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.replacements, (QList<Replacement>{{2, 3, "dog"}, {12, 3, "dog"}}));
    EXPECT_EQ(replacementsMadeMessage(r.count), QStringLiteral("2 replacements made."));
    EXPECT_EQ(QString::fromLatin1(EndOfSearchMessage), QStringLiteral("End of Search"));
}

TEST(ReplaceAll, NoHitLeavesTextAndCountsZero)
{
    const ReplaceAllResult r = replaceAll(QStringLiteral("a cat"), 0, QStringLiteral("dog"),
                                          QStringLiteral("cat"), IgnoreCase);
    EXPECT_EQ(r.text, QStringLiteral("a cat"));
    EXPECT_EQ(r.count, 0);
    EXPECT_TRUE(r.replacements.isEmpty());
    EXPECT_EQ(replacementsMadeMessage(0), QStringLiteral("0 replacements made."));
}

TEST(ReplaceAll, WholeWordSwallowsTheBlanks)
{
    const ReplaceAllResult r = replaceAll(QStringLiteral("a cat sat"), 0, QStringLiteral("cat"),
                                          QStringLiteral("dog"), WholeWord);
    EXPECT_EQ(r.text, QStringLiteral("adogsat"));
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.replacements, (QList<Replacement>{{1, 5, "dog"}}));
    // The blank between two hits is shared, so only the first is replaced.
    EXPECT_EQ(replaceAll(QStringLiteral("a cat cat sat"), 0, QStringLiteral("cat"), QStringLiteral("dog"),
                         WholeWord)
                  .text,
              QStringLiteral("adogcat sat"));
}

TEST(ReplaceAll, KeepsTextUpToAndAtTheCaret)
{
    const QString text = QStringLiteral("cat cat cat");
    EXPECT_EQ(replaceAll(text, 0, QStringLiteral("cat"), QStringLiteral("x"), IgnoreCase).text,
              QStringLiteral("cat x x"));
    EXPECT_EQ(replaceAll(text, 4, QStringLiteral("cat"), QStringLiteral("x"), IgnoreCase).text,
              QStringLiteral("cat cat x"));
    EXPECT_EQ(replaceAll(text, -1, QStringLiteral("cat"), QStringLiteral("x"), IgnoreCase).text,
              QStringLiteral("x x x"));
}

TEST(ReplaceAll, ReplacementIsInsertedAsTyped)
{
    const ReplaceAllResult r = replaceAll(QStringLiteral(". Cat CAT cAt"), 0, QStringLiteral("cat"),
                                          QStringLiteral("Dog"), IgnoreCase);
    EXPECT_EQ(r.text, QStringLiteral(". Dog Dog Dog"));
    EXPECT_EQ(replaceAll(QStringLiteral(". Cat cat"), 0, QStringLiteral("cat"), QStringLiteral("dog"),
                         MatchCase)
                  .text,
              QStringLiteral(". Cat dog"));
}

TEST(ReplaceAll, ReplacementHoldingTheSearchTextEnds)
{
    ReplaceAllResult r = replaceAll(QStringLiteral("a a"), 0, QStringLiteral("a"), QStringLiteral("aa"),
                                    IgnoreCase);
    EXPECT_EQ(r.text, QStringLiteral("a aa"));
    EXPECT_EQ(r.count, 1);
    r = replaceAll(QStringLiteral("xaaa"), 0, QStringLiteral("a"), QStringLiteral("aa"), IgnoreCase);
    EXPECT_EQ(r.text, QStringLiteral("xaaaaaa"));
    EXPECT_EQ(r.count, 3);
    // The replacement's tail and the text after it form a new hit: not
    // searched again either.
    r = replaceAll(QStringLiteral("_baa"), 0, QStringLiteral("ba"), QStringLiteral("xb"), IgnoreCase);
    EXPECT_EQ(r.text, QStringLiteral("_xba"));
    EXPECT_EQ(r.count, 1);
}

TEST(ReplaceAll, EmptyReplacementRemovesNeighbouringHits)
{
    const ReplaceAllResult r = replaceAll(QStringLiteral("_aaa"), 0, QStringLiteral("a"), QString(), IgnoreCase);
    EXPECT_EQ(r.text, QStringLiteral("_"));
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.replacements, (QList<Replacement>{{1, 1, ""}, {1, 1, ""}, {1, 1, ""}}));
}

// The one-pass routine against the loop as a window would run it on the live
// text: search from the caret + 1, replace, go on after the replacement.
TEST(ReplaceAll, MatchesTheLiveLoopOnRandomTexts)
{
    QRandomGenerator rng(20240611);
    const QString alphabet = QStringLiteral("aAb \r\n");
    auto randomText = [&](int maxLength) {
        QString s;
        const int n = int(rng.bounded(maxLength + 1));
        for (int i = 0; i < n; ++i)
            s.append(alphabet[rng.bounded(int(alphabet.size()))]);
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        const QString text = randomText(24);
        const QString find = randomText(3);
        const QString replacement = randomText(4);
        const FindOptions options{rng.bounded(2) == 1, rng.bounded(2) == 1};
        const int caret = int(rng.bounded(int(text.size()) + 1)) - 1;

        QString live = text;
        int count = 0;
        FindHit hit = findNext(live, caret, find, options);
        while (hit.found()) {
            live.replace(hit.offset, hit.length, replacement);
            ++count;
            hit = findNext(live, hit.offset + int(replacement.size()) - 1, find, options);
        }

        const ReplaceAllResult r = replaceAll(text, caret, find, replacement, options);
        ASSERT_EQ(r.text, live) << round;
        ASSERT_EQ(r.count, count) << round;
        ASSERT_EQ(applyInOrder(text, r.replacements, replacement), live) << round;
    }
}

namespace {

QString randomText(QRandomGenerator &rng, const QString &alphabet, int maxLength)
{
    QString s;
    const int n = int(rng.bounded(maxLength + 1));
    for (int i = 0; i < n; ++i)
        s.append(alphabet[rng.bounded(int(alphabet.size()))]);
    return s;
}

} // namespace

TEST(PatternFinder, FoldsAsciiLettersOnly)
{
    const QString text = QStringLiteral("@`[{ é É aA Zz");
    const PatternFinder anyCase(u"A", false);
    EXPECT_EQ(anyCase.find(text, 0), 9);
    EXPECT_EQ(anyCase.find(text, 10), 10);
    EXPECT_EQ(anyCase.find(text, 11), -1);
    EXPECT_EQ(PatternFinder(u"a", true).find(text, 0), 9);
    EXPECT_EQ(PatternFinder(u"A", true).find(text, 0), 10);
    // '@' and '[' differ from '`' and '{' by the case bit but are no letters.
    EXPECT_EQ(PatternFinder(u"`", false).find(text, 0), 1);
    EXPECT_EQ(PatternFinder(u"{", false).find(text, 0), 3);
    EXPECT_EQ(PatternFinder(u"é", false).find(text, 0), 5);
    EXPECT_EQ(PatternFinder(u"É", false).find(text, 0), 7);
    EXPECT_EQ(PatternFinder(u"zZ", false).find(text, 0), 12);
    EXPECT_EQ(PatternFinder(u"", false).find(text, 0), -1);
    EXPECT_EQ(PatternFinder(u"z", false).find(text, int(text.size())), -1);
    EXPECT_EQ(PatternFinder(u"@", false).find(text, -3), 0);
}

// The finder reads the text as it is; it must agree with the plain search
// over upper-cased copies, also over stretches long enough for its
// vector scan and at the very end of the text.
TEST(PatternFinder, AgreesWithSearchFromOverFoldedText)
{
    QRandomGenerator rng(99);
    const QString alphabet = QStringLiteral("aAbB @`[{éÉ \r\n");
    for (int round = 0; round < 4000; ++round) {
        const QString text = randomText(rng, alphabet, round % 4 == 0 ? 200 : 40);
        QString pattern = randomText(rng, alphabet, 4);
        if (rng.bounded(3) == 0)
            pattern = QLatin1Char(' ') + pattern + QLatin1Char(' ');
        const bool matchCase = rng.bounded(2) == 1;
        const PatternFinder finder(pattern, matchCase);
        ASSERT_EQ(finder.size(), pattern.size());
        const QString p = matchCase ? pattern : foldAsciiUpper(pattern);
        const QString t = matchCase ? text : foldAsciiUpper(text);
        for (int start = -1; start <= text.size() + 1; start += int(rng.bounded(1, 9)))
            ASSERT_EQ(finder.find(text, start), SearchFrom(start, p, t)) << round << " " << start;
    }
}
