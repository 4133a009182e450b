#include "documents/filechecks.h"

#include "documents/filerules.h"
#include "platform/fileio.h"

#include <QFile>
#include <sys/stat.h>

namespace filechecks {

QString replaceQuestion(const QString &path)
{
    return path + QStringLiteral(" already exists. Do you want to replace it?");
}

bool replacesAnotherFile(const QString &chosen, const QString &written, const QString &ownFile)
{
    if (written == chosen || written == ownFile)
        return false;
    if (fileio::occupantOf(written) == fileio::Occupant::None)
        return false;
    return !fileio::sameFile(written, ownFile);
}

QString otherBackupQuestion(const QString &backup, const QString &origin, const QString &path)
{
    return backup + QStringLiteral(" is the backup of ") + origin + QStringLiteral(". Replace it with the backup of ")
         + path + QStringLiteral("?\nNo saves without making a backup.");
}

QString saveWithoutBackupQuestion(const QString &backup, const QString &reason, const QString &path)
{
    return filerules::cannotCreateMessage(backup, reason) + QStringLiteral("\nSave ") + path
         + QStringLiteral(" without a backup?");
}

bool sideFileNeedsQuestion(const QString &side)
{
    return fileio::occupantOf(side) == fileio::Occupant::Other;
}

bool isNoRegularFile(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode);
}

} // namespace filechecks
