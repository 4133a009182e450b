#include "transfer/imagerefs.h"

#include <QDir>
#include <algorithm>

namespace transfer {

namespace {

QString asciiLower(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}

} // namespace

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
    std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

QString localFileOfReference(const QString &reference, const QString &documentFolder)
{
    if (reference.contains(QStringLiteral("://")))
        return {};
    if (QDir::isAbsolutePath(reference))
        return QDir::cleanPath(reference);
    return QDir::cleanPath(QDir(documentFolder).absoluteFilePath(reference));
}

} // namespace transfer
