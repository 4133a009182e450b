#pragma once
// Reading the program's own small files (settings, spike, ignore list) with
// a size limit, and quoting values from them in messages. A damaged or
// planted file of hundreds of megabytes must not stall start-up or fill a
// message box with one endless line.
#include <QByteArray>
#include <QString>

// Far above any real settings file, spike or word list.
inline constexpr qint64 MaxSmallFileBytes = qint64(4) << 20;
// Characters of an outside value quoted in a message before it is cut.
inline constexpr qsizetype MaxQuotedLength = 80;

enum class SmallFileRead { Ok, CannotOpen, TooLarge };

// Reads a whole regular file of at most MaxSmallFileBytes. Anything that is
// not a regular file (a folder, a FIFO that would block) cannot be opened.
// `out` is left untouched unless the result is Ok.
SmallFileRead readSmallFile(const QString &path, QByteArray &out);

// "<path> is larger than 4 MB and was not read"
QString tooLargeMessage(const QString &path);

// The value itself when short; otherwise its first MaxQuotedLength
// characters followed by "...".
QString shortenedForMessage(const QString &value);
