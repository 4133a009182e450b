#include "platform/smallfile.h"

#include <QFile>
#include <QFileInfo>

SmallFileRead readSmallFile(const QString &path, QByteArray &out)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return SmallFileRead::CannotOpen;
    if (info.size() > MaxSmallFileBytes)
        return SmallFileRead::TooLarge;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return SmallFileRead::CannotOpen;
    // The file may have grown since it was looked at: read one byte past the
    // limit to notice.
    QByteArray bytes = file.read(MaxSmallFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return SmallFileRead::CannotOpen;
    if (bytes.size() > MaxSmallFileBytes)
        return SmallFileRead::TooLarge;
    out = std::move(bytes);
    return SmallFileRead::Ok;
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
