#include "formmaker/formform.h"
#include "formmaker/formfile.h"
#include "formmaker_test_printers.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class FormMakerWindow : public ::testing::Test {
protected:
    FormMakerWindow() : oldDir_(QDir::currentPath())
    {
        QDir::setCurrent(dir_.path());
        form_.show();
    }
    ~FormMakerWindow() override { QDir::setCurrent(oldDir_); }

    QString inDir(const QString &name) const { return QDir(dir_.path()).absoluteFilePath(name); }

    // Adds and posts an element through the controls.
    void addElement(const QString &pre, const QString &type, const QString &name = QString())
    {
        form_.addbtn->click();
        form_.PreElementText->setText(pre);
        form_.elementtype->setCurrentText(type);
        form_.elementname->setText(name);
        form_.postbtn->click();
    }

    void fillSettings()
    {
        form_.namebox->setText("f");
        form_.methodbox->setCurrentText("Post");
        form_.actionbar->setText("");
        form_.submitchk->setChecked(true);
        form_.submitvalue->setText("Send");
    }

    void addExampleElement()
    {
        form_.addbtn->click();
        form_.PreElementText->setText("Name:");
        form_.elementtype->setCurrentText("text");
        form_.elementsize->setValue(20);
        form_.elementname->setText("n");
        form_.postbtn->click();
    }

    static QString exampleHtml()
    {
        return "<FORM NAME=\"f\" METHOD=\"Post\" ACTION=\"\" onsubmit=\"\" >\r\n"
               "Name: <INPUT TYPE=\"text\" SIZE=\"20\" NAME=\"n\">\r\n"
               "<BR><BR> <INPUT TYPE=\"submit\" VALUE=\"Send\" >\r\n"
               "</FORM>";
    }

    bool onlyAddEnabled() const
    {
        for (QToolButton *b : {form_.FirstBtn, form_.prevbtn, form_.NextBtn, form_.LastBtn,
                               form_.DeleteBtn, form_.EditBtn, form_.postbtn, form_.clearbtn})
            if (b->isEnabled())
                return false;
        return form_.addbtn->isEnabled();
    }

    void key(QWidget *target, int k, const QString &text)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
        QCoreApplication::sendEvent(target, &press);
    }

    void rightClick()
    {
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, form_.SG1->viewport()->mapToGlobal(at),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form_.SG1->viewport(), &press);
    }

    QTemporaryDir dir_;
    QString oldDir_;
    ScriptedDialogs dialogs_;
    ScriptedShell shell_;
    TFormForm form_;
};

} // namespace

TEST_F(FormMakerWindow, StartsWithItsCaptionsAndOnlyAdd)
{
    EXPECT_EQ(form_.windowTitle(), "Form Maker");
    EXPECT_EQ(form_.size(), QSize(443, 478));
    EXPECT_EQ(form_.palette().color(QPalette::Window), QColor(0, 128, 192));
    EXPECT_TRUE(onlyAddEnabled());
    EXPECT_EQ(form_.elementnum->text(), "");
    EXPECT_EQ(form_.methodbox->currentText(), "Post");
    EXPECT_EQ(form_.methodbox->count(), 2);
    EXPECT_EQ(form_.elementtype->count(), 9);
    EXPECT_EQ(form_.elementtype->itemText(8), "select");
    EXPECT_EQ(form_.SizeLabel->text(), "Cols");
    EXPECT_EQ(form_.LenLabel->text(), "Rows");
    EXPECT_EQ(form_.onclickLabel->text(), "onClick( ) ");
    EXPECT_FALSE(form_.PreElementText->isEnabled());
    EXPECT_FALSE(form_.SG1->isVisible());
    EXPECT_EQ(form_.SG1->horizontalHeaderItem(0)->text(), "Selection Options");
    EXPECT_EQ(form_.SG1->horizontalHeaderItem(2)->text(), "Selected");
    EXPECT_EQ(form_.SG1->toolTip(), "Right Click to Hide");
    EXPECT_EQ(form_.SG1->geometry(), QRect(0, 376, 443, 102));
}

TEST_F(FormMakerWindow, ShowingAgainEmptiesTheListAndKeepsTheSettings)
{
    form_.namebox->setText("order");
    form_.methodbox->setCurrentText("Get");
    form_.actionbar->setText("/cgi");
    form_.resetchk->setChecked(true);
    for (int i = 0; i < 5; ++i)
        addElement(QString::number(i), "text");
    EXPECT_EQ(form_.model().LastIndex, 4);
    form_.hide();
    form_.show();
    EXPECT_EQ(form_.model().LastIndex, -1);
    EXPECT_EQ(form_.elementnum->text(), "");
    EXPECT_EQ(form_.PreElementText->text(), "");
    EXPECT_TRUE(onlyAddEnabled());
    EXPECT_EQ(form_.namebox->text(), "order");
    EXPECT_EQ(form_.methodbox->currentText(), "Get");
    EXPECT_EQ(form_.actionbar->text(), "/cgi");
    EXPECT_TRUE(form_.resetchk->isChecked());
}

TEST_F(FormMakerWindow, CancelWhileAddingThenShowingAgainLeavesAWorkingAdd)
{
    form_.addbtn->click();
    form_.PreElementText->setText("half");
    form_.Cancelbtn->click();
    EXPECT_FALSE(form_.isVisible());
    EXPECT_EQ(form_.FormHtml, "");
    form_.show();
    EXPECT_FALSE(form_.model().Adding || form_.model().Unposted);
    EXPECT_TRUE(onlyAddEnabled());
    form_.addbtn->click();
    EXPECT_EQ(form_.model().LastIndex, 0);
    EXPECT_EQ(form_.elementnum->text(), "1/1");
    EXPECT_EQ(form_.PreElementText->text(), "");
    EXPECT_TRUE(form_.PreElementText->isEnabled());
}

TEST_F(FormMakerWindow, TypeChoicesEnableTheirControlsAndSwapLabels)
{
    form_.addbtn->click();
    EXPECT_FALSE(form_.elementsize->isEnabled());
    form_.elementtype->setCurrentText("textarea");
    EXPECT_TRUE(form_.elementsize->isEnabled() && form_.elementmax->isEnabled());
    EXPECT_FALSE(form_.elementchk->isEnabled());
    EXPECT_EQ(form_.elementchk->currentText(), "N");
    form_.elementtype->setCurrentText("radio");
    EXPECT_TRUE(form_.elementchk->isEnabled());
    EXPECT_FALSE(form_.elementsize->isEnabled());
    form_.elementtype->setCurrentText("select");
    EXPECT_TRUE(form_.SG1->isVisible());
    EXPECT_FALSE(form_.elementval->isEnabled());
    EXPECT_TRUE(form_.elementsize->isEnabled());
    form_.elementsize->setValue(3);
    form_.postbtn->click();
    EXPECT_EQ(form_.SizeLabel->text(), "Cols");   // labels follow a shown element
    addElement("t", "text");
    form_.FirstBtn->click();
    EXPECT_EQ(form_.SizeLabel->text(), "Size");
    EXPECT_EQ(form_.onclickLabel->text(), "onClick()");
    EXPECT_EQ(form_.elementsize->value(), 3);
    form_.NextBtn->click();
    EXPECT_EQ(form_.SizeLabel->text(), "Cols");
    EXPECT_EQ(form_.onclickLabel->text(), "onChange()");
    EXPECT_EQ(form_.elementnum->text(), "2/2");
}

TEST_F(FormMakerWindow, EnterInAnOptionCellAddsARowOnlyWhenTheCellIsFilled)
{
    form_.addbtn->click();
    form_.elementtype->setCurrentText("select");
    ASSERT_EQ(form_.SG1->rowCount(), 1);
    form_.SG1->setCurrentCell(0, 1);
    key(form_.SG1, Qt::Key_Return, "\r");
    EXPECT_EQ(form_.SG1->rowCount(), 1);

    form_.SG1->item(0, 1)->setText("r");
    key(form_.SG1, Qt::Key_Return, "\r");
    EXPECT_EQ(form_.SG1->rowCount(), 2);
    EXPECT_EQ(form_.SG1->currentRow(), 1);
    EXPECT_EQ(form_.SG1->currentColumn(), 1);

    // The new cell shows its editor; "P" typed there adds a row too, "p" is
    // just typed.
    QLineEdit *editor = nullptr;
    for (QLineEdit *e : form_.SG1->viewport()->findChildren<QLineEdit *>())
        if (e->isVisibleTo(form_.SG1))
            editor = e;
    ASSERT_NE(editor, nullptr);
    editor->setText("b");
    key(editor, Qt::Key_P, "p");
    EXPECT_EQ(form_.SG1->rowCount(), 2);
    key(editor, Qt::Key_P, "P");
    EXPECT_EQ(form_.SG1->rowCount(), 3);
    EXPECT_EQ(form_.SG1->currentRow(), 2);
    QCoreApplication::processEvents();

    form_.SG1->item(0, 0)->setText("Red");
    form_.SG1->item(1, 0)->setText("Blue");
    form_.postbtn->click();
    const formmaker::TElementOptions &o = form_.model().ElementOptions[0];
    EXPECT_EQ(o.RowCount, 4);
    EXPECT_EQ(o.OptionText[1], "Red");
    EXPECT_EQ(o.OptionValue[1], "r");
    EXPECT_EQ(o.OptionText[2], "Blue");
    EXPECT_EQ(o.OptionValue[2], "bp");
}

TEST_F(FormMakerWindow, RightClickHidesTheGridOnlyWithoutUnpostedChanges)
{
    form_.addbtn->click();
    form_.elementtype->setCurrentText("select");
    ASSERT_TRUE(form_.model().Unposted);
    rightClick();
    EXPECT_TRUE(form_.SG1->isVisible());
    form_.postbtn->click();
    form_.EditBtn->click();
    ASSERT_TRUE(form_.SG1->isVisible());
    rightClick();
    EXPECT_FALSE(form_.SG1->isVisible());
}

TEST_F(FormMakerWindow, ApplyRefusesUnpostedWorkThenClosesWithTheForm)
{
    fillSettings();
    addExampleElement();
    form_.addbtn->click();
    form_.PreElementText->setText("unfinished");
    form_.ApplyBtn->click();
    form_.PreviewBtn->click();
    EXPECT_EQ(dialogs_.messages, QStringList({"element not posted", "element not posted"}));
    EXPECT_TRUE(form_.isVisible());
    EXPECT_EQ(form_.FormHtml, "");
    EXPECT_FALSE(form_.PreviewMode);
    EXPECT_TRUE(shell_.opened.isEmpty());

    form_.clearbtn->click();
    QFile stale(inDir("formtemp.htm"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    form_.ApplyBtn->click();
    EXPECT_FALSE(form_.isVisible());
    EXPECT_EQ(form_.result(), QDialog::Accepted);
    EXPECT_EQ(form_.FormHtml, exampleHtml());
    EXPECT_FALSE(QFile::exists(inDir("formtemp.htm")));
}

TEST_F(FormMakerWindow, PreviewWritesThePageOpensItAndStaysOpen)
{
    fillSettings();
    addExampleElement();
    form_.PreviewBtn->click();
    EXPECT_TRUE(form_.isVisible());
    EXPECT_FALSE(form_.PreviewMode);
    EXPECT_EQ(form_.FormHtml, exampleHtml());
    EXPECT_EQ(shell_.opened, QStringList{inDir("formtemp.htm")});
    QFile page(inDir("formtemp.htm"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains(exampleHtml().toUtf8() + "\r\n<BR><BR>\r\nRemember"));
    page.close();

    shell_.result = false;
    form_.PreviewBtn->click();
    EXPECT_EQ(dialogs_.messages, QStringList{"Failed to execute table preview"});
    EXPECT_TRUE(form_.isVisible());

    // Cancel keeps the page; the close box, like Cancel, leaves nothing to insert.
    form_.close();
    EXPECT_EQ(form_.FormHtml, "");
    EXPECT_TRUE(QFile::exists(inDir("formtemp.htm")));
}

TEST_F(FormMakerWindow, APreviewPageThatCannotBeWrittenIsReportedAndApplyThenFinishes)
{
    QDir(dir_.path()).mkdir("formtemp.htm");   // a folder in the page's place
    form_.PreviewBtn->click();
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_EQ(dialogs_.messages[0], "Cannot create file " + inDir("formtemp.htm"));
    EXPECT_TRUE(shell_.opened.isEmpty());
    EXPECT_FALSE(form_.PreviewMode);
    form_.ApplyBtn->click();
    EXPECT_FALSE(form_.isVisible());
    EXPECT_EQ(form_.result(), QDialog::Accepted);
}

TEST_F(FormMakerWindow, SaveAndOpenInAFreshWindowGiveTheSameForm)
{
    fillSettings();
    form_.methodbox->setCurrentText("PUT");   // not one of the items
    form_.resetchk->setChecked(true);
    form_.resetvalue->setText("Again");
    addExampleElement();
    addElement("Pick", "select", "p");
    form_.EditBtn->click();
    form_.SG1->item(0, 0)->setText("Red");
    form_.SG1->item(0, 1)->setText("r");
    form_.SG1->item(0, 2)->setText("y");
    form_.postbtn->click();
    addElement("Note", "textarea", "t");

    const QString path = inDir("order.mff");
    dialogs_.queueFile(path);
    form_.savebtn->click();
    ASSERT_EQ(dialogs_.fileDialogs.size(), 1);
    EXPECT_EQ(dialogs_.fileDialogs[0].filter, "Mivor FormMaker Files *.mff|*.mff");
    EXPECT_EQ(dialogs_.fileDialogs[0].defaultExt, "mff");
    EXPECT_EQ(dialogs_.fileDialogs[0].fileName, "*.mff");
    EXPECT_EQ(QFile(path).size(), 7880);
    form_.PreviewBtn->click();
    const QString made = form_.FormHtml;

    ScriptedShell otherShell;
    TFormForm fresh;
    fresh.show();
    dialogs_.queueFile(path);
    fresh.openbtn->click();
    EXPECT_EQ(dialogs_.fileDialogs[1].filter, "Mivor Form Files *.mff|*.mff");
    EXPECT_EQ(dialogs_.fileDialogs[1].fileName, "*.mff");
    EXPECT_EQ(fresh.methodbox->currentText(), "PUT");
    EXPECT_TRUE(fresh.resetchk->isChecked());
    EXPECT_EQ(fresh.resetvalue->text(), "Again");
    EXPECT_EQ(fresh.elementnum->text(), "1/3");
    EXPECT_EQ(fresh.PreElementText->text(), "Name:");
    EXPECT_FALSE(fresh.PreElementText->isEnabled());
    EXPECT_TRUE(fresh.NextBtn->isEnabled());
    fresh.ApplyBtn->click();
    EXPECT_EQ(fresh.FormHtml, made);
    EXPECT_TRUE(made.contains("<OPTION VALUE=\"r\" SELECTED>Red\r\n"));

    QString fromFile;
    ASSERT_TRUE(formHtmlFromFile(path, fromFile));
    EXPECT_EQ(fromFile, made);
}

TEST_F(FormMakerWindow, ADamagedFileIsRefusedAndChangesNothing)
{
    fillSettings();
    addElement("kept", "text");
    QByteArray bytes = formmaker::encodeFormFile(formmaker::FormFileData{});
    bytes[568] = 60;   // 61 elements announced
    bytes.append(QByteArray(61 * 2436, '\0'));
    const QString damaged = inDir("damaged.mff");
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    dialogs_.queueFile(damaged);
    form_.openbtn->click();
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_TRUE(dialogs_.messages[0].startsWith("Cannot read form file " + damaged));
    EXPECT_EQ(form_.model().LastIndex, 0);
    EXPECT_EQ(form_.model().Elements[0].PreText, "kept");
    EXPECT_EQ(form_.namebox->text(), "f");

    dialogs_.queueFile(std::nullopt);   // cancelling changes nothing either
    form_.openbtn->click();
    EXPECT_EQ(form_.model().LastIndex, 0);
}

TEST_F(FormMakerWindow, AFullFormSaysSoWhenAddIsPressed)
{
    for (int i = 0; i < formmaker::MaxElements; ++i)
        addElement(QString::number(i), "hidden");
    form_.addbtn->click();
    EXPECT_EQ(dialogs_.messages, QStringList{formmaker::FormModel::fullMessage()});
    EXPECT_EQ(form_.model().LastIndex, 50);
    EXPECT_EQ(form_.elementnum->text(), "51/51");
}
