#include "settings/settingscodec.h"

#include "documents/filenames.h"
#include "platform/fileio.h"
#include "platform/smallfile.h"

namespace {

constexpr qsizetype kChunk = 16385;
constexpr qsizetype kMaxStoredPath = 255;

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

// Reads and unscrambles a settings file, bounded in size.
OwnSettingsRead<Unscrambled> unpack(const QString &scrambledPath, quint16 key)
{
    OwnSettingsRead<Unscrambled> read;
    auto fail = [&read](const QString &message, bool damaged) {
        read.ok = false;
        read.message = message;
        read.damaged = damaged;
        return read;
    };
    const fileio::FileRead scrambled = readSmallFile(scrambledPath);
    if (!scrambled)
        return scrambled.tooLarge ? fail(scrambled.message, true) : fail(cannotOpen(scrambledPath), false);
    ResultOf<Unscrambled> r = unscrambleSettings(scrambled.value, key);
    if (!r)
        return fail(QStringLiteral("%1: %2").arg(scrambledPath, r.message), true);
    read.value = std::move(r.value);
    return read;
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

ResultOf<Unscrambled> unscrambleSettings(const QByteArray &scrambled, quint16 key)
{
    using R = ResultOf<Unscrambled>;
    if (scrambled.isEmpty())
        return R::failure(QStringLiteral("The settings file is empty"));
    const qsizetype n = uchar(scrambled.at(0));
    if (scrambled.size() < 1 + n)
        return R::failure(QStringLiteral("The settings file is too short for its header"));
    const char lo = char(key % 256);
    QByteArray path = scrambled.mid(1, n);
    for (char &c : path)
        c ^= lo;
    return R::success({path, scrambleBody(scrambled.mid(1 + n), key)});
}

ResultOf<SettingsContent> DecodeSettingsFile(const QString &scrambledPath, quint16 key)
{
    const OwnSettingsRead<Unscrambled> unpacked = unpack(scrambledPath, key);
    if (!unpacked)
        return ResultOf<SettingsContent>::failure(unpacked.message);
    const QByteArray &stored = unpacked.value.storedPath;
    const QByteArray &plain = unpacked.value.plain;
    const QByteArray nameBytes = storedFileName(stored);
    const QString name = QString::fromUtf8(nameBytes);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || nameBytes.contains('\0')) {
        return ResultOf<SettingsContent>::failure(
            QStringLiteral("%1: the stored file name \"%2\" is not usable")
                .arg(scrambledPath, shortenedForMessage(QString::fromUtf8(stored))));
    }
    return ResultOf<SettingsContent>::success(SettingsContent{name, plain});
}

OwnSettingsRead<QByteArray> DecodeOwnSettingsFile(const QString &scrambledPath, const QString &plainName,
                                                  quint16 key)
{
    OwnSettingsRead<Unscrambled> unpacked = unpack(scrambledPath, key);
    OwnSettingsRead<QByteArray> decoded;
    if (!unpacked) {
        decoded.ok = false;
        decoded.message = unpacked.message;
        decoded.damaged = unpacked.damaged;
    } else if (const QByteArray name = storedFileName(unpacked.value.storedPath); name != plainName.toUtf8()) {
        decoded.ok = false;
        decoded.message = QStringLiteral("%1 is damaged: it holds the file \"%2\", not %3")
                              .arg(scrambledPath, shortenedForMessage(QString::fromUtf8(name)), plainName);
        decoded.damaged = true;
    } else {
        decoded.value = std::move(unpacked.value.plain);
    }
    return decoded;
}

Result EncodeSettingsFile(const QString &plainPath, const QByteArray &plain, quint16 key)
{
    if (plainPath.toUtf8().size() > kMaxStoredPath) {
        return Result::failure(QStringLiteral("The path %1 is longer than 255 bytes and cannot be stored "
                                              "in a settings file").arg(plainPath));
    }
    const QString target = names::withExtension(plainPath, QStringLiteral(".dvf"));
    if (target == plainPath)
        return Result::failure(QStringLiteral("%1 is already a scrambled settings file").arg(plainPath));
    fileio::WriteOptions options;
    options.sideFile = true;   // a link planted at the name is replaced, never followed
    options.ownerOnly = true;
    if (!fileio::writeFile(target, scrambleSettings(plain, plainPath, key), options))
        return Result::failure(cannotCreate(target));
    return Result::success();
}
