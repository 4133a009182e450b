// The text area's view and marks: the current line's background as it is
// painted, the stretch edited since it was last asked for, and the marks of
// a search.
#include "documents/memo.h"
#include "support/shownmemo.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {


void setBackground(TMemo &memo, const QColor &back, const QColor &text)
{
    QPalette p = memo.palette();
    p.setColor(QPalette::Base, back);
    p.setColor(QPalette::Text, text);
    memo.setPalette(p);
}

// The colour most of a screen row is painted in, a little right of the text.
QColor rowColour(TMemo &memo, int row)
{
    memo.viewport()->repaint();
    const QImage shot = memo.viewport()->grab().toImage();
    const int y = row * memo.lineHeight() + memo.lineHeight() / 2;
    return shot.pixelColor(shot.width() - 20, y);
}

} // namespace

TEST(TMemoView, TheCurrentLineIsPaintedAStepFromTheBackgroundOnLightAndDarkPages)
{
    // The colour: darker on a light page, lighter on a dark one, never far.
    for (const QColor &back : {QColor(Qt::white), QColor(255, 255, 224), QColor(Qt::black), QColor(0, 0, 96)}) {
        const QColor line = TMemo::currentLineColour(back);
        const int step = line.lightness() - back.lightness();
        EXPECT_EQ(step < 0, back.lightness() >= 128) << back.name().toStdString();
        EXPECT_GE(std::abs(step), 10) << back.name().toStdString();
        EXPECT_LE(std::abs(step), 30) << back.name().toStdString();
    }

    ShownMemo m(QStringLiteral("one\r\ntwo\r\nthree"));
    TMemo &memo = m.memo;
    setBackground(memo, Qt::black, Qt::white);
    memo.setCurrentLineShown(true);
    memo.setSelStart(5);   // row 1
    QCoreApplication::processEvents();
    EXPECT_EQ(rowColour(memo, 0).rgb(), QColor(Qt::black).rgb());
    EXPECT_EQ(rowColour(memo, 1).rgb(), TMemo::currentLineColour(Qt::black).rgb());
    // It follows the caret, and a new background.
    memo.setSelStart(0);
    setBackground(memo, Qt::white, Qt::black);
    QCoreApplication::processEvents();
    EXPECT_EQ(rowColour(memo, 0).rgb(), TMemo::currentLineColour(Qt::white).rgb());
    EXPECT_EQ(rowColour(memo, 1).rgb(), QColor(Qt::white).rgb());
    memo.setCurrentLineShown(false);
    EXPECT_EQ(rowColour(memo, 0).rgb(), QColor(Qt::white).rgb());
}

TEST(TMemoView, TheEditedStretchCoversEveryEditSinceItWasAskedFor)
{
    ShownMemo m(QStringLiteral("0123456789\r\nabcdefghij\r\nKLMNOPQRST"));
    TMemo &memo = m.memo;
    int from = -1, to = -1;
    // Loading counts as an edit of everything.
    ASSERT_TRUE(memo.takeEditedStretch(from, to));
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, memo.textLength());
    EXPECT_FALSE(memo.takeEditedStretch(from, to));

    memo.replaceRange(14, 2, QStringLiteral("XYZ"));   // "cd" -> "XYZ"
    ASSERT_TRUE(memo.takeEditedStretch(from, to));
    EXPECT_EQ(from, 14);
    EXPECT_EQ(to, 17);
    // Several edits, the later ones before the earlier: one stretch over all,
    // in the text as it is now.
    memo.replaceRange(26, 1, QString());               // a deletion after
    memo.replaceRange(2, 0, QStringLiteral("__"));      // an insertion before
    ASSERT_TRUE(memo.takeEditedStretch(from, to));
    EXPECT_EQ(from, 2);
    EXPECT_EQ(to, 28);
    EXPECT_EQ(memo.text().mid(from, to - from), QStringLiteral("__23456789\r\nabXYZefghij\r\nK"));
    // Undo and typing are edits too.
    memo.undo();
    ASSERT_TRUE(memo.takeEditedStretch(from, to));
    EXPECT_EQ(from, 2);
    EXPECT_EQ(to, 2);
    memo.setFocus();
    memo.setSelStart(memo.textLength());
    QTest::keyClicks(&memo, QStringLiteral("xy"));
    ASSERT_TRUE(memo.takeEditedStretch(from, to));
    EXPECT_EQ(from, memo.textLength() - 2);
    EXPECT_EQ(to, memo.textLength());
}

TEST(TMemoView, MarksStretchesAndLinesCountCharactersNotBytes)
{
    ShownMemo m(QStringLiteral("caf\u00e9 \u00e9t\u00e9\r\nna\u00efve caf\u00e9"));
    TMemo &memo = m.memo;
    memo.markMatch(0, 4);     // "café"
    memo.markMatch(16, 4);    // the second "café"
    for (int i = 0; i < memo.textLength(); ++i)
        EXPECT_EQ(memo.matchMarkedAt(i), (i < 4) || (i >= 16 && i < 20)) << i;
    memo.clearMatchMarks(2, 18);
    EXPECT_TRUE(memo.matchMarkedAt(1));
    EXPECT_FALSE(memo.matchMarkedAt(2));
    EXPECT_FALSE(memo.matchMarkedAt(17));
    EXPECT_TRUE(memo.matchMarkedAt(18));
    // Marks move with the text.
    memo.replaceRange(0, 0, QStringLiteral("\u00e0\u00e0"));
    EXPECT_FALSE(memo.matchMarkedAt(0));
    EXPECT_TRUE(memo.matchMarkedAt(2));

    // Offsets now: "ààcafé été" CR LF "naïve café".
    QString out;
    EXPECT_EQ(memo.textStretch(7, 12, out), 7);
    EXPECT_EQ(out, QStringLiteral("\u00e9t\u00e9\r\n"));
    // A start between CR and LF starts at the CR.
    EXPECT_EQ(memo.textStretch(11, 13, out), 10);
    EXPECT_EQ(out, QStringLiteral("\r\nn"));
    EXPECT_EQ(memo.textLineStart(11), 0);
    EXPECT_EQ(memo.textLineEnd(11), 12);
    EXPECT_EQ(memo.textLineStart(18), 12);
    EXPECT_EQ(memo.textLineEnd(18), memo.textLength());
}
