// The preview pane with the real browser engine: widths and command states
// along the toggle, the handle strip and the splitter; the page shown and
// when it is refreshed; pictures beside the document; the temporary page.
#include "app/mainwindowtestbase.h"
#include "widgets/colourswatch.h"
#include "preview/browserpane.h"
#include "preview/webview.h"
#include "preview/panescript.h"
#include "support/waituntil.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPrintPreviewWidget>
#include <QSplitter>

namespace {

const QStringList kStripButtons = {"Shape1",   "colpicBtn", "ImgBtn",    "TableBtn", "ParaBtn",
                                   "FontBtn",  "AnchorBtn", "BreakBtn",  "CenterBtn", "HRuleBtn",
                                   "SpaceBtn", "BoldBtn",   "ItalicBtn", "UnderLineBtn"};

class PaneTest : public MainWindowTest {
protected:
    QString writeDoc(const QString &name, const QString &text)
    {
        return cfg.write(name, text.toUtf8());
    }

    // Runs a script in the page shown and waits for its result.
    QVariant evaluate(const QString &script) { return evaluateInPane(*w, script); }

    // The title of the page once the pane shows the expected one.
    QString titleShown(const QString &expected)
    {
        waitUntil([&] { return evaluate(QStringLiteral("document.title")).toString() == expected; }, 10000);
        return evaluate(QStringLiteral("document.title")).toString();
    }

    bool stripEnabled(bool expected)
    {
        for (const QString &b : kStripButtons)
            if ((b == "Shape1" ? w->markupCommands().colourSwatch()->isEnabled() : enabled(b)) != expected)
                return false;
        return true;
    }

    int splitterLeft() { return w->previewSplitter()->handle(1)->mapTo(w.get(), QPoint(0, 0)).x(); }

    void dragSplitterTo(int x)
    {
        QSplitterHandle *h = w->previewSplitter()->handle(1);
        auto send = [&](QEvent::Type type, int atX, Qt::MouseButtons buttons) {
            const QPoint local = h->mapFrom(w.get(), QPoint(atX, h->mapTo(w.get(), QPoint(0, 5)).y()));
            QMouseEvent e(type, local, h->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
            QCoreApplication::sendEvent(h, &e);
        };
        send(QEvent::MouseButtonPress, splitterLeft(), Qt::LeftButton);
        send(QEvent::MouseMove, x, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, x, Qt::NoButton);
    }
};

} // namespace

TEST_F(PaneTest, ToggleShowsTheDocumentAndOnlyTheWindowsMenuRefreshesIt)
{
    EXPECT_EQ(w->previewCommands().previewPaneWidth(), 4);
    EXPECT_FALSE(checked("HtmlPreview1"));
    EXPECT_FALSE(w->previewPane()->engineStarted());   // a collapsed pane costs nothing

    const QString path = writeDoc("first.htm", "<html><head><title>First</title></head><body>one</body></html>");
    ASSERT_TRUE(w->documentCommands().openDocument(path, DocumentCommands::Listing::OnSuccess));
    EXPECT_FALSE(w->previewPane()->engineStarted());

    w->previewCommands().BrowseBtnClick();
    EXPECT_TRUE(checked("HtmlPreview1"));
    EXPECT_EQ(w->previewCommands().previewPaneWidth(), w->width() - 50);
    EXPECT_TRUE(enabled("WebPrintPreview1"));
    EXPECT_TRUE(stripEnabled(false));
    EXPECT_FALSE(w->mainToolStrip()->isEnabled());
    EXPECT_TRUE(enabled("BrowseBtn"));
    EXPECT_EQ(w->previewPane()->url(), QUrl::fromLocalFile(cfg.path() + "~$$$temp.htm"));
    EXPECT_EQ(titleShown("First"), "First");
    EXPECT_EQ(evaluate("document.body.innerText").toString(), "one");

    // Typing leaves the page as it was.
    const QByteArray page = TempConfig::read(cfg.path() + "~$$$temp.htm");
    memo().setText("<html><head><title>Second</title></head><body>two</body></html>");
    waitUntil([] { return false; }, 500);
    EXPECT_EQ(TempConfig::read(cfg.path() + "~$$$temp.htm"), page);
    EXPECT_EQ(evaluate("document.title").toString(), "First");

    // Choosing the document from the "Windows" menu shows the new text.
    ASSERT_EQ(w->commandState().menu(commands::Menu::Windows)->actions().size(), 1);
    w->commandState().menu(commands::Menu::Windows)->actions().first()->trigger();
    EXPECT_EQ(titleShown("Second"), "Second");
    EXPECT_EQ(evaluate("document.body.innerText").toString(), "two");

    w->previewCommands().BrowseBtnClick();
    EXPECT_FALSE(checked("HtmlPreview1"));
    EXPECT_EQ(w->previewCommands().previewPaneWidth(), 4);
    EXPECT_FALSE(enabled("WebPrintPreview1"));
    EXPECT_TRUE(stripEnabled(true));
    EXPECT_TRUE(w->mainToolStrip()->isEnabled());

    // Closing the document turns a running preview off.
    w->previewCommands().BrowseBtnClick();
    ASSERT_TRUE(checked("HtmlPreview1"));
    w->documentCommands().Close1Click();
    EXPECT_FALSE(checked("HtmlPreview1"));
    EXPECT_EQ(w->previewCommands().previewPaneWidth(), 4);
    EXPECT_FALSE(enabled("WebPrintPreview1"));
    EXPECT_TRUE(w->mainToolStrip()->isEnabled());
}

TEST_F(PaneTest, PicturesAndLinksOfTheDocumentsFolderWorkInThePane)
{
    QImage pic(37, 23, QImage::Format_RGB32);
    pic.fill(Qt::red);
    ASSERT_TRUE(pic.save(cfg.path() + "pic.png"));
    writeDoc("next.htm", "<html><head><title>Next</title></head><body>next</body></html>");
    const QString path =
        writeDoc("pictures.htm", "<html><head><title>Pictures</title></head><body>"
                                 "<img id=\"p\" src=\"pic.png\"><a id=\"l\" href=\"next.htm\">go</a></body></html>");
    ASSERT_TRUE(w->documentCommands().openDocument(path, DocumentCommands::Listing::OnSuccess));
    w->previewCommands().BrowseBtnClick();
    ASSERT_EQ(titleShown("Pictures"), "Pictures");
    waitUntil([&] { return evaluate("document.getElementById('p').complete").toBool(); });
    EXPECT_EQ(evaluate("document.getElementById('p').naturalWidth").toInt(), 37);
    EXPECT_EQ(evaluate("document.getElementById('p').naturalHeight").toInt(), 23);

    evaluate("document.getElementById('l').click(); 0");
    EXPECT_EQ(titleShown("Next"), "Next");
}

TEST_F(PaneTest, HandleStripAndSplitterDecideWidthAndStrips)
{
    const QString path = writeDoc("strip.htm", "<html><body>strip</body></html>");
    ASSERT_TRUE(w->documentCommands().openDocument(path, DocumentCommands::Listing::OnSuccess));
    ASSERT_EQ(w->previewCommands().previewPaneWidth(), 4);

    // Collapsed: half the window, checked, nothing else of the toggle.
    w->previewCommands().Panel2DblClick();
    EXPECT_EQ(w->previewCommands().previewPaneWidth(), w->width() / 2);
    EXPECT_TRUE(checked("HtmlPreview1"));
    EXPECT_TRUE(stripEnabled(true));
    EXPECT_FALSE(enabled("WebPrintPreview1"));

    // Between 100 and 400 wide the double click runs the toggle: checked turns off.
    w->previewCommands().setPreviewPaneWidth(250);
    w->previewCommands().Panel2DblClick();
    EXPECT_EQ(w->previewCommands().previewPaneWidth(), 4);
    EXPECT_FALSE(checked("HtmlPreview1"));
    EXPECT_TRUE(stripEnabled(true));

    // ... and unchecked turns on, to the full width, strips enabled at the end.
    w->previewCommands().setPreviewPaneWidth(250);
    w->previewCommands().Panel2DblClick();
    EXPECT_EQ(w->previewCommands().previewPaneWidth(), w->width() - 50);
    EXPECT_TRUE(checked("HtmlPreview1"));
    EXPECT_TRUE(stripEnabled(true));
    EXPECT_TRUE(w->mainToolStrip()->isEnabled());

    // A real double click on the strip reaches the same handler.
    w->previewCommands().setPreviewPaneWidth(50);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(3, 3), w->previewHandle()->mapToGlobal(QPointF(3, 3)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w->previewHandle(), &dbl);
    EXPECT_EQ(w->previewCommands().previewPaneWidth(), w->width() / 2);

    // The splitter: left of the middle rests the strips, right of it wakes them.
    dragSplitterTo(w->width() / 4);
    EXPECT_LT(splitterLeft(), w->width() / 2);
    EXPECT_TRUE(stripEnabled(false));
    EXPECT_FALSE(w->mainToolStrip()->isEnabled());
    dragSplitterTo(w->width() * 3 / 4);
    EXPECT_GT(splitterLeft(), w->width() / 2);
    EXPECT_TRUE(stripEnabled(true));
    EXPECT_TRUE(w->mainToolStrip()->isEnabled());
}

TEST_F(PaneTest, WithoutADocumentNothingEnablesTheHtmlStrip)
{
    w->documentCommands().New1Click();
    w->documentCommands().Close1Click();   // the untitled one asks Save As, answered Cancel
    ASSERT_TRUE(w->documents().isEmpty());
    ASSERT_TRUE(stripEnabled(false));
    w->previewCommands().BrowseBtnClick();
    w->previewCommands().BrowseBtnClick();
    EXPECT_TRUE(stripEnabled(false));
    w->previewCommands().Panel2DblClick();
    EXPECT_TRUE(stripEnabled(false));
    w->previewCommands().setPreviewPaneWidth(250);
    w->previewCommands().Panel2DblClick();
    EXPECT_TRUE(stripEnabled(false));
    dragSplitterTo(w->width() * 3 / 4);
    EXPECT_TRUE(stripEnabled(false));
    EXPECT_TRUE(dlg.errors.isEmpty());
}

TEST_F(PaneTest, UntitledPageIsWrittenInTheCurrentFolder)
{
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(cfg.path()));
    w->documentCommands().New1Click();
    memo().setText("<html><head><title>Untitled</title></head></html>");
    w->previewCommands().BrowseBtnClick();
    EXPECT_EQ(TempConfig::read(cfg.path() + "~$$$temp.htm"),
              QByteArray("<html><head><title>Untitled</title></head></html>"));
    EXPECT_EQ(titleShown("Untitled"), "Untitled");
    QDir::setCurrent(before);
}

TEST_F(PaneTest, PageThatCannotBeWrittenIsReportedAndNothingIsShown)
{
    const QString folder = cfg.path() + "locked";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/page.htm";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html></html>");
    f.close();
    testuser::handOver(cfg.path());
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    ASSERT_TRUE(w->documentCommands().openDocument(path, DocumentCommands::Listing::OnSuccess));
    const QUrl shownBefore = w->previewPane()->url();
    {
        Unprivileged nobody;
        w->previewCommands().BrowseBtnClick();
    }
    ASSERT_EQ(dlg.errors.size(), 1);
    EXPECT_TRUE(dlg.errors.first().startsWith("Cannot create file " + folder + "/~$$$temp.htm"))
        << dlg.errors.first().toStdString();
    EXPECT_EQ(w->previewPane()->url(), shownBefore);
    EXPECT_FALSE(QFile::exists(folder + "/~$$$temp.htm"));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(PaneTest, WebPagePrintPreviewRendersThePageShown)
{
    const QString path = writeDoc("print.htm", "<html><head><title>Printed</title></head><body>"
                                               "<p style=\"height:2000px\">tall</p><p>end</p></body></html>");
    ASSERT_TRUE(w->documentCommands().openDocument(path, DocumentCommands::Listing::OnSuccess));
    w->previewCommands().BrowseBtnClick();
    ASSERT_EQ(titleShown("Printed"), "Printed");
    int pages = -1;
    modalAnswer = [&](QDialog *d) {
        auto *preview = d->findChild<QPrintPreviewWidget *>();
        if (preview) {
            preview->updatePreview();
            pages = preview->pageCount();
        }
        return int(QDialog::Rejected);
    };
    w->previewCommands().WebPrintPreview1Click();
    ASSERT_EQ(shownDialogs.size(), 1);
    EXPECT_GE(pages, 2);   // a 2000-pixel paragraph does not fit on one A4 page
}
