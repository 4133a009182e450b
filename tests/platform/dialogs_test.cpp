#include "platform/dialogs.h"

#include <gtest/gtest.h>

TEST(QtNameFilters, PipePairsBecomeQtFiltersWithBlankSeparatedPatterns)
{
    const QStringList f = qtNameFilters(
        QStringLiteral("HTML (*.htm, *.html)|*.htm;*html|TEXT (*.txt)|*.txt|All files (*.*)|*.*"));
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[0], QStringLiteral("HTML (*.htm, *.html) (*.htm *html)"));
    EXPECT_EQ(f[1], QStringLiteral("TEXT (*.txt) (*.txt)"));
    EXPECT_EQ(f[2], QStringLiteral("All files (*.*) (*.*)"));
}

TEST(QtNameFilters, OddTrailingDescriptionIsDropped)
{
    EXPECT_EQ(qtNameFilters(QStringLiteral("Text *.txt|*.txt|Dangling")).size(), 1);
    EXPECT_TRUE(qtNameFilters(QString()).isEmpty());
}
