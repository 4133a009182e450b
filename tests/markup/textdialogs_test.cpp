#include "widgets/colourswatch.h"
#include "markup/fontdialog.h"
#include "markup/headlinedialog.h"
#include "markup/hrlinedialog.h"
#include "markup/listdialog.h"
#include "markup/paragraphdialog.h"
#include "widgets/radiogroup.h"
#include "widgets/spinfield.h"
#include "support/scripteddialogs.h"
#include "support/widgethelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {
// Hiding and showing again is what a later use of the reused dialog does.
void reopen(QDialog &d)
{
    d.hide();
    d.show();
}
}

TEST(ParagraphDialog, ApplyBuildsTheTagAndAccepts)
{
    TParabox d;
    d.show();
    EXPECT_EQ(d.windowTitle(), "Paragraph");
    EXPECT_EQ(d.AG->itemIndex(), -1);
    d.SpeedButton2->click();
    EXPECT_EQ(d.FragmentText, "<P>");
    EXPECT_EQ(d.result(), QDialog::Accepted);

    d.show();
    d.AG->setItemIndex(3);
    d.SpeedButton2->click();
    EXPECT_EQ(d.FragmentText, "<P align=\"justify\">");
}

TEST(ParagraphDialog, OpeningResetsAlignmentAndResultCancelEmpties)
{
    TParabox d;
    d.show();
    d.AG->setItemIndex(1);
    d.SpeedButton2->click();
    EXPECT_EQ(d.FragmentText, "<P align=\"center\">");
    d.show();
    EXPECT_TRUE(d.FragmentText.isEmpty());
    EXPECT_EQ(d.AG->itemIndex(), -1);
    d.AG->setItemIndex(2);
    d.SpeedButton1->click();
    EXPECT_TRUE(d.FragmentText.isEmpty());
    EXPECT_EQ(d.result(), QDialog::Rejected);
}

TEST(ParagraphDialog, KeywordProgressPanel)
{
    TParabox d;
    EXPECT_TRUE(d.Panel1->isHidden());
    EXPECT_EQ(d.Label1->text(), "Searching for Keywords, please wait.");
    EXPECT_EQ(d.ProgressBar1->minimum(), 0);
    EXPECT_EQ(d.ProgressBar1->maximum(), 100);
    int cancelled = 0;
    QObject::connect(&d, &TParabox::keywordSearchCancelled, [&] { ++cancelled; });
    d.showKeywordProgress();
    EXPECT_EQ(d.windowTitle(), "Keywords");
    EXPECT_TRUE(d.Panel1->isVisible());
    EXPECT_EQ(d.Panel1->geometry(), d.rect());
    d.SpeedButton3->click();
    EXPECT_EQ(cancelled, 1);
    d.hideKeywordProgress();
    EXPECT_EQ(d.windowTitle(), "Paragraph");
    EXPECT_TRUE(d.Panel1->isHidden());
    EXPECT_FALSE(d.isVisible());
}

TEST(FontDialog, TicksEnableTheirControlsAndAllThreeAreWritten)
{
    ScriptedDialogs dlg;
    THtmlFont d;
    d.show();
    EXPECT_EQ(d.windowTitle(), "Set Font");
    EXPECT_FALSE(d.Fontfacebox->isEnabled());
    EXPECT_FALSE(d.Fontsize->isEnabled());
    EXPECT_FALSE(d.fontcol->isEnabled());
    EXPECT_EQ(d.Fontsize->fieldValue(), 3);
    d.ApplyBtn->click();
    EXPECT_EQ(d.FragmentText, "<FONT>");
    EXPECT_EQ(d.result(), QDialog::Accepted);

    d.show();
    d.CheckBox1->setChecked(true);
    d.CheckBox2->setChecked(true);
    d.CheckBox3->setChecked(true);
    EXPECT_TRUE(d.Fontfacebox->isEnabled());
    EXPECT_TRUE(d.Fontsize->isEnabled());
    EXPECT_TRUE(d.fontcol->isEnabled());
    d.Fontfacebox->setCurrentIndex(1);
    d.Fontsize->setFieldValue(5);
    dlg.queueColor(QColor(0, 0, 255));
    pressMouse(d.fontcol);
    d.ApplyBtn->click();
    EXPECT_EQ(d.FragmentText, "<FONT FACE=\"sans-serif\" SIZE=\"5\" COLOR=\"#0000FF\">");

    // Everything is kept for the next use.
    reopen(d);
    d.ApplyBtn->click();
    EXPECT_EQ(d.FragmentText, "<FONT FACE=\"sans-serif\" SIZE=\"5\" COLOR=\"#0000FF\">");
}

TEST(FontDialog, TypedFaceIsNotWrittenAndCancelEmpties)
{
    THtmlFont d;
    d.show();
    d.CheckBox1->setChecked(true);
    d.Fontfacebox->setCurrentIndex(0);
    d.Fontfacebox->setEditText(QStringLiteral("Arial"));
    d.ApplyBtn->click();
    EXPECT_EQ(d.FragmentText, "<FONT>");
    d.show();
    d.CheckBox1->setChecked(false);
    d.Fontfacebox->setCurrentIndex(2);
    d.CheckBox2->setChecked(true);
    d.ApplyBtn->click();
    EXPECT_EQ(d.FragmentText, "<FONT SIZE=\"3\">");
    d.show();
    d.CancelBtn->click();
    EXPECT_TRUE(d.FragmentText.isEmpty());
    EXPECT_EQ(d.result(), QDialog::Rejected);
}

TEST(HeadlineDialog, TextFromSelectionAlignmentAndSizeKept)
{
    THeadline d;
    d.setSelectionText(QStringLiteral("News"));
    d.show();
    EXPECT_EQ(d.windowTitle(), "Headline");
    EXPECT_EQ(d.Edit1->text(), "News");
    EXPECT_EQ(d.RadioGroup1->itemIndex(), 0);
    EXPECT_EQ(d.RadioGroup2->itemIndex(), 0);
    d.RadioGroup1->setItemIndex(1);
    d.RadioGroup2->setItemIndex(2);
    d.SpeedButton2->click();
    EXPECT_EQ(d.FragmentText, "<H3 ALIGN=\"CENTER\">News</H3>\r\n");

    d.setSelectionText(QString());
    d.show();
    EXPECT_TRUE(d.FragmentText.isEmpty());
    EXPECT_TRUE(d.Edit1->text().isEmpty());
    EXPECT_EQ(d.RadioGroup1->itemIndex(), 1);
    EXPECT_EQ(d.RadioGroup2->itemIndex(), 2);
    // Closing by the close box after the earlier Apply leaves nothing to insert.
    d.close();
    EXPECT_TRUE(d.FragmentText.isEmpty());
}

TEST(RuleDialog, DefaultsAndPixelWidth)
{
    THrLineBox d;
    d.show();
    EXPECT_EQ(d.windowTitle(), "Set HR Line");
    EXPECT_FALSE(d.Shape1->isEnabled());
    d.ApplyBtn->click();
    EXPECT_EQ(d.FragmentText, "<HR WIDTH=\"100%\" ALIGN=\"center\">");

    d.show();
    EXPECT_TRUE(d.FragmentText.isEmpty());
    d.RadioGroup1->button(1)->click();   // "Pixels"
    EXPECT_EQ(d.SpinEdit1->maximumLimit(), 1000);
    EXPECT_EQ(d.SpinEdit1->fieldValue(), 100);   // the value stays
    d.SpinEdit1->setFieldValue(50);
    d.RadioGroup2->setItemIndex(2);
    d.ApplyBtn->click();
    EXPECT_EQ(d.FragmentText, "<HR WIDTH=\"50\" ALIGN=\"right\">");

    // Back to "%": range 0..100 and the width reset to 100.
    d.show();
    d.RadioGroup1->button(0)->click();
    EXPECT_EQ(d.SpinEdit1->maximumLimit(), 100);
    EXPECT_EQ(d.SpinEdit1->fieldValue(), 100);
}

TEST(RuleDialog, HeightColourAndTheSpinRule)
{
    ScriptedDialogs dlg;
    THrLineBox d;
    d.show();
    d.SpinEdit1->setFieldValue(0);
    d.SpinEdit2->setFieldValue(0);
    d.RadioGroup2->setItemIndex(1);
    d.ApplyBtn->click();
    EXPECT_EQ(d.FragmentText, "<HR SIZE=\"0\" ALIGN=\"left\">");

    d.show();
    d.CheckBox1->setChecked(true);
    dlg.queueColor(QColor(255, 0, 0));
    pressMouse(d.Shape1);
    typeInto(d.SpinEdit2, QStringLiteral("250"));   // out of range, not left
    typeInto(d.SpinEdit1, QStringLiteral("abc"));
    d.ApplyBtn->click();
    EXPECT_EQ(d.FragmentText, "<HR SIZE=\"250\" COLOR=\"#FF0000\" ALIGN=\"left\">");

    d.show();
    leaveField(d.SpinEdit2);
    EXPECT_EQ(d.SpinEdit2->fieldValue(), 100);
}

TEST(RuleDialog, EnterActsAsApplyAndCloseBoxLeavesNothing)
{
    THrLineBox d;
    d.show();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&d, &enter);
    EXPECT_EQ(d.FragmentText, "<HR WIDTH=\"100%\" ALIGN=\"center\">");
    EXPECT_FALSE(d.isVisible());
    d.show();
    d.close();
    EXPECT_TRUE(d.FragmentText.isEmpty());
}

TEST(ListDialog, UnorderedAndOrderedTags)
{
    TListForm d;
    d.show();
    EXPECT_EQ(d.windowTitle(), "List");
    EXPECT_FALSE(d.BullNumbers->isHidden());
    EXPECT_TRUE(d.Bullets->isHidden());
    EXPECT_FALSE(d.SpinEdit1->isEnabled());
    d.SpeedButton2->click();
    EXPECT_EQ(d.OpenTag, "<UL TYPE=\"disc\">");
    EXPECT_EQ(d.CloseTag, "</UL>");

    d.show();
    EXPECT_TRUE(d.OpenTag.isEmpty());
    d.RadioGroup1->button(1)->click();   // "Ordered"
    EXPECT_TRUE(d.BullNumbers->isHidden());
    EXPECT_FALSE(d.Bullets->isHidden());
    EXPECT_TRUE(d.SpinEdit1->isEnabled());
    d.Bullets->setItemIndex(1);
    d.SpinEdit1->setFieldValue(3);
    d.SpeedButton2->click();
    EXPECT_EQ(d.OpenTag, "<OL TYPE=\"a\" START=\"3\">");
    EXPECT_EQ(d.CloseTag, "</OL>");

    // Choices are kept; start 1 writes no START.
    d.show();
    EXPECT_EQ(d.SpinEdit1->fieldValue(), 3);
    d.Bullets->setItemIndex(4);
    d.SpinEdit1->setFieldValue(1);
    d.SpeedButton2->click();
    EXPECT_EQ(d.OpenTag, "<OL TYPE=\"I\">");
}

TEST(ListDialog, KindSwitchesSetAndKeepTheStart)
{
    TListForm d;
    d.show();
    d.RadioGroup1->button(1)->click();
    d.SpinEdit1->setFieldValue(7);
    d.RadioGroup1->button(0)->click();   // "Unordered": disabled, value stays
    EXPECT_FALSE(d.SpinEdit1->isEnabled());
    EXPECT_EQ(d.SpinEdit1->fieldValue(), 7);
    d.BullNumbers->setItemIndex(2);
    d.SpeedButton2->click();
    EXPECT_EQ(d.OpenTag, "<UL TYPE=\"circle\">");
    d.show();
    d.RadioGroup1->button(1)->click();   // "Ordered" starts again at 1
    EXPECT_EQ(d.SpinEdit1->fieldValue(), 1);
    d.SpeedButton1->click();
    EXPECT_TRUE(d.OpenTag.isEmpty());
    d.show();
    d.close();
    EXPECT_TRUE(d.OpenTag.isEmpty());
}
