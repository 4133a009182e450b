#include "markup/tagcommands.h"

#include <gtest/gtest.h>

using namespace markup;

TEST(TagCommands, PairsWrapTheSelectionOrLeaveTheCaretBetweenTheTags)
{
    struct Case {
        TagCommandId id;
        const char *empty;
        int back;
        const char *wrapped;
    };
    const Case cases[] = {
        {TagCommandId::Bold, "<B></B>", 4, "<B>word</B>"},
        {TagCommandId::Italic, "<I></I>", 4, "<I>word</I>"},
        {TagCommandId::Underline, "<U></U>", 4, "<U>word</U>"},
        {TagCommandId::Centre, "<CENTER></CENTER>", 9, "<CENTER>word</CENTER>"},
        {TagCommandId::Blockquote, "<BLOCKQUOTE></BLOCKQUOTE>", 13, "<BLOCKQUOTE>word</BLOCKQUOTE>"},
        {TagCommandId::ListItem, "<Li></Li>", 5, "<Li>word</Li>"},
    };
    for (const Case &c : cases) {
        const TagCommand &cmd = tagCommand(c.id);
        const Insertion none = applyTagCommand(cmd, QString());
        EXPECT_EQ(none.text, c.empty);
        EXPECT_EQ(none.caretBack, c.back) << c.empty;
        const Insertion sel = applyTagCommand(cmd, QStringLiteral("word"));
        EXPECT_EQ(sel.text, c.wrapped);
        EXPECT_EQ(sel.caretBack, 0);
    }
}

TEST(TagCommands, SingleFragmentsReplaceTheSelection)
{
    const Insertion br = applyTagCommand(tagCommand(TagCommandId::LineBreak), QStringLiteral("gone"));
    EXPECT_EQ(br.text, "<BR>");
    EXPECT_EQ(br.caretBack, 0);
    const Insertion sp = applyTagCommand(tagCommand(TagCommandId::Space), QString());
    EXPECT_EQ(sp.text, "&nbsp;");
    EXPECT_EQ(sp.caretBack, 0);
}

TEST(DialogInsertions, ParagraphPutsTheBodyOnItsOwnLine)
{
    const Insertion none = paragraphInsertion(QStringLiteral("<P>"), QString());
    EXPECT_EQ(none.text, "<P>\r\n</P>");
    // Caret right after "<P>", at the end of the first line.
    EXPECT_EQ(none.text.size() - none.caretBack, 3);
    const Insertion sel = paragraphInsertion(QStringLiteral("<P align=\"left\">"), QStringLiteral("S"));
    EXPECT_EQ(sel.text, "<P align=\"left\">\r\nS\r\n</P>");
    EXPECT_EQ(sel.caretBack, 0);
}

TEST(DialogInsertions, FontWrapsOnOneLineOrOpensAnEmptyLine)
{
    const Insertion sel = fontInsertion(QStringLiteral("<FONT SIZE=\"3\">"), QStringLiteral("word"));
    EXPECT_EQ(sel.text, "<FONT SIZE=\"3\">word</FONT>");
    EXPECT_EQ(sel.caretBack, 0);
    const Insertion none = fontInsertion(QStringLiteral("<FONT SIZE=\"3\">"), QString());
    EXPECT_EQ(none.text, "<FONT SIZE=\"3\">\r\n</FONT>");
    EXPECT_EQ(none.text.size() - none.caretBack, 15);
}

TEST(DialogInsertions, ListRuleFramesetAndFrameCarets)
{
    const Insertion list = listInsertion(QStringLiteral("<UL TYPE=\"disc\">"), QStringLiteral("word"),
                                         QStringLiteral("</UL>"));
    EXPECT_EQ(list.text, "<UL TYPE=\"disc\">word</UL>");
    EXPECT_EQ(list.caretBack, 5);
    EXPECT_EQ(listInsertion(QStringLiteral("<OL TYPE=\"1\">"), QString(), QStringLiteral("</OL>")).caretBack, 5);

    const Insertion rule = ruleInsertion(QStringLiteral("<HR ALIGN=\"center\">"));
    EXPECT_EQ(rule.text, "<HR ALIGN=\"center\">\r\n");
    EXPECT_EQ(rule.caretBack, 0);

    const QString fs = QStringLiteral("<FRAMESET ROWS=\"\" COLS=\"\"></FRAMESET>");
    const Insertion set = framesetInsertion(fs);
    EXPECT_EQ(set.text.left(set.text.size() - set.caretBack), "<FRAMESET ROWS=\"\" COLS=\"\">");
    const QString fr = QStringLiteral("<FRAME SCROLLING=\"AUTO\" ></FRAME>");
    const Insertion frm = frameInsertion(fr);
    EXPECT_EQ(frm.text.right(frm.caretBack), "</FRAME>");
}
