#pragma once
// "Check HTML": the page's text run through the HTML checker library, each
// warning and error placed at its offset in the text (a line break counts as
// the two characters CR LF, as everywhere in the editor).
#include <QList>
#include <QString>
#include <QStringView>

namespace search {

struct HtmlFinding {
    int offset = 0;      // where the problem is, in the checked text
    QString severity;    // "Warning", "Error", ...
    QString message;     // the checker's own sentence, in English

    // The text shown after the position in the results list.
    QString text() const { return severity + QStringLiteral(": ") + message; }
};

struct HtmlCheck {
    // Empty when the page was checked; otherwise why it was not, to be told
    // to the user, and findings is empty.
    QString refusal;
    QList<HtmlFinding> findings;   // down the page, by offset
    bool truncated = false;        // more than kMaxHtmlFindings were found
};

// Pages beyond these are not checked: the checker's time grows with the
// square of the nesting and its memory with many times the text's size, and
// each level of nesting is a level of recursion in it.
constexpr qsizetype kMaxHtmlCheckChars = 16 * 1024 * 1024;
constexpr int kMaxHtmlCheckDepth = 10000;
constexpr int kMaxHtmlFindings = 10000;

// The line listed when a page has no problem.
QString noProblemsText();
// The line listed after the first kMaxHtmlFindings.
QString truncatedText();

// Checks the text as HTML. Nothing is printed; zero characters and a
// leading byte-order mark are handled.
HtmlCheck checkHtml(const QString &text);

// How deep the tags of the text may nest, counted from below the way the
// checker nests them: a start tag opens a level unless it is empty
// ("<br>", "<img ...>", "<x/>") or its end tag may be left out (p, li, td
// ...); an end tag closes one. Comments and declarations open nothing. An
// estimate meant to keep pathological pages away from the checker, never to
// refuse an ordinary one.
int nestingDepth(QStringView text);

// Offsets of (line, column) positions as the checker counts them: lines
// from 1, ended by CR LF, LF or CR alike; columns from 1 in characters, a
// character beyond U+FFFF counting one and a tab one. A position beyond its
// line is its line's end; a line beyond the text is the text's end.
// Positions may come in any order; the text is walked once.
struct LineColumn {
    int line = 1;
    int column = 1;
};
QList<int> offsetsOf(QStringView text, const QList<LineColumn> &positions);

} // namespace search
