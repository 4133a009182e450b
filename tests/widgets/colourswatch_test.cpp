#include "widgets/colourswatch.h"
#include "widgets/spinfield.h"
#include "support/scripteddialogs.h"
#include "support/widgethelpers.h"

#include <QCheckBox>
#include <gtest/gtest.h>

TEST(ColourValue, RedInTheLowestByte)
{
    EXPECT_EQ(colourValue(QColor(255, 0, 0)), 0x0000FFu);
    EXPECT_EQ(colourValue(QColor(1, 2, 3)), 0x030201u);
    EXPECT_EQ(colourFromValue(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(colourValue(colourFromValue(0x123456)), 0x123456u);
}

TEST(SharedColour, OpensAtTheLastChoiceFromAnySwatch)
{
    ScriptedDialogs dlg;
    setLastSharedColour(0xFFFFFF);
    ColourSwatch a, b;
    dlg.queueColor(QColor(255, 0, 0));
    pressMouse(&a);
    EXPECT_EQ(a.fill(), 0x0000FFu);
    EXPECT_EQ(a.outline(), 0x000000u);   // only the fill changes
    dlg.queueColor(std::nullopt);
    pressMouse(&b, Qt::RightButton);     // any button opens the chooser
    ASSERT_EQ(dlg.colorDialogs.size(), 2);
    EXPECT_EQ(dlg.colorDialogs[0], QColor(255, 255, 255));
    EXPECT_EQ(dlg.colorDialogs[1], QColor(255, 0, 0));
    EXPECT_EQ(b.fill(), 0xFFFFFFu);      // cancelled: unchanged
    EXPECT_EQ(lastSharedColour(), 0x0000FFu);
}

TEST(SharedColour, DisabledSwatchFollowsItsCheckBoxAndIgnoresClicks)
{
    ScriptedDialogs dlg;
    QCheckBox box;
    ColourSwatch s;
    s.followCheckBox(&box);
    EXPECT_FALSE(s.isEnabled());
    pressMouse(&s);
    EXPECT_TRUE(dlg.colorDialogs.isEmpty());
    box.setChecked(true);
    EXPECT_TRUE(s.isEnabled());
    dlg.queueColor(QColor(0, 255, 0));
    pressMouse(&s, Qt::MiddleButton);
    EXPECT_EQ(s.fill(), 0x00FF00u);
    box.setChecked(false);
    EXPECT_FALSE(s.isEnabled());
    EXPECT_EQ(s.fill(), 0x00FF00u);      // the colour is kept for a later tick
}

TEST(SpinField, ValueIsWhatStandsInTheField)
{
    SpinField spin;
    spin.setLimits(1, 7);
    spin.setFieldValue(3);
    EXPECT_EQ(spin.fieldValue(), 3);
    typeInto(&spin, QStringLiteral("12"));
    EXPECT_EQ(spin.fieldValue(), 12);    // out of range, as typed
    leaveField(&spin);
    EXPECT_EQ(spin.fieldValue(), 7);     // leaving brings it into range
    typeInto(&spin, QString());
    EXPECT_EQ(spin.fieldValue(), 1);     // no number: the minimum
    typeInto(&spin, QStringLiteral("-4"));
    leaveField(&spin);
    EXPECT_EQ(spin.fieldValue(), 1);
}

TEST(SpinField, ArrowsStayInRangeAndNoRangeMeansUnbounded)
{
    SpinField spin;
    spin.setLimits(0, 1);
    spin.setFieldValue(1);
    spin.stepBy(1);
    EXPECT_EQ(spin.fieldValue(), 1);
    spin.stepBy(-5);
    EXPECT_EQ(spin.fieldValue(), 0);

    SpinField free;   // min == max: no range
    free.setLimits(0, 0);
    free.setFieldValue(0);
    free.stepBy(-1);
    EXPECT_EQ(free.fieldValue(), -1);
    typeInto(&free, QStringLiteral("2500"));
    leaveField(&free);
    EXPECT_EQ(free.fieldValue(), 2500);
}
