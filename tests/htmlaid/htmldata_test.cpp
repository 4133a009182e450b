#include "htmlaid/htmldata.h"

#include <gtest/gtest.h>

using htmlaid::HtmlData;

TEST(HtmlData, TheShippedFileIsReadWholeAndOnce)
{
    const HtmlData &d = HtmlData::shipped();
    EXPECT_TRUE(d.loadProblem().isEmpty()) << d.loadProblem().toStdString();
    EXPECT_TRUE(d.problems().isEmpty()) << d.problems().join(u'\n').toStdString();
    EXPECT_EQ(&d, &HtmlData::shipped());
    EXPECT_GT(d.elements().size(), 100);
    EXPECT_GT(d.entities().size(), 400);
    EXPECT_TRUE(std::is_sorted(d.elements().cbegin(), d.elements().cend()));
    EXPECT_TRUE(std::is_sorted(d.entities().cbegin(), d.entities().cend()));

    // The void elements are exactly the standard's, in any case.
    QStringList voids;
    for (const QString &e : d.elements())
        if (d.isVoid(e))
            voids << e;
    EXPECT_EQ(voids, QString("area base br col embed hr img input link meta source track wbr").split(u' '));
    EXPECT_TRUE(d.isVoid(QStringLiteral("BR")));
    EXPECT_FALSE(d.isVoid(QStringLiteral("b")));
    EXPECT_FALSE(d.isVoid(QStringLiteral("my-widget")));
}

TEST(HtmlData, AttributesComeGlobalFirstThenTheElementsOwnThenEventHandlers)
{
    const HtmlData &d = HtmlData::shipped();
    const QStringList a = d.attributesFor(QStringLiteral("A"));
    ASSERT_FALSE(a.isEmpty());
    EXPECT_EQ(a.first(), QStringLiteral("accesskey"));
    const qsizetype cls = a.indexOf(QStringLiteral("class"));
    const qsizetype href = a.indexOf(QStringLiteral("href"));
    const qsizetype onclick = a.indexOf(QStringLiteral("onclick"));
    EXPECT_GE(cls, 0);
    EXPECT_GT(href, a.indexOf(QStringLiteral("translate")));
    EXPECT_GT(onclick, href);
    EXPECT_EQ(a.count(QStringLiteral("href")), 1);
    // Another element's attributes are not offered.
    EXPECT_FALSE(a.contains(QStringLiteral("colspan")));
    EXPECT_TRUE(d.attributesFor(QStringLiteral("td")).contains(QStringLiteral("colspan")));
    // An element the data does not know still gets the global ones.
    const QStringList unknown = d.attributesFor(QStringLiteral("my-widget"));
    EXPECT_TRUE(unknown.contains(QStringLiteral("id")));
    EXPECT_FALSE(unknown.contains(QStringLiteral("href")));
}

TEST(HtmlData, ReferencesStandForTheirCharacters)
{
    const HtmlData &d = HtmlData::shipped();
    EXPECT_EQ(d.entityText(QStringLiteral("amp")), QStringLiteral("&"));
    EXPECT_EQ(d.entityText(QStringLiteral("eacute")), QString(QChar(0xE9)));
    EXPECT_EQ(d.entityText(QStringLiteral("Eacute")), QString(QChar(0xC9)));
    EXPECT_EQ(d.entityText(QStringLiteral("nbsp")), QString(QChar(0xA0)));
    EXPECT_EQ(d.entityText(QStringLiteral("euro")), QString(QChar(0x20AC)));
    EXPECT_EQ(d.entityText(QStringLiteral("rang")), QString(QChar(0x27E9)));
    EXPECT_TRUE(d.entityText(QStringLiteral("EACUTE")).isEmpty());
    EXPECT_TRUE(d.entities().contains(QStringLiteral("hellip")));
}

TEST(HtmlData, LinesItCannotReadAreReportedAndTheRestKept)
{
    const HtmlData d = HtmlData::parse("# a comment\n"
                                       "[global]\nid class\n"
                                       "[elements]\n"
                                       "p: align\n"
                                       "br void:\n"
                                       "no colon here\n"
                                       "x y z: a\n"
                                       "[entities]\n"
                                       "amp 26\n"
                                       "bad ZZ\n"
                                       "half D800\n"
                                       "pair 3C 20D2\n"
                                       "[nonsense]\n"
                                       "what\n");
    EXPECT_EQ(d.elements(), QStringList({"br", "p"}));
    EXPECT_TRUE(d.isVoid(QStringLiteral("br")));
    EXPECT_EQ(d.attributesFor(QStringLiteral("p")), QStringList({"id", "class", "align"}));
    EXPECT_EQ(d.entities(), QStringList({"amp", "pair"}));
    EXPECT_EQ(d.entityText(QStringLiteral("pair")), QString(QChar(0x3C)) + QChar(0x20D2));
    ASSERT_EQ(d.problems().size(), 6) << d.problems().join(u'\n').toStdString();
    EXPECT_TRUE(d.problems().first().startsWith(QStringLiteral("line 7:")));
}
