#include "app/spikestore.h"

#include "app/settingscodec.h"
#include "app/settingsstore.h"
#include "documents/textfile.h"
#include "spike/spikeclips.h"

#include <QDir>
#include <QFile>

namespace {

const QString kPlainName = QStringLiteral("spike.ini");
const QString kScrambledName = QStringLiteral("spike.dvf");
const QString kDamagedSuffix = QStringLiteral(".damaged");

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// The file-name part of a stored path; files written elsewhere may use '\'.
QByteArray storedFileName(const QByteArray &storedPath)
{
    const qsizetype cut = std::max(storedPath.lastIndexOf('/'), storedPath.lastIndexOf('\\'));
    return storedPath.mid(cut + 1);
}

QStringList failLoad(const QString &scrambled, const QString &message, QString *error)
{
    // Keep the unreadable file's bytes: the next save replaces spike.dvf.
    textfile::copyFile(scrambled, scrambled + kDamagedSuffix);
    setError(error, message);
    return {};
}

} // namespace

QStringList loadSpikeClips(const QString &appFolder, QString *error)
{
    const QString scrambled = appFolder + kScrambledName;
    if (!QFile::exists(scrambled))
        return {};

    // Decoding writes the plain file under the name stored inside the file.
    // Any name but spike.ini would let a damaged or foreign file overwrite
    // another file of the folder (mivor.ini, the ignore list), so the header
    // is checked before anything is written.
    QByteArray bytes;
    if (!textfile::readBytes(scrambled, bytes)) {
        setError(error, QStringLiteral("Cannot open file %1").arg(scrambled));
        return {};
    }
    QByteArray storedPath, plainBytes;
    QString why;
    if (!unscrambleSettings(bytes, SettingsKey, storedPath, plainBytes, &why))
        return failLoad(scrambled, QStringLiteral("%1: %2").arg(scrambled, why), error);
    if (storedFileName(storedPath) != kPlainName.toUtf8())
        return failLoad(scrambled,
                        QStringLiteral("%1 is damaged: it does not hold the spike's clips")
                            .arg(scrambled),
                        error);

    const QString name = DecodeSettingsFile(scrambled, SettingsKey, &why);
    if (name.isEmpty()) {
        setError(error, why);
        return {};
    }
    const QString plain = appFolder + name;
    QStringList lines;
    const bool read = readSettingsFile(plain, lines, &why);
    removeWithRetries(plain);
    if (!read) {
        setError(error, why);
        return {};
    }
    return spike::clipsFromStoredLines(lines);
}

bool saveSpikeClips(const QString &appFolder, const QStringList &clips, QString *error)
{
    QDir().mkpath(appFolder);
    const QString plain = appFolder + kPlainName;
    // A clip never holds a line break; should one slip in, it is stored as
    // the lines it holds rather than breaking the one-clip-a-line layout.
    QStringList lines;
    for (const QString &clip : clips) {
        const QStringList parts = spike::splitIntoClips(clip);
        if (parts.isEmpty())
            lines << QString();
        else
            lines << parts;
    }
    const bool ok = writeSettingsFile(plain, lines, error)
                 && EncodeSettingsFile(plain, SettingsKey, error);
    removeWithRetries(plain);
    return ok;
}
