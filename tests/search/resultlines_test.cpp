#include "search/resultlines.h"

#include "search/printers.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace search;

TEST(ResultLines, LinesAreWrittenInFull)
{
    ResultLines lines(QStringLiteral("a b.htm"));
    lines.append(0, 0, QStringLiteral("<p>x</p>"));
    lines.append(2147483647, 1000000, QString());
    lines.append(12, 3, QStringLiteral("é"));
    EXPECT_EQ(lines.toStringList(), QStringList({QStringLiteral("a b.htm:pos 0:line 0...<p>x</p>"),
                                                 QStringLiteral("a b.htm:pos 2147483647:line 1000000..."),
                                                 QStringLiteral("a b.htm:pos 12:line 3...é")}));
    EXPECT_EQ(resultLine(QString(), -2147483647 - 1, 7, u"z"), QStringLiteral(":pos -2147483648:line 7...z"));
}

TEST(ResultListModel, RowsRunOnAcrossDocumentsUntilCleared)
{
    ResultListModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    ResultLines first(QStringLiteral("a.htm"));
    first.append(0, 0, u"one");
    first.append(5, 1, u"two");
    model.append(std::move(first));
    model.append(ResultLines(QStringLiteral("empty.htm"))); // nothing to add, no rows announced
    ResultLines second(QStringLiteral("b.htm"));
    second.append(9, 4, u"three");
    model.append(std::move(second));

    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(inserted.size(), 2);
    EXPECT_EQ(inserted[1][1].toInt(), 2);
    EXPECT_EQ(inserted[1][2].toInt(), 2);
    EXPECT_EQ(model.line(1), QStringLiteral("a.htm:pos 5:line 1...two"));
    EXPECT_EQ(model.index(2).data().toString(), QStringLiteral("b.htm:pos 9:line 4...three"));
    EXPECT_FALSE(model.index(2).data(Qt::DecorationRole).isValid());
    EXPECT_TRUE(model.line(3).isEmpty());
    EXPECT_TRUE(model.line(-1).isEmpty());
    EXPECT_EQ(model.rowCount(model.index(0)), 0); // a list, not a tree

    model.clear();
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(model.rowCount(), 0);
    ResultLines again(QStringLiteral("c.htm"));
    again.append(1, 1, u"x");
    model.append(std::move(again));
    EXPECT_EQ(model.line(0), QStringLiteral("c.htm:pos 1:line 1...x"));
}
