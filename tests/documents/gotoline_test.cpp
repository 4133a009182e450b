#include "documents/gotoline.h"

#include <gtest/gtest.h>

using gotoline::readRow;

TEST(GoToLine, ANumberIsARowFromZeroAndPastTheEndMeansTheLast)
{
    EXPECT_EQ(readRow(QStringLiteral("0"), 10).row, 0);
    EXPECT_EQ(readRow(QStringLiteral(" 7 "), 10).row, 7);
    EXPECT_TRUE(readRow(QStringLiteral("9"), 10).ok);
    EXPECT_EQ(readRow(QStringLiteral("9"), 10).row, 9);
    EXPECT_EQ(readRow(QStringLiteral("10"), 10).row, 9);
    // More digits than any number holds: still the last row.
    const gotoline::RowChoice huge = readRow(QStringLiteral("99999999999999999999999"), 10);
    EXPECT_TRUE(huge.ok);
    EXPECT_EQ(huge.row, 9);
    EXPECT_EQ(gotoline::prompt(10), QStringLiteral("Line number (0 to 9):"));
    EXPECT_EQ(gotoline::prompt(0), QStringLiteral("Line number (0 to 0):"));
}

TEST(GoToLine, NoNumberIsRefusedWithTheRange)
{
    for (const char *typed : {"", "  ", "-1", "3a", "1.5", "+2", "٣"}) {
        const gotoline::RowChoice c = readRow(QString::fromUtf8(typed), 42);
        EXPECT_FALSE(c.ok) << typed;
        EXPECT_EQ(c.message, QStringLiteral("Enter a line number from 0 to 41.")) << typed;
    }
}
