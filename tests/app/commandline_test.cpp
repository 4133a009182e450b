#include "mainwindowtestbase.h"

#include <QDir>

TEST_F(MainWindowTest, ArgumentsAreJoinedWithBlanksIntoOnePath)
{
    QDir().mkpath(cfg.path() + QStringLiteral("My Pages"));
    const QString file = cfg.write(QStringLiteral("My Pages/Index.HTM"), "<html>\r\n</html>");
    const QString first = cfg.path() + QStringLiteral("My");
    open({first, QStringLiteral("Pages/Index.HTM")});
    w->FormActivate();
    ASSERT_EQ(int(w->documents().size()), 1);
    EXPECT_EQ(w->currentDocument()->caption(), file);
    EXPECT_EQ(memo().text(), QStringLiteral("<html>\r\n</html>"));
    EXPECT_FALSE(memo().modified());
    // A freshly loaded file has nothing to undo or save.
    EXPECT_FALSE(enabled("Undo1"));
    EXPECT_FALSE(enabled("SaveBtn"));
    EXPECT_EQ(w->windowCommands().windowList(), QStringList{file});

    // A later activation opens nothing again.
    w->FormActivate();
    EXPECT_EQ(int(w->documents().size()), 1);
}

TEST_F(MainWindowTest, RichTextInAnyCaseBecomesAnUntitledModifiedDocument)
{
    const QString rtf = cfg.write(QStringLiteral("Letter.RtF"),
                                  "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Dear caf\\'e9,\\par Bye}");
    open({rtf});
    w->FormActivate();
    ASSERT_EQ(int(w->documents().size()), 1);
    EXPECT_EQ(w->currentDocument()->caption(), QStringLiteral("~Untiltled1"));
    EXPECT_EQ(memo().text(), QStringLiteral("Dear caf\u00e9,\r\nBye"));
    EXPECT_TRUE(memo().modified());
    EXPECT_TRUE(enabled("Save1"));
    // New draws from the same counter.
    w->documentCommands().New1Click();
    EXPECT_EQ(w->currentDocument()->caption(), QStringLiteral("~Untiltled2"));
}

TEST_F(MainWindowTest, AnyOtherExtensionOpensAsTextTitledWithThePath)
{
    const QString php = cfg.write(QStringLiteral("Page.php"), "<?php echo 1; ?>\n");
    open({php});
    w->FormActivate();
    ASSERT_EQ(int(w->documents().size()), 1);
    EXPECT_EQ(w->currentDocument()->caption(), php);
    EXPECT_EQ(memo().text(), QStringLiteral("<?php echo 1; ?>\r\n"));
}

TEST_F(MainWindowTest, AnUnreadableFileLeavesAnEmptyWindowTitledWithThePath)
{
    const QString missing = cfg.path() + QStringLiteral("gone.txt");
    open({missing});
    w->FormActivate();
    ASSERT_EQ(dlg.messages.size(), 1);
    EXPECT_EQ(dlg.messages[0], QStringLiteral("Cannot open file ") + missing);
    ASSERT_EQ(int(w->documents().size()), 1);
    EXPECT_EQ(w->currentDocument()->caption(), missing);
    EXPECT_EQ(memo().text(), QString());

    // An unreadable rich-text file: the message comes before any window.
    const QString rtf = cfg.path() + QStringLiteral("gone.rtf");
    open({rtf});
    w->FormActivate();
    EXPECT_EQ(dlg.messages.last(), QStringLiteral("Cannot open file ") + rtf);
    EXPECT_EQ(int(w->documents().size()), 0);
}
