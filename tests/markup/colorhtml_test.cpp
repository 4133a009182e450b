#include "markup/colorhtml.h"
#include "markup/tagcommands.h"

#include <gtest/gtest.h>

TEST(ColorToHtml, WritesRedGreenBlueFromLowByteUp)
{
    EXPECT_EQ(ColorToHtml(255), "FF0000");          // pure red
    EXPECT_EQ(ColorToHtml(0xFF0000), "0000FF");     // pure blue
    EXPECT_EQ(ColorToHtml(0x00FF00), "00FF00");
    EXPECT_EQ(ColorToHtml(0x030201), "010203");     // red 1, green 2, blue 3
    EXPECT_EQ(ColorToHtml(0x563412), "123456");
    EXPECT_EQ(ColorToHtml(0), "000000");
    EXPECT_EQ(ColorToHtml(0xFFFFFF), "FFFFFF");
    EXPECT_EQ(ColorToHtml(0xABCDEF), "EFCDAB");     // upper-case letters
}

TEST(ColorToHtml, WiderValuesKeepTheirFirstSixDigits)
{
    EXPECT_EQ(ColorToHtml(0xFFFFFFFF), "FFFFFF");
    // "1234567" -> "123456" -> pairs 12 34 56 reversed
    EXPECT_EQ(ColorToHtml(0x1234567), "563412");
}

TEST(ColorToHtml, QuotedValueForTheMainSwatch)
{
    EXPECT_EQ(markup::quotedColour(0xFFFFFF), "\"#FFFFFF\"");
    EXPECT_EQ(markup::quotedColour(255), "\"#FF0000\"");
    EXPECT_EQ(markup::quotedColour(0), "\"#000000\"");
}
