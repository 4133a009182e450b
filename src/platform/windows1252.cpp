#include "platform/windows1252.h"

#include <QList>

namespace cp1252 {

namespace {

constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char16_t charOf(uchar byte)
{
    return (byte >= 0x80 && byte < 0xA0) ? kHigh[byte - 0x80] : char16_t(byte);
}

int byteOf(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c)
            return 0x80 + i;
    }
    return -1;
}

QString decode(const char *bytes, qsizetype length)
{
    QString out(length, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < length; ++i)
        o[i] = charOf(uchar(bytes[i]));
    return out;
}

QByteArray encodeLossy(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (char32_t c : text.toUcs4()) {
        const int b = byteOf(c);
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

bool fits(QStringView text)
{
    for (QChar c : text) {
        if (byteOf(c.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace cp1252
