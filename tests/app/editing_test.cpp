// The everyday editing commands beside the program's own: Redo, Go to Line,
// zoom and the current line, through the real main window.
#include "mainwindowtestbase.h"

#include "app/prefsdialog.h"
#include "documents/gotolinedialog.h"
#include "documents/gutter.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace {

class EditingTest : public MainWindowTest {
protected:
    // Runs Go to Line with `typed` in its field and the Go button pressed;
    // the prompt the dialog showed is kept.
    void goToLine(const QString &typed)
    {
        modalAnswer = [this, typed](QDialog *d) {
            auto *g = qobject_cast<TGoToLine *>(d);
            if (!g)
                return int(QDialog::Rejected);
            shownPrompt = g->Label1->text();
            shownField = g->LineEdit->text();
            g->LineEdit->setText(typed);
            g->GoBtn->click();
            return g->result();
        };
        w->searchCommands().GoToLine1Click();
        modalAnswer = nullptr;
    }


    QString shownPrompt;
    QString shownField;
};

QString lines(int n)
{
    QString text;
    for (int i = 0; i < n; ++i)
        text += QStringLiteral("line %1\r\n").arg(i);
    return text;
}

} // namespace

TEST_F(EditingTest, RedoFollowsUndoInTheMenuOnTwoKeysWithItsButtonBesideUndos)
{
    QAction *undo = w->action(commands::Id::Undo);
    QAction *redo = w->action(commands::Id::Redo);
    QMenu *menu = nullptr;
    for (QObject *o : undo->associatedObjects())
        if (auto *m = qobject_cast<QMenu *>(o))
            menu = m;
    ASSERT_NE(menu, nullptr);
    const QList<QAction *> edit = menu->actions();
    ASSERT_GE(edit.size(), 3);
    EXPECT_TRUE(edit[2]->isSeparator());
    EXPECT_EQ(edit[0], undo);
    EXPECT_EQ(edit[1], redo);
    EXPECT_EQ(redo->text(), "&Redo");
    EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                                      QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    QToolButton *undoBtn = w->button(commands::Id::Undo);
    QToolButton *redoBtn = w->button(commands::Id::Redo);
    EXPECT_EQ(redoBtn->geometry().left(), undoBtn->geometry().right() + 2);
    EXPECT_FALSE(redoBtn->icon().isNull());
    // The strip's buttons stay apart, the autosave label clear of them.
    QList<QToolButton *> strip = w->mainToolStrip()->findChildren<QToolButton *>();
    for (QToolButton *a : strip) {
        for (QToolButton *b : strip) {
            if (a == b)
                continue;
            EXPECT_FALSE(a->geometry().intersects(b->geometry())) << a->objectName().toStdString();
        }
    }
    for (QToolButton *a : strip)
        EXPECT_FALSE(a->geometry().intersects(w->autosave().autosaveLabel()->geometry())) << a->objectName().toStdString();

    // The keys, typed in the text.
    w->documentCommands().New1Click();
    memo().setFocus();
    QTest::keyClicks(&memo(), QStringLiteral("one"));
    QTest::keyClick(&memo(), Qt::Key_Return);
    QTest::keyClicks(&memo(), QStringLiteral("two"));
    QCoreApplication::processEvents();
    QTest::keyClick(&memo(), Qt::Key_Z, Qt::ControlModifier);
    QCoreApplication::processEvents();
    const QString undone = memo().text();
    EXPECT_NE(undone, QStringLiteral("one\r\ntwo"));
    QTest::keyClick(&memo(), Qt::Key_Y, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(memo().text(), QStringLiteral("one\r\ntwo"));
    QTest::keyClick(&memo(), Qt::Key_Z, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(memo().text(), undone);
    QTest::keyClick(&memo(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(memo().text(), QStringLiteral("one\r\ntwo"));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

TEST_F(EditingTest, GoToLinePutsTheCaretAtTheStartOfTheRowTheGutterShows)
{
    w->documentCommands().New1Click();
    memo().setText(lines(300));
    w->currentDocument()->setGutterVisible(true);
    QCoreApplication::processEvents();
    memo().setSelStart(memo().lineIndex(5) + 2);
    goToLine(QStringLiteral("250"));
    // The prompt names the rows there are; the field starts at the caret's.
    EXPECT_EQ(shownPrompt, QStringLiteral("Line number (0 to 299):"));
    EXPECT_EQ(shownField, QStringLiteral("5"));
    EXPECT_EQ(memo().selStart(), memo().lineIndex(250));
    EXPECT_EQ(memo().selText(), QString());
    EXPECT_EQ(w->statusPanels().statusText(0), QStringLiteral(" col=0: row=250"));
    // Scrolled into view, and the gutter with it.
    const int first = memo().firstVisibleLine();
    const int shown = memo().viewport()->height() / memo().lineHeight();
    EXPECT_LE(first, 250);
    EXPECT_LT(250, first + shown);
    EXPECT_EQ(w->currentDocument()->LineNum->text().section(QStringLiteral("\r\n"), 0, 0), QString::number(first));

    // Past the end: the last row. No number: said, and the caret stays.
    goToLine(QStringLiteral("100000"));
    EXPECT_EQ(memo().selStart(), memo().lineIndex(299));
    goToLine(QStringLiteral("0"));
    EXPECT_EQ(memo().selStart(), 0);
    goToLine(QString());
    EXPECT_EQ(dlg.errors, QStringList{QStringLiteral("Enter a line number from 0 to 299.")});
    EXPECT_EQ(memo().selStart(), 0);
    // Cancelled: nothing moves.
    memo().setSelStart(9);
    w->searchCommands().GoToLine1Click();
    EXPECT_EQ(memo().selStart(), 9);

    // With wrap on, every screen row counts, as in the gutter.
    memo().setText(QStringLiteral("short\r\n") + QString(400, u'w').replace(QRegularExpression(QStringLiteral("(w{9})")), QStringLiteral("\\1 ")) +
                   QStringLiteral("\r\nlast"));
    if (!memo().wrap())
        w->viewCommands().wrapbtnClick();
    ASSERT_TRUE(memo().wrap());
    QCoreApplication::processEvents();
    const int rows = memo().lineCount();
    ASSERT_GT(rows, 4);
    goToLine(QStringLiteral("2"));
    EXPECT_EQ(memo().selStart(), memo().lineIndex(2));
    EXPECT_GT(memo().selStart(), 7);                 // inside the long line
    EXPECT_EQ(w->currentDocument()->CaretLine(), 2);
    goToLine(QString::number(rows + 5));
    EXPECT_EQ(memo().selText(), QString());
    EXPECT_EQ(memo().selStart(), memo().textLength() - 4);   // "last"
}

TEST_F(EditingTest, ZoomIsPerWindowByMenuKeysAndWheelAndTheGutterFollows)
{
    w->documentCommands().New1Click();
    TSubForm *first = w->currentDocument();
    first->Memo1->setText(lines(50));
    first->setGutterVisible(true);
    const int size = first->LineNum->font().pointSize();
    const int numbersBefore = first->LineNum->text().count(QStringLiteral("\r\n"));
    w->action(commands::Id::ZoomIn)->trigger();
    w->action(commands::Id::ZoomIn)->trigger();
    EXPECT_EQ(first->Memo1->zoom(), 2);
    EXPECT_EQ(first->LineNum->font().pointSize(), size + 2);
    // Taller rows: fewer numbers fit, level with them.
    EXPECT_LT(first->LineNum->text().count(QStringLiteral("\r\n")), numbersBefore);

    // The keys, typed in the text.
    first->Memo1->setFocus();
    QTest::keyClick(first->Memo1, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(first->Memo1->zoom(), 1);
    QTest::keyClick(first->Memo1, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(first->Memo1->zoom(), 2);
    QTest::keyClick(first->Memo1, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(first->Memo1->zoom(), 3);
    QTest::keyClick(first->Memo1, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(first->Memo1->zoom(), 0);
    EXPECT_EQ(first->LineNum->font().pointSize(), size);
    EXPECT_EQ(first->LineNum->text().count(QStringLiteral("\r\n")), numbersBefore);

    // Ctrl+wheel zooms as well, and the gutter follows it too.
    QWidget *view = first->Memo1->viewport();
    QWheelEvent wheel(QPointF(10, 10), view->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &wheel);
    EXPECT_EQ(first->Memo1->zoom(), -1);
    EXPECT_EQ(first->LineNum->font().pointSize(), size - 1);

    // Another window keeps its own.
    w->documentCommands().New1Click();
    EXPECT_EQ(memo().zoom(), 0);
    w->action(commands::Id::ZoomIn)->trigger();
    EXPECT_EQ(memo().zoom(), 1);
    EXPECT_EQ(first->Memo1->zoom(), -1);
}

TEST_F(EditingTest, TheCurrentLineShowsUnlessUntickedInPreferencesAndTheChoiceIsKept)
{
    w->documentCommands().New1Click();
    EXPECT_TRUE(memo().currentLineShown());
    preferences([](Tprefs &p) {
        EXPECT_TRUE(p.currentLine->isChecked());
        EXPECT_EQ(p.currentLine->text(), "Highlight the current line");
        p.currentLine->setChecked(false);
    });
    // Open windows follow at once, new ones and the next start too.
    EXPECT_FALSE(memo().currentLineShown());
    w->documentCommands().New1Click();
    EXPECT_FALSE(memo().currentLineShown());
    ASSERT_TRUE(w->close());
    w.reset();
    open();
    w->documentCommands().New1Click();
    EXPECT_FALSE(memo().currentLineShown());
    preferences([](Tprefs &p) { p.currentLine->setChecked(true); });
    EXPECT_TRUE(memo().currentLineShown());
}
