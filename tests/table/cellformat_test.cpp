#include "table/cellformat.h"

#include <gtest/gtest.h>

using namespace table;

TEST(CellFormat, TagPairsPutTheCaretBeforeTheClosingTag)
{
    EXPECT_EQ(boldInsertion(""), (CellInsertion{"<B></B>", 4}));
    EXPECT_EQ(boldInsertion("abc"), (CellInsertion{"<B>abc</B>", 4}));
    EXPECT_EQ(italicInsertion("x"), (CellInsertion{"<I>x</I>", 4}));
    EXPECT_EQ(underlineInsertion(""), (CellInsertion{"<U></U>", 4}));
}

TEST(CellFormat, ParagraphAndFontDependOnTheSelection)
{
    EXPECT_EQ(paragraphInsertion("<P align=\"center\">", ""),
              (CellInsertion{"<P align=\"center\">\r\n</P>", 5}));
    EXPECT_EQ(paragraphInsertion("<P>", "word"), (CellInsertion{"<P>\r\nword\r\n</P>", 0}));
    EXPECT_EQ(fontInsertion("<FONT SIZE=\"2\">", ""), (CellInsertion{"<FONT SIZE=\"2\">\r\n</FONT>", 8}));
    EXPECT_EQ(fontInsertion("<FONT>", "word"), (CellInsertion{"<FONT>word</FONT>", 0}));
    EXPECT_EQ(lineBreakInsertion(), (CellInsertion{"<BR>", 0}));
    EXPECT_EQ(colourInsertion(0x0000FF), (CellInsertion{"\"#FF0000\"", 0}));
}

TEST(CellFormat, PictureTagNamesTheFileAndItsSizeInKilobytes)
{
    EXPECT_EQ(pictureCellText("pic.gif", 3500), "<IMG SRC=\"pic.gif\" BORDER=\"0\" ALT=\"pic.gif - 3k\" >\r\n");
    EXPECT_EQ(pictureCellText("img/Big Pic.jpg", 1023), "<IMG SRC=\"img/Big Pic.jpg\" BORDER=\"0\" ALT=\"Big Pic.jpg - 0k\" >\r\n");
}
