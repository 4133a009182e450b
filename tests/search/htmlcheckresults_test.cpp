// The HTML check's findings in the Search Results window, and the jump back
// from them by the double click that Find in Files results use.
#include "fakesearchhost.h"
#include "printers.h"
#include "resultsdriver.h"
#include "search/findinfiles.h"
#include "search/htmlcheck.h"
#include "search/resultsform.h"
#include "support/scripteddialogs.h"

#include <QListView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct HtmlCheckResultsTest : ::testing::Test {
    ScriptedDialogs dlg;
    FakeSearchHost host;
    TresultsForm results{host};

    void check(TSubForm *doc)
    {
        results.AddHtmlCheck(search::checkHtml(doc->Memo1->text()), search::fileNamePart(doc->caption()),
                             doc->Memo1);
    }

    QStringList lines() const { return resultLines(results); }

    void doubleClick(int row) { doubleClickResult(results, row); }
};

const QString Page = QStringLiteral("<!DOCTYPE html>\r\n<html><head><title>t</title></head>\r\n"
                                    "<body>\r\n<p>one <b>two\r\n<img src=\"a.gif\">\r\n</body></html>\r\n");

} // namespace

TEST_F(HtmlCheckResultsTest, FindingsAreListedAsResultsAndTheJumpGoesToTheSpot)
{
    TSubForm *page = host.open(QStringLiteral("/site/index.htm"), Page);
    TSubForm *other = host.open(QStringLiteral("~Untiltled1"), QStringLiteral("x"));
    check(page);
    const int bold = int(Page.indexOf(QStringLiteral("<b>")));
    const int image = int(Page.indexOf(QStringLiteral("<img")));
    EXPECT_EQ(lines(), QStringList({QStringLiteral("index.htm:pos %1:line 3...Warning: missing </b> before </body>").arg(bold),
                                    QStringLiteral("index.htm:pos %1:line 4...Warning: <img> lacks \"alt\" attribute")
                                        .arg(image)}));

    host.bringToFront(other);
    doubleClick(1);
    EXPECT_EQ(host.currentDocument(), page);
    EXPECT_EQ(page->Memo1->selStart(), image);
    EXPECT_EQ(page->Memo1->selLength(), 0);
    doubleClick(0);
    EXPECT_EQ(page->Memo1->selStart(), bold);
}

TEST_F(HtmlCheckResultsTest, WrappedLinesAreCountedAsDisplayed)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QString(), true);
    doc->resize(220, 300);
    const QString text = QStringLiteral("<!DOCTYPE html><html><head><title>t</title></head><body>"
                                        "alpha beta gamma delta epsilon zeta eta theta iota <b>x</body></html>");
    doc->Memo1->setText(text);
    const int bold = int(text.indexOf(QStringLiteral("<b>")));
    const int line = doc->Memo1->lineFromOffset(bold);
    ASSERT_GT(line, 0) << "the test needs the line to wrap";
    check(doc);
    EXPECT_EQ(lines(), QStringList({QStringLiteral("a.htm:pos %1:line %2...Warning: missing </b> before </body>")
                                        .arg(bold)
                                        .arg(line)}));
}

TEST_F(HtmlCheckResultsTest, AnUntitledCleanPageSaysSoAndTheNoteLeadsNowhere)
{
    TSubForm *doc = host.open(QStringLiteral("~Untiltled3"),
                              QStringLiteral("<!DOCTYPE html>\r\n<html><head><title>t</title></head><body></body></html>"));
    check(doc);
    EXPECT_EQ(lines(), QStringList({QStringLiteral("~Untiltled3: No problems found.")}));
    host.fronted.clear();
    doubleClick(0);
    EXPECT_TRUE(host.fronted.isEmpty());
}
