#include "documents/gotoline.h"

#include <algorithm>

namespace gotoline {

namespace {

int lastRow(int rows)
{
    return std::max(rows, 1) - 1;
}

} // namespace

RowChoice readRow(const QString &typed, int rows)
{
    const QString digits = typed.trimmed();
    const bool number = !digits.isEmpty() && std::all_of(digits.cbegin(), digits.cend(), [](QChar c) {
        return c >= u'0' && c <= u'9';
    });
    if (!number) {
        return {false, 0, QStringLiteral("Enter a line number from 0 to ") + QString::number(lastRow(rows)) +
                              QLatin1Char('.')};
    }
    // However many digits: a number past the end is the last row.
    bool fits = false;
    const qlonglong value = digits.toLongLong(&fits);
    const int row = fits ? int(std::min<qlonglong>(value, lastRow(rows))) : lastRow(rows);
    return {true, row, {}};
}

QString prompt(int rows)
{
    return QStringLiteral("Line number (0 to ") + QString::number(lastRow(rows)) + QStringLiteral("):");
}

} // namespace gotoline
