#include "settings/settingscodec.h"

#include "documents/filenames.h"
#include "documents/textfile.h"
#include "platform/smallfile.h"

#include <QFileInfo>

namespace {

constexpr qsizetype kChunk = 16385;
constexpr qsizetype kMaxStoredPath = 255;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString cannotOpen(const QString &path)
{
    return QStringLiteral("Cannot open file %1").arg(path);
}

QString cannotCreate(const QString &path)
{
    return QStringLiteral("Cannot create file %1").arg(path);
}

// The file-name part of a stored path. A file written on another system may
// use '\' between folders, so both count here.
QByteArray storedFileName(const QByteArray &storedPath)
{
    const qsizetype cut = std::max(storedPath.lastIndexOf('/'), storedPath.lastIndexOf('\\'));
    return storedPath.mid(cut + 1);
}

enum class Unpacked { Ok, CannotOpen, Damaged };

// Reads and unscrambles a settings file, bounded in size.
Unpacked unpack(const QString &scrambledPath, quint16 key, QByteArray &storedPath, QByteArray &plain,
                QString *error)
{
    QByteArray scrambled;
    switch (readSmallFile(scrambledPath, scrambled)) {
    case SmallFileRead::CannotOpen:
        setError(error, cannotOpen(scrambledPath));
        return Unpacked::CannotOpen;
    case SmallFileRead::TooLarge:
        setError(error, tooLargeMessage(scrambledPath));
        return Unpacked::Damaged;
    case SmallFileRead::Ok:
        break;
    }
    QString why;
    if (!unscrambleSettings(scrambled, key, storedPath, plain, &why)) {
        setError(error, QStringLiteral("%1: %2").arg(scrambledPath, why));
        return Unpacked::Damaged;
    }
    return Unpacked::Ok;
}

// Writes the plain bytes beside the scrambled file under `name`.
QString writePlain(const QString &scrambledPath, const QString &name, const QByteArray &plain,
                   QString *error)
{
    const QString target = QFileInfo(scrambledPath).absolutePath() + QLatin1Char('/') + name;
    if (!textfile::writeBytes(target, plain, true)) {
        setError(error, cannotCreate(target));
        return {};
    }
    return target;
}

} // namespace

QByteArray scrambleBody(const QByteArray &bytes, quint16 key)
{
    const char hi = char(key / 256);
    const char lo = char(key % 256);
    QByteArray out(bytes.size(), Qt::Uninitialized);
    const char *in = bytes.constData();
    char *o = out.data();
    for (qsizetype k = 0; k < bytes.size(); ++k)
        o[k] = in[k] ^ (((k % kChunk) % 2 == 0) ? hi : lo);
    return out;
}

QByteArray scrambleSettings(const QByteArray &plain, const QString &storedPath, quint16 key)
{
    const QByteArray path = storedPath.toUtf8();
    if (path.size() > kMaxStoredPath)
        return {};
    const char lo = char(key % 256);
    QByteArray out;
    out.reserve(1 + path.size() + plain.size());
    out.append(char(path.size()));
    for (char c : path)
        out.append(char(c ^ lo));
    out.append(scrambleBody(plain, key));
    return out;
}

bool unscrambleSettings(const QByteArray &scrambled, quint16 key, QByteArray &storedPath,
                        QByteArray &plain, QString *error)
{
    if (scrambled.isEmpty()) {
        setError(error, QStringLiteral("The settings file is empty"));
        return false;
    }
    const qsizetype n = uchar(scrambled.at(0));
    if (scrambled.size() < 1 + n) {
        setError(error, QStringLiteral("The settings file is too short for its header"));
        return false;
    }
    const char lo = char(key % 256);
    QByteArray path = scrambled.mid(1, n);
    for (char &c : path)
        c ^= lo;
    storedPath = path;
    plain = scrambleBody(scrambled.mid(1 + n), key);
    return true;
}

QString DecodeSettingsFile(const QString &scrambledPath, quint16 key, QString *error)
{
    QByteArray stored, plain;
    if (unpack(scrambledPath, key, stored, plain, error) != Unpacked::Ok)
        return {};
    // Only the stored file name is used, never its folder.
    const QByteArray nameBytes = storedFileName(stored);
    const QString name = QString::fromUtf8(nameBytes);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || nameBytes.contains('\0')) {
        setError(error, QStringLiteral("%1: the stored file name \"%2\" is not usable")
                            .arg(scrambledPath, shortenedForMessage(QString::fromUtf8(stored))));
        return {};
    }
    return writePlain(scrambledPath, name, plain, error).isEmpty() ? QString() : name;
}

QString DecodeOwnSettingsFile(const QString &scrambledPath, const QString &plainName, quint16 key,
                              QString *error, bool *damaged)
{
    if (damaged)
        *damaged = false;
    QByteArray stored, plain;
    const Unpacked unpacked = unpack(scrambledPath, key, stored, plain, error);
    if (unpacked != Unpacked::Ok) {
        if (damaged)
            *damaged = unpacked == Unpacked::Damaged;
        return {};
    }
    const QByteArray name = storedFileName(stored);
    if (name != plainName.toUtf8()) {
        if (damaged)
            *damaged = true;
        setError(error, QStringLiteral("%1 is damaged: it holds the file \"%2\", not %3")
                            .arg(scrambledPath, shortenedForMessage(QString::fromUtf8(name)), plainName));
        return {};
    }
    return writePlain(scrambledPath, plainName, plain, error);
}

Result EncodeSettingsFile(const QString &plainPath, quint16 key)
{
    QByteArray plain;
    if (!textfile::readBytes(plainPath, plain))
        return Result::failure(cannotOpen(plainPath));
    if (plainPath.toUtf8().size() > kMaxStoredPath) {
        return Result::failure(QStringLiteral("The path %1 is longer than 255 bytes and cannot be stored "
                                              "in a settings file").arg(plainPath));
    }
    const QString target = names::withExtension(plainPath, QStringLiteral(".dvf"));
    if (target == plainPath) {
        // Encoding a ".dvf" file in place would destroy the plain text it reads.
        return Result::failure(QStringLiteral("%1 is already a scrambled settings file").arg(plainPath));
    }
    if (!textfile::writeBytes(target, scrambleSettings(plain, plainPath, key), true))
        return Result::failure(cannotCreate(target));
    return Result::success();
}
