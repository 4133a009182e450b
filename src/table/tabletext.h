#pragma once
// Small text helpers of the table editor.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace table {

// A colour held as 0x00BBGGRR written as "RRGGBB" in upper case. A value with
// more than six hexadecimal digits uses its first six.
QString ColorToHtml(quint32 colour);

// Lower-cases the ASCII letters only, leaving every other character alone.
QString asciiLower(const QString &text);

// windows-1252 as the record files use it (WHATWG mapping: the five bytes
// without a character map to U+0081, U+008D, U+008F, U+0090, U+009D).
// A character outside the code page is written as "?".
QByteArray toWindows1252(const QString &text);
QString fromWindows1252(const char *bytes, qsizetype length);

} // namespace table
