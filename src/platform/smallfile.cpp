#include "platform/smallfile.h"

fileio::FileRead readSmallFile(const QString &path)
{
    fileio::FileRead r = fileio::readRegularFile(path, MaxSmallFileBytes);
    if (r.tooLarge)
        r.message = tooLargeMessage(path);
    return r;
}

QString tooLargeMessage(const QString &path)
{
    return QStringLiteral("%1 is larger than %2 MB and was not read").arg(path).arg(MaxSmallFileBytes >> 20);
}

QString shortenedForMessage(const QString &value)
{
    if (value.size() <= MaxQuotedLength)
        return value;
    qsizetype keep = MaxQuotedLength;
    // Never split a surrogate pair.
    if (value.at(keep - 1).isHighSurrogate())
        --keep;
    return value.left(keep) + QStringLiteral("...");
}
