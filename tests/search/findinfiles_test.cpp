#include "search/findinfiles.h"

#include "search/findtext.h"
#include "search/printers.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace search;

namespace {

QString crlf(const char *text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

// A text area that wraps every line after `width` characters.
struct FixedWrap {
    std::vector<int> starts;      // offset of each display line
    std::vector<int> firstScreen; // display line of each CR LF line's first screen line

    FixedWrap(const QString &text, int width)
    {
        int lineStart = 0;
        for (;;) {
            const qsizetype lf = text.indexOf(QLatin1Char('\n'), lineStart);
            const int end = lf < 0 ? int(text.size()) : int(lf) - 1; // before CR
            firstScreen.push_back(int(starts.size()));
            for (int s = lineStart; s == lineStart || s < end; s += width)
                starts.push_back(s);
            if (lf < 0)
                break;
            lineStart = int(lf) + 1;
        }
    }
    WrapOf function() const
    {
        return [this](int line, WrappedLine &wrapped) {
            const int first = firstScreen[size_t(line)];
            const int last = size_t(line) + 1 < firstScreen.size() ? firstScreen[size_t(line) + 1] : int(starts.size());
            wrapped.firstDisplayLine = first;
            wrapped.starts.clear();
            for (int i = first; i < last; ++i)
                wrapped.starts.push_back(starts[size_t(i)] - starts[size_t(first)]);
        };
    }
};

// The results as a line-by-line test over the display lines gives them.
QStringList naiveLines(const QString &find, bool matchCase, bool wholeWord, const QString &text,
                       const std::vector<int> &starts, const std::vector<int> &ends)
{
    QStringList out;
    const QString pattern = preparePattern(find, {matchCase, wholeWord});
    for (size_t i = 0; i < starts.size(); ++i) {
        const QString line = text.mid(starts[i], ends[i] - starts[i]);
        const QString probe = matchCase ? line : foldAsciiUpper(line);
        if (!pattern.isEmpty() && probe.contains(pattern))
            out.append(resultLine(QStringLiteral("f"), starts[i], int(i), line));
    }
    return out;
}

} // namespace

TEST(ResultLine, Format)
{
    EXPECT_EQ(resultLine(QStringLiteral("index.htm"), 120, 5, QStringLiteral("<p>Hello</p>")),
              QStringLiteral("index.htm:pos 120:line 5...<p>Hello</p>"));
    EXPECT_EQ(fileNamePart(QStringLiteral("/home/ann/site/index.htm")), QStringLiteral("index.htm"));
    EXPECT_EQ(fileNamePart(QStringLiteral("~Untiltled1")), QStringLiteral("~Untiltled1"));
}

TEST(FindLines, OneResultPerLineWithOffsetsCountingCrLf)
{
    const QString text = crlf("ab\ncat\n\nx cat cat\nend cat");
    EXPECT_EQ(findLinesInDocument(QStringLiteral("cat"), QStringLiteral("a.htm"), true, false, text),
              (QStringList{QStringLiteral("a.htm:pos 4:line 1...cat"),
                           QStringLiteral("a.htm:pos 11:line 3...x cat cat"),
                           QStringLiteral("a.htm:pos 22:line 4...end cat")}));
    EXPECT_EQ(findLinesInDocument(QStringLiteral("cd"), QStringLiteral("f"), true, false, crlf("ab\ncd")),
              QStringList{QStringLiteral("f:pos 4:line 1...cd")});
}

TEST(FindLines, CaseAndWholeWord)
{
    const QString text = crlf("<HTML>\ncat sat\na cat\na Cat sat\nthe html");
    EXPECT_EQ(findLinesInDocument(QStringLiteral("html"), QStringLiteral("f"), false, false, text),
              (QStringList{QStringLiteral("f:pos 0:line 0...<HTML>"),
                           QStringLiteral("f:pos 35:line 4...the html")}));
    EXPECT_EQ(findLinesInDocument(QStringLiteral("html"), QStringLiteral("f"), true, false, text),
              QStringList{QStringLiteral("f:pos 35:line 4...the html")});
    // Lines that begin or end with the word are not listed.
    EXPECT_EQ(findLinesInDocument(QStringLiteral("cat"), QStringLiteral("f"), false, true, text),
              QStringList{QStringLiteral("f:pos 24:line 3...a Cat sat")});
    EXPECT_TRUE(findLinesInDocument(QStringLiteral("cat"), QStringLiteral("f"), true, true, text).isEmpty());
}

TEST(FindLines, NothingCrossesALineBreak)
{
    const QString text = crlf("ab\ncd\n");
    EXPECT_TRUE(findLinesInDocument(QString(), QStringLiteral("f"), true, false, text).isEmpty());
    EXPECT_TRUE(findLinesInDocument(QStringLiteral("b\r\nc"), QStringLiteral("f"), true, false, text).isEmpty());
    EXPECT_TRUE(findLinesInDocument(QStringLiteral("b\r"), QStringLiteral("f"), true, false, text).isEmpty());
    EXPECT_TRUE(findLinesInDocument(QStringLiteral("\n"), QStringLiteral("f"), true, false, text).isEmpty());
    EXPECT_TRUE(findLinesInDocument(QStringLiteral("x"), QStringLiteral("f"), true, false, QString()).isEmpty());
}

TEST(FindLines, WrappedLinesAreLinesOfTheirOwn)
{
    const QString text = crlf("abcdefgh\nxy");
    const FixedWrap wrap(text, 4); // "abcd" "efgh" "xy"
    const WrapOf lineOf = wrap.function();
    EXPECT_EQ(findLinesInDocument(QStringLiteral("fg"), QStringLiteral("f"), true, false, text, lineOf),
              QStringList{QStringLiteral("f:pos 4:line 1...efgh")});
    EXPECT_EQ(findLinesInDocument(QStringLiteral("y"), QStringLiteral("f"), true, false, text, lineOf),
              QStringList{QStringLiteral("f:pos 10:line 2...xy")});
    // A hit split by the wrap lies in neither screen line.
    EXPECT_TRUE(findLinesInDocument(QStringLiteral("cde"), QStringLiteral("f"), true, false, text, lineOf).isEmpty());
}

TEST(FindLines, AgreesWithALineByLineTest)
{
    QRandomGenerator rng(7);
    const QString alphabet = QStringLiteral("abA \n");
    for (int round = 0; round < 1500; ++round) {
        QString text;
        const int n = int(rng.bounded(40));
        for (int i = 0; i < n; ++i)
            text.append(alphabet[rng.bounded(int(alphabet.size()))]);
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        QString find;
        for (int i = int(rng.bounded(3)) + 1; i > 0; --i)
            find.append(alphabet[rng.bounded(4)]);
        const bool matchCase = rng.bounded(2) == 1;
        const bool wholeWord = rng.bounded(2) == 1;
        const int width = int(rng.bounded(1, 6));

        const FixedWrap wrap(text, width);
        std::vector<int> ends;
        for (size_t i = 0; i < wrap.starts.size(); ++i) {
            int end = i + 1 < wrap.starts.size() ? wrap.starts[i + 1] : int(text.size());
            if (end >= 2 && text.mid(end - 2, 2) == QStringLiteral("\r\n"))
                end -= 2;
            ends.push_back(end);
        }
        ASSERT_EQ(findLinesInDocument(find, QStringLiteral("f"), matchCase, wholeWord, text, wrap.function()),
                  naiveLines(find, matchCase, wholeWord, text, wrap.starts, ends))
            << round;

        const FixedWrap unwrapped(text, 1 << 20);
        std::vector<int> lineEnds;
        for (size_t i = 0; i < unwrapped.starts.size(); ++i) {
            const qsizetype lf = text.indexOf(QLatin1Char('\n'), unwrapped.starts[i]);
            lineEnds.push_back(lf < 0 ? int(text.size()) : int(lf) - 1);
        }
        ASSERT_EQ(findLinesInDocument(find, QStringLiteral("f"), matchCase, wholeWord, text),
                  naiveLines(find, matchCase, wholeWord, text, unwrapped.starts, lineEnds))
            << round;
    }
}

TEST(ParseResultLine, OwnLines)
{
    ResultTarget t = parseResultLine(QStringLiteral("index.htm:pos 120:line 5...<p>Hello</p>"));
    EXPECT_TRUE(t.valid);
    EXPECT_EQ(t.fileName, QStringLiteral("index.htm"));
    EXPECT_EQ(t.offset, 120);
    // A line text that looks like a result does not confuse the parse.
    t = parseResultLine(QStringLiteral("a.htm:pos 4:line 1...b.htm:pos 99:line 7...x"));
    EXPECT_EQ(t.fileName, QStringLiteral("a.htm"));
    EXPECT_EQ(t.offset, 4);
    // Linux file names may hold ":".
    t = parseResultLine(resultLine(QStringLiteral("notes:2024.htm"), 17, 3, QStringLiteral("x:1:2")));
    EXPECT_TRUE(t.valid);
    EXPECT_EQ(t.fileName, QStringLiteral("notes:2024.htm"));
    EXPECT_EQ(t.offset, 17);
}

TEST(ParseResultLine, OtherText)
{
    ResultTarget t = parseResultLine(QStringLiteral("f.htm:at 12 and 13:rest 9"));
    EXPECT_TRUE(t.valid);
    EXPECT_EQ(t.fileName, QStringLiteral("f.htm"));
    EXPECT_EQ(t.offset, 12);
    t = parseResultLine(QStringLiteral("f.htm:x7"));
    EXPECT_EQ(t.offset, 7);
    EXPECT_FALSE(parseResultLine(QStringLiteral("no colon 12")).valid);
    EXPECT_FALSE(parseResultLine(QStringLiteral("f.htm:no digits:12")).valid);
    EXPECT_FALSE(parseResultLine(QString()).valid);
    EXPECT_FALSE(parseResultLine(QStringLiteral("f.htm:pos 99999999999:line 1...x")).valid);
}

TEST(JumpTarget, LooksFromTheLastDocumentToTheFirst)
{
    const QStringList titles{QStringLiteral("/site/b/index.htm"), QStringLiteral("/site/a/other.htm"),
                             QStringLiteral("/site/a/index.htm")};
    EXPECT_EQ(jumpTargetIndex(titles, QStringLiteral("index.htm")), 2);
    EXPECT_EQ(jumpTargetIndex(titles, QStringLiteral("other.htm")), 1);
    EXPECT_EQ(jumpTargetIndex(titles, QStringLiteral("Index.htm")), -1); // case-sensitive
    EXPECT_EQ(jumpTargetIndex(titles, QStringLiteral("gone.htm")), -1);
    EXPECT_EQ(jumpTargetIndex({}, QStringLiteral("index.htm")), -1);
}

TEST(ResultLine, NumbersOfAnySize)
{
    EXPECT_EQ(resultLine(QStringLiteral("a b.htm"), 2147483647, 0, QString()),
              QStringLiteral("a b.htm:pos 2147483647:line 0..."));
    EXPECT_EQ(resultLine(QString(), -2147483647 - 1, 1000000, QStringLiteral("é")),
              QStringLiteral(":pos -2147483648:line 1000000...é"));
}

// Long lines and long runs without a hit, with letters that differ only in
// case beyond ASCII, against a line-by-line test; the same results come with
// a wrapping that wraps nothing.
TEST(FindLines, LongTextsAgreeWithALineByLineTest)
{
    QRandomGenerator rng(2024);
    const QString alphabet = QStringLiteral("xxxxxxxxabAB éÉ\n");
    for (int round = 0; round < 400; ++round) {
        QString text;
        const int n = int(rng.bounded(600));
        for (int i = 0; i < n; ++i)
            text.append(alphabet[rng.bounded(int(alphabet.size()))]);
        if (rng.bounded(4) == 0)
            text.append(QLatin1Char('\n'));
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        QString find;
        for (int i = int(rng.bounded(4)) + 1; i > 0; --i)
            find.append(QStringLiteral("abAB éÉx")[rng.bounded(8)]);
        const bool matchCase = rng.bounded(2) == 1;
        const bool wholeWord = rng.bounded(3) == 0;

        std::vector<int> starts;
        std::vector<int> ends;
        for (int lineStart = 0;;) {
            const qsizetype lf = text.indexOf(QLatin1Char('\n'), lineStart);
            starts.push_back(lineStart);
            ends.push_back(lf < 0 ? int(text.size()) : int(lf) - 1);
            if (lf < 0)
                break;
            lineStart = int(lf) + 1;
        }
        const QStringList expected = naiveLines(find, matchCase, wholeWord, text, starts, ends);
        ASSERT_EQ(findLinesInDocument(find, QStringLiteral("f"), matchCase, wholeWord, text), expected) << round;
        // Wrapping that wraps nothing changes nothing.
        const FixedWrap unwrapped(text, 1 << 20);
        ASSERT_EQ(findLinesInDocument(find, QStringLiteral("f"), matchCase, wholeWord, text, unwrapped.function()),
                  expected)
            << round;
    }
}

// A view of 10 lines of 20 px; the band is given in pixels from the top of
// the first visible line.
TEST(JumpPlacement, TargetLineEndsUpInViewAndClearOfTheCoveringWindow)
{
    const auto view = [](int coveredTop, int coveredBottom) {
        return CoveredView{20, 200, coveredTop, coveredBottom};
    };
    // Nothing covers the view: a line in view stays where it is, one below
    // comes in at the bottom, one above at the top.
    EXPECT_EQ(firstLineClearOf(105, 100, view(0, 0)), 100);
    EXPECT_EQ(firstLineClearOf(150, 100, view(0, 0)), 141);
    EXPECT_EQ(firstLineClearOf(40, 100, view(0, 0)), 40);

    // The lower 4 rows are covered (a window over the bottom of the view):
    // a line there, or below the view, goes to the last clear row above.
    EXPECT_EQ(firstLineClearOf(104, 100, view(120, 200)), 100);
    EXPECT_EQ(firstLineClearOf(108, 100, view(120, 200)), 103);
    EXPECT_EQ(firstLineClearOf(500, 100, view(120, 200)), 495);
    // A row only partly under the band counts as covered.
    EXPECT_EQ(firstLineClearOf(105, 100, view(110, 200)), 101);
    // Coming from above, the line goes to the top.
    EXPECT_EQ(firstLineClearOf(3, 100, view(120, 200)), 3);

    // The band over the top rows: the line goes just below it.
    EXPECT_EQ(firstLineClearOf(101, 100, view(0, 60)), 98);
    EXPECT_EQ(firstLineClearOf(150, 100, view(0, 60)), 141);

    // Near the start of the text the view cannot move above line 0.
    EXPECT_EQ(firstLineClearOf(1, 0, view(0, 60)), 0);

    // A band over the whole view leaves only bringing the line into view.
    EXPECT_EQ(firstLineClearOf(150, 100, view(0, 200)), 141);
    EXPECT_EQ(firstLineClearOf(105, 100, view(-50, 400)), 100);
}
