#include "fakesearchhost.h"
#include "printers.h"
#include "search/findform.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QString EndOfSearch = QStringLiteral("End of Search");

struct FindFormTest : ::testing::Test {
    ScriptedDialogs dlg;
    FakeSearchHost host;
    TFindForm form{host};
};

} // namespace

TEST_F(FindFormTest, OpensOnTheCurrentDocumentWithTheCaretAtTheStart)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("xyz abc xyz"));
    doc->Memo1->setSelection(5, 2);
    form.Find1Click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Find");
    EXPECT_EQ(form.height(), TFindForm::FindModeHeight);
    EXPECT_FALSE(form.ReplaceMode);
    EXPECT_FALSE(form.ReplaceTxt->isVisible());
    EXPECT_EQ(form.TargetMemo(), doc->Memo1);
    EXPECT_EQ(doc->Memo1->selStart(), 0);
    EXPECT_EQ(doc->Memo1->selLength(), 0);
    EXPECT_FALSE(form.RepBtn->isEnabled());
    EXPECT_FALSE(form.RepAllBtn->isEnabled());
    EXPECT_EQ(form.FindLabel->text(), "Find what?");
    EXPECT_EQ(form.MatchCase->text(), "Match Case");
    EXPECT_EQ(form.WholeWord->text(), "Whole word");
    EXPECT_EQ(form.FindBtn->text(), "Find Next");
    EXPECT_EQ(form.CloseBtn->text(), "Close");
}

TEST_F(FindFormTest, TheCharacterAtTheCaretNeverStartsAHitAndEndOfSearchRepeats)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("xyz abc"));
    form.Find1Click();
    form.Findtxt->setText(QStringLiteral("xyz"));
    form.FindBtn->click();
    form.FindBtn->click();
    EXPECT_EQ(dlg.messages, QStringList({EndOfSearch, EndOfSearch}));
    EXPECT_EQ(doc->Memo1->selStart(), 0);
    EXPECT_EQ(doc->Memo1->selLength(), 0);
    EXPECT_EQ(doc->Memo1->text(), "xyz abc");
}

TEST_F(FindFormTest, FindNextSelectsSuccessiveHitsCountingLineBreaksAsTwo)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("ab\r\ncd Cd\r\nCD"));
    form.Find1Click();
    form.Findtxt->setText(QStringLiteral("cd"));
    form.FindBtn->click();
    EXPECT_EQ(doc->Memo1->selStart(), 4);
    EXPECT_EQ(doc->Memo1->selLength(), 2);
    EXPECT_EQ(doc->Memo1->selText(), "cd");
    form.FindBtn->click();
    EXPECT_EQ(doc->Memo1->selText(), "Cd");
    form.FindBtn->click();
    EXPECT_EQ(doc->Memo1->selStart(), 11);
    form.FindBtn->click();
    EXPECT_EQ(dlg.messages, QStringList({EndOfSearch}));
    EXPECT_EQ(doc->Memo1->selStart(), 11);   // the last hit stays selected
    EXPECT_EQ(doc->Memo1->selLength(), 2);
    EXPECT_FALSE(form.RepBtn->isEnabled());  // Find mode never enables Replace

    // Match case; whole word selects the blanks as well.
    doc->Memo1->setText(QStringLiteral("cd\r\nx CD cd\r\ny cd z"));
    form.MatchCase->setChecked(true);
    form.WholeWord->setChecked(true);
    form.FindBtn->click();
    EXPECT_EQ(doc->Memo1->selStart(), 14);   // not " CD " nor "cd" before a line break
    EXPECT_EQ(doc->Memo1->selText(), " cd ");
}

TEST_F(FindFormTest, ReplaceIsEnabledByAHitAndReplacesWhateverIsSelected)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("a cat, a cat"));
    form.Replace1Click();
    EXPECT_EQ(form.windowTitle(), "Find and Replace");
    EXPECT_EQ(form.height(), TFindForm::ReplaceModeHeight);
    EXPECT_TRUE(form.ReplaceTxt->isVisible());
    EXPECT_EQ(form.Label1->text(), "Replace with ...");
    EXPECT_EQ(form.RepBtn->text(), "Replace");
    EXPECT_EQ(form.RepAllBtn->text(), "Replace All");

    form.Findtxt->setText(QStringLiteral("cat"));
    form.ReplaceTxt->setText(QStringLiteral("dog"));
    form.FindBtn->click();
    EXPECT_TRUE(form.RepBtn->isEnabled());
    form.RepBtn->click();
    EXPECT_EQ(doc->Memo1->text(), "a dog, a cat");
    EXPECT_FALSE(form.RepBtn->isEnabled());

    form.FindBtn->click();
    doc->Memo1->setSelection(0, 1);   // the user selects something else
    form.RepBtn->click();
    EXPECT_EQ(doc->Memo1->text(), "dog dog, a cat");
    EXPECT_TRUE(dlg.messages.isEmpty());
}

TEST_F(FindFormTest, ReplaceAllReportsTheCountThenEndOfSearchAndUndoesInOneStep)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("a cat and a cat"));
    form.Replace1Click();
    form.ReplaceTxt->setText(QStringLiteral("dog"));
    form.Findtxt->setText(QStringLiteral("cat"));
    EXPECT_TRUE(form.RepAllBtn->isEnabled());
    form.RepAllBtn->click();
    EXPECT_EQ(doc->Memo1->text(), "a dog and a dog");
    EXPECT_EQ(dlg.messages, QStringList({"2 replacements made.", EndOfSearch}));
    EXPECT_FALSE(form.RepAllBtn->isEnabled());
    EXPECT_FALSE(form.ReplaceAllRun);
    EXPECT_EQ(doc->Memo1->selStart(), 15);   // after the last replacement
    EXPECT_EQ(doc->Memo1->selLength(), 0);

    doc->Memo1->undo();
    EXPECT_EQ(doc->Memo1->text(), "a cat and a cat");

    // Any edit of the search field allows one more run; no hit counts 0.
    form.Findtxt->setText(QStringLiteral("cow"));
    EXPECT_TRUE(form.RepAllBtn->isEnabled());
    dlg.messages.clear();
    form.RepAllBtn->click();
    EXPECT_EQ(dlg.messages, QStringList({"0 replacements made.", EndOfSearch}));
    EXPECT_EQ(doc->Memo1->text(), "a cat and a cat");
}

TEST_F(FindFormTest, ReplaceAllOfAByAaEndsAndNeverTouchesTheCharacterAtTheCaret)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("aba\r\na"));
    form.Replace1Click();
    form.Findtxt->setText(QStringLiteral("a"));
    form.ReplaceTxt->setText(QStringLiteral("aa"));
    form.RepAllBtn->click();
    EXPECT_EQ(doc->Memo1->text(), "abaa\r\naa");
    EXPECT_EQ(dlg.messages, QStringList({"2 replacements made.", EndOfSearch}));
}

TEST_F(FindFormTest, ReplaceAllOverManyLinesKeepsEveryOffsetInStep)
{
    QString text = QStringLiteral("start\r\n");
    QString expected = text;
    for (int i = 0; i < 3000; ++i) {
        text += QStringLiteral("<b>cat</b> CAT\r\n");
        expected += QStringLiteral("<b>kitten</b> kitten\r\n");
    }
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), text);
    form.Replace1Click();
    form.Findtxt->setText(QStringLiteral("cat"));
    form.ReplaceTxt->setText(QStringLiteral("kitten"));
    form.RepAllBtn->click();
    EXPECT_EQ(doc->Memo1->text(), expected);
    EXPECT_EQ(dlg.messages.value(0), "6000 replacements made.");
    doc->Memo1->undo();
    EXPECT_EQ(doc->Memo1->text(), text);
}

TEST_F(FindFormTest, ReplaceAllWithWholeWordReplacesTheBlanksToo)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("a cat sat\r\ncat"));
    form.Replace1Click();
    form.WholeWord->setChecked(true);
    form.Findtxt->setText(QStringLiteral("cat"));
    form.ReplaceTxt->setText(QStringLiteral("dog"));
    form.RepAllBtn->click();
    EXPECT_EQ(doc->Memo1->text(), "adogsat\r\ncat");
}

TEST_F(FindFormTest, FieldsChecksAndButtonsAreKeptBetweenUses)
{
    TSubForm *doc = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("one two"));
    form.Replace1Click();
    form.Findtxt->setText(QStringLiteral("two"));
    form.ReplaceTxt->setText(QStringLiteral("2"));
    form.MatchCase->setChecked(true);
    form.CloseBtn->click();
    EXPECT_FALSE(form.isVisible());

    doc->Memo1->setSelStart(3);
    form.Find1Click();
    EXPECT_EQ(doc->Memo1->selStart(), 0);
    EXPECT_EQ(form.Findtxt->text(), "two");
    EXPECT_EQ(form.ReplaceTxt->text(), "2");
    EXPECT_TRUE(form.MatchCase->isChecked());
    EXPECT_TRUE(form.RepAllBtn->isEnabled());
    form.Replace1Click();
    EXPECT_TRUE(form.ReplaceTxt->isVisible());
    EXPECT_EQ(form.height(), TFindForm::ReplaceModeHeight);
}

TEST_F(FindFormTest, KeepsToItsDocumentWhileAnotherBecomesCurrent)
{
    TSubForm *a = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("x in a"));
    TSubForm *b = host.open(QStringLiteral("/w/b.htm"), QStringLiteral("x in b"));
    host.bringToFront(a);
    form.Find1Click();
    host.bringToFront(b);
    form.Findtxt->setText(QStringLiteral("in"));
    form.FindBtn->click();
    EXPECT_EQ(a->Memo1->selText(), "in");
    EXPECT_EQ(b->Memo1->selLength(), 0);
}

TEST_F(FindFormTest, AfterItsDocumentClosesTheWindowWorksOnTheCurrentOne)
{
    TSubForm *a = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("cat in a"));
    TSubForm *b = host.open(QStringLiteral("/w/b.htm"), QStringLiteral("cat in b, cat"));
    host.bringToFront(a);
    form.Replace1Click();
    form.Findtxt->setText(QStringLiteral("in"));
    form.ReplaceTxt->setText(QStringLiteral("on"));

    // Closed but not yet deleted: the window no longer counts.
    host.closeDocument(a, false);
    ASSERT_EQ(host.currentDocument(), b);
    form.FindBtn->click();
    EXPECT_EQ(b->Memo1->selStart(), 4);
    EXPECT_EQ(b->Memo1->selText(), "in");
    EXPECT_EQ(form.targetDocument(), b);
    form.RepBtn->click();
    EXPECT_EQ(b->Memo1->text(), "cat on b, cat");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    form.Findtxt->setText(QStringLiteral("cat"));
    form.ReplaceTxt->setText(QStringLiteral("dog"));
    b->Memo1->setSelStart(0);
    form.RepAllBtn->click();
    EXPECT_EQ(b->Memo1->text(), "cat on b, dog");
    EXPECT_EQ(dlg.messages, QStringList({"1 replacements made.", EndOfSearch}));
}

TEST_F(FindFormTest, WithNoDocumentLeftTheButtonsDoNothing)
{
    TSubForm *a = host.open(QStringLiteral("/w/a.htm"), QStringLiteral("cat"));
    form.Replace1Click();
    form.Findtxt->setText(QStringLiteral("at"));
    form.FindBtn->click();
    ASSERT_TRUE(form.RepBtn->isEnabled());
    a->Memo1->setModified(false);
    host.closeDocument(a);
    ASSERT_EQ(host.currentDocument(), nullptr);

    form.FindBtn->click();
    form.RepBtn->click();
    form.RepAllBtn->click();
    EXPECT_TRUE(dlg.messages.isEmpty());
    EXPECT_EQ(form.TargetMemo(), nullptr);

    // Without a document the commands do not open the window.
    form.hide();
    form.Find1Click();
    EXPECT_FALSE(form.isVisible());
}
