// "Check HTML" from the main window's Search menu.
#include "mainwindowtestbase.h"

#include "search/resultlines.h"
#include "search/resultsform.h"

TEST_F(MainWindowTest, CheckHtmlListsTheCurrentDocumentsProblemsUntitledToo)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("<!DOCTYPE html>\r\n<html><head><title>t</title></head>\r\n"
                                  "<body><b>x</body></html>"));
    EXPECT_TRUE(enabled(QStringLiteral("CheckHtml1")));
    w->action(commands::Id::CheckHtml)->trigger();
    TresultsForm *results = w->tools().resultsForm;
    ASSERT_TRUE(results->isVisible());
    EXPECT_TRUE(checked(QStringLiteral("ShowSearchResults1")));
    ASSERT_EQ(results->Results->rowCount(), 1);
    EXPECT_EQ(results->Results->line(0),
              QStringLiteral("~Untiltled1:pos 60:line 2...Warning: missing </b> before </body>"));

    // Too deep a page is refused with a message and lists nothing.
    QString deep;
    for (int i = 0; i < 20000; ++i)
        deep += QStringLiteral("<div>");
    memo().setText(deep);
    w->searchCommands().CheckHtml1Click();
    EXPECT_EQ(dlg.errors, QStringList({QStringLiteral("The page nests its tags too deeply to be checked.")}));
    EXPECT_EQ(results->Results->rowCount(), 1);

    w->documentCommands().Close1Click();
    EXPECT_FALSE(enabled(QStringLiteral("CheckHtml1")));
}
