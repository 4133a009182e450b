#include "table/tabletext.h"

#include "markup/colorhtml.h"
#include "platform/windows1252.h"

#include <QList>
#include <QStringView>

namespace table {

QString ColorToHtml(quint32 colour)
{
    return ::ColorToHtml(colour);
}

QString asciiLower(const QString &text)
{
    QString out = text;
    for (QChar &ch : out) {
        if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'))
            ch = QChar(ch.unicode() + ('a' - 'A'));
    }
    return out;
}

QByteArray toWindows1252(const QString &text)
{
    return cp1252::encodeLossy(text);
}

QString fromWindows1252(const char *bytes, qsizetype length)
{
    return cp1252::decode(bytes, length);
}

} // namespace table
