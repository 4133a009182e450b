#include "app/ftpdatastore.h"

#include "settings/settingscodec.h"
#include "settings/settingsstore.h"
#include "documents/textfile.h"

#include <QDir>
#include <QFile>

namespace {

const QString kPlainName = QStringLiteral("FTPData.ini");
const QString kScrambledName = QStringLiteral("FTPData.dvf");

} // namespace

transfer::FtpDataRead loadFtpDataFile(const QString &appFolder)
{
    transfer::FtpDataRead result;
    const QString scrambled = appFolder + kScrambledName;
    if (!QFile::exists(scrambled))
        return result;
    QByteArray bytes;
    if (!textfile::readBytes(scrambled, bytes)) {
        result.message = QStringLiteral("Cannot open file %1").arg(scrambled);
        return result;
    }
    // Decoding writes under the name stored in the header; anything but
    // FTPData.ini could overwrite another file of the folder.
    QByteArray storedPath, plain;
    QString why;
    const QString damaged = QStringLiteral("%1 is damaged; the FTP server details could not be read").arg(scrambled);
    if (!unscrambleSettings(bytes, SettingsKey, storedPath, plain, &why)) {
        result.message = damaged;
        return result;
    }
    const qsizetype cut = std::max(storedPath.lastIndexOf('/'), storedPath.lastIndexOf('\\'));
    if (storedPath.mid(cut + 1) != kPlainName.toUtf8()) {
        result.message = damaged;
        return result;
    }
    const QString name = DecodeSettingsFile(scrambled, SettingsKey, &why);
    if (name.isEmpty()) {
        result.message = why;
        return result;
    }
    const QString plainPath = appFolder + name;
    const Result read = readSettingsFile(plainPath, result.lines);
    removeWithRetries(plainPath);
    if (!read) {
        result.lines.clear();
        result.message = read.message;
        return result;
    }
    result.ok = true;
    return result;
}

Result saveFtpDataFile(const QString &appFolder, const QStringList &lines)
{
    QDir().mkpath(appFolder);
    const QString plain = appFolder + kPlainName;
    const Result written = writeSettingsAndScramble(plain, lines);
    removeWithRetries(plain);
    return written;
}
