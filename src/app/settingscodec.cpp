#include "app/settingscodec.h"

#include "documents/filenames.h"
#include "documents/textfile.h"

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
    QByteArray scrambled;
    if (!textfile::readBytes(scrambledPath, scrambled)) {
        setError(error, cannotOpen(scrambledPath));
        return {};
    }
    QByteArray stored, plain;
    QString why;
    if (!unscrambleSettings(scrambled, key, stored, plain, &why)) {
        setError(error, QStringLiteral("%1: %2").arg(scrambledPath, why));
        return {};
    }
    // Only the stored file name is used, never its folder. A file written on
    // another system may use '\' between folders, so both count here.
    const qsizetype cut = std::max(stored.lastIndexOf('/'), stored.lastIndexOf('\\'));
    const QByteArray nameBytes = stored.mid(cut + 1);
    const QString name = QString::fromUtf8(nameBytes);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || nameBytes.contains('\0')) {
        setError(error, QStringLiteral("%1: the stored file name \"%2\" is not usable")
                            .arg(scrambledPath, QString::fromUtf8(stored)));
        return {};
    }
    const QString target = QFileInfo(scrambledPath).absolutePath() + QLatin1Char('/') + name;
    if (!textfile::writeBytes(target, plain, true)) {
        setError(error, cannotCreate(target));
        return {};
    }
    return name;
}

bool EncodeSettingsFile(const QString &plainPath, quint16 key, QString *error)
{
    QByteArray plain;
    if (!textfile::readBytes(plainPath, plain)) {
        setError(error, cannotOpen(plainPath));
        return false;
    }
    if (plainPath.toUtf8().size() > kMaxStoredPath) {
        setError(error, QStringLiteral("The path %1 is longer than 255 bytes and cannot be stored "
                                       "in a settings file").arg(plainPath));
        return false;
    }
    const QString target = names::withExtension(plainPath, QStringLiteral(".dvf"));
    if (target == plainPath) {
        // Encoding a ".dvf" file in place would destroy the plain text it reads.
        setError(error, QStringLiteral("%1 is already a scrambled settings file").arg(plainPath));
        return false;
    }
    if (!textfile::writeBytes(target, scrambleSettings(plain, plainPath, key), true)) {
        setError(error, cannotCreate(target));
        return false;
    }
    return true;
}
