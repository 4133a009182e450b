// The status bar and the autosave label show their texts whole.
#include "mainwindowtestbase.h"
#include "support/waituntil.h"

#include <QLabel>
#include <QMdiArea>
#include <QProgressBar>

TEST_F(MainWindowTest, CaretPanelAndAutosaveLabelShowTheirWholeText)
{
    w->documentCommands().New1Click();
    QString text;
    for (int i = 0; i < 3400; ++i)
        text += QStringLiteral("x\r\n");
    memo().setText(text);
    memo().setSelStart(int(text.size()) - 3);
    w->currentDocument()->Memo1MouseUp();
    const QLabel *panel = w->statusPanels().statusPanel(0);
    const QString shown = w->statusPanels().statusText(0);
    EXPECT_EQ(shown, QStringLiteral(" col=0: row=3399"));
    EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(shown));
    // A short position keeps the panel's own width.
    memo().setSelStart(0);
    w->currentDocument()->Memo1MouseUp();
    EXPECT_EQ(panel->width(), 130);

    // A longer position than any real one still fits.
    w->statusPanels().showCaretPosition(QStringLiteral(" col=123456: row=1234567890"));
    EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(w->statusPanels().statusText(0)));

    const QLabel *label = w->autosave().autosaveLabel();
    EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(label->text()));
    EXPECT_GE(label->contentsRect().height(), label->fontMetrics().height());
    // It still ends just before the progress bar.
    EXPECT_LT(label->geometry().right(), w->autosave().autosaveProgress()->geometry().left());
    EXPECT_GE(label->geometry().right() + 2, w->autosave().autosaveProgress()->geometry().left());
}

TEST_F(MainWindowTest, TheStatusBarShowsHowTheCurrentDocumentIsSaved)
{
    const QString latin = cfg.write(QStringLiteral("latin.htm"), "caf\xe9\n<p>");
    const QString utf8 = cfg.write(QStringLiteral("utf8.htm"), "caf\xc3\xa9");
    ASSERT_TRUE(w->documentCommands().openDocument(latin, DocumentCommands::Listing::OnSuccess));
    TSubForm *first = w->currentDocument();
    EXPECT_EQ(w->statusPanels().statusText(2), QStringLiteral("windows-1252, CR LF"));
    // The caret and hint panels keep their places and texts.
    EXPECT_EQ(w->statusPanels().statusText(0), QStringLiteral(" col=0: row=0"));
    EXPECT_EQ(w->statusPanels().statusPanel(0)->width(), 130);
    EXPECT_EQ(w->statusPanels().statusPanel(1)->width(), 300);
    EXPECT_LT(w->statusPanels().statusPanel(1)->geometry().right(), w->statusPanels().statusPanel(2)->geometry().left());

    ASSERT_TRUE(w->documentCommands().openDocument(utf8, DocumentCommands::Listing::OnSuccess));
    EXPECT_EQ(w->statusPanels().statusText(2), QStringLiteral("UTF-8, CR LF"));
    w->documentArea()->setActiveSubWindow(first);
    EXPECT_EQ(w->currentDocument(), first);
    EXPECT_EQ(w->statusPanels().statusText(2), QStringLiteral("windows-1252, CR LF"));

    // Typing what windows-1252 has keeps it; a character it lacks means the
    // save writes UTF-8, and the panel says so at once.
    memo().setSelStart(0);
    memo().replaceSelection(QStringLiteral("\u20ac"));
    QCoreApplication::processEvents();
    EXPECT_EQ(w->statusPanels().statusText(2), QStringLiteral("windows-1252, CR LF"));
    memo().replaceSelection(QStringLiteral("\u2192"));
    QCoreApplication::processEvents();
    EXPECT_EQ(w->statusPanels().statusText(2), QStringLiteral("UTF-8, CR LF"));
    w->documentCommands().Save1Click();
    EXPECT_EQ(TempConfig::read(latin), QByteArray("\xe2\x82\xac\xe2\x86\x92" "caf\xc3\xa9\r\n<p>"));
    EXPECT_EQ(w->statusPanels().statusText(2), QStringLiteral("UTF-8, CR LF"));

    // Without a document the panel is gone rather than an empty box.
    const QLabel *panel = w->findChild<QLabel *>(QStringLiteral("SaveFormatPanel"));
    ASSERT_TRUE(panel);
    EXPECT_FALSE(panel->isHidden());
    w->documentCommands().CloseAll1Click();
    // One window closes per turn of the event loop.
    ASSERT_TRUE(waitUntil([this] { return w->documents().isEmpty(); }));
    EXPECT_TRUE(w->statusPanels().statusText(2).isEmpty());
    EXPECT_TRUE(panel->isHidden());
    w->documentCommands().New1Click();
    EXPECT_EQ(w->statusPanels().statusText(2), QStringLiteral("UTF-8, CR LF"));
    EXPECT_FALSE(panel->isHidden());
}
