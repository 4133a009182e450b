#include "markup/sortselection.h"

#include <gtest/gtest.h>

using markup::sortSelection;

namespace {
const QLocale english(QLocale::English, QLocale::UnitedKingdom);
}

TEST(SortSelection, SortsLinesAndDropsLaterDuplicatesIgnoringCase)
{
    EXPECT_EQ(sortSelection(QStringLiteral("b\r\na\r\nB\r\n"), english), "a\r\nb\r\n");
    // The first of the lines equal apart from case survives.
    EXPECT_EQ(sortSelection(QStringLiteral("B\r\na\r\nb\r\n"), english), "a\r\nB\r\n");
    EXPECT_EQ(sortSelection(QStringLiteral("pear\r\nApple\r\nbanana\r\n"), english),
              "Apple\r\nbanana\r\npear\r\n");
}

TEST(SortSelection, LastLineWithoutBreakJoinsTheLineAfterIt)
{
    EXPECT_EQ(sortSelection(QStringLiteral("b\r\na"), english), "ab\r\n");
    // When it sorts last it simply stays without a break.
    EXPECT_EQ(sortSelection(QStringLiteral("a\r\nb"), english), "a\r\nb");
}

TEST(SortSelection, EmptyAndSingleLines)
{
    EXPECT_EQ(sortSelection(QString(), english), "");
    EXPECT_EQ(sortSelection(QStringLiteral("only"), english), "only");
    EXPECT_EQ(sortSelection(QStringLiteral("x\r\n"), english), "x\r\n");
    // Equal lines collapse into one.
    EXPECT_EQ(sortSelection(QStringLiteral("x\r\nx\r\nX\r\n"), english), "x\r\n");
}

TEST(SortSelection, CutsAfterEveryLineFeed)
{
    // A lone LF ends a line too; the line keeps whatever break it had.
    EXPECT_EQ(sortSelection(QStringLiteral("c\nb\r\na\n"), english), "a\nb\r\nc\n");
}
