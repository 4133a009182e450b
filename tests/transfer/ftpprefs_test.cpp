// The FTP Preferences grid as the user types into it.
#include "support/scripteddialogs.h"
#include "transfer/ftpprefs.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct PrefsGrid {
    ScriptedDialogs dlg;
    QStringList stored;
    bool storeCalled = false;
    TFTPPrefs prefs{[this](const QStringList &lines) {
        storeCalled = true;
        stored = lines;
        return Result::success();
    }};

    PrefsGrid()
    {
        prefs.show();
        QApplication::setActiveWindow(&prefs);
        prefs.activateWindow();
    }

    // Types into a cell through its editor, leaving the editor open as a
    // user does before pressing Keep's shortcut.
    void typeInto(int row, int column, const QString &text)
    {
        QTableWidget *grid = prefs.StringGrid1;
        grid->setCurrentCell(row - 1, column);
        grid->editItem(grid->item(row - 1, column));
        QWidget *editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(grid->isAncestorOf(editor));
        QTest::keyClicks(editor, text);
    }
};

} // namespace

TEST(FtpPrefsGrid, KeepTakesTheCellStillBeingTyped)
{
    PrefsGrid g;
    g.prefs.setCell(1, 0, QStringLiteral("ftp.one"));
    g.prefs.setCell(1, 1, QStringLiteral("anna"));
    g.typeInto(1, 2, QStringLiteral("pw1"));
    // Keep's shortcut presses it without taking the focus from the cell.
    g.prefs.SpeedButton2->click();
    EXPECT_TRUE(g.dlg.messages.isEmpty()) << g.dlg.messages.join('|').toStdString();
    ASSERT_TRUE(g.storeCalled);
    EXPECT_EQ(g.stored, (QStringList{"ftp.one", "anna", "pw1"}));
}

TEST(FtpPrefsGrid, FourRowsFitWithoutScrollBars)
{
    PrefsGrid g;
    QTableWidget *grid = g.prefs.StringGrid1;
    const int bottom = grid->verticalHeader()->sectionViewportPosition(3)
                     + grid->verticalHeader()->sectionSize(3);
    EXPECT_LE(bottom, grid->viewport()->height());
    EXPECT_GE(grid->verticalHeader()->sectionSize(3), grid->fontMetrics().height());
}
