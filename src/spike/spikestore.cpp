#include "spike/spikestore.h"

#include "settings/settingscodec.h"
#include "settings/settingsstore.h"
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

    // Only a file that stores spike.ini is decoded: any other stored name
    // would let a damaged or foreign file overwrite another file of the
    // folder (mivor.ini, the ignore list).
    QString why;
    bool damaged = false;
    const QString plain = DecodeOwnSettingsFile(scrambled, kPlainName, SettingsKey, &why, &damaged);
    if (plain.isEmpty()) {
        if (damaged)
            return failLoad(scrambled, why, error);
        setError(error, why);
        return {};
    }
    QStringList lines;
    const Result read = readSettingsFile(plain, lines);
    removeWithRetries(plain);
    if (!read) {
        setError(error, read.message);
        return {};
    }
    return spike::clipsFromStoredLines(lines);
}

Result saveSpikeClips(const QString &appFolder, const QStringList &clips)
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
    const Result written = writeSettingsAndScramble(plain, lines);
    removeWithRetries(plain);
    return written;
}
