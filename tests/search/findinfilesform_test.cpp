#include "fakesearchhost.h"
#include "printers.h"
#include "resultsdriver.h"
#include "search/findinfilesform.h"
#include "search/resultsform.h"
#include "support/scripteddialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct FindInFilesTest : ::testing::Test {
    ScriptedDialogs dlg;
    FakeSearchHost host;
    TresultsForm results{host};
    TFinFiles finder{host, results};
    QList<bool> shownReports;

    FindInFilesTest()
    {
        QObject::connect(&results, &TresultsForm::shownChanged,
                         [this](bool shown) { shownReports.append(shown); });
    }

    void search(const QString &text)
    {
        finder.show();
        finder.FindWhat->setEditText(text);
        finder.SearchBtn->click();
        waitForSearch();
    }

    // The search steps through the documents on the event loop.
    void waitForSearch()
    {
        if (finder.isSearching()) {
            EXPECT_TRUE(QSignalSpy(&finder, &TFinFiles::searchFinished).wait(20000));
        }
    }

    QStringList lines() const { return resultLines(results); }

    void doubleClick(int row) { doubleClickResult(results, row); }

    static void press(QWidget *target, int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
};

} // namespace

TEST_F(FindInFilesTest, DialogStartsWithMatchCaseOnAndAnEmptyList)
{
    finder.show();
    EXPECT_EQ(finder.windowTitle(), "Find in Files");
    EXPECT_EQ(finder.size(), QSize(334, 127));
    EXPECT_EQ(finder.Label1->text(), "Find What?");
    EXPECT_TRUE(finder.casebox->isChecked());
    EXPECT_EQ(finder.casebox->text(), "Match Case");
    EXPECT_FALSE(finder.wholebox->isChecked());
    EXPECT_EQ(finder.wholebox->text(), "Whole Word");
    EXPECT_EQ(finder.FindWhat->count(), 0);
    EXPECT_TRUE(finder.FindWhat->currentText().isEmpty());
    EXPECT_EQ(finder.SearchBtn->text(), "&Search");
    EXPECT_EQ(finder.CancelBtn->text(), "&Cancel");
}

TEST_F(FindInFilesTest, SearchesFromTheLeastRecentlyActivatedDocumentAndAccumulates)
{
    host.open(QStringLiteral("/w/one.htm"), QStringLiteral("<p>cat</p>\r\nno\r\ncat cat"));
    host.open(QStringLiteral("/w/two.htm"), QStringLiteral("Cat\r\ncat"));
    host.open(QStringLiteral("/w/three.htm"), QStringLiteral("dog"));
    host.bringToFront(host.order.first());   // one.htm is now the most recent
    host.fronted.clear();

    search(QStringLiteral("cat"));
    EXPECT_EQ(host.fronted, QStringList({"/w/two.htm", "/w/three.htm", "/w/one.htm"}));
    EXPECT_EQ(lines(), QStringList({"two.htm:pos 5:line 1...cat", "one.htm:pos 0:line 0...<p>cat</p>",
                                    "one.htm:pos 16:line 2...cat cat"}));
    EXPECT_TRUE(results.isVisible());
    EXPECT_FALSE(finder.isVisible());
    EXPECT_EQ(finder.result(), QDialog::Accepted);
    EXPECT_EQ(shownReports, QList<bool>({true}));

    // A second search appends below, even when it finds nothing.
    search(QStringLiteral("dog"));
    search(QStringLiteral("cow"));
    search(QStringLiteral("cat"));
    EXPECT_EQ(lines().size(), 7);
    EXPECT_EQ(lines()[3], "three.htm:pos 0:line 0...dog");
    EXPECT_EQ(lines()[4], "two.htm:pos 5:line 1...cat");
    // Every text searched for is listed, repeats included, in order.
    ASSERT_EQ(finder.FindWhat->count(), 4);
    EXPECT_EQ(finder.FindWhat->itemText(0), "cat");
    EXPECT_EQ(finder.FindWhat->itemText(3), "cat");
    EXPECT_TRUE(dlg.messages.isEmpty());
}

// The window answers between documents: the click returns at once, and a
// Cancel then stops the search with what it found so far listed.
TEST_F(FindInFilesTest, CancelStopsASearchUnderWayAndKeepsWhatItFound)
{
    host.open(QStringLiteral("/w/one.htm"), QStringLiteral("cat"));
    host.open(QStringLiteral("/w/two.htm"), QStringLiteral("a cat"));
    TSubForm *three = host.open(QStringLiteral("/w/three.htm"), QStringLiteral("the cat"));
    host.fronted.clear();
    QSignalSpy finished(&finder, &TFinFiles::searchFinished);
    host.onFront = [&](TSubForm *doc) {
        if (doc == three)
            finder.CancelBtnClick();
    };
    finder.show();
    finder.FindWhat->setEditText(QStringLiteral("cat"));
    finder.SearchBtn->click();
    EXPECT_TRUE(finder.isSearching());
    EXPECT_TRUE(host.fronted.isEmpty());
    finder.SearchBtn->click();   // a second press while it runs starts nothing
    EXPECT_EQ(finder.FindWhat->count(), 1);

    ASSERT_TRUE(finished.wait(20000));
    QTest::qWait(50);   // a step that should not come would come by now
    EXPECT_EQ(finished.size(), 1);
    EXPECT_FALSE(finder.isSearching());
    EXPECT_EQ(host.fronted, QStringList({"/w/one.htm", "/w/two.htm", "/w/three.htm"}));
    EXPECT_EQ(lines(), QStringList({"one.htm:pos 0:line 0...cat", "two.htm:pos 0:line 0...a cat"}));
    EXPECT_TRUE(results.isVisible());
    EXPECT_FALSE(finder.isVisible());
    EXPECT_EQ(finder.result(), QDialog::Rejected);

    // Cancelled before any document was reached, nothing is shown.
    host.onFront = {};
    results.hide();
    finder.show();
    finder.SearchBtn->click();
    finder.CancelBtnClick();
    EXPECT_FALSE(finder.isSearching());
    EXPECT_FALSE(results.isVisible());
    EXPECT_EQ(lines().size(), 2);
}

TEST_F(FindInFilesTest, ADocumentClosedDuringTheSearchIsSkipped)
{
    TSubForm *one = host.open(QStringLiteral("/w/one.htm"), QStringLiteral("cat"));
    TSubForm *two = host.open(QStringLiteral("/w/two.htm"), QStringLiteral("cat"));
    host.open(QStringLiteral("/w/three.htm"), QStringLiteral("cat"));
    host.fronted.clear();
    host.onFront = [&](TSubForm *doc) {
        if (doc == one)
            host.closeDocument(two);
    };
    search(QStringLiteral("cat"));
    EXPECT_EQ(host.fronted, QStringList({"/w/one.htm", "/w/three.htm"}));
    EXPECT_EQ(lines(), QStringList({"one.htm:pos 0:line 0...cat", "three.htm:pos 0:line 0...cat"}));
    EXPECT_EQ(finder.result(), QDialog::Accepted);
}

TEST_F(FindInFilesTest, OptionsAreReadFromTheChecks)
{
    host.open(QStringLiteral("/w/a.htm"), QStringLiteral("cat at start\r\na Cat here\r\nends with cat"));
    finder.show();
    finder.casebox->setChecked(false);
    finder.wholebox->setChecked(true);
    search(QStringLiteral("cat"));
    EXPECT_EQ(lines(), QStringList({"a.htm:pos 14:line 1...a Cat here"}));
}

TEST_F(FindInFilesTest, AMinimizedDocumentIsRestoredAndAMaximizedOneStaysMaximized)
{
    TSubForm *a = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("x"));
    TSubForm *b = host.open(QStringLiteral("/w/b.htm"), QStringLiteral("x"));
    a->showMinimized();
    b->showMaximized();
    search(QStringLiteral("x"));
    EXPECT_FALSE(a->isMinimized());
    EXPECT_TRUE(b->isMaximized());
    EXPECT_EQ(host.currentDocument(), b);
}

TEST_F(FindInFilesTest, EnterSearchesAndEscapeCancels)
{
    host.open(QStringLiteral("/w/a.htm"), QStringLiteral("abc"));
    finder.show();
    finder.FindWhat->setEditText(QStringLiteral("b"));
    press(finder.FindWhat->lineEdit(), Qt::Key_Escape);
    EXPECT_FALSE(finder.isVisible());
    EXPECT_EQ(finder.result(), QDialog::Rejected);
    EXPECT_EQ(results.ListBox1->model()->rowCount(), 0);
    EXPECT_EQ(finder.FindWhat->count(), 0);

    finder.show();
    finder.FindWhat->setEditText(QStringLiteral("b"));
    press(finder.FindWhat->lineEdit(), Qt::Key_Return);
    waitForSearch();
    EXPECT_EQ(lines(), QStringList({"a.htm:pos 0:line 0...abc"}));
    EXPECT_FALSE(finder.isVisible());
}

TEST_F(FindInFilesTest, TheJumpGoesToTheLineOffsetInTheFirstMatchingWindowFromTheLast)
{
    TSubForm *first = host.open(QStringLiteral("/one/index.htm"), QStringLiteral("ab\r\ncd"));
    TSubForm *other = host.open(QStringLiteral("/w/other.htm"), QStringLiteral("cd"));
    TSubForm *second = host.open(QStringLiteral("/two/index.htm"), QStringLiteral("xx cd"));
    search(QStringLiteral("cd"));
    ASSERT_EQ(lines(), QStringList({"index.htm:pos 4:line 1...cd", "other.htm:pos 0:line 0...cd",
                                    "index.htm:pos 0:line 0...xx cd"}));

    // Both index.htm lines lead to the least recently activated of the two.
    doubleClick(2);
    EXPECT_EQ(host.currentDocument(), first);
    EXPECT_EQ(first->Memo1->selStart(), 0);
    host.bringToFront(first);   // now second is the least recent index.htm
    doubleClick(0);
    EXPECT_EQ(host.currentDocument(), second);
    EXPECT_EQ(second->Memo1->selStart(), 4);   // the stored offset, whatever is there now
    EXPECT_EQ(second->Memo1->selLength(), 0);

    doubleClick(1);
    EXPECT_EQ(host.currentDocument(), other);
    EXPECT_EQ(other->Memo1->selStart(), 0);

    // A closed document is not found; nothing happens.
    host.closeDocument(other);
    host.fronted.clear();
    doubleClick(1);
    EXPECT_TRUE(host.fronted.isEmpty());
    // Nor without a selected line.
    results.ListBox1->clearSelection();
    results.ListBox1DblClick();
    EXPECT_TRUE(host.fronted.isEmpty());
}

TEST_F(FindInFilesTest, WrappedLinesAreListedAsDisplayed)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QString(), true);
    doc->resize(220, 300);
    const QString text = QStringLiteral("alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu target");
    doc->Memo1->setText(text);
    const int hit = int(text.indexOf(QStringLiteral("target")));
    const int line = doc->Memo1->lineFromOffset(hit);
    ASSERT_GT(line, 0) << "the test needs the line to wrap";
    search(QStringLiteral("target"));
    const int start = doc->Memo1->lineIndex(line);
    EXPECT_EQ(lines(), QStringList({QStringLiteral("a.htm:pos %1:line %2...").arg(start).arg(line) +
                                    text.mid(start)}));
}

TEST_F(FindInFilesTest, ResultsWindowMenuClearsAndHides)
{
    results.show();
    EXPECT_EQ(results.windowTitle(), "Search Results");
    EXPECT_EQ(results.size(), QSize(750, 120));
    EXPECT_EQ(results.ClearSearResults1->text(), "Clear Sear Results");
    EXPECT_EQ(results.HideSearchResults1->text(), "Hide Search Results");
    host.open(QStringLiteral("/w/a.htm"), QStringLiteral("abc"));
    search(QStringLiteral("a"));
    ASSERT_EQ(results.ListBox1->model()->rowCount(), 1);

    results.HideSearchResults1->trigger();
    EXPECT_FALSE(results.isVisible());
    EXPECT_EQ(results.ListBox1->model()->rowCount(), 1);   // the list survives hiding
    results.show();
    results.ClearSearResults1->trigger();
    EXPECT_EQ(results.ListBox1->model()->rowCount(), 0);
    results.close();   // as by the title bar
    EXPECT_EQ(shownReports, QList<bool>({true, false, true, false}));
}

TEST_F(FindInFilesTest, ARegularExpressionListsTheLinesItMatchesAndAnInvalidOneSearchesNothing)
{
    finder.show();
    EXPECT_FALSE(finder.regexbox->isChecked());
    EXPECT_EQ(finder.regexbox->text(), "Regular expression");
    // It shows whole beside the other boxes and under the buttons.
    for (QWidget *other : {static_cast<QWidget *>(finder.casebox), static_cast<QWidget *>(finder.wholebox),
                           static_cast<QWidget *>(finder.SearchBtn), static_cast<QWidget *>(finder.CancelBtn),
                           static_cast<QWidget *>(finder.FindWhat)})
        EXPECT_FALSE(finder.regexbox->geometry().intersects(other->geometry())) << other->objectName().toStdString();
    EXPECT_TRUE(finder.rect().contains(finder.regexbox->geometry()));
    EXPECT_LE(finder.regexbox->sizeHint().width(), finder.regexbox->width());

    host.open(QStringLiteral("/w/one.htm"), QStringLiteral("<h1>Title</h1>\r\n<p>text</p>\r\n<h2>Sub</h2>"));
    finder.regexbox->setChecked(true);
    finder.casebox->setChecked(false);
    search(QStringLiteral("<H[1-6]>\\w+"));
    EXPECT_EQ(lines(), QStringList({"one.htm:pos 0:line 0...<h1>Title</h1>", "one.htm:pos 29:line 2...<h2>Sub</h2>"}));

    // The parser's reason, the dialog still open, nothing listed or remembered.
    search(QStringLiteral("<h[1-6"));
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_TRUE(dlg.messages[0].startsWith(QStringLiteral("Invalid regular expression"))) << dlg.messages[0].toStdString();
    EXPECT_TRUE(finder.isVisible());
    EXPECT_EQ(lines().size(), 2);
    EXPECT_EQ(finder.FindWhat->count(), 1);
}
