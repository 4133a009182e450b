#include "markup/linkmedia.h"

#include <gtest/gtest.h>

using namespace markup;

TEST(Anchor, RefusesWithoutUrlOrNameThenWithoutDescriptionOrName)
{
    AnchorValues v;
    v.description = QStringLiteral("text");
    AnchorResult r = anchor(v);
    EXPECT_EQ(r.message, "you must enter a URL or a Name");
    EXPECT_TRUE(r.text.isEmpty());

    v = {};
    v.url = QStringLiteral("a.htm");
    r = anchor(v);
    EXPECT_EQ(r.message, "You must enter a description or a Name");
    EXPECT_TRUE(r.text.isEmpty());

    // Nothing at all: the first check speaks.
    EXPECT_EQ(anchor(AnchorValues{}).message, "you must enter a URL or a Name");
}

TEST(Anchor, AttributesInHrefNameTargetOrder)
{
    AnchorValues v;
    v.url = QStringLiteral("http://x.org/");
    v.description = QStringLiteral("Home");
    AnchorResult r = anchor(v);
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(r.text, "<A HREF=\"http://x.org/\">Home</A>\r\n");

    v.target = QStringLiteral("[none]");
    EXPECT_EQ(anchor(v).text, "<A HREF=\"http://x.org/\">Home</A>\r\n");

    v.target = QStringLiteral("_blank");
    v.name = QStringLiteral("top");
    EXPECT_EQ(anchor(v).text, "<A HREF=\"http://x.org/\" NAME=\"top\" TARGET=\"_blank\">Home</A>\r\n");

    v.target = QStringLiteral("myframe");   // typed targets are written too
    EXPECT_EQ(anchor(v).text, "<A HREF=\"http://x.org/\" NAME=\"top\" TARGET=\"myframe\">Home</A>\r\n");
}

TEST(Anchor, NameAloneIsEnough)
{
    AnchorValues v;
    v.name = QStringLiteral("sec1");
    const AnchorResult r = anchor(v);
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(r.text, "<A NAME=\"sec1\"></A>\r\n");
}

TEST(Email, SubjectPartIsAlwaysWritten)
{
    EmailValues v{QStringLiteral("me@x.org"), QString(), QStringLiteral("Mail me")};
    EXPECT_EQ(emailLink(v), "<A HREF=\"mailto:me@x.org?subject=\">Mail me</A>");
    v.subject = QStringLiteral("Hello there");
    EXPECT_EQ(emailLink(v), "<A HREF=\"mailto:me@x.org?subject=Hello there\">Mail me</A>");
    EXPECT_EQ(emailLink(EmailValues{}), "<A HREF=\"mailto:?subject=\"></A>");
}

TEST(ImageTag, KilobytesRoundedDownAndNameFromTheReference)
{
    EXPECT_EQ(imageTag(QStringLiteral("pic.gif"), 5000),
              "<IMG SRC=\"pic.gif\" BORDER=\"0\" ALT=\"pic.gif - 4k\" >\r\n");
    EXPECT_EQ(imageTag(QStringLiteral("a.jpg"), 1023),
              "<IMG SRC=\"a.jpg\" BORDER=\"0\" ALT=\"a.jpg - 0k\" >\r\n");
    EXPECT_EQ(imageTag(QStringLiteral("a.jpg"), 2048),
              "<IMG SRC=\"a.jpg\" BORDER=\"0\" ALT=\"a.jpg - 2k\" >\r\n");
    EXPECT_EQ(imageTag(QStringLiteral("/home/u/site/img/b.png"), 0),
              "<IMG SRC=\"/home/u/site/img/b.png\" BORDER=\"0\" ALT=\"b.png - 0k\" >\r\n");
}

TEST(FileNamePart, AfterTheLastSlash)
{
    EXPECT_EQ(fileNamePart(QStringLiteral("/a/b/c.js")), "c.js");
    EXPECT_EQ(fileNamePart(QStringLiteral("c.js")), "c.js");
    EXPECT_EQ(fileNamePart(QStringLiteral("/a/")), "");
    EXPECT_EQ(fileNamePart(QString()), "");
}

TEST(Marquee, DefaultsWriteEveryAttributeInOrder)
{
    MarqueeValues v;
    v.text = QStringLiteral("Hello");
    EXPECT_EQ(marquee(v),
              "<MARQUEE BEHAVIOR=\"scroll\" HEIGHT=\"10%\" WIDTH=\"100%\" DIRECTION=\"left\" "
              "LOOPS=\"infinite\" SCROLLAMOUNT=\"10\" SCROLLDELAY=\"10\">\r\nHello\r\n</MARQUEE>");
}

TEST(Marquee, EveryChoiceInItsPlace)
{
    MarqueeValues v;
    v.text = QStringLiteral("T");
    v.behaviour = MarqueeBehaviour::Alternate;
    v.useBackground = true;
    v.background = 0x00FF00;
    v.heightPercent = false;
    v.height = 40;
    v.widthPercent = false;
    v.width = 300;
    v.direction = MarqueeDirection::Down;
    v.loops = 3;
    v.scrollAmount = 2;
    v.scrollDelay = 85;
    v.title = QStringLiteral("tip");
    EXPECT_EQ(marquee(v),
              "<MARQUEE BEHAVIOR=\"alternate\" BGCOLOR=\"#00FF00\" HEIGHT=\"40\" WIDTH=\"300\" "
              "DIRECTION=\"down\" LOOPS=\"3\" SCROLLAMOUNT=\"2\" SCROLLDELAY=\"85\" TITLE=\"tip\">"
              "\r\nT\r\n</MARQUEE>");
}

TEST(Marquee, LoopsZeroAmountsAndSizesLeftOut)
{
    MarqueeValues v;
    v.loops = -1;
    v.width = 0;
    v.height = 0;
    v.scrollAmount = 0;
    v.scrollDelay = -5;
    v.behaviour = MarqueeBehaviour::Slide;
    v.direction = MarqueeDirection::Up;
    EXPECT_EQ(marquee(v), "<MARQUEE BEHAVIOR=\"slide\" DIRECTION=\"up\" LOOPS=\"infinite\">\r\n\r\n</MARQUEE>");
    v.direction = MarqueeDirection::Right;
    v.behaviour = MarqueeBehaviour::Scroll;
    v.loops = 1;
    EXPECT_EQ(marquee(v), "<MARQUEE BEHAVIOR=\"scroll\" DIRECTION=\"right\" LOOPS=\"1\">\r\n\r\n</MARQUEE>");
}

TEST(Marquee, FontTagWrapsTheMarquee)
{
    MarqueeValues v;
    v.fontTag = QStringLiteral("<FONT SIZE=\"5\">");
    v.text = QStringLiteral("T");
    const QString out = marquee(v);
    EXPECT_TRUE(out.startsWith("<FONT SIZE=\"5\">\r\n<MARQUEE BEHAVIOR=\"scroll\""));
    EXPECT_TRUE(out.endsWith(">\r\nT\r\n</MARQUEE>\r\n</FONT>\r\n"));
}
