#include "mainwindowtestbase.h"

#include "widgets/colourswatch.h"
#include "platform/version.h"

#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

namespace {

const QStringList kDocumentCommands = {
    "Color1", "WordWrap1", "wrapbtn", "SaveAs1", "PreviewBtn", "PrintPreview1", "SpikeBtn1",
    "ShowSpike1", "PrintSetup1", "Print1", "PrintBtn", "Close1", "CloseAll1", "htmlBtn", "FindBtn",
    "ReplaceBtn", "Find1", "FindinFiles1", "Replace1", "BrowseBtn", "HtmlPreview1", "ImgBtn",
    "TableBtn", "Table1", "Image1", "Paragraph1", "ParaBtn", "Font1", "FontBtn", "Bold1", "Italic1",
    "Underline1", "BoldBtn", "ItalicBtn", "UnderLineBtn", "BreakBtn", "BNewLine1", "HRRule1",
    "HRuleBtn", "AAnchor1", "AnchorBtn", "SpaceBtn", "Space1", "email1", "Keywords1", "HHeadlines1",
    "Marquee1", "List1", "ListItem1", "FormMenu1", "CopyToSpike1", "SortSelection1",
    "ShowSearchResults1", "Resources1", "LineNumbering1", "Arrange1", "ViewinBrowser1", "CENTER1",
    "Blockquote1", "CenterBtn", "Windows1", "Javascript1", "Frameset1", "Frame1", "colpicBtn",
    "GoToLine1", "ZoomIn1", "ZoomOut1", "ZoomReset1"};

const QStringList kNoDocumentOff = {
    "Savewww1", "Color1", "WordWrap1", "wrapbtn", "PasteBtn", "Paste1", "SelectAll1", "Delete1",
    "Cut1", "Copy1", "CutBtn", "CopyBtn", "Save1", "SaveAs1", "SaveBtn", "SaveSelBtn",
    "SaveSelection1", "PreviewBtn", "PrintPreview1", "WebPrintPreview1", "ShowSpike1", "SpikeBtn1",
    "PrintBtn", "Print1", "PrintSetup1", "Close1", "CloseAll1", "htmlBtn", "FindBtn", "ReplaceBtn",
    "Find1", "FindinFiles1", "Replace1", "BrowseBtn", "HtmlPreview1", "colpicBtn", "ImgBtn",
    "TableBtn", "ParaBtn", "FontBtn", "AnchorBtn", "BreakBtn", "CenterBtn", "HRuleBtn", "SpaceBtn",
    "BoldBtn", "ItalicBtn", "UnderLineBtn", "BNewLine1", "Space1", "HHeadlines1", "Image1",
    "AAnchor1", "Table1", "Font1", "HRRule1", "email1", "FormMenu1", "Frameset1", "Frame1",
    "Marquee1", "Javascript1", "Keywords1", "Paragraph1", "Blockquote1", "CENTER1", "Bold1",
    "Italic1", "Underline1", "List1", "ListItem1", "CopyToSpike1", "SortSelection1",
    "ShowSearchResults1", "Resources1", "LineNumbering1", "Arrange1", "ViewinBrowser1", "Windows1",
    "Undo1", "UndoBtn", "Redo1", "RedoBtn", "GoToLine1", "ZoomIn1", "ZoomOut1", "ZoomReset1"};

const QStringList kAlwaysOn = {"New1", "NewWebPage1", "Open1", "Openwww1", "Reopen1", "Exit1",
                               "Preferences1", "FTPSettings1", "Toolbar1", "StatusBar2",
                               "HtmlToolbar1", "Help2", "About1", "NewBtn", "OpenBtn"};

const QStringList kSelection = {"CutBtn", "Cut1", "CopyBtn", "Copy1", "SaveSelBtn", "SaveSelection1",
                                "Delete1", "SortSelection1", "CopyToSpike1"};

} // namespace

TEST_F(MainWindowTest, NoDocumentAtStartLeavesEveryDocumentCommandOff)
{
    for (const QString &n : kNoDocumentOff)
        EXPECT_FALSE(enabled(n)) << n.toStdString();
    for (const QString &n : kAlwaysOn)
        EXPECT_TRUE(enabled(n)) << n.toStdString();
    EXPECT_FALSE(w->markupCommands().colourSwatch()->isEnabled());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Mivor " MIVOR_VERSION));
}

TEST_F(MainWindowTest, NewSwitchesDocumentCommandsOnAndSelectionFollowsTheText)
{
    QApplication::clipboard()->clear();
    w->documentCommands().New1Click();
    for (const QString &n : kDocumentCommands)
        EXPECT_TRUE(enabled(n)) << n.toStdString();
    EXPECT_TRUE(w->markupCommands().colourSwatch()->isEnabled());
    // Spike and sort come on with the document, before any selection.
    EXPECT_TRUE(enabled("CopyToSpike1"));
    EXPECT_TRUE(enabled("SortSelection1"));
    EXPECT_FALSE(enabled("Paste1"));
    EXPECT_FALSE(enabled("Savewww1"));   // no FTP servers known
    EXPECT_TRUE(w->autosave().autosaveTimer()->isActive());  // autosave is on by default

    memo().setText(QStringLiteral("hello world"));
    memo().setSelection(0, 5);
    w->currentDocument()->Memo1MouseUp();
    for (const QString &n : kSelection)
        EXPECT_TRUE(enabled(n)) << n.toStdString();

    // A click without a selection turns them all off, spike and sort included.
    memo().setSelStart(3);
    w->currentDocument()->Memo1MouseUp();
    for (const QString &n : kSelection)
        EXPECT_FALSE(enabled(n)) << n.toStdString();
}

// The window's first layout, a load and scrolling report the caret too; none
// of them is a selection by the user, so spike and sort stay on until one is.
TEST_F(MainWindowTest, SpikeAndSortStayOnAfterNewAndOpenUntilTheUserSelects)
{
    const auto spikeAndSort = [this] { return enabled("CopyToSpike1") && enabled("SortSelection1"); };
    w->documentCommands().New1Click();
    QCoreApplication::processEvents();
    w->currentDocument()->resize(400, 300);
    QCoreApplication::processEvents();
    EXPECT_TRUE(spikeAndSort());
    EXPECT_FALSE(enabled("Cut1"));

    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << QStringLiteral("line %1").arg(i);
    const QString path = cfg.write(QStringLiteral("long.htm"), lines.join(QStringLiteral("\r\n")).toUtf8());
    dlg.queueFile(path);
    w->documentCommands().Open1Click();
    QCoreApplication::processEvents();
    ASSERT_EQ(w->currentDocument()->caption(), path);
    EXPECT_TRUE(spikeAndSort());
    w->viewCommands().LineNumbering1Click();
    memo().setFirstVisibleLine(100);
    QCoreApplication::processEvents();
    ASSERT_GT(memo().firstVisibleLine(), 0);
    EXPECT_TRUE(spikeAndSort());

    // A selection made by a command and brought into view counts at once.
    memo().setSelection(memo().lineIndex(250), 4);
    memo().setFirstVisibleLine(250);
    QCoreApplication::processEvents();
    EXPECT_TRUE(enabled("Cut1"));
    // The user's click without a selection turns them off with Cut and Copy.
    memo().setSelStart(memo().lineIndex(251));
    w->currentDocument()->Memo1MouseUp();
    EXPECT_FALSE(enabled("Cut1"));
    EXPECT_FALSE(spikeAndSort());
    // Scrolling away does not bring them back.
    memo().setFirstVisibleLine(0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(spikeAndSort());
}

TEST_F(MainWindowTest, ClosingTheLastDocumentReturnsToTheNoDocumentState)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("x"));
    memo().setModified(false);
    memo().selectAll();
    w->currentDocument()->Memo1MouseUp();
    w->documentCommands().New1Click();
    ASSERT_EQ(int(w->documents().size()), 2);
    // Untitled documents offer Save As when closed; cancel it.
    w->documentCommands().Close1Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(int(w->documents().size()), 1);
    EXPECT_TRUE(enabled("BoldBtn"));
    w->documentCommands().Close1Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(int(w->documents().size()), 0);
    EXPECT_EQ(w->currentDocument(), nullptr);
    for (const QString &n : kNoDocumentOff)
        EXPECT_FALSE(enabled(n)) << n.toStdString();
    EXPECT_FALSE(w->autosave().autosaveTimer()->isActive());
    EXPECT_FALSE(checked("WordWrap1"));
    EXPECT_FALSE(checked("wrapbtn"));
}

TEST_F(MainWindowTest, UndoAndRedoFollowTheHistoryAndSaveTheModifiedFlag)
{
    w->documentCommands().New1Click();
    EXPECT_FALSE(enabled("Undo1"));
    EXPECT_FALSE(enabled("Redo1"));
    EXPECT_FALSE(enabled("SaveBtn"));
    // Typing in a row is one step; a paste another.
    QTest::keyClicks(&memo(), QStringLiteral("abc"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(enabled("Undo1"));
    EXPECT_TRUE(enabled("UndoBtn"));
    EXPECT_FALSE(enabled("RedoBtn"));
    EXPECT_TRUE(enabled("Save1"));
    EXPECT_TRUE(enabled("SaveBtn"));
    memo().replaceSelection(QStringLiteral(" def"));
    QCoreApplication::processEvents();

    // Undo stays on while there is a step left, many steps back.
    w->documentCommands().Undo1Click();
    EXPECT_EQ(memo().text(), QStringLiteral("abc"));
    EXPECT_TRUE(enabled("Undo1"));
    EXPECT_TRUE(enabled("Redo1"));
    EXPECT_TRUE(enabled("RedoBtn"));
    w->button(commands::Id::Undo)->click();
    EXPECT_EQ(memo().text(), QString());
    EXPECT_FALSE(enabled("Undo1"));
    EXPECT_FALSE(enabled("UndoBtn"));
    // Redo takes the steps again, menu entry and button alike.
    w->documentCommands().Redo1Click();
    EXPECT_EQ(memo().text(), QStringLiteral("abc"));
    w->button(commands::Id::Redo)->click();
    EXPECT_EQ(memo().text(), QStringLiteral("abc def"));
    EXPECT_FALSE(enabled("Redo1"));
    EXPECT_TRUE(enabled("Undo1"));

    // Saving keeps the history: Undo still goes back past the save.
    const QString path = cfg.path() + QStringLiteral("undo.txt");
    w->currentDocument()->setCaption(path);
    ASSERT_TRUE(w->documentCommands().saveDocument(w->currentDocument()));
    QCoreApplication::processEvents();
    EXPECT_FALSE(enabled("Save1"));
    EXPECT_TRUE(enabled("Undo1"));
    w->documentCommands().Undo1Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(memo().text(), QStringLiteral("abc"));
    EXPECT_TRUE(enabled("Save1"));

    // Each document has its own history; the commands follow the current one.
    w->documentCommands().New1Click();
    EXPECT_FALSE(enabled("Undo1"));
    EXPECT_FALSE(enabled("Redo1"));
    w->documentArea()->setActiveSubWindow(w->documents().first());
    QCoreApplication::processEvents();
    EXPECT_TRUE(enabled("Undo1"));
    EXPECT_TRUE(enabled("Redo1"));
}

TEST_F(MainWindowTest, EditCommandsUseTheRealClipboard)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("cut me please"));
    memo().setSelection(0, 7);
    w->currentDocument()->Memo1MouseUp();
    w->documentCommands().CutBtnClick();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("cut me "));
    EXPECT_EQ(memo().text(), QStringLiteral("please"));
    EXPECT_TRUE(memo().modified());
    EXPECT_TRUE(enabled("Paste1"));
    EXPECT_TRUE(enabled("PasteBtn"));

    memo().setSelStart(6);
    w->documentCommands().PasteBtnClick();
    EXPECT_EQ(memo().text(), QStringLiteral("pleasecut me "));

    memo().setSelection(0, 6);
    w->documentCommands().CopyBtnClick();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("please"));
    w->documentCommands().Delete1Click();
    EXPECT_EQ(memo().text(), QStringLiteral("cut me "));

    w->documentCommands().SelectAll1Click();
    EXPECT_EQ(memo().selLength(), 7);
    EXPECT_TRUE(enabled("Cut1"));
}

TEST_F(MainWindowTest, CtrlASelectsAllAndCtrlFRunsFont)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("line one\r\nline two"));
    memo().setSelStart(3);
    // The anchor entry shows Ctrl+A but does not own it; <FORM> likewise Ctrl+F.
    EXPECT_TRUE(w->action("AAnchor1")->shortcut().isEmpty());
    EXPECT_TRUE(w->action("AAnchor1")->text().endsWith(QStringLiteral("\tCtrl+A")));
    EXPECT_TRUE(w->action("FormMenu1")->shortcut().isEmpty());
    EXPECT_EQ(w->action("SelectAll1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    EXPECT_EQ(w->action("Font1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    EXPECT_TRUE(w->action("New1")->shortcut().isEmpty());
    EXPECT_EQ(w->action("BNewLine1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));

    w->activateWindow();
    memo().setFocus();
    QCoreApplication::processEvents();
    int fontRuns = 0, anchorRuns = 0;
    QObject::connect(w->action("Font1"), &QAction::triggered, [&] { ++fontRuns; });
    QObject::connect(w->action("AAnchor1"), &QAction::triggered, [&] { ++anchorRuns; });
    QTest::keyClick(&memo(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(memo().selLength(), memo().textLength());
    // Select All went through the window's command: selection commands are on.
    EXPECT_TRUE(enabled("Copy1"));
    QTest::keyClick(&memo(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(fontRuns, 1);
    EXPECT_EQ(anchorRuns, 0);
}

TEST_F(MainWindowTest, ViewTogglesHideAndShowTheirParts)
{
    w->viewCommands().Toolbar1Click();
    EXPECT_FALSE(w->mainToolStrip()->isVisible());
    EXPECT_FALSE(checked("Toolbar1"));
    w->viewCommands().Toolbar1Click();
    EXPECT_TRUE(w->mainToolStrip()->isVisible());
    EXPECT_TRUE(checked("Toolbar1"));

    w->viewCommands().StatusBar2Click();
    EXPECT_FALSE(w->statusBar()->isVisible());
    EXPECT_FALSE(checked("StatusBar2"));
    w->viewCommands().StatusBar2Click();
    EXPECT_TRUE(w->statusBar()->isVisible());

    w->viewCommands().HtmlToolbar1Click();
    EXPECT_FALSE(w->htmlToolStrip()->isVisible());
    EXPECT_FALSE(checked("HtmlToolbar1"));
    w->viewCommands().HtmlToolbar1Click();
    EXPECT_TRUE(w->htmlToolStrip()->isVisible());
    EXPECT_TRUE(checked("HtmlToolbar1"));
}

TEST_F(MainWindowTest, PreviewIsOffAfterShowingAndHintsReachTheStatusBar)
{
    EXPECT_FALSE(checked("HtmlPreview1"));
    EXPECT_EQ(w->previewCommands().previewPaneWidth(), 4);
    EXPECT_FALSE(enabled("WebPrintPreview1"));

    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w->button("OpenBtn"), &move);
    EXPECT_EQ(w->statusPanels().statusText(1), QStringLiteral("Open"));
    QCoreApplication::sendEvent(w->markupCommands().colourSwatch(), &move);
    EXPECT_EQ(w->statusPanels().statusText(1),
              QStringLiteral("insert color: left click for color dialog: right click to insert this color"));
    w->statusPanels().clearHint();
    EXPECT_EQ(w->statusPanels().statusText(1), QString());
}

TEST_F(MainWindowTest, WrapAndLineNumberingChecksFollowTheCurrentDocument)
{
    w->documentCommands().New1Click();
    TSubForm *wrapped = w->currentDocument();
    EXPECT_TRUE(checked("WordWrap1"));   // new documents wrap by default
    w->viewCommands().wrapbtnClick();
    EXPECT_FALSE(wrapped->Memo1->wrap());
    EXPECT_FALSE(checked("wrapbtn"));
    w->viewCommands().wrapbtnClick();
    EXPECT_TRUE(wrapped->Memo1->wrap());
    w->viewCommands().LineNumbering1Click();
    EXPECT_TRUE(wrapped->gutterVisible());

    w->documentCommands().New1Click();
    TSubForm *plain = w->currentDocument();
    w->viewCommands().wrapbtnClick();
    EXPECT_FALSE(checked("WordWrap1"));
    EXPECT_FALSE(checked("LineNumbering1"));

    w->documentArea()->setActiveSubWindow(wrapped);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->currentDocument(), wrapped);
    EXPECT_TRUE(checked("WordWrap1"));
    EXPECT_TRUE(checked("wrapbtn"));
    EXPECT_TRUE(checked("LineNumbering1"));
    w->documentArea()->setActiveSubWindow(plain);
    QCoreApplication::processEvents();
    EXPECT_FALSE(checked("WordWrap1"));
    EXPECT_FALSE(checked("LineNumbering1"));
}
