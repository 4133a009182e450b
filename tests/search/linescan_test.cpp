#include "search/linescan.h"

#include "search/findtext.h"

#include <QRandomGenerator>
#include <QString>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

using search::linescan::LineWithHit;
using search::linescan::Pattern;

namespace search::linescan {
void PrintTo(const LineWithHit &l, std::ostream *os)
{
    *os << "{start " << l.start << ", line " << l.line << ", end " << l.contentEnd << "}";
}
} // namespace search::linescan

namespace {

// A pattern in the scanner's terms, with probes chosen by the caller: any two
// positions must give the same lines.
struct TestPattern {
    std::vector<char16_t> value;
    std::vector<char16_t> mask;
    Pattern pattern;

    TestPattern(const QString &text, bool matchCase, size_t probeA, size_t probeB)
    {
        for (const QChar ch : text) {
            const char16_t c = ch.unicode();
            const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
            value.push_back(!matchCase && letter ? char16_t(c | 0x20) : c);
            mask.push_back(!matchCase && letter ? 0x20 : 0);
        }
        pattern = {value.data(), mask.data(), qsizetype(value.size()), probeA, probeB};
    }
};

// Line by line: LF ends a line, a CR just before it belongs to the break, and
// a hit must lie within the line's own characters.
std::vector<LineWithHit> naive(const QString &find, bool matchCase, const QString &text)
{
    std::vector<LineWithHit> out;
    const QString pattern = matchCase ? find : search::foldAsciiUpper(find);
    int line = 0;
    for (qsizetype start = 0;; ++line) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
        qsizetype end = lf < 0 ? text.size() : lf;
        if (lf > start && text[lf - 1] == u'\r')
            --end;
        const QString content = text.mid(start, end - start);
        if ((matchCase ? content : search::foldAsciiUpper(content)).contains(pattern))
            out.push_back({int(start), line, int(end)});
        if (lf < 0)
            break;
        start = lf + 1;
    }
    return out;
}

QString randomText(QRandomGenerator &rng, const QString &alphabet, int maxLength)
{
    QString s;
    for (int i = int(rng.bounded(maxLength + 1)); i > 0; --i)
        s.append(alphabet[rng.bounded(int(alphabet.size()))]);
    return s;
}

void expectAllWidths(const QString &find, bool matchCase, const QString &text,
                     const std::vector<LineWithHit> &expected, size_t probeA = 0, size_t probeB = 0)
{
    const TestPattern p(find, matchCase, probeA, probeB);
    ASSERT_EQ(search::linescan::linesWithHitsScalar(p.pattern, text), expected);
    ASSERT_EQ(search::linescan::linesWithHitsBaseline(p.pattern, text), expected);
    ASSERT_EQ(search::linescan::linesWithHits(p.pattern, text), expected);
}

} // namespace

// Texts with lone CRs, CR LF and LF, long lines and long runs without a
// candidate, patterns from one character to longer than a vector block,
// probes anywhere in the pattern: every width agrees with the line-by-line
// test.
TEST(LineScan, EveryWidthAgreesWithALineByLineTest)
{
    QRandomGenerator rng(31);
    const QString alphabet = QStringLiteral("xxxxxxxxxxxxaAbB éÉ\r\n\n");
    for (int round = 0; round < 3000; ++round) {
        QString text = randomText(rng, alphabet, round % 5 == 0 ? 900 : 120);
        const int patternLength = round % 7 == 0 ? int(rng.bounded(9, 40)) : int(rng.bounded(1, 5));
        QString find;
        for (int i = 0; i < patternLength; ++i)
            find.append(QStringLiteral("xaAbB é\r")[rng.bounded(8)]);
        // Long patterns are taken from the text so that they can be found.
        if (patternLength > 8 && text.size() > patternLength && rng.bounded(2) == 0)
            find = text.mid(rng.bounded(int(text.size()) - patternLength), patternLength);
        if (find.contains(QLatin1Char('\n')))
            continue;
        const bool matchCase = rng.bounded(2) == 1;
        const size_t probeA = rng.bounded(int(find.size()));
        const size_t probeB = rng.bounded(int(find.size()));
        SCOPED_TRACE(round);
        expectAllWidths(find, matchCase, text, naive(find, matchCase, text), probeA, probeB);
    }
}

TEST(LineScan, EdgesOfTheTextAndOfTheLineBreak)
{
    // A hit may end on a lone CR or on a CR at the very end, not on the CR of
    // a CR LF.
    expectAllWidths(QStringLiteral("a\r"), true, QStringLiteral("a\r\na\rb\na\r"),
                    {{3, 1, 6}, {7, 2, 9}});
    expectAllWidths(QStringLiteral("abc"), true, QStringLiteral("abc"), {{0, 0, 3}});
    expectAllWidths(QStringLiteral("abcd"), true, QStringLiteral("abc"), {});
    expectAllWidths(QStringLiteral("c"), false, QStringLiteral("ab\r\n\r\nC"), {{6, 2, 7}});
    // Only the first hit of a line lists it, however many follow.
    expectAllWidths(QStringLiteral("a"), true, QString(70, QLatin1Char('a')) + QStringLiteral("\r\nba"),
                    {{0, 0, 70}, {72, 1, 74}});
}

// Far more LFs than a 16-bit counter holds, in runs long enough that counts
// are gathered over many vector blocks before a hit needs them.
TEST(LineScan, LineNumbersBeyondSixteenBits)
{
    QString text;
    text.reserve(2 << 20);
    for (int i = 0; i < 150000; ++i)
        text += QStringLiteral("\r\n");
    text += QStringLiteral("cat\r\n");
    text += QString(1000000, QLatin1Char('\n'));
    text += QString(600000, QLatin1Char('x')) + QStringLiteral(" cat");
    const int lastStart = 300000 + 5 + 1000000;
    expectAllWidths(QStringLiteral("cat"), true, text,
                    {{300000, 150000, 300003}, {lastStart, 1150001, int(text.size())}});
}
