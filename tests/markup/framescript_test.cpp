#include "markup/framescript.h"
#include "markup/pagetemplate.h"

#include <gtest/gtest.h>

using namespace markup;

TEST(Frameset, BothAttributesAlwaysWritten)
{
    EXPECT_EQ(frameset({}), "<FRAMESET ROWS=\"\" COLS=\"\"></FRAMESET>");
    EXPECT_EQ(frameset({QString(), QStringLiteral("50%,50%")}),
              "<FRAMESET ROWS=\"\" COLS=\"50%,50%\"></FRAMESET>");
    EXPECT_EQ(frameset({QStringLiteral("20%,*"), QStringLiteral("*")}),
              "<FRAMESET ROWS=\"20%,*\" COLS=\"*\"></FRAMESET>");
}

TEST(Frame, DefaultsWriteEmptyValues)
{
    EXPECT_EQ(frame({}), "<FRAME NAME=\"\" SRC=\"\" FRAMEBORDER=\"\" MARGINWIDTH=\"\" "
                         "MARGINHEIGHT=\"\" SCROLLING=\"AUTO\" ></FRAME>");
}

TEST(Frame, NoresizeAfterMarginHeightAndPositiveNumbersOnly)
{
    FrameValues v;
    v.name = QStringLiteral("main");
    v.source = QStringLiteral("body.htm");
    v.noResize = true;
    v.scrolling = Scrolling::No;
    v.border = 1;
    v.marginWidth = 10;
    v.marginHeight = -4;
    EXPECT_EQ(frame(v), "<FRAME NAME=\"main\" SRC=\"body.htm\" FRAMEBORDER=\"1\" MARGINWIDTH=\"10\" "
                        "MARGINHEIGHT=\"\" NORESIZE SCROLLING=\"NO\" ></FRAME>");
    v.noResize = false;
    v.scrolling = Scrolling::Yes;
    v.border = 0;
    v.marginWidth = 0;
    v.marginHeight = 7;
    EXPECT_EQ(frame(v), "<FRAME NAME=\"main\" SRC=\"body.htm\" FRAMEBORDER=\"\" MARGINWIDTH=\"\" "
                        "MARGINHEIGHT=\"7\" SCROLLING=\"YES\" ></FRAME>");
}

TEST(Script, DirectKeepsTheTextUnchanged)
{
    EXPECT_EQ(directScript(QStringLiteral("alert(1);\r\n")),
              "<SCRIPT Language=\"javascript\">\r\nalert(1);\r\n</SCRIPT>");
    EXPECT_EQ(directScript(QStringLiteral("x=1;")), "<SCRIPT Language=\"javascript\">\r\nx=1;</SCRIPT>");
}

TEST(Script, FromFileUsesTheFileNamePart)
{
    EXPECT_EQ(scriptFromFile(QStringLiteral("/home/u/js/My.JS")), "<SCRIPT SRC=\"My.JS\"></SCRIPT>");
    EXPECT_EQ(scriptFromFile(QString()), "<SCRIPT SRC=\"\"></SCRIPT>");
}

namespace {
QString lines(std::initializer_list<const char *> parts)
{
    QString out;
    for (const char *p : parts)
        out += QString::fromLatin1(p) + QStringLiteral("\r\n");
    return out;
}
const char *generator = "<META NAME=\"Generator\" CONTENT=\"Dravenic(UK)'s Mivor v2\">";
}

TEST(PageText, EmptyDialogGivesElevenLines)
{
    EXPECT_EQ(pageText({}), lines({"<HTML>", "<HEAD>", generator, "<TITLE></TITLE>", "</HEAD>",
                                   "<BODY >", "", "", "", "</BODY>", "</HTML>"}));
}

TEST(PageText, TitleWithRedBackgroundFixed)
{
    PageValues v;
    v.title = QStringLiteral("Home");
    v.useBackgroundColour = true;
    v.backgroundColour = 255;
    v.fixedBackground = true;
    EXPECT_EQ(pageText(v), lines({"<HTML>", "<HEAD>", generator, "<TITLE>Home</TITLE>", "</HEAD>",
                                  "<BODY BGCOLOR=\"#FF0000\" BGPROPERTIES=\"fixed\" >", "", "", "",
                                  "</BODY>", "</HTML>"}));
}

TEST(PageText, AuthorLineAndEveryBodyAttributeInOrder)
{
    PageValues v;
    v.title = QStringLiteral("T");
    v.author = QStringLiteral("Ann");
    v.useBackgroundColour = true;
    v.backgroundColour = 0x000000;
    v.backgroundImage = QStringLiteral("bg.gif");
    v.useText = true;   // never chosen: white
    v.useLink = true;
    v.link = 0xFF0000;
    v.useVisitedLink = true;
    v.visitedLink = 0x800080;
    v.fixedBackground = true;
    EXPECT_EQ(pageText(v),
              lines({"<HTML>", "<HEAD>", generator, "<META NAME=\"Author\" CONTENT=\"Ann\">",
                     "<TITLE>T</TITLE>", "</HEAD>",
                     "<BODY BGCOLOR=\"#000000\" BACKGROUND=\"bg.gif\" TEXT=\"#FFFFFF\" "
                     "LINK=\"#0000FF\" VLINK=\"#800080\" BGPROPERTIES=\"fixed\" >",
                     "", "", "", "</BODY>", "</HTML>"}));
}

TEST(PageText, CaretLandsOnTheMiddleEmptyLine)
{
    const QString page = pageText({});
    const QString tail = page.right(PageCaretBack);
    EXPECT_EQ(tail, "\r\n\r\n</BODY>\r\n</HTML>\r\n");
    EXPECT_TRUE(page.left(page.size() - PageCaretBack).endsWith("<BODY >\r\n\r\n"));
}
