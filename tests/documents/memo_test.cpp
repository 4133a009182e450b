#include "documents/highlighting.h"
#include "documents/memo.h"
#include "support/shownmemo.h"

#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QTimer>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

TEST(TMemo, OffsetsCountEveryLineBreakAsTwoCharacters)
{
    ShownMemo m(QStringLiteral("ab\r\ncd\r\n\r\nef"));
    TMemo &memo = m.memo;
    EXPECT_EQ(memo.text(), QStringLiteral("ab\r\ncd\r\n\r\nef"));
    EXPECT_EQ(memo.textLength(), 12);
    // 'c' is offset 4, 'e' offset 10.
    EXPECT_EQ(memo.positionOfOffset(4), 3);
    EXPECT_EQ(memo.offsetOfPosition(3), 4);
    EXPECT_EQ(memo.positionOfOffset(10), 7);
    EXPECT_EQ(memo.offsetOfPosition(7), 10);
    // Offsets on the CR and on the LF both map to the end of their line.
    EXPECT_EQ(memo.positionOfOffset(2), 2);
    EXPECT_EQ(memo.positionOfOffset(3), 2);
    // Past the end clamps to the end.
    EXPECT_EQ(memo.positionOfOffset(100), 9);
    for (int pos = 0; pos <= 9; ++pos)
        EXPECT_EQ(memo.positionOfOffset(memo.offsetOfPosition(pos)), pos) << pos;
}

TEST(TMemo, LoneBreaksBecomeCrLfAndSelectionReadsBack)
{
    ShownMemo m(QStringLiteral("one\ntwo\rthree"));
    TMemo &memo = m.memo;
    EXPECT_EQ(memo.text(), QStringLiteral("one\r\ntwo\r\nthree"));
    memo.setSelection(2, 5);   // "e\r\ntw"
    EXPECT_EQ(memo.selStart(), 2);
    EXPECT_EQ(memo.selLength(), 5);
    EXPECT_EQ(memo.selText(), QStringLiteral("e\r\ntw"));
}

TEST(TMemo, ReplaceSelectionIsOneUndoStepWithCaretAfter)
{
    ShownMemo m(QStringLiteral("say word here"));
    TMemo &memo = m.memo;
    memo.setSelection(4, 4);
    memo.replaceSelection(QStringLiteral("<B>word</B>\r\nx"));
    EXPECT_EQ(memo.text(), QStringLiteral("say <B>word</B>\r\nx here"));
    EXPECT_EQ(memo.selLength(), 0);
    EXPECT_EQ(memo.selStart(), 4 + 14);
    memo.undo();
    EXPECT_EQ(memo.text(), QStringLiteral("say word here"));
}

TEST(TMemo, LinesWithoutWrapAreTextLines)
{
    ShownMemo m(QStringLiteral("a\r\nbb\r\nccc"));
    TMemo &memo = m.memo;
    EXPECT_EQ(memo.lineFromOffset(0), 0);
    EXPECT_EQ(memo.lineFromOffset(3), 1);
    EXPECT_EQ(memo.lineFromOffset(7), 2);
    EXPECT_EQ(memo.lineIndex(2), 7);
    EXPECT_EQ(memo.lineCount(), 3);
    // An empty last line does not count.
    memo.setText(QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(memo.lineCount(), 2);
}

TEST(TMemo, WrappedScreenLinesCountAsLines)
{
    const QString longLine = QString(QStringLiteral("word ")).repeated(60);
    ShownMemo m(QStringLiteral("first\r\n") + longLine + QStringLiteral("\r\nlast"), true, 200);
    TMemo &memo = m.memo;
    ASSERT_TRUE(memo.wrap());
    const int startOfLong = 7;
    EXPECT_EQ(memo.lineFromOffset(startOfLong), 1);
    // Somewhere well inside the long line lies on a later screen line.
    const int inside = startOfLong + 200;
    const int line = memo.lineFromOffset(inside);
    EXPECT_GT(line, 1);
    // The start of that screen line maps back onto the same line.
    EXPECT_EQ(memo.lineFromOffset(memo.lineIndex(line)), line);
    EXPECT_LE(memo.lineIndex(line), inside);
    EXPECT_GT(memo.lineCount(), 3);
}

// Home and End on a wrapped line keep to the screen row first, as the row
// the status bar shows; the next press goes on to the whole line's ends.
TEST(TMemo, HomeAndEndOnAWrappedLineGoToTheScreenRowFirst)
{
    const QString longLine = QString(QStringLiteral("word ")).repeated(60);
    ShownMemo m(QStringLiteral("first\r\n") + longLine + QStringLiteral("\r\nlast"), true, 200);
    TMemo &memo = m.memo;
    const int lineStart = 7;
    const int lineEnd = lineStart + int(longLine.size());
    ASSERT_GE(memo.lineFromOffset(lineEnd), 4);
    const int rowStart = memo.lineIndex(2), nextRow = memo.lineIndex(3);
    ASSERT_GT(rowStart, lineStart);
    memo.setSelStart(rowStart + 3);

    QTest::keyClick(&memo, Qt::Key_Home);
    EXPECT_EQ(memo.selStart(), rowStart);
    QTest::keyClick(&memo, Qt::Key_Home);
    EXPECT_EQ(memo.selStart(), lineStart);

    memo.setSelStart(rowStart + 3);
    QTest::keyClick(&memo, Qt::Key_End);
    EXPECT_GT(memo.selStart(), rowStart + 3);
    EXPECT_LE(memo.selStart(), nextRow);
    QTest::keyClick(&memo, Qt::Key_End);
    EXPECT_EQ(memo.selStart(), lineEnd);

    // With Shift the same steps select.
    memo.setSelStart(rowStart + 3);
    QTest::keyClick(&memo, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(memo.selText(), longLine.mid(rowStart - lineStart, 3));
    QTest::keyClick(&memo, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(memo.selText(), longLine.left(rowStart - lineStart + 3));

    // Unwrapped, Home still goes to the indentation first, then to column 0.
    ShownMemo plain(QStringLiteral("a\r\n    indented line"));
    plain.memo.setSelStart(3 + 8);
    QTest::keyClick(&plain.memo, Qt::Key_Home);
    EXPECT_EQ(plain.memo.selStart(), 3 + 4);
    QTest::keyClick(&plain.memo, Qt::Key_Home);
    EXPECT_EQ(plain.memo.selStart(), 3);
    QTest::keyClick(&plain.memo, Qt::Key_End);
    EXPECT_EQ(plain.memo.selStart(), plain.memo.textLength());
}

// The screen lines of each text line, as Find in Files reads them, agree with
// the offset-to-line mapping the caret report and the gutter use. A Unicode
// line separator inside a text line is shown as a mark within its screen
// line: only CR LF and wrapping start screen lines.
TEST(TMemo, ScreenLinesOfATextLineAgreeWithTheLineMapping)
{
    const QString longLine = QString(QStringLiteral("word ")).repeated(60);
    const QString text =
        QStringLiteral("first\r\n") + longLine + QStringLiteral("\r\nab\u2028cd\r\n\r\nlast");
    ShownMemo m(text, true, 200);
    TMemo &memo = m.memo;
    int offset = 0;
    std::vector<int> starts;
    int shown = 0;
    for (int line = 0; line < 5; ++line) {
        int first = -1;
        memo.screenLines(line, first, starts);
        ASSERT_FALSE(starts.empty());
        EXPECT_EQ(starts[0], 0);
        EXPECT_EQ(first, shown) << line;
        for (size_t k = 0; k < starts.size(); ++k) {
            EXPECT_EQ(memo.lineIndex(first + int(k)), offset + starts[k]) << line << " " << k;
            EXPECT_EQ(memo.lineFromOffset(offset + starts[k]), first + int(k));
        }
        shown += int(starts.size());
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), offset);
        offset = lf < 0 ? int(text.size()) : int(lf) + 1;
    }
    memo.screenLines(1, shown, starts);
    EXPECT_GT(starts.size(), 1u);
    memo.screenLines(2, shown, starts);
    EXPECT_EQ(starts, std::vector<int>{0});

    memo.setWrap(false);
    memo.screenLines(1, shown, starts);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(starts, std::vector<int>{0});
}

TEST(TMemo, TextKeepsEveryCharacterAsLoaded)
{
    // A no-break space (byte A0 of windows-1252) and a Unicode line separator
    // must come back unchanged, or a load and save would alter the file.
    const QString original = QStringLiteral("a\u00A0b\r\nc\u2028d\r\n\te");
    ShownMemo m(original);
    EXPECT_EQ(m.memo.text(), original);
    EXPECT_EQ(m.memo.textLength(), original.size());
}

// Inside the engine text is stored as UTF-8; offsets still count UTF-16
// characters, with a character outside the BMP counting two.
TEST(TMemo, OffsetsCountCharactersNotBytes)
{
    const QString text = QStringLiteral("a\u00e9\U0001F600b\r\nc\u20acd");
    ShownMemo m(text);
    TMemo &memo = m.memo;
    EXPECT_EQ(memo.textLength(), text.size());
    EXPECT_EQ(memo.text(), text);
    const int b = int(text.indexOf(QLatin1Char('b')));
    memo.setSelection(b, 1);
    EXPECT_EQ(memo.selText(), QStringLiteral("b"));
    EXPECT_EQ(memo.selStart(), b);
    const int d = int(text.indexOf(QLatin1Char('d')));
    memo.setSelection(d - 1, 2);
    EXPECT_EQ(memo.selText(), QStringLiteral("\u20acd"));
    EXPECT_EQ(memo.lineFromOffset(d), 1);
    EXPECT_EQ(memo.lineIndex(1), d - 2);
    // Offsets on the CR or the LF put the caret at the end of the first line.
    memo.setSelStart(b + 2);
    EXPECT_EQ(memo.selStart(), b + 1);
    memo.replaceSelection(QStringLiteral("\u00fc"));
    EXPECT_EQ(memo.text(), QStringLiteral("a\u00e9\U0001F600b\u00fc\r\nc\u20acd"));
}

TEST(TMemo, ModifiedFlagIsSetByEveryEditAndClearedByLoading)
{
    ShownMemo m(QStringLiteral("one"));
    TMemo &memo = m.memo;
    std::vector<bool> signalled;
    QObject::connect(&memo, &TMemo::modificationChanged, [&](bool on) { signalled.push_back(on); });
    EXPECT_FALSE(memo.modified());
    memo.setSelStart(3);
    memo.replaceSelection(QStringLiteral(" two"));
    EXPECT_TRUE(memo.modified());
    memo.setModified(false);
    // Undoing back to the loaded text is an edit too.
    memo.undo();
    EXPECT_EQ(memo.text(), QStringLiteral("one"));
    EXPECT_TRUE(memo.modified());
    memo.setText(QStringLiteral("loaded"));
    EXPECT_FALSE(memo.modified());
    EXPECT_EQ(signalled, (std::vector<bool>{true, false, true, false}));
}

TEST(TMemo, ReplacementsInAnUndoGroupUndoTogether)
{
    ShownMemo m(QStringLiteral("x a x b x"));
    TMemo &memo = m.memo;
    memo.beginUndoGroup();
    memo.replaceRange(0, 1, QStringLiteral("yy"));
    memo.replaceRange(5, 1, QStringLiteral("yy"));
    memo.replaceRange(10, 1, QStringLiteral("y\r\ny"));
    memo.endUndoGroup();
    EXPECT_EQ(memo.text(), QStringLiteral("yy a yy b y\r\ny"));
    memo.undo();
    EXPECT_EQ(memo.text(), QStringLiteral("x a x b x"));
}

// The window's menus own Ctrl+L, Ctrl+T, Ctrl+U, Ctrl+D and the like; the
// text area must not act on them itself. Plain editing keys still work.
TEST(TMemo, OnlyPlainEditingKeysActInTheTextArea)
{
    ShownMemo m(QStringLiteral("first\r\nsecond"));
    TMemo &memo = m.memo;
    memo.setSelStart(2);
    for (Qt::Key k : {Qt::Key_L, Qt::Key_T, Qt::Key_U, Qt::Key_D, Qt::Key_K})
        QTest::keyClick(&memo, k, Qt::ControlModifier);
    QTest::keyClick(&memo, Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&memo, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(memo.text(), QStringLiteral("first\r\nsecond"));
    EXPECT_EQ(memo.selStart(), 2);

    QTest::keyClick(&memo, Qt::Key_End);
    QTest::keyClick(&memo, Qt::Key_Return);
    QTest::keyClicks(&memo, QStringLiteral("x"));
    QTest::keyClick(&memo, Qt::Key_Tab);
    EXPECT_EQ(memo.text(), QStringLiteral("first\r\nx\t\r\nsecond"));
    // Tab over a selection of several lines replaces it.
    memo.setSelection(0, memo.textLength());
    QTest::keyClick(&memo, Qt::Key_Tab);
    EXPECT_EQ(memo.text(), QStringLiteral("\t"));
    QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(memo.text(), QStringLiteral("first\r\nx\t\r\nsecond"));
}

// Long pages wrap in the background; the row of an offset must not depend
// on how far that has got.
TEST(TMemo, RowsOfWrappedLinesDoNotDependOnBackgroundWrapping)
{
    QString text;
    for (int i = 0; i < 4000; ++i)
        text += QString(QStringLiteral("w%1 ")).arg(i).repeated(i % 7 == 0 ? 40 : 2) + QStringLiteral("\r\n");
    ShownMemo m(text, true, 300);
    TMemo &memo = m.memo;
    const int nearEnd = memo.textLength() - 10;
    const int row = memo.lineFromOffset(nearEnd);
    memo.finishWrapping();
    EXPECT_EQ(memo.lineFromOffset(nearEnd), row);
    // Every seventh text line wraps: the row is the sum of the screen lines before.
    int shown = 0;
    int first = 0;
    std::vector<int> starts;
    for (int line = 0; line < 3999; ++line) {
        memo.screenLines(line, first, starts);
        ASSERT_EQ(first, shown) << line;
        shown += int(starts.size());
    }
    EXPECT_EQ(memo.lineFromOffset(nearEnd), shown);
    EXPECT_GT(shown, 4000 + 571);
}

TEST(ShowsAsHtml, PagesAndUntitledDocumentsOnly)
{
    for (const char *name : {"~Untiltled3", "/w/Index.HTM", "/w/a.html", "/w/s.shtml", "/w/p.php"})
        EXPECT_TRUE(names::showsAsHtml(QString::fromLatin1(name))) << name;
    for (const char *name : {"/w/readme.txt", "/w/script.js", "/w/html", "/w/a.htm.bak", "/w.htm/notes"})
        EXPECT_FALSE(names::showsAsHtml(QString::fromLatin1(name))) << name;
}

// The length is kept up to date by the size of each change rather than
// counted again: every kind of change must leave it equal to the text's.
TEST(TMemo, LengthFollowsEveryKindOfChange)
{
    ShownMemo m(QStringLiteral("caf\u00e9 \U0001F600\r\nlast line"));
    TMemo &memo = m.memo;
    std::vector<int> lengthsSeenByFirstEdit;
    QObject::connect(&memo, &TMemo::modificationChanged,
                     [&](bool) { lengthsSeenByFirstEdit.push_back(memo.textLength()); });
    auto expectLength = [&](const char *step) {
        EXPECT_EQ(memo.textLength(), memo.text().size()) << step;
    };
    expectLength("loaded");

    memo.setSelStart(memo.textLength());
    memo.replaceSelection(QStringLiteral(" \u20ac\U0001F601"));
    expectLength("inserted at the end");
    memo.setFocus();
    QTest::keyClick(&memo, 'x');
    QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_Udiaeresis, Qt::NoModifier, QStringLiteral("\u00fc"));
    QApplication::sendEvent(&memo, &umlaut);
    QTest::keyClick(&memo, Qt::Key_Return);
    expectLength("typed");
    QTest::keyClick(&memo, Qt::Key_Backspace);
    QTest::keyClick(&memo, Qt::Key_Backspace);
    expectLength("deleted by keys");
    memo.setSelection(2, 5);   // across the emoji's neighbourhood and both bytes of é
    memo.replaceSelection(QString());
    expectLength("selection deleted");
    memo.replaceRange(0, 2, QStringLiteral("\U0001F602\r\n"));
    expectLength("range replaced");
    memo.undo();
    expectLength("undone");
    memo.undo();
    expectLength("undone twice");
    memo.redo();
    expectLength("redone");
    memo.selectAll();
    memo.replaceSelection(QStringLiteral("\u00e9"));
    expectLength("all replaced");
    memo.undo();
    expectLength("whole replacement undone");
    // A slot of the first edit sees the length before that edit.
    ASSERT_FALSE(lengthsSeenByFirstEdit.empty());
    EXPECT_EQ(lengthsSeenByFirstEdit.front(), QStringLiteral("caf\u00e9 \U0001F600\r\nlast line").size());
}

// Plain text wraps only where a word begins, also after edits inside the
// line and after the colouring was switched off.
TEST(TMemo, PlainTextWrapsAtWordStarts)
{
    QString line;
    for (int n = 0; n < 80; ++n)
        line += QStringLiteral("w%1%2 ").arg(n).arg(QString(n % 7, QLatin1Char('x')));
    auto checkBreaks = [](TMemo &memo, const char *step) {
        const QString text = memo.text();
        int first = 0;
        std::vector<int> starts;
        memo.screenLines(0, first, starts);
        ASSERT_GT(starts.size(), 2u) << step;
        for (size_t k = 1; k < starts.size(); ++k) {
            const int at = starts[k];
            ASSERT_GT(at, 0) << step;
            EXPECT_EQ(text[at - 1], QLatin1Char(' ')) << step << " screen line " << k;
            EXPECT_NE(text[at], QLatin1Char(' ')) << step << " screen line " << k;
        }
    };
    ShownMemo m(line, true, 220);
    TMemo &memo = m.memo;
    ASSERT_FALSE(memo.htmlHighlighting());
    checkBreaks(memo, "loaded");
    // A word split in two and two words joined, near the start.
    memo.setSelStart(3);
    memo.replaceSelection(QStringLiteral(" "));
    memo.setSelection(8, 1);
    memo.replaceSelection(QString());
    m.memo.repaint();
    checkBreaks(memo, "edited");
    memo.setHtmlHighlighting(true);
    memo.setHtmlHighlighting(false);
    m.memo.repaint();
    checkBreaks(memo, "colouring off again");
}

// On a line that is not all single bytes, offsets are counted from the last
// position converted on it: in either direction, and again after edits
// before, at and after that position.
TEST(TMemo, OffsetsOnALongAccentedLineAfterMovesAndEdits)
{
    QString line;
    for (int n = 0; n < 300; ++n)
        line += QStringLiteral("r\u00e9sum\u00e9 %1 \u20ac ").arg(n);
    ShownMemo m(QStringLiteral("top\r\n") + line + QStringLiteral("\r\nend \u00fc"));
    TMemo &memo = m.memo;
    auto expectRoundTrips = [&](const char *step) {
        const QString text = memo.text();
        const int from = 5;
        const int to = int(text.indexOf(QLatin1Char('\r'), from));
        // Far, near, backwards, forwards, and back to the start.
        for (int offset : {to - 3, to - 40, 900, 905, 37, from + 1, to, from, to - 1, 1200, 1199}) {
            if (offset < to) {
                memo.setSelection(offset, 1);
                EXPECT_EQ(memo.selText(), text.mid(offset, 1)) << step << " at " << offset;
            }
            memo.setSelStart(offset);
            EXPECT_EQ(memo.selStart(), offset) << step << " at " << offset;
            memo.setSelection(offset, 0);
            EXPECT_EQ(memo.lineIndex(memo.lineFromOffset(offset)), from) << step << " at " << offset;
            EXPECT_EQ(memo.offsetOfPosition(memo.positionOfOffset(offset)), offset) << step << " at " << offset;
        }
        memo.setSelection(900, 30);
        EXPECT_EQ(memo.selText(), text.mid(900, 30)) << step;
        EXPECT_EQ(memo.selLength(), 30) << step;
    };
    expectRoundTrips("loaded");
    // Typed at the caret, before the last position converted.
    memo.setFocus();
    memo.setSelStart(20);
    memo.positionOfOffset(1199);
    for (int i = 0; i < 2; ++i) {
        QKeyEvent grave(QEvent::KeyPress, Qt::Key_Agrave, Qt::NoModifier, QStringLiteral("\u00e0"));
        QApplication::sendEvent(&memo, &grave);
    }
    expectRoundTrips("typed before");
    memo.setSelStart(1199);
    memo.replaceRange(20, 3, QStringLiteral("\u00e0\u00e0\u00e0\u00e0\u00e0"));
    expectRoundTrips("replaced before");
    memo.setSelStart(1199);
    memo.replaceSelection(QStringLiteral("\u00f1\r\n\u00f1"));                   // at it, splitting the line
    memo.undo();
    expectRoundTrips("edited at");
    memo.setSelStart(900);
    memo.replaceRange(1000, 10, QString());                                       // after it
    expectRoundTrips("edited after");
}

// Finishing the wrap must leave nothing for the background: whole-document
// counts (Find in Files, printing) are taken right after it.
TEST(TMemo, FinishedWrappingCountsEveryScreenLine)
{
    QString text;
    for (int i = 0; i < 40000; ++i)
        text += QStringLiteral("line %1 has words enough to wrap in a narrow window\r\n").arg(i);
    ShownMemo m(text, true, 200);
    TMemo &memo = m.memo;
    memo.finishWrapping();
    const int finished = memo.lineCount();
    EXPECT_GE(finished, 80000);
    // Nothing changes once the background has had all the time it wants.
    QTest::qWait(200);
    for (int i = 0; i < 200; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(memo.lineCount(), finished);
    // The view stays where it was.
    EXPECT_EQ(memo.firstVisibleLine(), 0);
}

// A page with a line of megabytes is shown uncoloured; the next page loaded
// into the same window is coloured again.
TEST(TMemo, ColouringStandsAsideOnlyWhileAHugeLineIsThere)
{
    TMemo memo;
    memo.setHtmlHighlighting(true);
    auto *engine = memo.findChild<QsciScintilla *>();
    ASSERT_TRUE(engine);
    memo.setText(QStringLiteral("<p>short</p>\r\n"));
    EXPECT_TRUE(engine->lexer());
    memo.setText(QStringLiteral("<p>long line</p>").repeated(80000));
    EXPECT_FALSE(engine->lexer());
    EXPECT_TRUE(memo.htmlHighlighting());
    memo.setText(QStringLiteral("<p>short</p>\r\n"));
    EXPECT_TRUE(engine->lexer());
    // Typing a line past the limit puts the colouring aside too.
    memo.setSelStart(memo.textLength());
    memo.replaceSelection(QStringLiteral("<b>x</b>").repeated(150000));
    QCoreApplication::processEvents();
    EXPECT_FALSE(engine->lexer());
}

// Typed characters land at the caret or over the selection and undo as the
// engine's typing does. Uncoloured text has its word runs by the time the key
// has been handled: the caret's line is then laid out once, with its final
// styles, instead of once before and once after the new characters are styled.
TEST(TMemo, TypedTextIsInsertedStyledAndUndoneLikeTyping)
{
    for (const bool html : {false, true}) {
        SCOPED_TRACE(html ? "coloured as HTML" : "plain text");
        TMemo memo;
        memo.setHtmlHighlighting(html);
        memo.resize(400, 300);
        memo.setText(QStringLiteral("<p>caf\u00e9 one two</p>"));
        memo.show();
        QCoreApplication::processEvents();
        auto *engine = memo.findChild<QsciScintilla *>();
        ASSERT_TRUE(engine);
        memo.setFocus();
        memo.setSelStart(15);   // after "two"
        QTest::keyClick(&memo, ' ');
        QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_Udiaeresis, Qt::NoModifier, QStringLiteral("\u00fc"));
        QApplication::sendEvent(&memo, &umlaut);
        QTest::keyClick(&memo, 'x');
        EXPECT_EQ(memo.text(), QStringLiteral("<p>caf\u00e9 one two \u00fcx</p>"));
        EXPECT_EQ(memo.selStart(), 18);
        EXPECT_EQ(memo.selLength(), 0);
        const long caret = engine->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
        if (!html) {
            EXPECT_GE(engine->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED), caret);
            // A new word takes the other of the two word styles.
            const long two = caret - 5;
            EXPECT_NE(engine->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, two),
                      engine->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, caret - 1));
        }
        // The keys typed in a row undo together.
        memo.undo();
        EXPECT_EQ(memo.text().toStdString(), QStringLiteral("<p>caf\u00e9 one two</p>").toStdString());

        // Typing over a selection replaces it in one undoable step.
        memo.setSelection(8, 3);   // "one"
        QTest::keyClick(&memo, 'z');
        EXPECT_EQ(memo.text(), QStringLiteral("<p>caf\u00e9 z two</p>"));
        EXPECT_EQ(memo.selStart(), 9);
        memo.undo();
        EXPECT_EQ(memo.text().toStdString(), QStringLiteral("<p>caf\u00e9 one two</p>").toStdString());
        EXPECT_TRUE(memo.modified());
    }
}

// Typing at the end of a line far wider than the window keeps the caret in
// view.
TEST(TMemo, CaretStaysInViewWhenTypingAtTheEndOfALongLine)
{
    for (const bool wrap : {false, true}) {
        SCOPED_TRACE(wrap ? "wrapped" : "not wrapped");
        ShownMemo m(QStringLiteral("word ").repeated(2000), wrap);
        TMemo &memo = m.memo;
        memo.setFocus();
        memo.setSelStart(memo.textLength());
        QTest::keyClicks(&memo, QStringLiteral("end"));
        QCoreApplication::processEvents();
        EXPECT_EQ(memo.selStart(), memo.textLength());
        const QRect caret = memo.cursorRect();
        EXPECT_TRUE(memo.viewport()->rect().contains(caret.topLeft())) << caret.x() << "," << caret.y();
    }
}

namespace {

// Long enough to be wrapped in the background (well over what is wrapped at
// once when a number is asked for); every seventh line wraps into several
// screen lines in a narrow window.
QString pageWrappedInTheBackground(int lines = 12000)
{
    QString text;
    for (int i = 0; i < lines; ++i)
        text += (i % 7 == 0 ? QStringLiteral("a sentence long enough to wrap in a narrow window, number %1 of them\r\n")
                            : QStringLiteral("short line %1 with words\r\n"))
                    .arg(i);
    return text;
}

// Lets the background wrap go on until `done` or 30 s.
template <class Done>
void waitFor(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

// A row asked for before the background wrap has reached it is not known
// yet (the lines before it may still gain screen lines), is never guessed,
// and once known is the exact number.
TEST(TMemo, RowsAskedForBeforeTheWrapReachesThemAreKnownLaterAndExact)
{
    ShownMemo m(pageWrappedInTheBackground(), true, 300);
    TMemo &memo = m.memo;
    int signalled = 0;
    QObject::connect(&memo, &TMemo::linesNumbered, [&] { ++signalled; });
    const int nearEnd = memo.textLength() - 10;
    EXPECT_EQ(memo.knownLineFromOffset(nearEnd), -1);
    EXPECT_EQ(memo.knownLineFromOffset(0), 0);
    const int shownBefore = memo.knownDisplayLines();
    EXPECT_LT(shownBefore, 13000);
    // Rows as they become known, at offsets all through the page.
    std::vector<int> offsets, rows;
    for (int offset = 0; offset < memo.textLength(); offset += 9973)
        offsets.push_back(offset);
    offsets.push_back(nearEnd);
    rows.assign(offsets.size(), -1);
    waitFor([&] {
        bool all = true;
        for (size_t k = 0; k < offsets.size(); ++k) {
            if (rows[k] < 0)
                rows[k] = memo.knownLineFromOffset(offsets[k]);
            all = all && rows[k] >= 0;
        }
        return all;
    });
    EXPECT_GT(signalled, 0);
    EXPECT_GT(memo.knownDisplayLines(), shownBefore);
    ASSERT_TRUE(memo.finishWrapping());
    for (size_t k = 0; k < offsets.size(); ++k)
        EXPECT_EQ(rows[k], memo.lineFromOffset(offsets[k])) << "offset " << offsets[k];
    // Every seventh text line wraps: the row is the sum of the screen lines before.
    int shown = 0, first = 0;
    std::vector<int> starts;
    for (int line = 0; line < 11999; ++line) {
        memo.screenLines(line, first, starts);
        shown += int(starts.size());
    }
    EXPECT_EQ(rows.back(), shown);
    EXPECT_GE(shown, 11999 + 1715);
    EXPECT_GE(memo.knownDisplayLines(), memo.lineCount());
}

// Edits while the wrap goes on, before and after where it has got, leave the
// known rows exact; the column never waits.
TEST(TMemo, RowsStayExactThroughEditsDuringTheBackgroundWrap)
{
    ShownMemo m(pageWrappedInTheBackground(), true, 300);
    TMemo &memo = m.memo;
    memo.setSelStart(30);
    memo.replaceSelection(QStringLiteral("inserted\r\ntwo new lines\r\n and a long one that wraps in the narrow window"));
    memo.setSelStart(memo.textLength() - 2000);
    memo.replaceSelection(QStringLiteral("\r\n"));
    memo.setSelection(200, 600);   // across several lines, one of them long
    memo.replaceSelection(QString());
    const int nearEnd = memo.textLength() - 10;
    EXPECT_GE(memo.columnOfOffset(nearEnd), 0);
    int row = -1;
    waitFor([&] { return (row = memo.knownLineFromOffset(nearEnd)) >= 0; });
    ASSERT_GE(row, 0);
    // Typing on a known line leaves the rows after it known.
    memo.setSelStart(40);
    memo.replaceSelection(QStringLiteral("x"));
    const int column = memo.columnOfOffset(nearEnd + 1);
    waitFor([&] { return memo.knownLineFromOffset(nearEnd + 1) >= 0; });
    const int after = memo.knownLineFromOffset(nearEnd + 1);
    ASSERT_TRUE(memo.finishWrapping());
    EXPECT_EQ(after, memo.lineFromOffset(nearEnd + 1));
    EXPECT_EQ(row, after);
    EXPECT_EQ(column, nearEnd + 1 - memo.lineIndex(after));
}

// Ctrl+End and Ctrl+Home move the caret without wrapping every line first.
TEST(TMemo, CtrlEndDoesNotWaitForTheWholeWrap)
{
    ShownMemo m(pageWrappedInTheBackground(30000), true, 300);
    TMemo &memo = m.memo;
    memo.setFocus();
    QTest::keyClick(&memo, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(memo.selStart(), memo.textLength());
    const int countRightAfter = memo.lineCount();
    QTest::keyClick(&memo, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(memo.selStart(), 0);
    EXPECT_EQ(memo.selLength(), memo.textLength());
    QTest::keyClick(&memo, Qt::Key_End, Qt::ControlModifier);
    ASSERT_TRUE(memo.finishWrapping());
    EXPECT_LT(countRightAfter, memo.lineCount());
    // The caret is at the end, and shown.
    QCoreApplication::processEvents();
    EXPECT_EQ(memo.selStart(), memo.textLength());
    EXPECT_TRUE(memo.viewport()->rect().contains(memo.cursorRect().topLeft()));
}

// The wait for the whole wrap can be cancelled from its box.
TEST(TMemo, WaitingForTheWholeWrapCanBeCancelled)
{
    ShownMemo m(pageWrappedInTheBackground(60000), true, 300);
    TMemo &memo = m.memo;
    const int saved = TMemo::wrapBoxDelayMs;
    TMemo::wrapBoxDelayMs = 0;
    bool boxShown = false;
    QTimer::singleShot(30, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QProgressDialog *>(w); box && box->isVisible()) {
                boxShown = true;
                box->cancel();
            }
    });
    EXPECT_FALSE(memo.finishWrapping());
    TMemo::wrapBoxDelayMs = saved;
    EXPECT_TRUE(boxShown);
    EXPECT_EQ(memo.knownLineFromOffset(memo.textLength() - 5), -1);
    // Without a cancel it finishes.
    EXPECT_TRUE(memo.finishWrapping());
    EXPECT_EQ(memo.knownLineFromOffset(memo.textLength() - 5), memo.lineFromOffset(memo.textLength() - 5));
}

// Text is styled in short runs that recur: in plain text on a line without a
// blank, and in the text between tags on a coloured page, where line ends
// keep the lexer's own style.
TEST(TMemo, TextIsStyledInShortRuns)
{
    QString json = QStringLiteral("[");
    for (int n = 0; n < 400; ++n)
        json += QStringLiteral("{\"id\":%1,\"title\":\"Caf\u00e9 number %1\",\"url\":\"/docs/a-long-path-without-blanks/page%1.html\"},")
                    .arg(n);
    json += QStringLiteral("{}]");
    auto runsOf = [](QsciScintilla *engine, long from, long to, auto &&check) {
        long runStart = from;
        for (long pos = from + 1; pos <= to; ++pos) {
            if (pos == to || engine->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos) !=
                                 engine->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos - 1)) {
                check(runStart, pos);
                runStart = pos;
            }
        }
    };
    {
        ShownMemo m(json, false);
        auto *engine = m.memo.findChild<QsciScintilla *>();
        ASSERT_TRUE(engine);
        m.memo.setFocus();
        m.memo.setSelStart(m.memo.textLength());
        QTest::keyClicks(&m.memo, QStringLiteral("tail1234"));
        m.memo.repaint();
        const long length = engine->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
        ASSERT_GE(engine->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED), length);
        int runs = 0;
        runsOf(engine, 0, length, [&](long from, long to) {
            ++runs;
            EXPECT_LE(to - from, 28) << from;
            EXPECT_NE(engine->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, from) & 0xC0, 0x80) << from;
        });
        EXPECT_GT(runs, 400 * 10);
    }
    {
        TMemo memo;
        memo.setHtmlHighlighting(true);
        memo.resize(400, 300);
        QString page;
        for (int n = 0; n < 300; ++n)
            page += QStringLiteral("<p class=\"x\">Paragraph %1 with a sentence that goes on for a while</p>\r\n").arg(n);
        memo.setText(page);
        memo.show();
        auto *engine = memo.findChild<QsciScintilla *>();
        ASSERT_TRUE(engine && engine->lexer());
        waitFor([&] { return engine->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED) >= long(page.size()); });
        QCoreApplication::processEvents();
        auto styleAt = [&](long pos) { return int(engine->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos) & 0xff); };
        // "<p" is a tag, the text between tags alternates with its twin.
        EXPECT_EQ(styleAt(0), QsciLexerHTML::Tag);
        const long text = page.indexOf(QLatin1String("Paragraph"));
        const long end = page.indexOf(QLatin1String("</p>"));
        std::vector<int> seen;
        runsOf(engine, text, end, [&](long from, long to) {
            EXPECT_LE(to - from, 28);
            seen.push_back(styleAt(from));
        });
        EXPECT_GT(seen.size(), 5u);
        for (int s : seen)
            EXPECT_TRUE(s == QsciLexerHTML::Default || s == 128) << s;
        EXPECT_EQ(styleAt(page.indexOf(QLatin1Char('\r'))), QsciLexerHTML::Default);
        EXPECT_EQ(styleAt(page.indexOf(QLatin1Char('\n'))), QsciLexerHTML::Default);
        // Both styles look alike.
        for (int attribute : {QsciScintillaBase::SCI_STYLEGETFORE, QsciScintillaBase::SCI_STYLEGETBACK,
                              QsciScintillaBase::SCI_STYLEGETSIZEFRACTIONAL, QsciScintillaBase::SCI_STYLEGETWEIGHT})
            EXPECT_EQ(engine->SendScintilla(attribute, 128UL), engine->SendScintilla(attribute, 0UL));
    }
}

// A page with a line of megabytes breaks its screen lines where its runs
// begin, so that no screen line starts inside a run; the next page loaded
// breaks at blanks again, not between the digits of a number.
TEST(TMemo, AHugeLineWrapsWhereItsRunsBegin)
{
    QString huge = QStringLiteral("[");
    for (int n = 0; huge.size() < 600 * 1024; ++n)
        huge += QStringLiteral("{\"id\":%1,\"url\":\"/docs/section%2/page%1.html\"},").arg(n).arg(n % 97);
    ShownMemo m(huge + QStringLiteral("]"), true, 300);
    TMemo &memo = m.memo;
    auto *engine = memo.findChild<QsciScintilla *>();
    ASSERT_TRUE(engine);
    ASSERT_TRUE(memo.finishWrapping());
    int first = 0;
    std::vector<int> starts;
    memo.screenLines(0, first, starts);
    ASSERT_GT(starts.size(), 1000u);
    auto styleAt = [&](long pos) { return engine->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos); };
    for (size_t k = 1; k < starts.size(); k += 97)
        EXPECT_NE(styleAt(starts[k]), styleAt(starts[k] - 1)) << "screen line " << k << " at " << starts[k];

    QString numbers;
    for (int n = 0; n < 60; ++n)
        numbers += QStringLiteral("%1 ").arg(1234567 + n * 7654321);
    memo.setText(numbers);
    QCoreApplication::processEvents();
    memo.screenLines(0, first, starts);
    ASSERT_GT(starts.size(), 2u);
    for (size_t k = 1; k < starts.size(); ++k)
        EXPECT_EQ(numbers[starts[k] - 1], QLatin1Char(' ')) << "screen line " << k;
}

// On a line of megabytes the text in view is drawn as one run per screen
// line once the view settles; with nothing happening, that restyling does
// not start again by itself (each round would lay the whole line out anew),
// and after an edit that leaves the caret where it was, the text in view is
// drawn that way again.
TEST(TMemo, RunsInViewSettleOnAHugeLineAndFollowEdits)
{
    // Far from its start, where positions are no longer exact.
    QString huge;
    huge.reserve(5600000);
    for (int n = 0; huge.size() < 5500000; ++n)
        huge += QStringLiteral("<P>Paragraph %1 with <B>bold</B> and <A HREF=\"x.htm\">a link</A>.</P>").arg(n);
    for (const bool wrap : {false, true}) {
        ShownMemo m(huge, wrap);
        TMemo &memo = m.memo;
        auto *engine = memo.findChild<QsciScintilla *>();
        ASSERT_TRUE(engine);
        memo.setFocus();
        QTest::keyClick(&memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(&memo, QStringLiteral("typed"));
        const long caret = engine->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
        auto styleAt = [&](long pos) { return int(engine->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos)); };
        auto stylesBeforeCaret = [&] {
            QByteArray out;
            for (long pos = caret - 40; pos < caret; ++pos)
                out += char(styleAt(pos));
            return out;
        };
        // One run per screen line (the third or fourth style) once the view
        // has settled, however long the wrap takes on this machine.
        auto runsInView = [&](long at) { return styleAt(at - 5) == 2 || styleAt(at - 5) == 3; };
        QTest::qWaitFor([&] { return runsInView(caret); }, 60000);
        QTest::qWait(100);
        const QByteArray settled = stylesBeforeCaret();
        EXPECT_TRUE(runsInView(caret)) << "wrap " << wrap << ": " << styleAt(caret - 5);
        // The caret is still in view, wherever the line now wraps.
        EXPECT_TRUE(memo.viewport()->rect().contains(memo.cursorRect().center())) << "wrap " << wrap;
        for (int k = 0; k < 12; ++k) {
            QTest::qWait(60);
            EXPECT_EQ(stylesBeforeCaret(), settled) << "wrap " << wrap << ", after " << (k + 1) * 60 << " ms";
        }
        // Delete leaves the caret where it is: the view has settled before it.
        QTest::keyClick(&memo, Qt::Key_Left);
        QTest::qWait(400);
        QTest::keyClick(&memo, Qt::Key_Delete);
        const long now = engine->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
        QTest::qWaitFor([&] { return runsInView(now); }, 60000);
        EXPECT_TRUE(runsInView(now)) << "wrap " << wrap << ": " << styleAt(now - 5);
    }
}
