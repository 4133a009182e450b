#pragma once
// Find in Files: searching one open document's text line by line and the
// result lines of the results list, with the parse used to jump back.
#include "search/resultlines.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace search {

// How one CR LF line of the text is shown when the text area wraps it: the
// display line (zero-based) of its first screen line, and where each of its
// screen lines starts, counted from the line's start (0 first, rising).
struct WrappedLine {
    int firstDisplayLine = 0;
    std::vector<int> starts;
};
// Fills in the wrapping of CR LF line `line` (zero-based).
using WrapOf = std::function<void(int line, WrappedLine &wrapped)>;

// The file-name part of a document title (its path): the text after the
// last "/".
QString fileNamePart(const QString &title);

// The result lines for one document, one per line that contains the search
// text (however often), top to bottom. With whole word on, the search text is
// looked for with one literal blank on each side; with match case off, the
// ASCII letters are compared without case. The line text is given as the
// document holds it. An empty search text finds nothing. With no wrapOf,
// lines are the CR LF lines of the text; with it, every screen line is a
// line of its own and must hold the whole hit.
QStringList findLinesInDocument(const QString &searchText, const QString &fileName, bool matchCase,
                                bool wholeWord, const QString &text, const WrapOf &wrapOf = {});

// The same lines, added to the lines of the document's results.
void appendLinesInDocument(ResultLines &results, const QString &searchText, bool matchCase, bool wholeWord,
                           const QString &text, const WrapOf &wrapOf = {});

class Matcher;

// The same for a regular expression: every line in which a match of at
// least one character starts (with wrapOf, every screen line), once each.
void appendMatchingLines(ResultLines &results, const Matcher &matcher, const QString &text,
                         const WrapOf &wrapOf = {});

// Where a result line points: the file name and the line offset.
struct ResultTarget {
    bool valid = false;
    QString fileName;
    int offset = 0;
};

// Reads a result line back for the jump. A line in the shape resultLine
// writes gives its file name and offset, also when the file name itself holds
// a ":". Any other text is read as the file name before the first ":" and the
// first run of digits between the first and the second ":"; without a ":" or
// without such digits the line points nowhere (valid is false).
ResultTarget parseResultLine(const QString &line);

// The document a jump goes to: documentTitles are the open documents' titles
// in the main window's order (most recently activated first); the list is
// looked through from its last entry to its first for a title whose
// file-name part equals fileName exactly. Returns its index, or -1.
int jumpTargetIndex(const QStringList &documentTitles, const QString &fileName);

// A text view partly covered by another window, in pixels measured down from
// the top of the first visible line: lines are lineHeight high, the view
// shows viewHeight of them, and the band [coveredTop, coveredBottom) lies
// under the other window (no band when coveredTop >= coveredBottom).
struct CoveredView {
    int lineHeight = 1;
    int viewHeight = 0;
    int coveredTop = 0;
    int coveredBottom = 0;
};

// The display line to show first so that line `target` is in view and not
// under the band, moving the view as little as it can from `first`: the line
// goes just above the band when there is room there, else just below it.
// A view the band covers wholly only brings the line into view.
int firstLineClearOf(int target, int first, const CoveredView &view);

} // namespace search
