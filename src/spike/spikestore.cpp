#include "spike/spikestore.h"

#include "settings/settingsstore.h"
#include "documents/textfile.h"
#include "spike/spikeclips.h"

#include <QFile>

namespace {

const QString kPlainName = QStringLiteral("spike.ini");
const QString kScrambledName = QStringLiteral("spike.dvf");
const QString kDamagedSuffix = QStringLiteral(".damaged");

} // namespace

ResultOf<QStringList> loadSpikeClips(const QString &appFolder)
{
    const QString scrambled = appFolder + kScrambledName;
    if (!QFile::exists(scrambled))
        return {};

    // Only a file that stores spike.ini is decoded: any other stored name
    // would let a damaged or foreign file overwrite another file of the
    // folder (mivor.ini, the ignore list).
    const OwnSettingsRead<QStringList> lines = readScrambledLines(scrambled, kPlainName);
    if (!lines) {
        // Keep the unreadable file's bytes: the next save replaces spike.dvf.
        if (lines.damaged)
            textfile::copyFile(scrambled, scrambled + kDamagedSuffix);
        return lines;
    }
    return ResultOf<QStringList>::success(spike::clipsFromStoredLines(lines.value));
}

Result saveSpikeClips(const QString &appFolder, const QStringList &clips)
{
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
    return storeScrambledLines(appFolder, kPlainName, lines);
}
