#include "formmaker/formmodel.h"
#include "formmaker_test_printers.h"

#include <gtest/gtest.h>

using namespace formmaker;

namespace {

// Adds and posts one element the way the user does: Add, type the fields.
void addElement(FormModel &m, const QString &pre, const QString &type = QStringLiteral("text"),
                const QString &name = QString())
{
    ASSERT_TRUE(m.addbtnClick().isEmpty());
    m.setPreText(pre);
    m.elementtypeChange(type);
    m.setName(name);
    ASSERT_TRUE(m.postbtnClick().isEmpty());
}

FormModel shownModel()
{
    FormModel m;
    m.FormShow();
    return m;
}

NavButtons onlyAdd()
{
    NavButtons b;
    b.add = true;
    return b;
}

} // namespace

TEST(FormModel, ShowingStartsEmptyWithOnlyAddAndTheGridHeader)
{
    FormModel m = shownModel();
    EXPECT_EQ(m.LastIndex, -1);
    EXPECT_EQ(m.CurrentIndex, -1);
    EXPECT_FALSE(m.Adding || m.Editing || m.Unposted);
    EXPECT_EQ(m.buttons, onlyAdd());
    EXPECT_EQ(m.controls.grid[0], (OptionRow{"Selection Options", "Values", "Selected"}));
    EXPECT_EQ(m.gridRowCount(), 2);
    EXPECT_FALSE(m.controls.gridVisible);
    EXPECT_FALSE(m.controls.preEnabled || m.controls.typeEnabled || m.controls.eventEnabled);
}

TEST(FormModel, AddEnablesTheTextControlsCountsAndPostStoresTheElement)
{
    FormModel m = shownModel();
    ASSERT_TRUE(m.addbtnClick().isEmpty());
    EXPECT_TRUE(m.Adding);
    EXPECT_FALSE(m.Unposted);   // the controls were empty already
    EXPECT_EQ(m.controls.counter, "1/1");
    EXPECT_TRUE(m.controls.preEnabled && m.controls.postEnabled && m.controls.typeEnabled);
    EXPECT_TRUE(m.controls.nameEnabled && m.controls.valueEnabled && m.controls.eventEnabled);
    EXPECT_FALSE(m.controls.sizeEnabled || m.controls.maxEnabled || m.controls.checkedEnabled);
    NavButtons busy;
    busy.add = false;
    busy.post = busy.clear = true;
    EXPECT_EQ(m.buttons, busy);

    m.setPreText("Name:");
    EXPECT_TRUE(m.Unposted);
    m.elementtypeChange("text");
    m.setSize(20);
    m.setName("n");
    ASSERT_TRUE(m.postbtnClick().isEmpty());
    EXPECT_FALSE(m.Adding || m.Unposted);
    EXPECT_FALSE(m.controls.preEnabled || m.controls.sizeEnabled);
    const TFormElement &e = m.Elements[0];
    EXPECT_EQ(e.PreText, "Name:");
    EXPECT_EQ(e.ElementType, "text");
    EXPECT_EQ(e.Size, 20);
    EXPECT_EQ(e.Name, "n");
    EXPECT_EQ(e.Checked, "N");   // set by the type change
    NavButtons browsing;
    browsing.del = browsing.edit = true;
    EXPECT_EQ(m.buttons, browsing);
}

TEST(FormModel, PostCutsTextsToTheirCapacities)
{
    FormModel m = shownModel();
    m.addbtnClick();
    m.setPreText(QString(300, 'p'));
    m.elementtypeChange("checkboxes!");
    m.setChecked("YES");
    m.setName(QString(260, 'n'));
    m.setOnEvent(QString(251, 'e'));
    m.postbtnClick();
    const TFormElement &e = m.Elements[0];
    EXPECT_EQ(e.PreText.size(), 255);
    EXPECT_EQ(e.ElementType, "checkboxes");
    EXPECT_EQ(e.Checked, "YE");
    EXPECT_EQ(e.Name.size(), 250);
    EXPECT_EQ(e.OnEvent.size(), 250);
}

TEST(FormModel, CutNeverSplitsASurrogatePair)
{
    const QString smile = QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(cutText("ab" + smile + "cd", 3), "ab" + smile);
    EXPECT_EQ(cutText(smile + smile, 1), smile);
}

TEST(FormModel, DeletingTheSecondOfThreeKeepsFirstAndThirdAndCountsTwoOfTwo)
{
    FormModel m = shownModel();
    addElement(m, "one");
    addElement(m, "two");
    addElement(m, "three");
    m.prevbtnClick();
    ASSERT_EQ(m.CurrentIndex, 1);
    EXPECT_EQ(m.controls.counter, "2/3");
    m.DeleteBtnClick();
    EXPECT_EQ(m.LastIndex, 1);
    EXPECT_EQ(m.Elements[0].PreText, "one");
    EXPECT_EQ(m.Elements[1].PreText, "three");
    EXPECT_EQ(m.controls.counter, "2/2");
    EXPECT_EQ(m.controls.preText, "three");
    EXPECT_FALSE(m.Unposted);
}

TEST(FormModel, DeletingTheLastElementMovesTheCursorBack)
{
    FormModel m = shownModel();
    addElement(m, "one");
    addElement(m, "two");
    m.DeleteBtnClick();
    EXPECT_EQ(m.LastIndex, 0);
    EXPECT_EQ(m.CurrentIndex, 0);
    EXPECT_EQ(m.controls.counter, "1/1");
    EXPECT_EQ(m.controls.preText, "one");
}

TEST(FormModel, DeletingTheOnlyElementEmptiesTheListAndLeavesOnlyAdd)
{
    FormModel m = shownModel();
    addElement(m, "Pick", "select");
    m.controls.gridVisible = true;
    m.setOptionCell(1, 0, "Red");   // not posted: the grid is what Edit shows
    m.DeleteBtnClick();
    EXPECT_EQ(m.LastIndex, -1);
    EXPECT_EQ(m.controls.counter, "0/0");
    EXPECT_EQ(m.buttons, onlyAdd());
    EXPECT_FALSE(m.controls.gridVisible);
    EXPECT_EQ(m.controls.preText, "");
}

TEST(FormModel, ABlankEarlierElementDropsOutInsteadOfTheDeletedOne)
{
    FormModel m = shownModel();
    addElement(m, "", "", "blankname");   // empty type and pre text
    addElement(m, "two");
    addElement(m, "three");
    m.FirstBtnClick();
    m.NextBtnClick();   // the deleted one is "two"
    m.DeleteBtnClick();
    EXPECT_EQ(m.LastIndex, 1);
    // The blank first element went past the end; "two", now blank, stays
    // in place, and "three" moved up.
    EXPECT_EQ(m.Elements[0], TFormElement{});
    EXPECT_EQ(m.Elements[1].PreText, "three");
    EXPECT_EQ(m.Elements[2].Name, "blankname");
}

TEST(FormModel, DropDownOptionsStoreTheGridRowCountAndOnlyTheFilledRows)
{
    FormModel m = shownModel();
    m.addbtnClick();
    m.elementtypeChange("select");
    EXPECT_TRUE(m.controls.gridVisible);
    EXPECT_TRUE(m.controls.sizeEnabled);
    EXPECT_FALSE(m.controls.valueEnabled);
    m.postbtnClick();
    m.ElementOptions[0].OptionText[3] = "Old";
    m.ElementOptions[0].OptionValue[3] = "o";

    m.EditBtnClick();
    EXPECT_TRUE(m.controls.gridVisible);
    m.setGridRowCount(4);
    m.setOptionCell(1, 0, "Red");
    m.setOptionCell(1, 1, "r");
    m.setOptionCell(2, 0, "Blue");
    m.setOptionCell(2, 1, "b");
    m.setOptionCell(3, 0, "NoValue");   // a row needs text and value to count
    EXPECT_EQ(m.LastFilledOptionRow(), 2);
    m.postbtnClick();

    const TElementOptions &o = m.ElementOptions[0];
    EXPECT_EQ(o.RowCount, 4);
    EXPECT_EQ(o.OptionText[1], "Red");
    EXPECT_EQ(o.OptionValue[1], "r");
    EXPECT_EQ(o.OptionText[2], "Blue");
    EXPECT_EQ(o.OptionValue[2], "b");
    EXPECT_EQ(o.OptionText[3], "Old");
    EXPECT_EQ(o.OptionValue[3], "o");
}

TEST(FormModel, PostingWithAnEmptyGridLeavesTheOptionListAlone)
{
    FormModel m = shownModel();
    m.addbtnClick();
    m.elementtypeChange("select");
    m.setOptionCell(1, 0, "Red");
    m.setOptionCell(1, 1, "r");
    m.setOptionCell(1, 2, "yes");
    m.postbtnClick();
    EXPECT_EQ(m.ElementOptions[0].OptionSelected[1], "y");
    EXPECT_EQ(m.ElementOptions[0].RowCount, 2);
    m.EditBtnClick();
    m.setOptionCell(1, 0, "");
    m.postbtnClick();
    EXPECT_EQ(m.ElementOptions[0].OptionText[1], "Red");
}

TEST(FormModel, ShowElementFillsTheGridFromTheOptionsWhateverTheType)
{
    FormModel m = shownModel();
    addElement(m, "a", "text");
    addElement(m, "b", "select");
    m.ElementOptions[0].RowCount = 3;
    m.ElementOptions[0].OptionText[1] = "x";
    m.ElementOptions[0].OptionText[2] = "y";
    m.FirstBtnClick();
    EXPECT_TRUE(m.controls.gridVisible);
    ASSERT_EQ(m.gridRowCount(), 3);
    EXPECT_EQ(m.controls.grid[2].text, "y");
    m.NextBtnClick();   // RowCount 0: hidden
    EXPECT_FALSE(m.controls.gridVisible);
    EXPECT_EQ(m.gridRowCount(), 2);
}

TEST(FormModel, ARowCountBeyondTheEntriesShowsOnlyTheEntries)
{
    FormModel m = shownModel();
    ElementList elements;
    OptionLists options;
    elements[0].ElementType = "select";
    options[0].RowCount = 2000000000;
    options[0].OptionText[10] = "ten";
    m.openForm(0, elements, options);
    EXPECT_EQ(m.gridRowCount(), 11);
    EXPECT_EQ(m.controls.grid[10].text, "ten");
}

TEST(FormModel, LabelsFollowTheTypeAndTheSecondRuleDecidesTheEventLabel)
{
    struct Case {
        const char *type, *size, *event;
    } cases[] = {{"select", "Size", "onClick()"},   {"text", "Cols", "onChange()"},
                 {"textarea", "Cols", "onChange()"}, {"password", "Cols", "onChange()"},
                 {"radio", "Cols", "onClick()"},     {"Select", "Cols", "onClick()"}};
    for (const Case &c : cases) {
        FormModel m = shownModel();
        addElement(m, "x", c.type);
        m.FirstBtnClick();
        EXPECT_EQ(m.controls.sizeLabel, c.size) << c.type;
        EXPECT_EQ(m.controls.eventLabel, c.event) << c.type;
    }
}

TEST(FormModel, TypeChangeEnablesByTypeAndResetsSizeAndMax)
{
    FormModel m = shownModel();
    addElement(m, "x", "text");
    m.EditBtnClick();
    EXPECT_FALSE(m.controls.sizeEnabled);   // Edit enables size only for "select"
    m.setSize(30);
    m.setMax(8);
    m.elementtypeChange("password");
    EXPECT_EQ(m.controls.size, 0);
    EXPECT_EQ(m.controls.max, 0);
    EXPECT_TRUE(m.controls.sizeEnabled && m.controls.maxEnabled);
    EXPECT_FALSE(m.controls.checkedEnabled);
    EXPECT_TRUE(m.Unposted);

    m.setChecked("Y");
    m.elementtypeChange("checkbox");
    EXPECT_TRUE(m.controls.checkedEnabled);
    EXPECT_EQ(m.controls.checked, "Y");
    EXPECT_FALSE(m.controls.sizeEnabled || m.controls.maxEnabled);
    m.elementtypeChange("Select");   // not a drop-down: case counts
    EXPECT_FALSE(m.controls.gridVisible);
    EXPECT_TRUE(m.controls.valueEnabled);
    EXPECT_EQ(m.controls.checked, "N");
}

TEST(FormModel, AddOverAShownElementSetsUnposted)
{
    FormModel m = shownModel();
    addElement(m, "first");
    m.FirstBtnClick();
    ASSERT_EQ(m.controls.preText, "first");
    m.addbtnClick();
    EXPECT_TRUE(m.Unposted);
    EXPECT_EQ(m.controls.preText, "");
    EXPECT_EQ(m.controls.counter, "2/2");
}

TEST(FormModel, ClearDropsANewElementAndRestoresAnEditedOne)
{
    FormModel m = shownModel();
    addElement(m, "kept");
    m.addbtnClick();
    m.setPreText("dropped");
    m.clearbtnClick();
    EXPECT_EQ(m.LastIndex, 0);
    EXPECT_EQ(m.CurrentIndex, 0);
    EXPECT_FALSE(m.Adding || m.Unposted);
    EXPECT_EQ(m.controls.preText, "kept");

    m.EditBtnClick();
    m.setPreText("changed");
    m.clearbtnClick();
    EXPECT_FALSE(m.Editing);
    EXPECT_EQ(m.controls.preText, "kept");
    EXPECT_EQ(m.Elements[0].PreText, "kept");
}

TEST(FormModel, ClearWhileAddingTheFirstElementEmptiesTheList)
{
    FormModel m = shownModel();
    m.addbtnClick();
    m.setPreText("x");
    m.clearbtnClick();
    EXPECT_EQ(m.LastIndex, -1);
    EXPECT_EQ(m.CurrentIndex, -1);
    EXPECT_EQ(m.buttons, onlyAdd());
}

TEST(FormModel, PositionButtonsWalkTheListOnlyWhileBrowsing)
{
    FormModel m = shownModel();
    addElement(m, "a");
    addElement(m, "b");
    addElement(m, "c");
    EXPECT_TRUE(m.buttons.first && m.buttons.prev);
    EXPECT_FALSE(m.buttons.next || m.buttons.last);
    m.FirstBtnClick();
    EXPECT_EQ(m.controls.counter, "1/3");
    EXPECT_FALSE(m.buttons.first || m.buttons.prev);
    m.NextBtnClick();
    EXPECT_EQ(m.controls.preText, "b");
    m.LastBtnClick();
    EXPECT_EQ(m.controls.preText, "c");
    m.EditBtnClick();
    m.FirstBtnClick();   // ignored while editing
    EXPECT_EQ(m.CurrentIndex, 2);
    EXPECT_TRUE(m.buttons.first);
}

TEST(FormModel, AWholeListRefusesAnotherElement)
{
    FormModel m = shownModel();
    for (int i = 0; i < MaxElements; ++i)
        addElement(m, QString::number(i));
    EXPECT_EQ(m.LastIndex, 50);
    EXPECT_EQ(m.addbtnClick(), FormModel::fullMessage());
    EXPECT_EQ(m.LastIndex, 50);
    EXPECT_FALSE(m.Adding);
}

TEST(FormModel, MoreThanTenFilledOptionRowsAreRefusedWhenPosting)
{
    FormModel m = shownModel();
    m.addbtnClick();
    m.elementtypeChange("select");
    m.setGridRowCount(12);
    for (int r = 1; r <= 11; ++r) {
        m.setOptionCell(r, 0, QString::number(r));
        m.setOptionCell(r, 1, QString::number(r));
    }
    EXPECT_EQ(m.postbtnClick(), FormModel::tooManyOptionsMessage());
    EXPECT_TRUE(m.Adding);
    EXPECT_EQ(m.ElementOptions[0].RowCount, 0);
    // An empty twelfth row is no option: the list stores its 10 entries.
    m.setOptionCell(11, 0, "");
    EXPECT_TRUE(m.postbtnClick().isEmpty());
    EXPECT_EQ(m.ElementOptions[0].RowCount, 11);
    EXPECT_EQ(m.ElementOptions[0].OptionText[10], "10");
}

TEST(FormModel, ANewElementNeverInheritsTheOptionsOfADeletedOne)
{
    FormModel m = shownModel();
    m.addbtnClick();
    m.elementtypeChange("select");
    m.setOptionCell(1, 0, "Stale");
    m.setOptionCell(1, 1, "s");
    m.postbtnClick();
    m.DeleteBtnClick();   // the option list stays with the blank slot
    m.addbtnClick();
    m.elementtypeChange("select");
    m.postbtnClick();
    EXPECT_EQ(m.ElementOptions[0], TElementOptions{});
}

TEST(FormModel, GridKeysAddARowOnlyFromAFilledCell)
{
    FormModel m = shownModel();
    m.setGridFocus(1, 1);
    EXPECT_FALSE(m.SG1KeyPress(QChar(13)));
    EXPECT_EQ(m.gridRowCount(), 2);
    m.setOptionCell(1, 1, "v");
    EXPECT_FALSE(m.SG1KeyPress(QChar('p')));
    EXPECT_FALSE(m.SG1KeyPress(QChar('x')));
    EXPECT_TRUE(m.SG1KeyPress(QChar('P')));
    EXPECT_EQ(m.gridRowCount(), 3);
    EXPECT_EQ(m.controls.gridRow, 2);
    EXPECT_EQ(m.controls.gridCol, 1);
}

TEST(FormModel, RightClickHidesTheGridUnlessUnposted)
{
    FormModel m = shownModel();
    m.addbtnClick();
    m.elementtypeChange("select");   // sets Unposted
    m.SG1RightMouseDown();
    EXPECT_TRUE(m.controls.gridVisible);
    m.postbtnClick();
    m.EditBtnClick();
    m.SG1RightMouseDown();
    EXPECT_FALSE(m.controls.gridVisible);
}

TEST(FormModel, OpeningEndsAnUnfinishedAddAndShowsTheFirstElement)
{
    FormModel m = shownModel();
    addElement(m, "old");
    m.addbtnClick();
    m.setPreText("half");
    ElementList elements;
    OptionLists options;
    elements[0].PreText = "a";
    elements[1].PreText = "b";
    m.openForm(1, elements, options);
    EXPECT_FALSE(m.Adding || m.Editing || m.Unposted);
    EXPECT_EQ(m.LastIndex, 1);
    EXPECT_EQ(m.CurrentIndex, 0);
    EXPECT_EQ(m.controls.counter, "1/2");
    EXPECT_EQ(m.controls.preText, "a");
    EXPECT_FALSE(m.controls.preEnabled);
    m.clearbtnClick();   // nothing of the file is lost
    EXPECT_EQ(m.LastIndex, 1);
}
