#include "table/textboxtext.h"

#include <algorithm>

namespace table {

QString boxTextFromCellText(const QString &cellText)
{
    QString text = cellText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString cellTextFromBoxText(const QString &boxText)
{
    QString text = boxText;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

int offsetOfBoxPosition(const QString &boxText, int position)
{
    position = std::clamp(position, 0, int(boxText.size()));
    return position + int(QStringView(boxText).left(position).count(QLatin1Char('\n')));
}

int boxPositionOfOffset(const QString &boxText, int offset)
{
    int consumed = 0;
    for (int pos = 0; pos < boxText.size(); ++pos) {
        const int width = boxText.at(pos) == QLatin1Char('\n') ? 2 : 1;
        if (consumed + width > offset)
            return pos;
        consumed += width;
    }
    return int(boxText.size());
}

} // namespace table
