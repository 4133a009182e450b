#include "htmlaid/tagscan.h"

#include "htmlaid/htmldata.h"

#include <gtest/gtest.h>

using namespace htmlaid;

namespace {

const HtmlData &data() { return HtmlData::shipped(); }

// The end tag a '>' typed as the last character of `before` brings, with
// `after` following the caret.
QString closing(const QString &before, const QString &after = {})
{
    const StringSource src(before + after);
    return closingTagFor(src, int(before.size()) - 1, data());
}

Tag tagAt(const TextSource &src, const QString &text, const QString &marker)
{
    return readTag(src, int(text.indexOf(marker)), src.length());
}

} // namespace

TEST(TagScan, AnOpeningTagTypedGetsItsEndTagUnlessThereIsNoneToGive)
{
    EXPECT_EQ(closing("<b>"), QStringLiteral("</b>"));
    EXPECT_EQ(closing("text <B class=\"x\" id='y'>"), QStringLiteral("</B>"));
    EXPECT_EQ(closing("<script>"), QStringLiteral("</script>"));
    EXPECT_EQ(closing("<my-widget>"), QStringLiteral("</my-widget>"));
    EXPECT_EQ(closing("<p>\r\n<div\r\n  class=\"a\">"), QStringLiteral("</div>"));
    // Void elements, self-closed ones, end tags and declarations.
    for (const char *none : {"<br>", "<IMG src=\"a.gif\">", "<hr/>", "<x/>", "<x />", "</b>", "<!DOCTYPE html>",
                             "<>", "< b>", "a > b", "<?php echo 1 ?>"})
        EXPECT_TRUE(closing(QString::fromLatin1(none)).isEmpty()) << none;
    // A '>' inside a value, a comment or a script ends no tag.
    EXPECT_TRUE(closing("<a title=\"x>").isEmpty());
    EXPECT_TRUE(closing("<!-- <b>").isEmpty());
    EXPECT_EQ(closing("<!-- x --> <b>"), QStringLiteral("</b>"));
    EXPECT_TRUE(closing("<script>if (a<b && c>").isEmpty());
    EXPECT_TRUE(closing("<style>a<b>").isEmpty());
    EXPECT_EQ(closing("<script>x</script><i>"), QStringLiteral("</i>"));
}

TEST(TagScan, NoEndTagIsAddedWhereTheFollowingTextAlreadyClosesTheElement)
{
    EXPECT_TRUE(closing("<b>", "</b>").isEmpty());
    EXPECT_TRUE(closing("<p><b>", "text <i>x</i> more</B></p>").isEmpty());
    EXPECT_TRUE(closing("<li>", "a<br>b</li>").isEmpty());
    // Nested elements of the same name close themselves first.
    EXPECT_EQ(closing("<div>", "<div>inner</div>"), QStringLiteral("</div>"));
    EXPECT_TRUE(closing("<div>", "<div>inner</div></div>").isEmpty());
    // The end tag of the element holding it: not closed.
    EXPECT_EQ(closing("<div><b>", "</div>"), QStringLiteral("</b>"));
    EXPECT_EQ(closing("<ul><li>", "<li>b</li></ul>"), QStringLiteral("</li>"));
    // An end tag that is only inside a comment does not count.
    EXPECT_EQ(closing("<b>", "<!-- </b> -->"), QStringLiteral("</b>"));
}

TEST(TagScan, PartnersPairByNameAndNestingInBothDirections)
{
    const QString text = QStringLiteral("<div id=a><div>in<!-- </div> --></div><script>'</div>'</script></DIV>");
    const StringSource src(text);
    const Tag outer = tagAt(src, text, QStringLiteral("<div id"));
    ASSERT_TRUE(outer.valid());
    EXPECT_EQ(outer.name, QStringLiteral("div"));
    const Tag end = partnerOf(src, outer, data(), kPartnerBound);
    ASSERT_TRUE(end.valid());
    EXPECT_EQ(end.start, text.indexOf(QStringLiteral("</DIV>")));
    EXPECT_TRUE(end.closing);
    const Tag back = partnerOf(src, end, data(), kPartnerBound);
    EXPECT_EQ(back.start, 0);
    const Tag inner = tagAt(src, text, QStringLiteral("<div>in"));
    // The end tag inside the comment does not count.
    EXPECT_EQ(partnerOf(src, inner, data(), kPartnerBound).start, int(text.indexOf(QStringLiteral("--></div>"))) + 3);
    // No partner for a void or self-closed element, or beyond the bound.
    const QString v = QStringLiteral("<br><x/></x>");
    const StringSource vs(v);
    EXPECT_FALSE(partnerOf(vs, tagAt(vs, v, QStringLiteral("<br")), data(), kPartnerBound).valid());
    EXPECT_FALSE(partnerOf(vs, tagAt(vs, v, QStringLiteral("<x/")), data(), kPartnerBound).valid());
    const QString far = QStringLiteral("<p>") + QString(5000, u'x') + QStringLiteral("</p>");
    const StringSource fs(far);
    EXPECT_FALSE(partnerOf(fs, readTag(fs, 0, fs.length()), data(), 4000).valid());
    EXPECT_TRUE(partnerOf(fs, readTag(fs, 0, fs.length()), data(), 6000).valid());
}

TEST(TagScan, TheTagAroundAnOffsetAndWhereAnOffsetStands)
{
    const QString text = QStringLiteral("ab <a href=\"x\">link</a> <!-- c <b> --> <script>var s;</script>"
                                        "<style>p{}</style><?x ?>end");
    const StringSource src(text);
    const Tag t = tagAround(src, int(text.indexOf(u'h')), kTagBound);
    ASSERT_TRUE(t.valid());
    EXPECT_EQ(t.name, QStringLiteral("a"));
    EXPECT_EQ(t.end, int(text.indexOf(QStringLiteral("link"))));
    EXPECT_FALSE(tagAround(src, int(text.indexOf(QStringLiteral("link"))) + 1, kTagBound).valid());
    EXPECT_FALSE(tagAround(src, 1, kTagBound).valid());

    auto place = [&](const QString &marker) { return placeAt(src, int(text.indexOf(marker)), kPlaceBound); };
    EXPECT_EQ(place(QStringLiteral("ab")), Place::Text);
    EXPECT_EQ(place(QStringLiteral("href")), Place::Tag);
    EXPECT_EQ(place(QStringLiteral("link")), Place::Text);
    EXPECT_EQ(place(QStringLiteral(" c <b>")), Place::Comment);
    EXPECT_EQ(place(QStringLiteral("b> -->")), Place::Comment);
    EXPECT_EQ(place(QStringLiteral("var")), Place::Script);
    EXPECT_EQ(place(QStringLiteral("p{}")), Place::Style);
    EXPECT_EQ(place(QStringLiteral("x ?>")), Place::Other);
    EXPECT_EQ(place(QStringLiteral("end")), Place::Text);
    EXPECT_EQ(place(QStringLiteral(">var")), Place::Tag);   // still in "<script"
}

TEST(TagScan, OpenElementsInnermostFirstEachOnce)
{
    const QString text = QStringLiteral("<html><body><div><div><p>a <b>bold</b><br><img src=x><i/>text");
    const StringSource src(text);
    EXPECT_EQ(openElements(src, int(text.size()), data(), kPartnerBound),
              QStringList({"p", "div", "body", "html"}));
    EXPECT_EQ(openElements(src, int(text.size()), data(), kPartnerBound, 2), QStringList({"p", "div"}));
    const QString closed = QStringLiteral("<ul><li>a</li></ul><p>");
    const StringSource cs(closed);
    EXPECT_EQ(openElements(cs, int(closed.size()), data(), kPartnerBound), QStringList({"p"}));
}

TEST(TagScan, WhatTheCharactersBeforeTheCaretAskToComplete)
{
    auto at = [](const QString &text) {
        const StringSource src(text);
        return completionAt(src, int(text.size()));
    };
    Completion c = at(QStringLiteral("x <di"));
    EXPECT_EQ(c.kind, Completion::Element);
    EXPECT_EQ(c.start, 3);
    EXPECT_EQ(c.prefix, QStringLiteral("di"));
    EXPECT_EQ(at(QStringLiteral("<p>a</")).kind, Completion::EndTag);
    c = at(QStringLiteral("<a class=\"q\" hr"));
    EXPECT_EQ(c.kind, Completion::Attribute);
    EXPECT_EQ(c.element, QStringLiteral("a"));
    EXPECT_EQ(c.prefix, QStringLiteral("hr"));
    EXPECT_EQ(at(QStringLiteral("<a ")).kind, Completion::Attribute);
    EXPECT_EQ(at(QStringLiteral("<a title=\"one tw")).kind, Completion::None);
    EXPECT_EQ(at(QStringLiteral("<a>text ")).kind, Completion::None);
    c = at(QStringLiteral("caf&eac"));
    EXPECT_EQ(c.kind, Completion::Entity);
    EXPECT_EQ(c.prefix, QStringLiteral("eac"));
    EXPECT_EQ(at(QStringLiteral("<!-- <di")).kind, Completion::None);
    EXPECT_EQ(at(QStringLiteral("<script>a <di")).kind, Completion::None);
    EXPECT_EQ(at(QStringLiteral("a <3")).kind, Completion::None);
}

TEST(TagScan, PartnersAreFoundAcrossTenThousandLinesReadPieceByPiece)
{
    QString text = QStringLiteral("<body>\r\n<div id=\"outer\">\r\n");
    for (int n = 0; n < 10000; ++n)
        text += QStringLiteral("<div><p>Line %1 with <b>bold</b> text</p></div>\r\n").arg(n);
    text += QStringLiteral("</div>\r\n</body>\r\n");
    const StringSource src(text);
    const int open = int(text.indexOf(QStringLiteral("<div id")));
    const int close = int(text.lastIndexOf(QStringLiteral("</div>")));
    const Tag outer = tagAround(src, open + 2, kTagBound);
    ASSERT_TRUE(outer.valid());
    EXPECT_EQ(partnerOf(src, outer, data(), kPartnerBound).start, close);
    const Tag end = tagAround(src, close + 2, kTagBound);
    ASSERT_TRUE(end.valid());
    EXPECT_TRUE(end.closing);
    EXPECT_EQ(partnerOf(src, end, data(), kPartnerBound).start, open);
    EXPECT_EQ(partnerOf(src, tagAround(src, int(text.size()) - 5, kTagBound), data(), kPartnerBound).start, 0);
}
