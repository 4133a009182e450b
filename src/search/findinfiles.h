#pragma once
// Find in Files: searching one open document's text line by line and the
// result lines of the results list, with the parse used to jump back.
#include "search/resultlines.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace search {

// The display line (zero-based) that holds a text offset. With word wrap on
// the window supplies its text area's mapping, in which every wrapped screen
// line is a line of its own; it must not decrease as the offset grows.
using DisplayLineOf = std::function<int(int offset)>;

// The mapping for unwrapped text: the index of the CR LF line that holds the
// offset (an offset between CR and LF belongs to the line they end). The
// returned function remembers where it was last asked and walks from there,
// so a run of rising offsets costs one walk over the text in all. It keeps
// a reference to text, which must outlive it.
DisplayLineOf crlfLineOf(const QString &text);

// The file-name part of a document title (its path): the text after the
// last "/".
QString fileNamePart(const QString &title);

// The result lines for one document, one per line that contains the search
// text (however often), top to bottom. With whole word on, the search text is
// looked for with one literal blank on each side; with match case off, the
// ASCII letters are compared without case. The line text is given as the
// document holds it. An empty search text finds nothing. With no
// displayLineOf, lines are the CR LF lines of the text.
QStringList findLinesInDocument(const QString &searchText, const QString &fileName, bool matchCase,
                                bool wholeWord, const QString &text,
                                const DisplayLineOf &displayLineOf = {});

// The same lines, added to the lines of the document's results.
void appendLinesInDocument(ResultLines &results, const QString &searchText, bool matchCase, bool wholeWord,
                           const QString &text, const DisplayLineOf &displayLineOf = {});

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

} // namespace search
