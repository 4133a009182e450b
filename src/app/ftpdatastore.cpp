#include "app/ftpdatastore.h"

#include "settings/settingscodec.h"
#include "settings/settingsstore.h"
#include "documents/textfile.h"

#include <QFile>

namespace {

const QString kPlainName = QStringLiteral("FTPData.ini");
const QString kScrambledName = QStringLiteral("FTPData.dvf");

} // namespace

transfer::FtpDataRead loadFtpDataFile(const QString &appFolder)
{
    using Read = transfer::FtpDataRead;
    const QString scrambled = appFolder + kScrambledName;
    if (!QFile::exists(scrambled))
        return Read::failure(QString());
    QByteArray bytes;
    if (!textfile::readBytes(scrambled, bytes))
        return Read::failure(QStringLiteral("Cannot open file %1").arg(scrambled));
    // Decoding writes under the name stored in the header; anything but
    // FTPData.ini could overwrite another file of the folder.
    QByteArray storedPath, plain;
    const QString damaged = QStringLiteral("%1 is damaged; the FTP server details could not be read").arg(scrambled);
    if (!unscrambleSettings(bytes, SettingsKey, storedPath, plain))
        return Read::failure(damaged);
    const qsizetype cut = std::max(storedPath.lastIndexOf('/'), storedPath.lastIndexOf('\\'));
    if (storedPath.mid(cut + 1) != kPlainName.toUtf8())
        return Read::failure(damaged);
    const ResultOf<QString> name = DecodeSettingsFile(scrambled, SettingsKey);
    if (!name)
        return Read::failure(name.message);
    const QString plainPath = appFolder + name.value;
    QStringList lines;
    const Result read = readSettingsFile(plainPath, lines);
    removeWithRetries(plainPath);
    if (!read)
        return Read::failure(read.message);
    return Read::success(lines);
}

Result saveFtpDataFile(const QString &appFolder, const QStringList &lines)
{
    return storeScrambledLines(appFolder, kPlainName, lines);
}
