#include "platform/smallfile.h"

#include <QFile>
#include <QFileInfo>

fileio::FileRead readSmallFile(const QString &path)
{
    fileio::FileRead r;
    const auto cannotOpen = [&r, &path](const QString &reason) {
        r.ok = false;
        r.message = QStringLiteral("Cannot open file ") + path + (reason.isEmpty() ? QString() : ": " + reason);
        return r;
    };
    const auto tooLarge = [&r, &path] {
        r.ok = false;
        r.tooLarge = true;
        r.message = tooLargeMessage(path);
        return r;
    };
    const QFileInfo info(path);
    if (!info.isFile())
        return cannotOpen(QString());
    if (info.size() > MaxSmallFileBytes)
        return tooLarge();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return cannotOpen(file.errorString());
    // The file may have grown since it was looked at: read one byte past the
    // limit to notice.
    QByteArray bytes = file.read(MaxSmallFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return cannotOpen(file.errorString());
    if (bytes.size() > MaxSmallFileBytes)
        return tooLarge();
    r.ok = true;
    r.value = std::move(bytes);
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
