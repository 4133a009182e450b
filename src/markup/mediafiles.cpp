#include "markup/mediafiles.h"

#include "documents/textfile.h"
#include "markup/linkmedia.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace markup {

QSize previewSize(const QSize &picture, const QSize &area)
{
    if (picture.isEmpty() || area.isEmpty())
        return QSize(0, 0);
    if (picture.width() <= area.width() && picture.height() <= area.height())
        return picture;
    const QSize fitted = picture.scaled(area, Qt::KeepAspectRatio);
    return QSize(qMax(1, fitted.width()), qMax(1, fitted.height()));
}

QString imageRefFor(const QString &imagePath, bool absoluteAddress)
{
    return absoluteAddress ? imagePath : fileNamePart(imagePath);
}

QString copyTargetFor(const QString &imagePath, const QString &documentFolder,
                      const QString &currentFolder)
{
    QString folder = documentFolder.isEmpty() ? currentFolder : documentFolder;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + fileNamePart(imagePath);
}

Result copyPicture(const QString &imagePath, const QString &target)
{
    // A missing choice would otherwise "copy" the folder itself.
    if (imagePath.isEmpty())
        return Result::failure(QStringLiteral("Cannot open file ") + imagePath);
    switch (textfile::copyFile(imagePath, target).failed) {
    case textfile::CopyFailed::Nothing: return Result::success();
    case textfile::CopyFailed::Source: return Result::failure(QStringLiteral("Cannot open file ") + imagePath);
    case textfile::CopyFailed::Target: break;
    }
    return Result::failure(QStringLiteral("Cannot create file ") + target);
}

namespace {
QString errnoMessage(int code)
{
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("File not found");
    case EACCES:
    case EPERM:
    case EISDIR:
        return QStringLiteral("File access denied");
    default:
        return QStringLiteral("I/O error %1").arg(code);
    }
}
}

ResultOf<qint64> pictureFileSize(const QString &path)
{
    using R = ResultOf<qint64>;
    if (path.isEmpty())
        return R::failure(errnoMessage(ENOENT), -1);
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return R::failure(errnoMessage(errno), -1);
    struct stat st {};
    R out = R::success(-1);
    if (::fstat(fd, &st) != 0)
        out = R::failure(errnoMessage(errno), -1);
    else if (S_ISDIR(st.st_mode))
        out = R::failure(errnoMessage(EISDIR), -1);   // a folder is no picture file
    else
        out.value = st.st_size;
    ::close(fd);
    return out;
}

ImageCommandText imageCommandText(const QString &imageRef, const QString &imagePath)
{
    const ResultOf<qint64> size = pictureFileSize(imagePath);
    if (!size)
        return {QString(), size.message};
    return {imageTag(imageRef, size.value), QString()};
}

QString scriptFileText(const QString &editorText)
{
    QString text = textfile::normalizeLineBreaks(editorText);
    if (!text.isEmpty() && !text.endsWith(QLatin1String("\r\n")))
        text += QLatin1String("\r\n");
    return text;
}

QStringList directScriptPieces(const QString &script)
{
    return {QStringLiteral("<SCRIPT Language=\"javascript\">\r\n"), script, QStringLiteral("</SCRIPT>")};
}

} // namespace markup
