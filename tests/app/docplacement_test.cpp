#include "app/docplacement.h"

#include <gtest/gtest.h>

TEST(DocumentPlacement, FirstFillsTheDesktopFurtherOnesStepAndAreCutAtItsEdges)
{
    const QSize desktop(1000, 600);
    const QSize step(10, 20);
    EXPECT_EQ(newDocumentGeometry(desktop, 0, step), QRect(0, 0, 1000, 600));
    EXPECT_EQ(newDocumentGeometry(desktop, 1, step), QRect(10, 20, 990, 580));
    EXPECT_EQ(newDocumentGeometry(desktop, 3, step), QRect(30, 60, 970, 540));
    // Every window lies inside the desktop and keeps at least half of it.
    for (int open = 0; open < 60; ++open) {
        const QRect r = newDocumentGeometry(desktop, open, step);
        EXPECT_TRUE(QRect(QPoint(0, 0), desktop).contains(r)) << open;
        EXPECT_GE(r.height(), 300) << open;
    }
    // Past half the height the steps start again at the corner.
    EXPECT_EQ(newDocumentGeometry(desktop, 15, step), QRect(150, 300, 850, 300));
    EXPECT_EQ(newDocumentGeometry(desktop, 16, step), QRect(0, 0, 1000, 600));
}

TEST(DocumentPlacement, TinyOrEmptyDesktopsAndNoStep)
{
    EXPECT_EQ(newDocumentGeometry(QSize(0, 0), 0, QSize(10, 20)), QRect(0, 0, 1, 1));
    EXPECT_EQ(newDocumentGeometry(QSize(30, 30), 1, QSize(10, 20)), QRect(0, 0, 30, 30));
    EXPECT_EQ(newDocumentGeometry(QSize(800, 500), 7, QSize(0, 0)), QRect(0, 0, 800, 500));
}
