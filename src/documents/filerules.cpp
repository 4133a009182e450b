#include "documents/filerules.h"

#include "documents/filenames.h"

namespace filerules {

bool isUntitled(const QString &caption)
{
    return caption.startsWith(QLatin1Char('~'));
}

QString saveAsFilter()
{
    return QStringLiteral("Text *.txt|*.txt|HTML *.htm|*.htm|All files *.*|*.*");
}

QString openFilter()
{
    return QStringLiteral("HTML (*.htm, *.html)|*.htm;*html|TEXT (*.txt)|*.txt|All files (*.*)|*.*");
}

SaveAsProposal saveAsProposal(const QString &caption, bool newPage)
{
    const QString ext = names::extensionOf(caption).toUpper();
    if (newPage || ext == QLatin1String(".HTM") || ext == QLatin1String(".HTML"))
        return {2, QStringLiteral("htm")};
    if (ext.isEmpty())
        return {1, QStringLiteral("txt")};
    return {};
}

QString cannotOpenMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot open file ") + path + QStringLiteral(": ") + reason;
}

QString cannotCreateMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot create file ") + path + QStringLiteral(": ") + reason;
}

QStringList droppedFiles(const QList<QUrl> &urls)
{
    QStringList paths;
    for (const QUrl &url : urls) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            paths << url.toLocalFile();
    }
    return paths;
}

} // namespace filerules
