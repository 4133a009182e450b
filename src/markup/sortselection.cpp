#include "markup/sortselection.h"

#include <QCollator>
#include <QStringList>

#include <algorithm>

namespace markup {

QString sortSelection(const QString &selection, const QLocale &locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);

    QStringList sorted;
    auto add = [&](const QString &line) {
        const auto less = [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; };
        const auto at = std::lower_bound(sorted.begin(), sorted.end(), line, less);
        if (at != sorted.end() && collator.compare(*at, line) == 0)
            return;   // an equal line is already there; the first one stays
        sorted.insert(at, line);
    };

    qsizetype start = 0;
    for (qsizetype i = 0; i < selection.size(); ++i) {
        if (selection.at(i) == QLatin1Char('\n')) {
            add(selection.mid(start, i + 1 - start));
            start = i + 1;
        }
    }
    add(selection.mid(start));
    return sorted.join(QString());
}

} // namespace markup
