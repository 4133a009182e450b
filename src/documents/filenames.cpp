#include "documents/filenames.h"

namespace names {

QString lowerAscii(const QString &s)
{
    QString out = s;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t c = out.at(i).unicode();
        if (c >= u'A' && c <= u'Z')
            out[i] = QChar(char16_t(c + 32));
    }
    return out;
}

QString folderPart(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString extensionOf(const QString &path)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString baseNameOf(const QString &path)
{
    const QString name = fileNamePart(path);
    return name.left(name.size() - extensionOf(name).size());
}

QString withExtension(const QString &path, const QString &newExt)
{
    return path.left(path.size() - extensionOf(path).size()) + newExt;
}

QString backupNameFor(const QString &caption)
{
    return folderPart(caption) + lowerAscii(baseNameOf(caption)) + QStringLiteral(".bak");
}

QString autosaveNameFor(const QString &caption)
{
    return folderPart(caption) + QStringLiteral("autosave_") + lowerAscii(baseNameOf(caption))
         + QStringLiteral(".tmp");
}

QString saveAsPath(const QString &chosen)
{
    return folderPart(chosen) + lowerAscii(fileNamePart(chosen));
}

QString StripAmpersands(const QString &text)
{
    QString out = text;
    out.remove(QLatin1Char('&'));
    return out;
}

} // namespace names
