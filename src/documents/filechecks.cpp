#include "documents/filechecks.h"

#include "platform/fileio.h"

#include <QFile>
#include <sys/stat.h>

namespace filechecks {

namespace {

bool sameFile(const QString &a, const QString &b)
{
    struct stat sa, sb;
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0
        && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace

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
    return !sameFile(written, ownFile);
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
