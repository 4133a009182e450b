#include "spike/spikeclips.h"

#include <gtest/gtest.h>

using spike::splitIntoClips;

TEST(SpikeClips, EveryKindOfBreakEndsALine)
{
    const QStringList three{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")};
    EXPECT_EQ(splitIntoClips(QStringLiteral("one\r\ntwo\r\nthree")), three);
    EXPECT_EQ(splitIntoClips(QStringLiteral("one\ntwo\nthree")), three);
    EXPECT_EQ(splitIntoClips(QStringLiteral("one\rtwo\rthree")), three);
    EXPECT_EQ(splitIntoClips(QStringLiteral("one\rtwo\nthree")), three);
    EXPECT_EQ(splitIntoClips(QStringLiteral("one\r\ntwo\rthree\r\n")), three);
    // What a text control hands over for its own line breaks.
    EXPECT_EQ(splitIntoClips(QStringLiteral("one") + QChar::ParagraphSeparator + QStringLiteral("two")
                             + QChar::LineSeparator + QStringLiteral("three")),
              three);
}

TEST(SpikeClips, FinalBreakAddsNothingEmptyInnerLineAddsAnEmptyClip)
{
    EXPECT_EQ(splitIntoClips(QStringLiteral("a\r\n")), QStringList{QStringLiteral("a")});
    EXPECT_EQ(splitIntoClips(QStringLiteral("a\r")), QStringList{QStringLiteral("a")});
    EXPECT_EQ(splitIntoClips(QStringLiteral("a\n")), QStringList{QStringLiteral("a")});
    EXPECT_EQ(splitIntoClips(QStringLiteral("a\r\n\r\nb")),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    // LF CR is two breaks, so it holds an empty line.
    EXPECT_EQ(splitIntoClips(QStringLiteral("a\n\rb")),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(splitIntoClips(QStringLiteral("\r\n")), QStringList{QString()});
    EXPECT_EQ(splitIntoClips(QStringLiteral("\r\n\r\n")), (QStringList{QString(), QString()}));
    EXPECT_TRUE(splitIntoClips(QString()).isEmpty());
}

TEST(SpikeClips, LinesKeepTheirBlanksAndTabs)
{
    EXPECT_EQ(splitIntoClips(QStringLiteral("  <P>\t\r\n x ")),
              (QStringList{QStringLiteral("  <P>\t"), QStringLiteral(" x ")}));
}

TEST(SpikeClips, InsertTextFollowsListOrder)
{
    const QStringList clips{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                            QString()};
    EXPECT_EQ(spike::insertText(clips, {2, 0}), QStringLiteral("a\r\nc\r\n"));
    EXPECT_EQ(spike::insertText(clips, {1, 2, 0}), QStringLiteral("a\r\nb\r\nc\r\n"));
    // An empty clip still becomes an empty line.
    EXPECT_EQ(spike::insertText(clips, {3, 1}), QStringLiteral("b\r\n\r\n"));
    EXPECT_EQ(spike::insertText(clips, {}), QString());
    // Rows named twice or outside the list do not repeat or crash.
    EXPECT_EQ(spike::insertText(clips, {1, 1, -1, 4, 99}), QStringLiteral("b\r\n"));
}

TEST(SpikeClips, CopiedLinesComeBackAsTheSameLines)
{
    const QString selection = QStringLiteral("first\r\nsecond\nthird\r");
    const QStringList clips = splitIntoClips(selection);
    ASSERT_EQ(clips.size(), 3);
    EXPECT_EQ(spike::insertText(clips, {0, 1, 2}), QStringLiteral("first\r\nsecond\r\nthird\r\n"));
}

TEST(SpikeClips, DeletingRowsKeepsTheRestInOrder)
{
    const QStringList clips{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a"),
                            QStringLiteral("c")};
    // Duplicates are separate clips: only the chosen row goes.
    EXPECT_EQ(spike::withoutRows(clips, {2}),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(spike::withoutRows(clips, {3, 0, 0, 7}),
              (QStringList{QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_TRUE(spike::withoutRows(clips, {0, 1, 2, 3}).isEmpty());
    EXPECT_EQ(spike::withoutRows(clips, {}), clips);
}

TEST(SpikeClips, StoredLinesLoseOnlyEmptyClips)
{
    EXPECT_EQ(spike::clipsFromStoredLines({QString(), QStringLiteral("x"), QString(),
                                           QStringLiteral(" "), QStringLiteral("x")}),
              (QStringList{QStringLiteral("x"), QStringLiteral(" "), QStringLiteral("x")}));
}
