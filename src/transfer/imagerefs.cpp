#include "transfer/imagerefs.h"

#include "transfer/ftplogic.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace transfer {

namespace {

char16_t foldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

QString asciiLower(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = QChar(foldAscii(c.unicode()));
    return out;
}

// "http:", "mailto:", "data:" ... : two letters at least, so that a drive
// letter ("c:\pics") still reads as a name.
bool namesAScheme(const QString &reference)
{
    if (reference.startsWith(QLatin1String("//")))
        return true;
    const qsizetype colon = reference.indexOf(QLatin1Char(':'));
    if (colon < 2)
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const char16_t c = reference.at(i).unicode();
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        const bool other = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
        if (!letter && !(i > 0 && other))
            return false;
    }
    return true;
}

bool isInside(const QString &path, const QString &folder)
{
    return path.startsWith(folder) && path.size() > folder.size()
        && (folder.endsWith(QLatin1Char('/')) || path.at(folder.size()) == QLatin1Char('/'));
}

ReferenceTarget refused(const QString &why)
{
    ReferenceTarget t;
    t.refusal = why;
    return t;
}

} // namespace

int compareAsciiFolded(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = foldAscii(a.at(i).unicode());
        const char16_t y = foldAscii(b.at(i).unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

QStringList scanImageReferences(const QString &text)
{
    static const QString kSrc = QStringLiteral("src=");
    static const QString kBackground = QStringLiteral("background=");
    const QString t = asciiLower(text);
    const qsizetype n = t.size();
    QStringList found;
    qsizetype srcAt = 0, bgAt = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = t[i];
        srcAt = c == kSrc[srcAt] ? srcAt + 1 : 0;
        bgAt = c == kBackground[bgAt] ? bgAt + 1 : 0;
        if (srcAt < kSrc.size() && bgAt < kBackground.size()) {
            ++i;
            continue;
        }
        srcAt = bgAt = 0;
        QString value;
        qsizetype j = i + 1;
        bool complete = false;
        for (; j < n; ++j) {
            if (t[j] != QLatin1Char('"'))
                value += t[j];
            const bool atEnd = j + 1 >= n;
            const bool stop = atEnd || t[j + 1] == QLatin1Char(' ') || t[j + 1] == QLatin1Char('>');
            if (stop && value.contains(QLatin1Char('.'))) {
                complete = true;
                break;
            }
        }
        if (complete)
            found << value;
        i = j + 1;
    }
    std::sort(found.begin(), found.end(),
              [](const QString &a, const QString &b) { return compareAsciiFolded(a, b) < 0; });
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

ReferenceTarget resolveReference(const QString &reference, const QString &pageFolder)
{
    if (namesAScheme(reference))
        return refused(QStringLiteral("a web address, not a file of the page"));
    if (pageFolder.isEmpty())
        return refused(QStringLiteral("the page is not saved, so its files have no folder"));
    if (reference.contains(QChar(0)))
        return refused(QStringLiteral("not a file name"));

    const QString folder = QDir::cleanPath(QDir(pageFolder).absolutePath());
    const QString lexical = QDir::cleanPath(QDir::isAbsolutePath(reference) ? reference
                                                                            : folder + QLatin1Char('/') + reference);
    if (!isInside(lexical, folder))
        return refused(QStringLiteral("outside the page's folder"));
    const QString relative = lexical.mid(folder.size() + (folder.endsWith(QLatin1Char('/')) ? 0 : 1));

    // The lexical path may still leave the tree through a link on the way.
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    const QFileInfo target(lexical);
    QString local = lexical;
    if (target.exists()) {
        local = target.canonicalFilePath();
        if (realFolder.isEmpty() || !isInside(local, realFolder))
            return refused(QStringLiteral("a link that leads outside the page's folder"));
        if (!QFileInfo(local).isFile())
            return refused(QStringLiteral("not a regular file"));
    } else if (target.isSymLink()) {
        return refused(QStringLiteral("a link to nothing"));
    }

    ReferenceTarget t;
    t.localFile = local;
    // Whatever stood before a '\' or ':' goes, as for the page's own upload
    // name. What remains may begin with "/" or hold a ".." of its own
    // ("x:../y" leaves "../y"): it would leave the chosen server folder.
    QString remote = remoteNameOf(relative);
    while (remote.startsWith(QLatin1Char('/')))
        remote.remove(0, 1);
    const QStringList steps = remote.split(QLatin1Char('/'));
    if (remote.isEmpty() || steps.contains(QStringLiteral("..")) || steps.contains(QStringLiteral("."))
        || steps.contains(QString()))
        return refused(QStringLiteral("not a file name"));
    t.remoteName = remote;
    return t;
}

} // namespace transfer
