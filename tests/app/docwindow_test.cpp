#include "mainwindowtestbase.h"

#include "documents/gutter.h"

#include <QMdiArea>
#include <QScrollBar>
#include <QTest>

namespace {

QString lines(int n)
{
    QStringList l;
    for (int i = 0; i < n; ++i)
        l << QStringLiteral("line %1").arg(i);
    return l.join(QStringLiteral("\r\n"));
}

} // namespace

TEST_F(MainWindowTest, PositionReportCountsColumnsAndRowsFromZero)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("abc\r\ndefg\r\nhij"));
    memo().setSelStart(0);
    w->currentDocument()->Memo1MouseUp();
    EXPECT_EQ(w->statusPanels().statusText(0), QStringLiteral(" col=0: row=0"));
    memo().setSelStart(11);   // start of the third line
    w->currentDocument()->Memo1MouseUp();
    EXPECT_EQ(w->statusPanels().statusText(0), QStringLiteral(" col=0: row=2"));
    memo().setSelStart(7);
    w->currentDocument()->Memo1KeyUp();
    EXPECT_EQ(w->statusPanels().statusText(0), QStringLiteral(" col=2: row=1"));
}

TEST_F(MainWindowTest, AWrappedLinesSecondScreenLineIsTheNextRow)
{
    w->documentCommands().New1Click();
    w->currentDocument()->resize(300, 300);
    QCoreApplication::processEvents();
    ASSERT_TRUE(memo().wrap());
    memo().setText(QStringLiteral("short\r\n") + QString(QStringLiteral("wrap ")).repeated(80));
    QCoreApplication::processEvents();
    memo().setSelStart(7);
    w->currentDocument()->Memo1MouseUp();
    EXPECT_EQ(w->statusPanels().statusText(0), QStringLiteral(" col=0: row=1"));
    const int secondScreenLine = memo().lineIndex(2);
    ASSERT_GT(secondScreenLine, 7);
    memo().setSelStart(secondScreenLine);
    w->currentDocument()->Memo1MouseUp();
    EXPECT_EQ(w->statusPanels().statusText(0), QStringLiteral(" col=0: row=2"));
    memo().setSelStart(secondScreenLine + 1);
    w->currentDocument()->Memo1MouseUp();
    EXPECT_EQ(w->statusPanels().statusText(0), QStringLiteral(" col=1: row=2"));
}

TEST_F(MainWindowTest, GutterNumbersFromTheFirstVisibleLineAndFollowsScrolling)
{
    w->documentCommands().New1Click();
    TSubForm *doc = w->currentDocument();
    w->viewCommands().wrapbtnClick();   // plain lines keep the arithmetic simple
    memo().setText(lines(200));
    w->viewCommands().LineNumbering1Click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(doc->gutterVisible());
    // One number for each text row beside the gutter, a part-shown last one too.
    const int row = memo().lineHeight();
    const int n = (doc->LineNum->height() + row - 1) / row;
    ASSERT_GT(n, 3);
    QStringList expected;
    for (int k = 0; k < n; ++k)
        expected << QString::number(k);
    EXPECT_EQ(doc->LineNum->text(), expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

    // Three lines down with the scroll bar, no click: the gutter starts at 3.
    memo().verticalScrollBar()->setValue(3);
    QCoreApplication::processEvents();
    EXPECT_EQ(doc->TopLine, 3);
    EXPECT_TRUE(doc->LineNum->text().startsWith(QStringLiteral("3\r\n4\r\n")));
}

TEST_F(MainWindowTest, GutterWidthGrowsWithTheDigitsOfTheLineCount)
{
    w->documentCommands().New1Click();
    TSubForm *doc = w->currentDocument();
    const int size = doc->LineNum->font().pointSize();
    ASSERT_EQ(size, 12);
    w->viewCommands().LineNumbering1Click();
    memo().setText(lines(9));
    QCoreApplication::processEvents();
    EXPECT_EQ(doc->LineNum->width(), 1 * size - 2);
    memo().setSelStart(memo().textLength());
    memo().replaceSelection(QStringLiteral("\r\nline 9"));
    QCoreApplication::processEvents();
    EXPECT_EQ(doc->LineNum->width(), 2 * size - 2);
    EXPECT_EQ(LineGutter::widthFor(150, 12), 34);
}

TEST_F(MainWindowTest, CloseQueryCancelKeepsTheDocument)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("unsaved"));
    memo().setModified(true);
    dlg.queueAnswer(Answer::Cancel);
    w->documentCommands().Close1Click();
    QCoreApplication::processEvents();
    ASSERT_EQ(int(w->documents().size()), 1);
    EXPECT_EQ(dlg.questions.value(0), QStringLiteral("File ~Untiltled1 has changed. Do you want to save now?"));
    EXPECT_TRUE(memo().modified());
    EXPECT_EQ(memo().text(), QStringLiteral("unsaved"));
}

TEST_F(MainWindowTest, CloseQueryNoClosesWithoutSavingAndYesSaves)
{
    const QString a = cfg.write(QStringLiteral("a.txt"), "old a");
    const QString b = cfg.write(QStringLiteral("b.txt"), "old b");
    dlg.queueFile(a);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("new a"));
    memo().setModified(true);
    dlg.queueFile(b);
    w->documentCommands().Open1Click();
    memo().setText(QStringLiteral("new b"));
    memo().setModified(true);

    dlg.queueAnswer(Answer::Yes);
    w->documentCommands().Close1Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(TempConfig::read(b), QByteArray("new b"));
    EXPECT_EQ(int(w->documents().size()), 1);

    dlg.queueAnswer(Answer::No);
    w->documentCommands().Close1Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(TempConfig::read(a), QByteArray("old a"));
    EXPECT_EQ(int(w->documents().size()), 0);
    // Closed titled documents go to the top of the Reopen list.
    EXPECT_EQ(w->windowCommands().reopenList(), (QStringList{a, b}));
    EXPECT_TRUE(w->windowCommands().windowList().isEmpty());
}

TEST_F(MainWindowTest, ClosingAnUntitledDocumentOffersSaveAs)
{
    w->documentCommands().New1Click();
    const QString target = cfg.path() + QStringLiteral("Kept");
    dlg.queueFile(target);
    w->documentCommands().Close1Click();
    QCoreApplication::processEvents();
    ASSERT_EQ(dlg.fileDialogs.size(), 1);
    EXPECT_EQ(dlg.fileDialogs[0].title, QStringLiteral("Save As"));
    EXPECT_TRUE(QFile::exists(cfg.path() + QStringLiteral("kept.txt")));
    // The new path is not listed anywhere after this close.
    EXPECT_TRUE(w->windowCommands().reopenList().isEmpty());
    EXPECT_TRUE(w->windowCommands().windowList().isEmpty());
}

TEST_F(MainWindowTest, QuittingAsksEveryModifiedDocumentAndCancelStops)
{
    w->documentCommands().New1Click();
    memo().setText(QStringLiteral("x"));
    memo().setModified(true);
    dlg.queueAnswer(Answer::Cancel);
    EXPECT_FALSE(w->close());
    EXPECT_EQ(int(w->documents().size()), 1);
    dlg.queueAnswer(Answer::No);
    EXPECT_TRUE(w->close());
    // Documents open at exit are discarded, not offered for Save As.
    EXPECT_TRUE(dlg.fileDialogs.isEmpty());
}

// On a page still being wrapped in the background the report shows the
// column at once and the row as soon as the wrap has reached the caret,
// without waiting for it; the gutter numbers only the screen lines whose
// numbers are known, and fills in the rest as they become known.
TEST_F(MainWindowTest, RowsBeyondTheBackgroundWrapAreFilledInOnceKnown)
{
    w->documentCommands().New1Click();
    TSubForm *doc = w->currentDocument();
    ASSERT_TRUE(memo().wrap());
    // Narrow enough for the long lines to wrap.
    doc->resize(360, 300);
    QCoreApplication::processEvents();
    QString text;
    for (int i = 0; i < 12000; ++i)
        text += (i % 7 == 0 ? QStringLiteral("a sentence long enough to wrap in the window, one of many, number %1\r\n")
                            : QStringLiteral("short line %1\r\n"))
                    .arg(i);
    memo().setText(text);
    w->viewCommands().LineNumbering1Click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(doc->gutterVisible());

    const int nearEnd = int(text.size()) - 4;
    const int column = nearEnd - int(text.lastIndexOf(QStringLiteral("\r\n"), nearEnd - 1)) - 2;
    memo().setSelStart(nearEnd);
    doc->Memo1MouseUp();
    EXPECT_EQ(w->statusPanels().statusText(0), QStringLiteral(" col=%1: row=\u2026").arg(column));
    // Scrolled far down: numbers not known yet are left blank.
    memo().setFirstVisibleLine(8000);
    QCoreApplication::processEvents();
    doc->Memo1MouseUp();
    const QStringList numbers = doc->LineNum->text().split(QStringLiteral("\r\n"));
    ASSERT_GT(numbers.size(), 3);
    EXPECT_TRUE(numbers.first().isEmpty()) << doc->LineNum->text().left(40).toStdString();

    // Filled in without any key or click, exact.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->statusPanels().statusText(0).endsWith(QStringLiteral("\u2026")); }, 30000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !doc->LineNum->text().startsWith(QStringLiteral("\r\n")); }, 30000));
    EXPECT_EQ(w->statusPanels().statusText(0), QStringLiteral(" col=%1: row=%2").arg(column).arg(memo().lineFromOffset(nearEnd)));
    QCoreApplication::processEvents();
    doc->Memo1MouseUp();
    const QStringList filled = doc->LineNum->text().split(QStringLiteral("\r\n"));
    ASSERT_GT(filled.size(), 3);
    EXPECT_EQ(filled[0], QString::number(doc->TopLine));
    EXPECT_EQ(filled[1], QString::number(doc->TopLine + 1));
    // The first line shown is numbered as its row is reported.
    EXPECT_EQ(memo().lineFromOffset(memo().lineIndex(doc->TopLine)), doc->TopLine);
}
