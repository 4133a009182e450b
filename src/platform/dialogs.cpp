#include "platform/dialogs.h"

#include "platform/qtdialogs.h"

namespace {
Dialogs *installed = nullptr;
}

Dialogs &dialogs()
{
    static QtDialogs real;
    return installed ? *installed : real;
}

void setDialogs(Dialogs *replacement)
{
    installed = replacement;
}

QStringList qtNameFilters(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &p : patterns)
            p = p.trimmed();
        // Qt takes the patterns from the last parenthesised group, so the
        // description keeps its own brackets untouched.
        out << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}
