#include "search/htmlcheck.h"

#include "search/printers.h"

#include <QTemporaryFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace search;

namespace {

// A page with a tab, an accented letter and a character beyond U+FFFF
// (two UTF-16 units, one character for the checker) before its problems.
const QString ProblemPage = QStringLiteral(
    "<!DOCTYPE html>\r\n<html>\r\n<head><title>t</title></head>\r\n<body>\r\n"
    "\t<p>caf\u00e9 \U0001F600 <b>bold\r\n<img src=\"a.gif\">\r\n</body>\r\n</html>\r\n");

const QString CleanPage = QStringLiteral(
    "<!DOCTYPE html>\r\n<html><head><title>t</title></head><body><p>x</p></body></html>\r\n");

QStringList texts(const HtmlCheck &check)
{
    QStringList out;
    for (const HtmlFinding &f : check.findings)
        out << QString::number(f.offset) + QLatin1Char(' ') + f.text();
    return out;
}

} // namespace

TEST(HtmlCheck, ListsProblemsDownThePageWhateverPassFoundThem)
{
    // The missing alt is found in a later pass than the unclosed tags after it.
    const QString page = QStringLiteral(
        "<!DOCTYPE html>\r\n<html><head><title>t</title></head><body>\r\n"
        "<p>a <b>b\r\n<img src=\"s.gif\">\r\n<table><tr><td>x</td></tr>\r\n</body></html>\r\n");
    const HtmlCheck check = checkHtml(page);
    ASSERT_TRUE(check.refusal.isEmpty());
    ASSERT_GE(check.findings.size(), 3);
    for (qsizetype i = 1; i < check.findings.size(); ++i)
        EXPECT_LE(check.findings[i - 1].offset, check.findings[i].offset) << texts(check).join(u'|').toStdString();
    EXPECT_TRUE(std::any_of(check.findings.begin(), check.findings.end(),
                            [](const HtmlFinding &f) { return f.message.contains(QStringLiteral("alt")); }));
}

TEST(HtmlCheck, ListsEachProblemAtItsOffsetInTheText)
{
    const HtmlCheck check = checkHtml(ProblemPage);
    ASSERT_TRUE(check.refusal.isEmpty()) << check.refusal.toStdString();
    const int bold = int(ProblemPage.indexOf(QStringLiteral("<b>")));
    const int image = int(ProblemPage.indexOf(QStringLiteral("<img")));
    ASSERT_EQ(bold, 76);   // CR LF counts two, the emoji two
    EXPECT_EQ(texts(check), QStringList({QStringLiteral("76 Warning: missing </b> before </body>"),
                                         QStringLiteral("%1 Warning: <img> lacks \"alt\" attribute").arg(image)}));
    EXPECT_FALSE(check.truncated);
}

TEST(HtmlCheck, ACleanPageHasNoFindings)
{
    const HtmlCheck check = checkHtml(CleanPage);
    EXPECT_TRUE(check.refusal.isEmpty());
    EXPECT_TRUE(check.findings.isEmpty());
    EXPECT_EQ(noProblemsText(), QStringLiteral("No problems found."));
}

TEST(HtmlCheck, AByteOrderMarkAndZeroCharactersKeepThePositions)
{
    // The checker skips the mark without counting it; the offsets count it.
    const QString marked = QChar(0xFEFF)
                           + QStringLiteral("<!DOCTYPE html><html><head><title>t</title></head><body><b>x</body></html>");
    const HtmlCheck withMark = checkHtml(marked);
    ASSERT_EQ(withMark.findings.size(), 1);
    EXPECT_EQ(withMark.findings[0].offset, marked.indexOf(QStringLiteral("<b>")));

    // A zero character would end the checker's input: what follows it must
    // still be checked and placed.
    QString zero = ProblemPage;
    zero.insert(ProblemPage.indexOf(QStringLiteral("caf")), QChar(0));
    const HtmlCheck withZero = checkHtml(zero);
    ASSERT_EQ(withZero.findings.size(), 2);
    EXPECT_TRUE(zero.mid(withZero.findings[0].offset).startsWith(QStringLiteral("<b>bold")));
    EXPECT_TRUE(zero.mid(withZero.findings[1].offset).startsWith(QStringLiteral("<img")));
}

TEST(HtmlCheck, PathologicalPagesAreRefusedWithAReason)
{
    // Deep nesting costs the checker time by its square and stack by its depth.
    QString deep;
    for (int i = 0; i <= kMaxHtmlCheckDepth; ++i)
        deep += QStringLiteral("<div>");
    HtmlCheck check = checkHtml(deep);
    EXPECT_EQ(check.refusal, QStringLiteral("The page nests its tags too deeply to be checked."));
    EXPECT_TRUE(check.findings.isEmpty());

    check = checkHtml(QString(kMaxHtmlCheckChars + 1, QLatin1Char('x')));
    EXPECT_EQ(check.refusal, QStringLiteral("The page is too large to be checked."));

    // Flat pages of any number of tags are checked.
    QString flat = QStringLiteral("<!DOCTYPE html><html><head><title>t</title></head><body>");
    for (int i = 0; i <= kMaxHtmlFindings; ++i)
        flat += QStringLiteral("<p>x<br><img src=a.gif>");
    flat += QStringLiteral("</body></html>");
    check = checkHtml(flat);
    EXPECT_TRUE(check.refusal.isEmpty());
    // One missing alt per picture: the list stops at its limit and says so.
    EXPECT_EQ(check.findings.size(), kMaxHtmlFindings);
    EXPECT_TRUE(check.truncated);
}

TEST(HtmlCheck, NestingDepthCountsOnlyTagsThatHoldOthers)
{
    EXPECT_EQ(nestingDepth(u"<div><div></div><span><b>x</b></span></div>"), 3);
    // Empty elements, self-closed tags and optional end tags open no level.
    EXPECT_EQ(nestingDepth(u"<p>a<p>b<br><img src=x><li>c<td>d<x/>"), 0);
    EXPECT_EQ(nestingDepth(u"<DIV><Div>"), 2);
    // Comments, declarations and "<" inside scripts are no tags.
    EXPECT_EQ(nestingDepth(u"<!DOCTYPE html><!-- <div><div> --><?xml x?>"), 0);
    EXPECT_EQ(nestingDepth(u"<script>for(i=0;i<n;i++){a<b}</script><div>"), 1);
    EXPECT_EQ(nestingDepth(u"<STYLE>a<b</style><div><div>"), 2);
    // A lone "<" and end tags beyond the start do not go below zero.
    EXPECT_EQ(nestingDepth(u"a < b </div></div><i>"), 1);
    EXPECT_EQ(nestingDepth(u"<"), 0);
    EXPECT_EQ(nestingDepth(u"<div"), 1);
}

TEST(HtmlCheck, OffsetsOfLinesAndColumns)
{
    // Every kind of line break ends a line; a pair of surrogates is one column.
    const QString text = QStringLiteral("ab\r\ncd\ne\rf\U0001F600g\r\n");
    const QList<LineColumn> at{{4, 3}, {1, 1}, {2, 2}, {1, 3}, {3, 1}, {4, 2}, {4, 99}, {9, 1}, {0, 0}, {2, 1}};
    EXPECT_EQ(offsetsOf(text, at), QList<int>({12, 0, 5, 2, 7, 10, 13, int(text.size()), 0, 4}));
    EXPECT_EQ(offsetsOf(u"", {{3, 4}}), QList<int>({0}));
    EXPECT_TRUE(offsetsOf(text, {}).isEmpty());
}

TEST(HtmlCheck, NothingIsPrintedOnTheErrorStream)
{
    QTemporaryFile sink;
    ASSERT_TRUE(sink.open());
    fflush(stderr);
    const int saved = dup(2);
    ASSERT_GE(saved, 0);
    dup2(sink.handle(), 2);
    checkHtml(ProblemPage);
    checkHtml(QStringLiteral("<<<>>>&&&\x01\x02 garbage <b <i <td </ </x>"));
    fflush(stderr);
    dup2(saved, 2);
    close(saved);
    EXPECT_EQ(sink.size(), 0) << sink.readAll().toStdString();
}
