#pragma once
// Sort Selection: the selected lines in ascending order, duplicates dropped.
#include <QLocale>
#include <QString>

namespace markup {

// Cuts the text after every LF, keeps each line with its own line break and
// returns the lines sorted by the locale's case-insensitive collation. Of
// lines that compare equal the first one met survives. A last line without a
// line break is sorted as it stands, so when it does not sort last the line
// after it in the result joins it.
QString sortSelection(const QString &selection, const QLocale &locale = QLocale());

} // namespace markup
