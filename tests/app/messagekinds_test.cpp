// Which box each message comes in: a failure shows the error icon, a notice
// the information icon.
#include "mainwindowtestbase.h"
#include "search/findform.h"

#include <QLineEdit>

TEST_F(MainWindowTest, FailuresComeInTheErrorBoxNoticesInTheInformationBox)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("no head here"));
    w->toolCommands().META1Click();
    waitForKeywords();
    EXPECT_EQ(dlg.errors, QStringList{QStringLiteral("No <HEAD> found in html file")});

    const QString missing = cfg.path() + QStringLiteral("a<b>&amp;.htm");
    dlg.queueFile(missing);
    w->documentCommands().Open1Click();
    EXPECT_EQ(dlg.errors.last(), QStringLiteral("Cannot open file ") + missing);

    // A search that ends is news, not a failure.
    const qsizetype errorsBefore = dlg.errors.size();
    w->documentCommands().New1Click();
    w->searchCommands().Find1Click();
    w->tools().FindForm->Findtxt->setText(QStringLiteral("absent"));
    w->tools().FindForm->FindBtnClick();
    EXPECT_EQ(dlg.messages.last(), QStringLiteral("End of Search"));
    EXPECT_EQ(dlg.errors.size(), errorsBefore);
}
