#pragma once
// "Go to Line": the number the user typed, read as a row as the gutter
// numbers rows (from 0; with word wrap on, every screen row counts).
#include <QString>

namespace gotoline {

struct RowChoice {
    bool ok = false;
    int row = 0;
    QString message;   // what was wrong, when not ok
};

// `rows` is how many rows the text has (at least 1). Blanks around the
// number are allowed; a number past the last row means the last row. No
// number, or a negative one, is refused with a message naming the range.
RowChoice readRow(const QString &typed, int rows);

// The prompt of the dialog: "Line number (0 to N):".
QString prompt(int rows);

} // namespace gotoline
