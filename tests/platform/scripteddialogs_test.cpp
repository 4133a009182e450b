#include "support/scripteddialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

// The double itself: a question the test did not script must not pass quietly.
TEST(ScriptedDialogsDouble, AQuestionNobodyScriptedFailsTheTestThatAskedIt)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs d;
            EXPECT_EQ(d.askYesNoCancel(QStringLiteral("Save changes to a.htm?"), nullptr), Answer::Cancel);
        },
        "Save changes to a.htm?");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs d;
            EXPECT_EQ(d.askYesNo(QStringLiteral("Replace b.htm?"), nullptr), Answer::No);
        },
        "Replace b.htm?");
}

TEST(ScriptedDialogsDouble, ScriptedOrAllowedQuestionsAndCancelledFileDialogsPass)
{
    ScriptedDialogs answered;
    answered.queueAnswer(Answer::Yes);
    EXPECT_EQ(answered.askYesNoCancel(QStringLiteral("Save?"), nullptr), Answer::Yes);
    FileDialogState state;
    EXPECT_FALSE(answered.openFile(state, nullptr));   // cancelled, counted, not a failure
    EXPECT_EQ(answered.unexpected, 1);

    ScriptedDialogs allowed;
    allowed.allowUnansweredQuestions = true;
    EXPECT_EQ(allowed.askYesNo(QStringLiteral("Overwrite?"), nullptr), Answer::No);
    EXPECT_EQ(allowed.unansweredQuestions, QStringList{QStringLiteral("Overwrite?")});
}
