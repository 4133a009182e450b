// Focus and stacking as a user meets them under a window manager: which
// window has the keyboard after a dialog, and what lies on top of what.
#include "desktop/desktop.h"

#include "app/mainwindow.h"
#include "documents/gutter.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "app/logo.h"
#include "markup/fontdialog.h"
#include "platform/dialogs.h"
#include "markup/newpagedialog.h"
#include "markup/paragraphdialog.h"
#include "widgets/radiogroup.h"
#include "widgets/spinfield.h"
#include "search/findform.h"
#include "search/findinfilesform.h"
#include "search/resultlines.h"
#include "search/resultsform.h"
#include "spike/spikewindow.h"
#include "support/tempconfig.h"
#include "table/tablewidgets.h"
#include "table/tablewindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Lets the window manager's answers to the last map, unmap or activation
// arrive before the state is read.
void settle()
{
    waitUntil([] { return false; }, 500);
}

// Waits (up to 5 s on a busy machine) until `window` is active and the
// keyboard is in `holds`, then lets the window manager finish whatever it was
// doing, so a late activation of another window still shows as a failure.
bool settlesOn(QWidget *window, const std::function<bool()> &holds)
{
    const auto both = [&] { return QApplication::activeWindow() == window && holds(); };
    waitUntil(both);
    settle();
    return both();
}

bool activates(QWidget *window)
{
    window->activateWindow();
    return waitUntil([window] { return QApplication::activeWindow() == window; });
}

// The real dialogs are used here: the window manager must see real windows.
class DesktopTest : public ::testing::Test {
protected:
    TempConfig cfg;
    std::unique_ptr<TMainForm> w;

    void SetUp() override
    {
        w = std::make_unique<TMainForm>();
        w->tools().createBeforeSplash();
        w->tools().createAfterSplash();
        w->setGeometry(0, 0, 1000, 700);
        w->show();
        ASSERT_TRUE(activates(w.get()));
        w->documentCommands().New1Click();
        w->currentDocument()->showMaximized();
    }

    void TearDown() override
    {
        // Nothing may ask on the way out.
        for (TSubForm *doc : w->findChildren<TSubForm *>())
            doc->Memo1->setModified(false);
        w.reset();
    }

    TMemo &memo() { return *w->currentDocument()->Memo1; }
};

// Answers the next modal dialog of type D with `answer` once it is up and
// has the keyboard, as it has when a user answers it.
template <class D>
void answerNextDialog(std::function<void(D *)> answer)
{
    QTimer::singleShot(0, [answer] {
        D *dialog = nullptr;
        waitUntil([&dialog] {
            dialog = qobject_cast<D *>(QApplication::activeModalWidget());
            return dialog && dialog->isActiveWindow();
        });
        if (dialog)
            answer(dialog);
    });
}

} // namespace

TEST_F(DesktopTest, TableEditorKeepsTheKeyboardAfterItsParagraphAndFontDialogs)
{
    memo().setText(QStringLiteral("hello world"));
    memo().setSelection(0, 5);
    w->toolCommands().Table1Click();
    Thtmltabletemp *table = w->tools().TableEditor;
    ASSERT_TRUE(waitUntil([table] { return table->isVisible(); }));
    ASSERT_TRUE(activates(table));
    table->Edit1->setFocus();

    answerNextDialog<TParabox>([](TParabox *p) {
        p->AG->setItemIndex(1);
        p->SpeedButton2Click();
    });
    table->Paragraph->click();
    EXPECT_TRUE(settlesOn(table, [&] { return QApplication::focusWidget() == table->Edit1; }));
    EXPECT_EQ(QApplication::activeWindow(), table);
    EXPECT_EQ(QApplication::focusWidget(), table->Edit1);

    answerNextDialog<THtmlFont>([](THtmlFont *f) {
        f->CheckBox2->setChecked(true);
        f->Fontsize->setFieldValue(4);
        f->ApplyBtnClick();
    });
    table->FontBtn->click();
    EXPECT_TRUE(settlesOn(table, [&] { return QApplication::focusWidget() == table->Edit1; }));
    EXPECT_EQ(QApplication::activeWindow(), table);
    EXPECT_EQ(QApplication::focusWidget(), table->Edit1);
    EXPECT_EQ(table->model().cellText(0, 0),
              QStringLiteral("<P align=\"center\"><FONT SIZE=\"4\">\r\n</FONT>\r\n</P>"));
    EXPECT_EQ(memo().text(), QStringLiteral("hello world"));
}

TEST_F(DesktopTest, EndOfSearchLeavesTheKeyboardInTheFindWindow)
{
    memo().setText(QStringLiteral("nothing to find"));
    w->searchCommands().Find1Click();
    TFindForm *find = w->tools().FindForm;
    ASSERT_TRUE(activates(find));
    find->Findtxt->setText(QStringLiteral("absent"));
    find->Findtxt->setFocus();

    QString shown;
    answerNextDialog<QMessageBox>([&shown](QMessageBox *box) {
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    find->FindBtnClick();
    EXPECT_TRUE(settlesOn(find, [&] { return QApplication::focusWidget() == find->Findtxt; }));
    EXPECT_EQ(shown, QStringLiteral("End of Search"));
    EXPECT_EQ(QApplication::activeWindow(), find);
    EXPECT_EQ(QApplication::focusWidget(), find->Findtxt);
}

TEST_F(DesktopTest, QuestionsAndDialogsOpenAboveTheFindAndResultsWindows)
{
    memo().setText(QStringLiteral("changed"));
    memo().setModified(true);
    w->searchCommands().Find1Click();
    ASSERT_TRUE(waitUntil([this] { return stackPosition(w->tools().FindForm) >= 0; }));

    int question = -1, find = -1;
    answerNextDialog<QMessageBox>([&](QMessageBox *box) {
        waitUntil([box] { return stackPosition(box) >= 0; });
        question = stackPosition(box);
        find = stackPosition(w->tools().FindForm);
        box->button(QMessageBox::Cancel)->click();
    });
    w->documentCommands().Close1Click();
    ASSERT_GE(question, 0);
    EXPECT_GT(question, find);
    EXPECT_TRUE(w->currentDocument());   // Cancel kept it open

    w->searchCommands().ShowSearchResults1Click();
    ASSERT_TRUE(waitUntil([this] { return stackPosition(w->tools().resultsForm) >= 0; }));
    int dialog = -1, results = -1;
    answerNextDialog<TFinFiles>([&](TFinFiles *d) {
        waitUntil([d] { return stackPosition(d) >= 0; });
        dialog = stackPosition(d);
        results = stackPosition(w->tools().resultsForm);
        d->CancelBtnClick();
    });
    w->searchCommands().FindinFiles1Click();
    ASSERT_GE(dialog, 0);
    EXPECT_GT(dialog, results);
    // Both tool windows still lie above the document they serve.
    EXPECT_GT(stackPosition(w->tools().FindForm), stackPosition(w.get()));
    EXPECT_GT(stackPosition(w->tools().resultsForm), stackPosition(w.get()));
}

TEST_F(DesktopTest, ResultJumpGivesTheDocumentTheKeyboardWithTheLineClearOfTheResults)
{
    QString text;
    for (int i = 0; i < 400; ++i)
        text += (i == 250 ? QStringLiteral("the needle") : QStringLiteral("line %1").arg(i)) + QStringLiteral("\r\n");
    memo().setText(text);
    memo().setSelStart(0);
    w->searchCommands().ShowSearchResults1Click();
    TresultsForm *results = w->tools().resultsForm;
    results->AddHits(QStringLiteral("needle"), w->currentDocument()->caption(), true, false, &memo());
    ASSERT_EQ(results->Results->rowCount(), 1);
    ASSERT_TRUE(activates(results));
    // The results window must lie over the document's text for the check
    // to mean anything.
    const QRect view(memo().viewport()->mapToGlobal(QPoint(0, 0)), memo().viewport()->size());
    ASSERT_TRUE(results->frameGeometry().intersects(view));

    const QModelIndex row = results->Results->index(0, 0);
    results->ListBox1->setCurrentIndex(row);
    results->ListBox1DblClick();
    EXPECT_TRUE(settlesOn(w.get(), [&] { return memo().hasTextFocus(); }));
    EXPECT_EQ(QApplication::activeWindow(), w.get());
    EXPECT_TRUE(memo().hasTextFocus());
    EXPECT_EQ(memo().selStart(), text.indexOf(QStringLiteral("the needle")));
    const QRect caret(memo().viewport()->mapToGlobal(memo().cursorRect().topLeft()), memo().cursorRect().size());
    EXPECT_TRUE(view.contains(caret));
    EXPECT_FALSE(results->frameGeometry().intersects(caret));
}

TEST_F(DesktopTest, SpikeOpensWithTheKeyboardSoEscapeClosesIt)
{
    w->toolCommands().ShowSpike1Click();
    EXPECT_TRUE(settlesOn(w->tools().Spike, [] { return QApplication::focusWidget() != nullptr; }));
    EXPECT_EQ(QApplication::activeWindow(), w->tools().Spike);
    QWidget *focused = QApplication::focusWidget();
    ASSERT_TRUE(focused);
    QTest::keyClick(focused, Qt::Key_Escape);
    EXPECT_FALSE(w->tools().Spike->isVisible());
}

namespace {

// Where the character at `offset` is drawn, on the screen.
QPoint screenPointOf(TMemo &memo, int offset)
{
    memo.setSelStart(offset);
    const QRect caret = memo.cursorRect();
    return memo.viewport()->mapToGlobal(caret.center() + QPoint(3, 0));
}

// Drags with the real pointer, as a hand would: press, move in steps, release;
// with `ctrl` the Control key is held from the first step to the release.
void dragWithPointer(QPoint from, QPoint to, bool ctrl)
{
    QStringList args{QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y()),
                     QStringLiteral("sleep"), QStringLiteral("0.3"), QStringLiteral("mousedown"), QStringLiteral("1"),
                     QStringLiteral("sleep"), QStringLiteral("0.3")};
    if (ctrl)
        args << QStringLiteral("keydown") << QStringLiteral("ctrl");
    for (int step = 1; step <= 6; ++step) {
        const QPoint p = from + (to - from) * step / 6;
        args << QStringLiteral("mousemove") << QString::number(p.x()) << QString::number(p.y())
             << QStringLiteral("sleep") << QStringLiteral("0.1");
    }
    args << QStringLiteral("sleep") << QStringLiteral("0.3") << QStringLiteral("mouseup") << QStringLiteral("1");
    if (ctrl)
        args << QStringLiteral("keyup") << QStringLiteral("ctrl");
    QProcess::startDetached(QStringLiteral("xdotool"), args);
}

} // namespace

TEST_F(DesktopTest, DraggedTextMovesAndWithControlIsCopied)
{
    memo().setText(QStringLiteral("alpha beta gamma\r\nsecond line here"));
    ASSERT_TRUE(settlesOn(w.get(), [] { return true; }));
    const int end = int(memo().text().size());

    // "beta" goes to the end of the text.
    const QPoint from = screenPointOf(memo(), 7);
    const QPoint to = screenPointOf(memo(), end) + QPoint(10, 0);
    memo().setSelection(6, 4);
    dragWithPointer(from, to, false);
    EXPECT_TRUE(waitUntil([this] { return memo().text() != QStringLiteral("alpha beta gamma\r\nsecond line here"); }));
    EXPECT_EQ(memo().text(), QStringLiteral("alpha  gamma\r\nsecond line herebeta"));
    EXPECT_TRUE(memo().modified());

    // "alpha" held with Control: copied, the original stays.
    const int newEnd = int(memo().text().size());
    const QPoint from2 = screenPointOf(memo(), 1);
    const QPoint to2 = screenPointOf(memo(), newEnd) + QPoint(10, 0);
    memo().setSelection(0, 5);
    dragWithPointer(from2, to2, true);
    EXPECT_TRUE(waitUntil([this] { return memo().text().endsWith(QStringLiteral("alpha")); }));
    EXPECT_EQ(memo().text(), QStringLiteral("alpha  gamma\r\nsecond line herebetaalpha"));
}

namespace {

// How far the middle of `window` lies from the middle of the main window,
// once both are on the screen. The insides are compared: both have a title
// bar above them, and the frame's own size arrives late.
int offCentre(QWidget *window, QWidget *main)
{
    waitUntil([window] { return window->isVisible() && window->isActiveWindow(); });
    settle();
    const QPoint d = window->geometry().center() - main->geometry().center();
    return std::max(std::abs(d.x()), std::abs(d.y()));
}

} // namespace

// Dialogs and tool windows open over the middle of the main window, wherever
// it lies on the screen, the first time and every later time. (The form maker
// keeps its designed place.)
TEST_F(DesktopTest, DialogsOpenCentredOnTheMainWindow)
{
    w->currentDocument()->showNormal();
    w->setGeometry(60, 80, 1000, 760);
    ASSERT_TRUE(waitUntil([this] { return w->frameGeometry().topLeft().y() >= 60; }));
    settle();
    memo().setText(QStringLiteral("<p>some words</p>"));
    memo().setSelection(3, 4);

    QStringList offenders;
    const auto modal = [&](const char *name, const std::function<void()> &open) {
        int off = -1;
        QTimer::singleShot(0, [&] {
            QWidget *d = nullptr;
            waitUntil([&d] { return (d = QApplication::activeModalWidget()) && d->isActiveWindow(); });
            if (!d)
                return;
            off = offCentre(d, w.get());
            if (auto *dialog = qobject_cast<QDialog *>(d))
                dialog->reject();
            else
                d->close();
        });
        open();
        if (off < 0 || off > 8)
            offenders << QStringLiteral("%1 (%2)").arg(QLatin1String(name)).arg(off);
    };
    const auto tool = [&](const char *name, const std::function<QWidget *()> &open) {
        QWidget *t = open();
        const int off = t ? offCentre(t, w.get()) : -1;
        if (off < 0 || off > 8)
            offenders << QStringLiteral("%1 (%2)").arg(QLatin1String(name)).arg(off);
        if (t)
            t->hide();
    };
    for (int round = 0; round < 2; ++round) {
        modal("Set Page Defaults", [this] { w->preferencesCommands().Preferences1Click(); });
        modal("FTP Preferences", [this] { w->transferCommands().FTPSettings1Click(); });
        // New Web Page asks for a file name before its own dialog.
        modal("New HTML Doc", [this] { w->tools().NewHtml->exec(); });
        modal("Set Font", [this] { w->markupCommands().FontBtnClick(); });
        modal("Picture Dialog", [this] { w->toolCommands().Image1Click(); });
        modal("Insert email", [this] { w->markupCommands().email1Click(); });
        modal("Headlines", [this] { w->markupCommands().HHeadlines1Click(); });
        modal("Marquee", [this] { w->markupCommands().Marquee1Click(); });
        modal("List", [this] { w->markupCommands().List1Click(); });
        modal("Frameset", [this] { w->markupCommands().Frameset1Click(); });
        modal("Frames", [this] { w->markupCommands().Frame1Click(); });
        modal("Paragraph", [this] { w->markupCommands().Paragraph1Click(); });
        modal("Set HR Line", [this] { w->markupCommands().HRuleBtnClick(); });
        modal("Anchor", [this] { w->markupCommands().AnchorBtnClick(); });
        modal("Open @ www", [this] { w->transferCommands().Openwww1Click(); });
        modal("Find in Files", [this] { w->searchCommands().FindinFiles1Click(); });
        modal("Javascript", [this] { w->toolCommands().Direct1Click(); });
        // The boxes the program builds from the toolkit's own.
        modal("message", [this] { dialogs().message(QStringLiteral("Saved."), w.get()); });
        modal("question", [this] { dialogs().askYesNo(QStringLiteral("Replace it?"), w.get()); });
        modal("Open", [this] { w->documentCommands().Open1Click(); });
        modal("colour", [this] { w->markupCommands().Color1Click(); });
        modal("Page Preview", [this] { w->previewCommands().PreviewBtnClick(); });
        modal("Go to Line", [this] { w->searchCommands().GoToLine1Click(); });
        tool("About", [this]() -> QWidget * { w->helpCommands().About1Click(); return w->tools().logo; });
        // Tool windows are placed when first opened and then stay where the user puts them.
        if (round == 0) {
            tool("Find", [this]() -> QWidget * { w->searchCommands().Find1Click(); return w->tools().FindForm; });
            tool("Spike", [this]() -> QWidget * { w->toolCommands().ShowSpike1Click(); return w->tools().Spike; });
        }
        // The main window moves between rounds: the dialogs follow it.
        w->move(200, 150);
        waitUntil([this] { return w->frameGeometry().topLeft() == QPoint(200, 150); });
        settle();
    }
    EXPECT_TRUE(offenders.isEmpty()) << offenders.join(QStringLiteral(", ")).toStdString();
}

// Drawn as a user sees it: every text row in view, down to the last one,
// has its number beside it, wrap on and off, also after the window has been
// made larger with the numbers on.
TEST_F(DesktopTest, TheRenderedGutterNumbersEveryRowInView)
{
    TSubForm *doc = w->currentDocument();
    doc->showNormal();
    QStringList text;
    for (int i = 0; i < 80; ++i)
        text << QStringLiteral("line %1 ").arg(i) + QString(QStringLiteral("word ")).repeated(i % 3 ? 4 : 30);
    memo().setText(text.join(QStringLiteral("\r\n")));
    w->viewCommands().LineNumbering1Click();
    for (const bool wrap : {true, false}) {
        SCOPED_TRACE(wrap ? "wrap on" : "wrap off");
        if (memo().wrap() != wrap)
            w->viewCommands().wrapbtnClick();
        ASSERT_EQ(memo().wrap(), wrap);
        doc->showNormal();
        doc->setGeometry(0, 0, 400, 260);
        memo().setFirstVisibleLine(0);
        settle();
        // Made larger with its maximize button; the text does not move.
        doc->showMaximized();
        settle();
        ASSERT_EQ(memo().firstVisibleLine(), 0);
        const int first = doc->TopLine;
        ASSERT_EQ(first, 0);

        const QImage shot = doc->LineNum->grab().toImage();
        const int row = memo().lineHeight();
        const int top = memo().viewport()->mapTo(doc->LineNum->parentWidget(), QPoint(0, 0)).y() - doc->LineNum->y();
        // Rows of text in view, a part-shown last one included.
        const int shownRows = (memo().viewport()->height() + row - 1) / row;
        ASSERT_GT(shownRows, 10);
        const QColor ink(0, 64, 128);
        for (int r = 0; r < shownRows; ++r) {
            int inked = 0;
            for (int y = std::max(0, top + r * row); y < std::min(shot.height(), top + (r + 1) * row); ++y)
                for (int x = 0; x < shot.width(); ++x) {
                    const QColor c = shot.pixelColor(x, y);
                    inked += std::abs(c.red() - ink.red()) + std::abs(c.green() - ink.green()) +
                                 std::abs(c.blue() - ink.blue()) < 90;
                }
            EXPECT_GT(inked, 3) << "row " << r << " of " << shownRows << " has no number";
        }
        // The numbers are those of the rows, from the first one shown on.
        const QStringList numbers = doc->LineNum->text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        ASSERT_GE(numbers.size(), shownRows);
        EXPECT_EQ(numbers.first(), QString::number(first));
        EXPECT_EQ(numbers.at(shownRows - 1), QString::number(first + shownRows - 1));
    }
}
