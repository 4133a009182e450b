#include "app/ftpdatastore.h"

#include "platform/smallfile.h"
#include "settings/settingsstore.h"

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
    const OwnSettingsRead<QStringList> lines = readScrambledLines(scrambled, kPlainName);
    if (lines)
        return Read::success(lines.value);
    // Too large says so; any other damage gets the FTP wording.
    if (lines.damaged && lines.message != tooLargeMessage(scrambled))
        return Read::failure(QStringLiteral("%1 is damaged; the FTP server details could not be read").arg(scrambled));
    return Read::failure(lines.message);
}

Result saveFtpDataFile(const QString &appFolder, const QStringList &lines)
{
    return storeScrambledLines(appFolder, kPlainName, lines);
}
