#pragma once
// Reading the program's own small files (settings, spike, ignore list) with
// a size limit, and quoting values from them in messages. A damaged or
// planted file of hundreds of megabytes must not stall start-up or fill a
// message box with one endless line.
#include "platform/fileio.h"

#include <QByteArray>
#include <QString>

// Far above any real settings file, spike or word list.
inline constexpr qint64 MaxSmallFileBytes = qint64(4) << 20;
// Characters of an outside value quoted in a message before it is cut.
inline constexpr qsizetype MaxQuotedLength = 80;

// Reads a whole regular file of at most MaxSmallFileBytes: its bytes, or
// why not (tooLarge set, with tooLargeMessage as the message, for a file
// over the limit). Anything that is not a regular file (a folder, a FIFO
// that would block) cannot be opened.
fileio::FileRead readSmallFile(const QString &path);

// "<path> is larger than 4 MB and was not read"
QString tooLargeMessage(const QString &path);

// The value itself when short; otherwise its first MaxQuotedLength
// characters followed by "...".
QString shortenedForMessage(const QString &value);
