#include "markup/textformat.h"

#include <gtest/gtest.h>

using namespace markup;

TEST(ParagraphTag, AlignmentInLowerCase)
{
    EXPECT_EQ(paragraphTag(ParaAlign::NoAlign), "<P>");
    EXPECT_EQ(paragraphTag(ParaAlign::Left), "<P align=\"left\">");
    EXPECT_EQ(paragraphTag(ParaAlign::Centre), "<P align=\"center\">");
    EXPECT_EQ(paragraphTag(ParaAlign::Right), "<P align=\"right\">");
    EXPECT_EQ(paragraphTag(ParaAlign::Justify), "<P align=\"justify\">");
}

TEST(FontTag, OnlyTickedPartsInFaceSizeColourOrder)
{
    FontValues v;
    EXPECT_EQ(fontTag(v), "<FONT>");
    v.useFace = v.useSize = v.useColour = true;
    v.face = FontFace::SansSerif;
    v.size = 5;
    v.colour = 0xFF0000;   // pure blue
    EXPECT_EQ(fontTag(v), "<FONT FACE=\"sans-serif\" SIZE=\"5\" COLOR=\"#0000FF\">");
    v.face = FontFace::Serif;
    v.useSize = false;
    EXPECT_EQ(fontTag(v), "<FONT FACE=\"serif\" COLOR=\"#0000FF\">");
    v.face = FontFace::Monospace;
    v.useColour = false;
    EXPECT_EQ(fontTag(v), "<FONT FACE=\"monospace\">");
}

TEST(FontTag, UntickedValuesAndUnchosenFaceAreLeftOut)
{
    FontValues v;
    v.face = FontFace::Serif;   // chosen but not ticked
    v.size = 7;
    v.colour = 0;
    EXPECT_EQ(fontTag(v), "<FONT>");
    v.useFace = true;
    v.face = FontFace::NoFace;  // ticked, text typed instead of chosen
    EXPECT_EQ(fontTag(v), "<FONT>");
    v.useSize = true;
    v.size = 3;
    EXPECT_EQ(fontTag(v), "<FONT SIZE=\"3\">");
}

TEST(Headline, LevelAlignmentAndText)
{
    HeadlineValues v;
    v.text = QStringLiteral("News");
    v.size = 3;
    v.align = HeadAlign::Center;
    EXPECT_EQ(headline(v), "<H3 ALIGN=\"CENTER\">News</H3>\r\n");
    v.size = 1;
    v.align = HeadAlign::Left;
    v.text.clear();
    EXPECT_EQ(headline(v), "<H1 ALIGN=\"LEFT\"></H1>\r\n");
    v.size = 6;
    v.align = HeadAlign::Right;
    v.text = QStringLiteral("a<b>\"c\"");   // written as typed
    EXPECT_EQ(headline(v), "<H6 ALIGN=\"RIGHT\">a<b>\"c\"</H6>\r\n");
}

TEST(RuleTag, DefaultsAndEachAttribute)
{
    RuleValues v;
    EXPECT_EQ(ruleTag(v), "<HR WIDTH=\"100%\" ALIGN=\"center\">");
    v.percent = false;
    v.width = 50;
    v.align = RuleAlign::Right;
    EXPECT_EQ(ruleTag(v), "<HR WIDTH=\"50\" ALIGN=\"right\">");
    v.width = 0;
    v.height = 0;
    v.align = RuleAlign::Left;
    EXPECT_EQ(ruleTag(v), "<HR SIZE=\"0\" ALIGN=\"left\">");
    v.percent = true;
    v.width = 75;
    v.height = 4;
    v.useColour = true;
    v.colour = 255;
    EXPECT_EQ(ruleTag(v), "<HR WIDTH=\"75%\" SIZE=\"4\" COLOR=\"#FF0000\" ALIGN=\"left\">");
}

TEST(RuleTag, OutOfRangeValueStandingInTheFieldIsWrittenAsItIs)
{
    RuleValues v;
    v.width = 1500;
    v.height = -3;
    EXPECT_EQ(ruleTag(v), "<HR WIDTH=\"1500%\" SIZE=\"-3\" ALIGN=\"center\">");
}

TEST(ListTags, UnorderedBullets)
{
    ListValues v;
    EXPECT_EQ(listTags(v).openTag, "<UL TYPE=\"disc\">");
    EXPECT_EQ(listTags(v).closeTag, "</UL>");
    v.bullet = Bullet::Square;
    EXPECT_EQ(listTags(v).openTag, "<UL TYPE=\"square\">");
    v.bullet = Bullet::Circle;
    v.start = 9;   // start only matters for an ordered list
    EXPECT_EQ(listTags(v).openTag, "<UL TYPE=\"circle\">");
}

TEST(ListTags, OrderedNumberingAndStart)
{
    ListValues v;
    v.ordered = true;
    EXPECT_EQ(listTags(v).openTag, "<OL TYPE=\"1\">");
    EXPECT_EQ(listTags(v).closeTag, "</OL>");
    v.numbering = Numbering::LowerAlpha;
    v.start = 3;
    EXPECT_EQ(listTags(v).openTag, "<OL TYPE=\"a\" START=\"3\">");
    v.numbering = Numbering::UpperAlpha;
    v.start = 1;
    EXPECT_EQ(listTags(v).openTag, "<OL TYPE=\"A\">");
    v.numbering = Numbering::LowerRoman;
    v.start = 0;
    EXPECT_EQ(listTags(v).openTag, "<OL TYPE=\"i\">");
    v.numbering = Numbering::UpperRoman;
    v.start = 100;
    EXPECT_EQ(listTags(v).openTag, "<OL TYPE=\"I\" START=\"100\">");
}
