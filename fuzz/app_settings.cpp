// Feeds arbitrary bytes to the settings codec and line reader, and, as
// mivor.dvf and spike.dvf in a private folder, to the start-up and exit
// routines. Whatever the bytes: no other file of the folder is written or
// removed, no plain file is left behind, the file written at exit reads back
// without a message, and the spike's clips survive a save and a load.
#include "settings/settingscodec.h"
#include "settings/settingsstore.h"
#include "spike/spikestore.h"
#include "fuzzsupport.h"

#include <QDir>
#include <QFile>

using fuzzsupport::readFile;
using fuzzsupport::scratchFolder;
using fuzzsupport::writeFile;

namespace {

const QByteArray Sentinel("words the user keeps\r\n");
const QStringList Installed{QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")};

void checkFolderHolds(const QString &folder, const QStringList &expected)
{
    if (QDir(folder).entryList(QDir::Files, QDir::Name) != expected)
        abort();
    if (readFile(folder + QStringLiteral("ignore.lst")) != Sentinel)
        abort();
}

void codec(const QByteArray &bytes)
{
    if (const ResultOf<Unscrambled> r = unscrambleSettings(bytes, SettingsKey)) {
        const QByteArray &stored = r.value.storedPath;
        const QByteArray &plain = r.value.plain;
        // What unscrambles scrambles back to the same bytes.
        const QString path = QString::fromUtf8(stored);
        if (path.toUtf8() == stored && scrambleSettings(plain, path, SettingsKey) != bytes)
            abort();
    }
    readSettingsLines(splitSettingsText(bytes), Installed);
}

void settingsFile(const QString &folder, const QByteArray &bytes)
{
    writeFile(folder + QStringLiteral("mivor.dvf"), bytes);
    const SettingsStart start = readSettingsAtStart(folder, Installed);
    checkFolderHolds(folder, {QStringLiteral("ignore.lst"), QStringLiteral("mivor.dvf")});
    if (!writeSettingsAtClose(folder, start.read.settings, start.read.reopen, Installed))
        abort();
    deletePlainSettings(folder);
    checkFolderHolds(folder, {QStringLiteral("ignore.lst"), QStringLiteral("mivor.dvf")});
    // The exit mends whatever it found: the next start reads it quietly.
    const SettingsStart again = readSettingsAtStart(folder, Installed);
    if (!again.fromFile || !again.read.errors.isEmpty()
        || settingsLines(again.read.settings) != settingsLines(start.read.settings))
        abort();
    QFile::remove(folder + QStringLiteral("mivor.dvf"));
}

void spikeFile(const QString &folder, const QByteArray &bytes)
{
    writeFile(folder + QStringLiteral("spike.dvf"), bytes);
    const QStringList clips = loadSpikeClips(folder).value;
    QFile::remove(folder + QStringLiteral("spike.dvf.damaged"));
    checkFolderHolds(folder, {QStringLiteral("ignore.lst"), QStringLiteral("spike.dvf")});
    if (!saveSpikeClips(folder, clips) || loadSpikeClips(folder).value != clips)
        abort();
    QFile::remove(folder + QStringLiteral("spike.dvf"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    codec(bytes);
    static const QString folder = [] {
        const QString f = scratchFolder() + QStringLiteral("mivor/");
        QDir().mkpath(f);
        writeFile(f + QStringLiteral("ignore.lst"), Sentinel);
        return f;
    }();
    settingsFile(folder, bytes);
    spikeFile(folder, bytes);
    return 0;
}
