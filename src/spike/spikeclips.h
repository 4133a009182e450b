#pragma once
// The spike's clips: one-line texts collected from selections and inserted
// back as whole lines. Everything here decides text only; the window moves
// values between its list and these functions.
#include <QList>
#include <QString>
#include <QStringList>

namespace spike {

// The lines of a selection, in order. CR, LF, CR LF, and the paragraph and
// line separators a text control may hand over, each end a line; a break at
// the very end gives no extra empty clip, an empty line inside gives one.
QStringList splitIntoClips(const QString &selectionText);

// The text Insert puts into the document: every selected clip in list order
// (not the order in which the rows were picked), each followed by CR LF.
// Rows outside the list are ignored.
QString insertText(const QStringList &clips, const QList<int> &selectedRows);

// The clips left after deleting the given rows.
QStringList withoutRows(const QStringList &clips, const QList<int> &rows);

// The clips a stored list gives back: empty lines are dropped.
QStringList clipsFromStoredLines(const QStringList &lines);

// Delete and Insert act on the selected clips, so both are enabled exactly
// while at least one clip is selected.
struct ButtonState {
    bool deleteEnabled = false;
    bool insertEnabled = false;
    bool operator==(const ButtonState &) const = default;
};
ButtonState buttonsFor(int selectedCount);

} // namespace spike
