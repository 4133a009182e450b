#include "documents/memo.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct ShownMemo {
    TMemo memo;
    explicit ShownMemo(const QString &text, bool wrap = false, int width = 400)
    {
        memo.setWrap(wrap);
        memo.resize(width, 300);
        memo.setText(text);
        memo.show();
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST(TMemo, OffsetsCountEveryLineBreakAsTwoCharacters)
{
    ShownMemo m(QStringLiteral("ab\r\ncd\r\n\r\nef"));
    TMemo &memo = m.memo;
    EXPECT_EQ(memo.text(), QStringLiteral("ab\r\ncd\r\n\r\nef"));
    EXPECT_EQ(memo.textLength(), 12);
    // 'c' is offset 4, 'e' offset 10.
    EXPECT_EQ(memo.positionOfOffset(4), 3);
    EXPECT_EQ(memo.offsetOfPosition(3), 4);
    EXPECT_EQ(memo.positionOfOffset(10), 7);
    EXPECT_EQ(memo.offsetOfPosition(7), 10);
    // Offsets on the CR and on the LF both map to the end of their line.
    EXPECT_EQ(memo.positionOfOffset(2), 2);
    EXPECT_EQ(memo.positionOfOffset(3), 2);
    // Past the end clamps to the end.
    EXPECT_EQ(memo.positionOfOffset(100), 9);
    for (int pos = 0; pos <= 9; ++pos)
        EXPECT_EQ(memo.positionOfOffset(memo.offsetOfPosition(pos)), pos) << pos;
}

TEST(TMemo, LoneBreaksBecomeCrLfAndSelectionReadsBack)
{
    ShownMemo m(QStringLiteral("one\ntwo\rthree"));
    TMemo &memo = m.memo;
    EXPECT_EQ(memo.text(), QStringLiteral("one\r\ntwo\r\nthree"));
    memo.setSelection(2, 5);   // "e\r\ntw"
    EXPECT_EQ(memo.selStart(), 2);
    EXPECT_EQ(memo.selLength(), 5);
    EXPECT_EQ(memo.selText(), QStringLiteral("e\r\ntw"));
}

TEST(TMemo, ReplaceSelectionIsOneUndoStepWithCaretAfter)
{
    ShownMemo m(QStringLiteral("say word here"));
    TMemo &memo = m.memo;
    memo.setSelection(4, 4);
    memo.replaceSelection(QStringLiteral("<B>word</B>\r\nx"));
    EXPECT_EQ(memo.text(), QStringLiteral("say <B>word</B>\r\nx here"));
    EXPECT_EQ(memo.selLength(), 0);
    EXPECT_EQ(memo.selStart(), 4 + 14);
    memo.undo();
    EXPECT_EQ(memo.text(), QStringLiteral("say word here"));
}

TEST(TMemo, LinesWithoutWrapAreTextLines)
{
    ShownMemo m(QStringLiteral("a\r\nbb\r\nccc"));
    TMemo &memo = m.memo;
    EXPECT_EQ(memo.lineFromOffset(0), 0);
    EXPECT_EQ(memo.lineFromOffset(3), 1);
    EXPECT_EQ(memo.lineFromOffset(7), 2);
    EXPECT_EQ(memo.lineIndex(2), 7);
    EXPECT_EQ(memo.lineCount(), 3);
    // An empty last line does not count.
    memo.setText(QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(memo.lineCount(), 2);
}

TEST(TMemo, WrappedScreenLinesCountAsLines)
{
    const QString longLine = QString(QStringLiteral("word ")).repeated(60);
    ShownMemo m(QStringLiteral("first\r\n") + longLine + QStringLiteral("\r\nlast"), true, 200);
    TMemo &memo = m.memo;
    ASSERT_TRUE(memo.wrap());
    const int startOfLong = 7;
    EXPECT_EQ(memo.lineFromOffset(startOfLong), 1);
    // Somewhere well inside the long line lies on a later screen line.
    const int inside = startOfLong + 200;
    const int line = memo.lineFromOffset(inside);
    EXPECT_GT(line, 1);
    // The start of that screen line maps back onto the same line.
    EXPECT_EQ(memo.lineFromOffset(memo.lineIndex(line)), line);
    EXPECT_LE(memo.lineIndex(line), inside);
    EXPECT_GT(memo.lineCount(), 3);
}

// The screen lines of each text line, as Find in Files reads them, agree with
// the offset-to-line mapping the caret report and the gutter use; a line
// separator inside a text line starts a screen line too.
TEST(TMemo, ScreenLinesOfATextLineAgreeWithTheLineMapping)
{
    const QString longLine = QString(QStringLiteral("word ")).repeated(60);
    const QString text =
        QStringLiteral("first\r\n") + longLine + QStringLiteral("\r\nab\u2028cd\r\n\r\nlast");
    ShownMemo m(text, true, 200);
    TMemo &memo = m.memo;
    int offset = 0;
    std::vector<int> starts;
    int shown = 0;
    for (int line = 0; line < 5; ++line) {
        int first = -1;
        memo.screenLines(line, first, starts);
        ASSERT_FALSE(starts.empty());
        EXPECT_EQ(starts[0], 0);
        EXPECT_EQ(first, shown) << line;
        for (size_t k = 0; k < starts.size(); ++k) {
            EXPECT_EQ(memo.lineIndex(first + int(k)), offset + starts[k]) << line << " " << k;
            EXPECT_EQ(memo.lineFromOffset(offset + starts[k]), first + int(k));
        }
        shown += int(starts.size());
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), offset);
        offset = lf < 0 ? int(text.size()) : int(lf) + 1;
    }
    memo.screenLines(1, shown, starts);
    EXPECT_GT(starts.size(), 1u);
    memo.screenLines(2, shown, starts);
    EXPECT_EQ(starts, (std::vector<int>{0, 3}));

    memo.setWrap(false);
    memo.screenLines(1, shown, starts);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(starts, std::vector<int>{0});
}

TEST(TMemo, TextKeepsEveryCharacterAsLoaded)
{
    // A no-break space (byte A0 of windows-1252) and a Unicode line separator
    // must come back unchanged, or a load and save would alter the file.
    const QString original = QStringLiteral("a\u00A0b\r\nc\u2028d\r\n\te");
    ShownMemo m(original);
    EXPECT_EQ(m.memo.text(), original);
    EXPECT_EQ(m.memo.textLength(), original.size());
}
