#include "table/tabletext.h"

#include <QList>
#include <QStringView>

namespace table {

namespace {

// U+0080..U+009F are replaced by these characters in windows-1252.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeOne(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        if (HighControls[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

QString ColorToHtml(quint32 colour)
{
    QString digits = QString::number(colour, 16).toUpper();
    if (digits.size() < 6)
        digits = QString(6 - digits.size(), QLatin1Char('0')) + digits;
    digits.truncate(6);
    return digits.mid(4, 2) + digits.mid(2, 2) + digits.mid(0, 2);
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
    QByteArray out;
    out.reserve(text.size());
    // Code points, so that a character outside the basic plane (two UTF-16
    // units) becomes one "?", not two.
    for (char32_t c : QStringView(text).toUcs4())
        out.append(encodeOne(c));
    return out;
}

QString fromWindows1252(const char *bytes, qsizetype length)
{
    QString out;
    out.reserve(length);
    for (qsizetype i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 && b < 0xA0)
            out.append(QChar(HighControls[b - 0x80]));
        else
            out.append(QChar(char16_t(b)));
    }
    return out;
}

} // namespace table
