#include "table/tablewindow.h"

#include "widgets/colourswatch.h"
#include "markup/fontdialog.h"
#include "markup/paragraphdialog.h"
#include "widgets/radiogroup.h"
#include "widgets/spinfield.h"
#include "support/widgethelpers.h"
#include "support/scripteddialogs.h"
#include "support/tempconfig.h"
#include "table/tablefile.h"
#include "table/tablehtml.h"
#include "table/tablewidgets.h"
#include "table/textboxtext.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace table;

namespace {

// Runs a test inside a folder of its own, since the preview page and
// bare picture names live in the current directory.
class InFolder {
public:
    InFolder() : old_(QDir::currentPath()) { QDir::setCurrent(temp_.path()); }
    ~InFolder() { QDir::setCurrent(old_); }
    QString path() const { return temp_.path(); }

private:
    TempConfig temp_;
    QString old_;
};

QString cellText(const Thtmltabletemp &w, int col, int row)
{
    return w.model().cellText(col, row);
}

void selectText(CellTextBox *box, int start, int end)
{
    QTextCursor c = box->textCursor();
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    box->setTextCursor(c);
}

int caretOffset(CellTextBox *box)
{
    return offsetOfBoxPosition(box->toPlainText(), box->textCursor().position());
}

} // namespace

TEST(TextBoxText, LineBreaksCountAsTwoCharacters)
{
    EXPECT_EQ(boxTextFromCellText("a\r\nb\rc\nd"), "a\nb\nc\nd");
    EXPECT_EQ(cellTextFromBoxText("a\nb\n"), "a\r\nb\r\n");
    const QString box = "ab\ncd";
    EXPECT_EQ(offsetOfBoxPosition(box, 2), 2);
    EXPECT_EQ(offsetOfBoxPosition(box, 3), 4);
    EXPECT_EQ(offsetOfBoxPosition(box, 99), 6);
    EXPECT_EQ(boxPositionOfOffset(box, 4), 3);
    EXPECT_EQ(boxPositionOfOffset(box, 3), 2);   // between CR and LF: end of the line
    EXPECT_EQ(boxPositionOfOffset(box, 6), 5);
    EXPECT_EQ(boxPositionOfOffset(box, 60), 5);
    EXPECT_EQ(boxPositionOfOffset(box, -1), 0);
}

TEST(TableWindow, StartsAsAnEmptyOneByOneTableWithItsCaptions)
{
    ScriptedDialogs dialogs;
    Thtmltabletemp w({});
    w.show();
    EXPECT_EQ(w.windowTitle(), "Table Editor");
    EXPECT_EQ(w.size(), QSize(705, 473));
    EXPECT_EQ(w.GridLabel->text(), "Table(Col, Row)");
    EXPECT_EQ(w.GridSelect->text(), "Selectect Cell(Col, Row)");
    EXPECT_EQ(w.StringGrid1->columnCount(), 1);
    EXPECT_EQ(w.StringGrid1->rowCount(), 1);
    EXPECT_EQ(w.TabCols->fieldValue(), 1);
    EXPECT_EQ(w.TabCols->toolTip(), "Max 20");
    EXPECT_EQ(w.TabBorder->fieldValue(), 1);
    EXPECT_EQ(w.TabBorder->maximumLimit(), 100);
    EXPECT_EQ(w.TabWidth->maximumLimit(), 1000);
    EXPECT_EQ(w.WidthRG->itemIndex(), 0);
    EXPECT_EQ(w.TabAlignRG->itemIndex(), 0);
    EXPECT_EQ(w.horzalign->button(0)->text(), "Left (Default)");
    EXPECT_FALSE(w.TabSpacing->hasRange());
    EXPECT_FALSE(w.TabColor->isEnabled());
    EXPECT_FALSE(w.TabLight->isEnabled());
    EXPECT_EQ(w.colspin->fieldValue(), 1);
    EXPECT_EQ(w.colspin->maximumLimit(), 1);
    EXPECT_EQ(w.Edit1->height(), 25);
    EXPECT_EQ(w.Panel3->height(), Thtmltabletemp::TextAreaHeight);
    EXPECT_EQ(w.Gridup->text(), "▲");
    EXPECT_FALSE(w.ClearColSpan1->isVisible());
    EXPECT_EQ(w.Shape6->toolTip(), "insert color");
    EXPECT_EQ(w.picBtn->toolTip(), "Insert image");
}

TEST(TableWindow, SizeBoxesResizeTheGridAndLimitTheSpanBoxes)
{
    ScriptedDialogs dialogs;
    Thtmltabletemp w({});
    w.show();
    typeInto(w.TabCols, "3");
    typeInto(w.TabRows, "25");   // the box keeps within 1..20
    EXPECT_EQ(w.StringGrid1->columnCount(), 3);
    EXPECT_EQ(w.StringGrid1->rowCount(), 20);
    EXPECT_EQ(w.GridLabel->text(), "Table(Col, Row) = (3, 20)");
    EXPECT_EQ(w.colspin->maximumLimit(), 3);
    EXPECT_EQ(w.rowspin->maximumLimit(), 20);

    // Choosing a cell shows it and stores the one left behind.
    w.Edit1->setPlainText("first");
    w.StringGrid1->setCurrentCell(0, 2);
    EXPECT_EQ(w.GridSelect->text(), "Selected Cell(Col, Row) = (3, 1)");
    EXPECT_EQ(w.StringGrid1->item(0, 0)->text(), "first");
    EXPECT_TRUE(w.model().cell(0, 0).Stored);
    EXPECT_TRUE(w.Edit1->toPlainText().isEmpty());

    // A span of 3 from column 0 covers the two cells beside it.
    w.StringGrid1->setCurrentCell(0, 0);
    EXPECT_EQ(w.Edit1->toPlainText(), "first");
    typeInto(w.colspin, "3");
    EXPECT_TRUE(w.ClearColSpan1->isVisible());
    w.StringGrid1->setCurrentCell(0, 1);
    EXPECT_FALSE(w.Edit1->isEnabled());
    EXPECT_EQ(w.Edit1->toPlainText(), "This is a spanned cell");
    EXPECT_EQ(w.colspin->fieldValue(), 0);
    EXPECT_FALSE(w.colspin->isEnabled());
    EXPECT_TRUE(w.StringGrid1->item(0, 1)->text().isEmpty());
}

TEST(TableWindow, FormattingButtonsPlaceTextAndCaretAndLeaveTheClipboard)
{
    ScriptedDialogs dialogs;
    TParabox para;
    THtmlFont font;
    Thtmltabletemp w({}, &para, &font);
    w.show();
    QGuiApplication::clipboard()->setText("kept");

    w.BoldBtn->click();
    EXPECT_EQ(w.Edit1->toPlainText(), "<B></B>");
    EXPECT_EQ(caretOffset(w.Edit1), 3);
    EXPECT_EQ(cellText(w, 0, 0), "<B></B>");

    w.Edit1->setPlainText("x abc y");
    selectText(w.Edit1, 2, 5);
    w.ItalicBtn->click();
    EXPECT_EQ(w.Edit1->toPlainText(), "x <I>abc</I> y");
    EXPECT_EQ(caretOffset(w.Edit1), 8);

    // Paragraph: the line break inside counts as CR LF for the caret.
    w.Edit1->setPlainText("");
    para.AG->setItemIndex(1);
    para.SpeedButton2Click();
    w.ParagraphDialogClosed(para.result());
    EXPECT_EQ(cellText(w, 0, 0), "<P align=\"center\">\r\n</P>");
    // Five back falls between CR and LF: the caret stands at the end of the
    // tag's line, where the paragraph's text goes.
    EXPECT_EQ(caretOffset(w.Edit1), int(cellText(w, 0, 0).size()) - 6);
    EXPECT_EQ(w.Edit1->textCursor().position(), 18);

    w.Edit1->setPlainText("abc");
    selectText(w.Edit1, 0, 3);
    w.ParagraphDialogClosed(para.result());
    EXPECT_EQ(cellText(w, 0, 0), "<P align=\"center\">\r\nabc\r\n</P>");
    EXPECT_EQ(caretOffset(w.Edit1), int(cellText(w, 0, 0).size()));

    // A cancelled paragraph dialog inserts nothing.
    para.SpeedButton1Click();
    w.ParagraphDialogClosed(para.result());
    EXPECT_EQ(cellText(w, 0, 0), "<P align=\"center\">\r\nabc\r\n</P>");

    w.Edit1->setPlainText("");
    w.SpeedButton2->click();
    EXPECT_EQ(w.Edit1->toPlainText(), "<BR>");
    EXPECT_EQ(caretOffset(w.Edit1), 4);

    // The right button writes the table colour even while it is not in use.
    w.Edit1->setPlainText("");
    w.TabColor->setFill(0x0000FF);
    pressMouse(w.Shape6, Qt::RightButton);
    EXPECT_EQ(w.Edit1->toPlainText(), "\"#FF0000\"");
    EXPECT_TRUE(dialogs.colorDialogs.isEmpty());
    // The left button asks; a cancelled choice still replaces the selection.
    selectText(w.Edit1, 0, 9);
    pressMouse(w.Shape6);
    EXPECT_EQ(w.Edit1->toPlainText(), "");
    dialogs.queueColor(QColor(0, 128, 255));
    pressMouse(w.Shape6);
    EXPECT_EQ(w.Edit1->toPlainText(), "\"#0080FF\"");
    EXPECT_EQ(w.Shape6->fill(), 0xFF8000u);

    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
}

TEST(TableWindow, FontButtonShowsTheFontDialogAndUsesItsTag)
{
    ScriptedDialogs dialogs;
    THtmlFont font;
    Thtmltabletemp w({}, nullptr, &font);
    w.show();
    font.CheckBox2->setChecked(true);
    font.Fontsize->setFieldValue(4);
    QTimer::singleShot(0, &font, [&font] { font.ApplyBtnClick(); });
    w.FontBtn->click();
    EXPECT_EQ(cellText(w, 0, 0), "<FONT SIZE=\"4\">\r\n</FONT>");
    // Eight back falls between CR and LF: the end of the tag's line.
    EXPECT_EQ(caretOffset(w.Edit1), int(cellText(w, 0, 0).size()) - 9);

    w.Edit1->setPlainText("hi");
    selectText(w.Edit1, 0, 2);
    QTimer::singleShot(0, &font, [&font] { font.ApplyBtnClick(); });
    w.FontBtn->click();
    EXPECT_EQ(cellText(w, 0, 0), "<FONT SIZE=\"4\">hi</FONT>");
    EXPECT_EQ(caretOffset(w.Edit1), int(cellText(w, 0, 0).size()));

    QTimer::singleShot(0, &font, [&font] { font.CancelBtnClick(); });
    w.FontBtn->click();
    EXPECT_EQ(cellText(w, 0, 0), "<FONT SIZE=\"4\">hi</FONT>");
}

TEST(TableWindow, PercentUnitLimitsTheWidthTo100)
{
    ScriptedDialogs dialogs;
    Thtmltabletemp w({});
    w.show();
    w.WidthRG->button(PixelsUnit)->click();
    typeInto(w.TabWidth, "350");
    EXPECT_EQ(w.model().properties().Width, 350);
    w.WidthRG->button(PercentUnit)->click();
    EXPECT_EQ(w.TabWidth->fieldValue(), 100);
    EXPECT_EQ(w.TabWidth->maximumLimit(), 100);
    w.WidthRG->button(PixelsUnit)->click();
    EXPECT_EQ(w.TabWidth->maximumLimit(), 1000);
    EXPECT_EQ(w.TabWidth->fieldValue(), 100);

    // The cell's height box reacts the same way.
    w.RadioGroup6->button(PixelsUnit)->click();
    typeInto(w.CellHeight, "400");
    w.RadioGroup6->button(PercentUnit)->click();
    EXPECT_EQ(w.CellHeight->fieldValue(), 100);
    EXPECT_EQ(w.CellHeight->maximumLimit(), 100);
}

TEST(TableWindow, LineAndLightDarkExcludeEachOther)
{
    ScriptedDialogs dialogs;
    Thtmltabletemp w({});
    w.show();
    w.LightDark->click();
    EXPECT_TRUE(w.TabLight->isEnabled());
    EXPECT_TRUE(w.TabDark->isEnabled());
    w.TabLineChk->click();
    EXPECT_TRUE(w.TabLineChk->isChecked());
    EXPECT_FALSE(w.LightDark->isChecked());
    EXPECT_FALSE(w.TabLight->isEnabled());
    EXPECT_FALSE(w.TabDark->isEnabled());
    EXPECT_TRUE(w.LineColor->isEnabled());

    // Swatches of colours not in use do not ask.
    pressMouse(w.TabLight);
    pressMouse(w.TabColor);
    EXPECT_TRUE(dialogs.colorDialogs.isEmpty());
    dialogs.queueColor(QColor(255, 0, 0));
    pressMouse(w.LineColor);
    EXPECT_EQ(w.model().properties().LineColour, 0x0000FFu);

    w.LightDark->click();
    EXPECT_FALSE(w.TabLineChk->isChecked());
    EXPECT_FALSE(w.LineColor->isEnabled());
    w.LightDark->click();
    EXPECT_FALSE(w.TabLight->isEnabled());
}

TEST(TableWindow, PictureButtonWritesTheImageTagIntoTheFocusedCell)
{
    ScriptedDialogs dialogs;
    InFolder folder;
    {
        QFile f("pic.gif");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(3500, 'x'));
    }
    QStringList folders;
    std::optional<std::pair<QString, QImage>> answer = std::pair(QString("pic.gif"), QImage());
    TableEditorHooks hooks;
    hooks.documentFolder = "/docs/";
    hooks.choosePicture = [&](const QString &f) {
        folders << f;
        return answer;
    };
    Thtmltabletemp w(hooks);
    w.show();
    w.picBtn->click();
    EXPECT_EQ(cellText(w, 0, 0), "<IMG SRC=\"pic.gif\" BORDER=\"0\" ALT=\"pic.gif - 3k\" >\r\n");
    EXPECT_EQ(folders, QStringList{"/docs/"});
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // A file that cannot be opened is reported and the cell keeps its text.
    answer = std::pair(QString("gone.gif"), QImage());
    w.picBtn->click();
    EXPECT_EQ(dialogs.messages, QStringList{"Cannot open file gone.gif"});
    EXPECT_EQ(cellText(w, 0, 0), "<IMG SRC=\"pic.gif\" BORDER=\"0\" ALT=\"pic.gif - 3k\" >\r\n");
    // Cancelled: nothing changes, nothing is said.
    answer.reset();
    w.picBtn->click();
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST(TableWindow, BackgroundPicturesAndTheirFailures)
{
    ScriptedDialogs dialogs;
    InFolder folder;
    QImage red(80, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    std::optional<std::pair<QString, QImage>> answer = std::pair(QString("back.gif"), red);
    TableEditorHooks hooks;
    hooks.choosePicture = [&](const QString &) { return answer; };
    Thtmltabletemp w(hooks);
    w.show();

    w.SpeedButton3->click();
    EXPECT_EQ(w.BGImageLabel->text(), "back.gif");
    EXPECT_EQ(w.model().properties().Background, "back.gif");
    ASSERT_FALSE(w.Image1->pixmap().isNull());
    EXPECT_LE(w.Image1->pixmap().width(), w.Image1->width());   // shown scaled
    w.Image1DblClick();
    EXPECT_TRUE(w.BGImageLabel->text().isEmpty());
    EXPECT_TRUE(w.Image1->pixmap().isNull());

    // The cell's picture is stored into the cell at once.
    w.SpeedButton5->click();
    EXPECT_EQ(w.Label11->text(), "back.gif");
    EXPECT_EQ(w.Label11->toolTip(), "back.gif");
    EXPECT_EQ(w.model().cell(0, 0).Background, "back.gif");

    // A picture without a preview that cannot be loaded changes nothing.
    answer = std::pair(QString("missing.bmp"), QImage());
    w.SpeedButton3->click();
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(w.BGImageLabel->text().isEmpty());
    EXPECT_FALSE(dialogs.messages.value(0).isEmpty());
}

TEST(TableWindow, DoubleClickSwitchesTheTextBoxBetween149And21)
{
    ScriptedDialogs dialogs;
    Thtmltabletemp w({});
    w.show();
    EXPECT_EQ(w.Edit1->height(), 25);
    EXPECT_EQ(w.Edit1->toolTip(), "2048 character limit - double click to enlarge");
    w.Edit1DblClick();
    EXPECT_EQ(w.Edit1->height(), 149);
    EXPECT_EQ(w.Edit1->toolTip(), "2048 character limit - double click to shrink");
    w.Edit1DblClick();
    EXPECT_EQ(w.Edit1->height(), 21);
    EXPECT_EQ(w.Edit1->toolTip(), "2048 character limit - double click to expand");

    // The area toggle covers the property areas and comes back.
    pressMouse(w.Gridup);
    EXPECT_EQ(w.Gridup->text(), "▼");
    EXPECT_EQ(w.Panel3->y(), 0);
    pressMouse(w.Gridup);
    EXPECT_EQ(w.Gridup->text(), "▲");
    EXPECT_EQ(w.Panel3->height(), 174);
}

TEST(TableWindow, TypingStopsAt2048CharactersCountingLineBreaksAsTwo)
{
    ScriptedDialogs dialogs;
    Thtmltabletemp w({});
    w.show();
    w.Edit1->setPlainText(QString(2046, 'a'));
    w.Edit1->moveCursor(QTextCursor::End);
    QTest::keyClick(w.Edit1, Qt::Key_Return);
    QTest::keyClick(w.Edit1, Qt::Key_B);
    EXPECT_EQ(cellText(w, 0, 0), QString(2046, 'a') + "\r\n");
    // Texts set by the program are not cut.
    w.Edit1->setPlainText(QString(3000, 'c'));
    EXPECT_EQ(cellText(w, 0, 0).size(), 3000);
}

TEST(TableWindow, SpikeTextReplacesTheWholeCellText)
{
    ScriptedDialogs dialogs;
    QList<bool> modes;
    TableEditorHooks hooks;
    hooks.spikePickMode = [&](bool on) { modes << on; };
    hooks.pickedText = [] { return QString("one\r\ntwo\r\n"); };
    Thtmltabletemp w(hooks);
    w.show();
    w.Edit1->setPlainText("old");
    w.TabSpikeBtn->click();
    EXPECT_EQ(cellText(w, 0, 0), "one\r\ntwo\r\n");
    EXPECT_EQ(modes, (QList<bool>{true, false}));
}

TEST(TableWindow, SpikeClosedWithoutAChoiceLeavesTheCellAlone)
{
    ScriptedDialogs dialogs;
    TableEditorHooks hooks;
    QString picked;
    hooks.spikePickMode = [](bool) {};
    hooks.pickedText = [&picked] { return picked; };
    Thtmltabletemp w(hooks);
    w.show();
    w.Edit1->setPlainText("keep me");
    w.TabSpikeBtn->click();
    EXPECT_EQ(cellText(w, 0, 0), "keep me");
    EXPECT_EQ(w.Edit1->toPlainText(), "keep me");

    // A chosen empty clip still counts: its line break replaces the text.
    picked = "\r\n";
    w.TabSpikeBtn->click();
    EXPECT_EQ(cellText(w, 0, 0), "\r\n");
}

TEST(TableWindow, ApplyInsertsTheGeneratedTableAndCloses)
{
    ScriptedDialogs dialogs;
    ScriptedShell shell;
    InFolder folder;
    QStringList inserted;
    bool documentOpen = false;
    TableEditorHooks hooks;
    hooks.insertTable = [&](const QString &html) {
        if (!documentOpen)
            return false;
        inserted << html;
        return true;
    };
    Thtmltabletemp w(hooks);
    int closings = 0;
    QObject::connect(&w, &Thtmltabletemp::closed, [&] { ++closings; });
    w.show();
    typeInto(w.TabCols, "2");
    typeInto(w.TabBorder, "3");
    w.Edit1->setPlainText("a");
    w.StringGrid1->setCurrentCell(0, 1);
    w.Edit1->setPlainText("b");
    w.CellColorCheck->click();
    w.TabAlignRG->button(2)->click();

    TableModel expected;
    expected.TabColsChange(2);
    expected.setTabBorder(3);
    expected.Edit1Change("a");
    expected.selectCell(1, 0);
    expected.Edit1Change("b");
    expected.CellColorCheckClick(true);
    expected.setTabAlign(2);
    const QString html = buildTableHtml(expected);
    ASSERT_TRUE(html.contains("<TD VALIGN=\"top\" ALIGN=\"left\" >\r\na</TD>"));

    // A preview writes the page and keeps the window open.
    w.TablePrevBtn->click();
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_TRUE(QFile::exists("tabtemp.htm"));
    EXPECT_FALSE(w.PreviewMode);
    EXPECT_TRUE(inserted.isEmpty());

    // Without a document the table stays.
    w.ApplyBtn->click();
    EXPECT_EQ(dialogs.messages, QStringList{"There is no open document to insert the table into."});
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(closings, 0);

    documentOpen = true;
    w.ApplyBtn->click();
    EXPECT_EQ(inserted, QStringList{html});
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(closings, 1);
    EXPECT_FALSE(QFile::exists("tabtemp.htm"));
}

TEST(TableWindow, PreviewFailuresAreReportedAndApplyStillInserts)
{
    ScriptedDialogs dialogs;
    ScriptedShell shell;
    InFolder folder;
    QStringList inserted;
    TableEditorHooks hooks;
    hooks.insertTable = [&](const QString &html) { inserted << html; return true; };
    Thtmltabletemp w(hooks);
    w.show();
    shell.result = false;
    w.TablePrevBtn->click();
    EXPECT_EQ(dialogs.messages, QStringList{"Failed to execute table preview"});
    EXPECT_FALSE(w.PreviewMode);

    // A page that cannot be written: the flag is cleared all the same.
    QFile::remove("tabtemp.htm");
    ASSERT_TRUE(QDir().mkdir("tabtemp.htm"));
    shell.result = true;
    w.TablePrevBtn->click();
    EXPECT_EQ(dialogs.messages.value(1), "Cannot create file tabtemp.htm");
    EXPECT_FALSE(w.PreviewMode);
    w.ApplyBtn->click();
    EXPECT_EQ(inserted.size(), 1);
}

TEST(TableWindow, SavedTableLoadsIntoAFreshWindowWithTheSameTable)
{
    ScriptedDialogs dialogs;
    InFolder folder;
    const QString path = folder.path() + "/t.mtb";
    QString first, second;
    TableEditorHooks hooks;
    hooks.insertTable = [&](const QString &html) { first = html; return true; };
    {
        Thtmltabletemp w(hooks);
        w.show();
        typeInto(w.TabCols, "3");
        typeInto(w.TabRows, "2");
        w.LightDark->click();
        w.HeightRG->button(PixelsUnit)->click();
        typeInto(w.TabHeight, "240");
        w.Edit1->setPlainText("top left");
        w.StringGrid1->setCurrentCell(1, 2);
        w.Edit1->setPlainText("x\r\ny");
        typeInto(w.cellwidth, "30");
        w.VertAlign->button(2)->click();
        w.StringGrid1->setCurrentCell(1, 0);
        typeInto(w.colspin, "2");
        dialogs.queueFile(path);
        w.SaveTableBtn->click();
        ASSERT_EQ(dialogs.fileDialogs.size(), 1);
        EXPECT_EQ(dialogs.fileDialogs[0].fileName, "*.mtb");
        EXPECT_EQ(dialogs.fileDialogs[0].defaultExt, "mtb");
        EXPECT_EQ(dialogs.fileDialogs[0].filter, "Mivor Table Files *.mtb|*.mtb");
        EXPECT_EQ(QFile(path).size(), TableFileSize);
        w.ApplyBtn->click();
    }
    hooks.insertTable = [&](const QString &html) { second = html; return true; };
    Thtmltabletemp fresh(hooks);
    fresh.show();
    dialogs.queueFile(path);
    fresh.OpenTableBtn->click();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(fresh.StringGrid1->columnCount(), 3);
    EXPECT_EQ(fresh.StringGrid1->item(0, 0)->text(), "top left");
    EXPECT_TRUE(fresh.LightDark->isChecked());
    EXPECT_TRUE(fresh.TabDark->isEnabled());
    EXPECT_EQ(fresh.HeightRG->itemIndex(), PixelsUnit);
    EXPECT_EQ(fresh.TabHeight->fieldValue(), 240);
    EXPECT_EQ(fresh.Edit1->toPlainText(), "top left");
    fresh.ApplyBtn->click();
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(second, first);
}

TEST(TableWindow, ShortFileIsRefusedAndTheTableStays)
{
    ScriptedDialogs dialogs;
    InFolder folder;
    Thtmltabletemp w({});
    w.show();
    typeInto(w.TabCols, "2");
    w.Edit1->setPlainText("keep me");
    dialogs.queueFile(folder.path() + "/whole.mtb");
    w.SaveTableBtn->click();
    QByteArray bytes;
    {
        QFile f(folder.path() + "/whole.mtb");
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        bytes = f.read(1000);
    }
    {
        QFile f(folder.path() + "/short.mtb");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    typeInto(w.TabCols, "4");
    const QString before = generateTableHtml(w.model().properties(), w.model().cellStore(), w.model().gridTexts());
    dialogs.queueFile(folder.path() + "/short.mtb");
    w.OpenTableBtn->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_FALSE(dialogs.messages[0].isEmpty());
    EXPECT_EQ(generateTableHtml(w.model().properties(), w.model().cellStore(), w.model().gridTexts()), before);
    EXPECT_EQ(w.StringGrid1->columnCount(), 4);
    EXPECT_FALSE(w.model().Loading());
    // The grid still answers to the user.
    w.StringGrid1->setCurrentCell(0, 3);
    EXPECT_EQ(w.GridSelect->text(), "Selected Cell(Col, Row) = (4, 1)");
}

TEST(TableWindow, CellWithAnUnloadablePictureStillShowsItsOtherValues)
{
    ScriptedDialogs dialogs;
    InFolder folder;
    QImage blue(10, 10, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    TableEditorHooks hooks;
    // The picture was there when chosen and is gone by the time it is loaded again.
    hooks.choosePicture = [&](const QString &) { return std::optional(std::pair(QString("gone.gif"), blue)); };
    const QString path = folder.path() + "/p.mtb";
    {
        Thtmltabletemp w(hooks);
        w.show();
        typeInto(w.cellwidth, "40");
        w.SpeedButton5->click();
        dialogs.queueFile(path);
        w.SaveTableBtn->click();
    }
    ASSERT_TRUE(dialogs.messages.isEmpty());
    Thtmltabletemp fresh({});
    fresh.show();
    dialogs.queueFile(path);
    fresh.OpenTableBtn->click();
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(fresh.Label11->text(), "gone.gif");
    EXPECT_EQ(fresh.cellwidth->fieldValue(), 40);
    EXPECT_TRUE(fresh.Image2->pixmap().isNull());
}

TEST(TableWindow, ContextMenuAlignsAColumnAndReleasesSpans)
{
    ScriptedDialogs dialogs;
    Thtmltabletemp w({});
    w.show();
    typeInto(w.TabCols, "3");
    typeInto(w.TabRows, "4");
    w.SetColumnAlign(AlignKind::Vertical, 1);
    EXPECT_EQ(w.VertAlign->itemIndex(), 1);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(w.model().cell(0, row).VAlign, 1);

    typeInto(w.colspin, "3");
    w.SetCellBtn->click();
    typeInto(w.colspin, "2");   // a stored span cannot shrink through the box
    EXPECT_EQ(w.colspin->fieldValue(), 3);
    w.ClearColSpan1->trigger();
    EXPECT_EQ(w.colspin->fieldValue(), 1);
    EXPECT_FALSE(w.ClearColSpan1->isVisible());
    EXPECT_EQ(w.model().cell(1, 0).ColSpan, 1);

    w.Edit1->setPlainText("text");
    w.resetcellbtn->click();
    EXPECT_TRUE(w.StringGrid1->item(0, 0)->text().isEmpty());
    EXPECT_EQ(w.VertAlign->itemIndex(), 0);
}
