#include "mainwindowtestbase.h"

#include "widgets/colourswatch.h"
#include "markup/paragraphdialog.h"
#include "platform/screensampler.h"
#include "search/findform.h"
#include "spike/spikewindow.h"
#include "table/tablewindow.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QListWidget>
#include <QMimeData>
#include <QTimer>

namespace {

class FixedSampler : public ScreenSampler {
public:
    quint32 value = 0;
    FixedSampler() { setScreenSampler(this); }
    ~FixedSampler() override { setScreenSampler(nullptr); }
    quint32 pixelUnderPointer() override { return value; }
};

} // namespace

TEST_F(MainWindowTest, TagPairWrapsTheSelectionOrLeavesTheCaretBetweenTheTags)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("make this bold"));
    memo().setModified(false);
    memo().setSelection(5, 4);
    w->markupCommands().BoldBtnClick();
    EXPECT_EQ(memo().text(), QStringLiteral("make <B>this</B> bold"));
    EXPECT_EQ(memo().selStart(), 16);
    EXPECT_EQ(memo().selLength(), 0);
    EXPECT_TRUE(memo().modified());
    memo().undo();
    EXPECT_EQ(memo().text(), QStringLiteral("make this bold"));

    memo().setSelStart(0);
    w->markupCommands().CENTER1Click();
    EXPECT_EQ(memo().text(), QStringLiteral("<CENTER></CENTER>make this bold"));
    EXPECT_EQ(memo().selStart(), 8);   // between the tags
    w->markupCommands().BreakBtnClick();
    EXPECT_EQ(memo().text(), QStringLiteral("<CENTER><BR></CENTER>make this bold"));
    EXPECT_EQ(memo().selStart(), 12);
}

TEST_F(MainWindowTest, InsertionLeavesTextAndPicturesOnTheClipboard)
{
    w->documentCommands().New1Click();
    QClipboard *cb = QApplication::clipboard();
    cb->setText(QStringLiteral("kept text"));
    w->markupCommands().ItalicBtnClick();
    EXPECT_EQ(cb->text(), QStringLiteral("kept text"));

    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    cb->setImage(picture);
    w->markupCommands().SpaceBtnClick();
    ASSERT_TRUE(cb->mimeData()->hasImage());
    EXPECT_EQ(cb->image().size(), QSize(4, 3));
    EXPECT_EQ(memo().text(), QStringLiteral("<I>&nbsp;</I>"));
}

TEST_F(MainWindowTest, CancelledDialogChangesNothing)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("text"));
    memo().setSelection(0, 4);
    QApplication::clipboard()->setText(QStringLiteral("clip"));
    w->markupCommands().Paragraph1Click();   // the test's modal answer is Cancel
    ASSERT_EQ(shownDialogs.size(), 1);
    EXPECT_EQ(memo().text(), QStringLiteral("text"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("clip"));
}

TEST_F(MainWindowTest, ParagraphWithoutSelectionPutsTheCaretAfterTheOpeningTag)
{
    w->documentCommands().New1Click();
    modalAnswer = [](QDialog *d) {
        auto *p = qobject_cast<TParabox *>(d);
        p->SpeedButton2Click();   // Apply with no alignment
        return p->result();
    };
    w->markupCommands().Paragraph1Click();
    EXPECT_EQ(memo().text(), QStringLiteral("<P>\r\n</P>"));
    EXPECT_EQ(memo().selStart(), 3);
}

TEST_F(MainWindowTest, ColourSwatchInsertsQuotedColours)
{
    w->documentCommands().New1Click();
    w->markupCommands().Shape1MouseDown(Qt::RightButton);
    EXPECT_EQ(memo().text(), QStringLiteral("\"#FFFFFF\""));
    EXPECT_TRUE(dlg.colorDialogs.isEmpty());

    dlg.queueColor(QColor(255, 0, 0));
    w->markupCommands().Shape1MouseDown(Qt::LeftButton);
    EXPECT_EQ(memo().text(), QStringLiteral("\"#FFFFFF\"\"#FF0000\""));
    EXPECT_EQ(w->markupCommands().colourSwatch()->fill(), 0x0000FFu);
    EXPECT_EQ(w->markupCommands().colourSwatch()->outline(), 0x0000FFu);

    dlg.queueColor(std::nullopt);
    w->markupCommands().Shape1MouseDown(Qt::MiddleButton);   // middle opens the dialog too; cancelled
    EXPECT_EQ(dlg.colorDialogs.size(), 2);
    EXPECT_EQ(dlg.colorDialogs.last(), QColor(255, 0, 0));   // opens at the last choice
    EXPECT_EQ(memo().text(), QStringLiteral("\"#FFFFFF\"\"#FF0000\""));
}

TEST_F(MainWindowTest, PipetteSamplesUntilTheFirstPress)
{
    FixedSampler sampler;
    w->documentCommands().New1Click();
    w->markupCommands().colpicBtnClick();
    EXPECT_TRUE(w->markupCommands().pickingColour());
    EXPECT_TRUE(checked("colpicBtn"));
    sampler.value = 0x000000;
    w->markupCommands().ApplicationEvents1Idle();
    EXPECT_EQ(w->markupCommands().colourSwatch()->fill(), 0u);
    w->markupCommands().FormMouseDown();
    EXPECT_FALSE(w->markupCommands().pickingColour());
    EXPECT_FALSE(checked("colpicBtn"));
    EXPECT_EQ(memo().text(), QString());   // nothing inserted by picking
    sampler.value = 0xFFFFFF;
    w->markupCommands().ApplicationEvents1Idle();             // no sampling after the press
    w->markupCommands().Shape1MouseDown(Qt::RightButton);
    EXPECT_EQ(memo().text(), QStringLiteral("\"#000000\""));
}

TEST_F(MainWindowTest, SortSelectionDropsLaterDuplicatesIgnoringCase)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("pear\r\nApple\r\napple\r\nfig\r\n"));
    w->documentCommands().SelectAll1Click();
    w->markupCommands().SortSelection1Click();
    EXPECT_EQ(memo().text(), QStringLiteral("Apple\r\nfig\r\npear\r\n"));
}

TEST_F(MainWindowTest, SpikeCopiesLinesAndInsertsThemInListOrder)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("one\r\ntwo\nthree"));
    w->documentCommands().SelectAll1Click();
    w->toolCommands().CopyToSpike1Click();
    ASSERT_EQ(w->tools().Spike->clips(), (QStringList{"one", "two", "three"}));
    memo().setText(QString());
    w->tools().Spike->setClips({"a", "b", "c"});
    w->tools().Spike->SpikeList->item(2)->setSelected(true);
    w->tools().Spike->SpikeList->item(0)->setSelected(true);
    w->tools().Spike->InsertBtnClick();
    EXPECT_EQ(memo().text(), QStringLiteral("a\r\nc\r\n"));
}

TEST_F(MainWindowTest, KeywordsGoAfterTheHeadLine)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("<HTML><HEAD>\r\n<BODY>zebra zebra yak-yaks quokka</BODY>\r\n"));
    w->toolCommands().META1Click();
    waitForKeywords();
    EXPECT_EQ(memo().text(),
              QStringLiteral("<HTML><HEAD>\r\n<META NAME=\"KEYWORDS\" DESCRIPTION=\"ZEBRA, QUOKKA, YAKS\"> \r\n"
                             "<BODY>zebra zebra yak-yaks quokka</BODY>\r\n"));
    EXPECT_TRUE(memo().modified());

    memo().setText(QStringLiteral("no head here"));
    w->toolCommands().META1Click();
    waitForKeywords();
    EXPECT_EQ(dlg.messages.last(), QStringLiteral("No <HEAD> found in html file"));
    EXPECT_EQ(memo().text(), QStringLiteral("no head here"));
}

TEST_F(MainWindowTest, TableCommandBringsTheEditorForwardAndStartsFreshAfterClose)
{
    w->documentCommands().New1Click();
    w->toolCommands().Table1Click();
    Thtmltabletemp *first = w->tools().TableEditor;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(w->toolCommands().tableEditorShown());
    w->toolCommands().Table1Click();
    EXPECT_EQ(w->tools().TableEditor, first);   // still open: brought forward
    first->close();
    EXPECT_TRUE(w->toolCommands().tableEditorClosed());
    w->toolCommands().Table1Click();
    EXPECT_NE(w->tools().TableEditor, nullptr);
    EXPECT_TRUE(w->toolCommands().tableEditorShown());
    EXPECT_FALSE(w->toolCommands().tableEditorClosed());
}

TEST_F(MainWindowTest, FindStartsFromTheTopOfTheCurrentDocument)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("alpha beta alpha"));
    memo().setSelStart(9);
    w->searchCommands().Find1Click();
    EXPECT_EQ(memo().selStart(), 0);
    EXPECT_EQ(w->tools().FindForm->TargetMemo(), &memo());
}

TEST_F(MainWindowTest, KeywordsPressedAgainDuringAScanInsertOneLine)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("<HTML><HEAD>\r\n<BODY>zebra zebra quokka</BODY>\r\n"));
    // A second press arriving while the first scan is under way is not a
    // second scan: the META line goes in once.
    QTimer::singleShot(0, w.get(), [this] { w->toolCommands().META1Click(); });
    w->toolCommands().META1Click();
    waitForKeywords();
    QCoreApplication::processEvents();
    EXPECT_EQ(memo().text(),
              QStringLiteral("<HTML><HEAD>\r\n<META NAME=\"KEYWORDS\" DESCRIPTION=\"ZEBRA, QUOKKA\"> \r\n"
                             "<BODY>zebra zebra quokka</BODY>\r\n"));
}
