#pragma once
// The windows-1252 code page as the program reads and writes it: the WHATWG
// mapping, in which the five bytes the code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, so every
// byte has a character and back. Documents, table files and form files use it.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace cp1252 {

// The character of a byte.
char16_t charOf(uchar byte);
// The byte of a character, or -1 when the code page has none.
int byteOf(char32_t c);
// One character per byte.
QString decode(const char *bytes, qsizetype length);
inline QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }
// One byte per character; a character outside the code page becomes "?"
// (one "?" for a character outside the basic plane, too).
QByteArray encodeLossy(QStringView text);
// True when every character has a byte.
bool fits(QStringView text);

} // namespace cp1252
