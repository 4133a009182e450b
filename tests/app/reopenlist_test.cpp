#include "app/reopenlist.h"

#include <gtest/gtest.h>

TEST(ReopenList, NewestOnTopEachFileOnceAtMostFive)
{
    ReopenList list;
    for (int i = 1; i <= 7; ++i)
        EXPECT_TRUE(list.add(QStringLiteral("/w/%1.htm").arg(i)));
    EXPECT_EQ(list.entries(), (QStringList{"/w/7.htm", "/w/6.htm", "/w/5.htm", "/w/4.htm", "/w/3.htm"}));

    // A file already listed keeps its place, even when its entry shows an access key.
    EXPECT_FALSE(list.add(QStringLiteral("/w/5.htm")));
    ReopenList marked;
    marked.add(QStringLiteral("/w/&a.htm"));
    EXPECT_FALSE(marked.add(QStringLiteral("/w/a.htm")));
    EXPECT_EQ(marked.entries().size(), 1);
}

TEST(ReopenList, RemovingFreesTheNameAndLeavesTheOthersInOrder)
{
    ReopenList list;
    list.add(QStringLiteral("/a"));
    list.add(QStringLiteral("/b"));
    list.add(QStringLiteral("/c"));
    EXPECT_TRUE(list.remove(QStringLiteral("/&b")));
    EXPECT_FALSE(list.remove(QStringLiteral("/b")));
    EXPECT_EQ(list.entries(), (QStringList{"/c", "/a"}));
    EXPECT_TRUE(list.add(QStringLiteral("/b")));
    EXPECT_EQ(list.entries().first(), QStringLiteral("/b"));
}
