#include "app/session.h"

#include "platform/fileio.h"
#include "platform/smallfile.h"

#include <QFile>

namespace {

const QString kFileName = QStringLiteral("session.lst");
const QByteArray kFirstLine = QByteArrayLiteral("Mivor session 1");

QByteArray flag(bool on)
{
    return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

bool readFlag(QByteArrayView field, bool &on)
{
    if (field != "0" && field != "1")
        return false;
    on = field == "1";
    return true;
}

} // namespace

QByteArray sessionText(const QList<SessionDocument> &documents)
{
    QByteArray out = kFirstLine + "\r\n";
    for (const SessionDocument &d : documents) {
        if (d.path.isEmpty() || d.path.contains(QLatin1Char('\n')) || d.path.contains(QLatin1Char('\r')))
            continue;
        out += QByteArray::number(std::max(d.caret, 0)) + '\t' + flag(d.wrap) + '\t' + flag(d.current) + '\t' +
               d.path.toUtf8() + "\r\n";
    }
    return out;
}

bool parseSession(const QByteArray &bytes, QList<SessionDocument> &documents)
{
    documents.clear();
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (lines.isEmpty() || lines.first() != kFirstLine)
        return false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        // The path comes last, so a tab in it is kept.
        const qsizetype t1 = line.indexOf('\t');
        const qsizetype t2 = t1 < 0 ? -1 : line.indexOf('\t', t1 + 1);
        const qsizetype t3 = t2 < 0 ? -1 : line.indexOf('\t', t2 + 1);
        if (t3 < 0)
            continue;
        SessionDocument d;
        bool number = false;
        d.caret = line.left(t1).toInt(&number);
        if (!number || d.caret < 0)
            continue;
        if (!readFlag(QByteArrayView(line).sliced(t1 + 1, t2 - t1 - 1), d.wrap) ||
            !readFlag(QByteArrayView(line).sliced(t2 + 1, t3 - t2 - 1), d.current))
            continue;
        d.path = QString::fromUtf8(line.mid(t3 + 1));
        if (d.path.isEmpty())
            continue;
        documents.append(d);
    }
    return true;
}

ResultOf<QList<SessionDocument>> readSession(const QString &appFolder)
{
    using R = ResultOf<QList<SessionDocument>>;
    const QString path = appFolder + kFileName;
    if (fileio::occupantOf(path) == fileio::Occupant::None)
        return R::success({});
    const fileio::FileRead bytes = readSmallFile(path);
    if (!bytes)
        return R::failure(bytes.tooLarge ? bytes.message : QStringLiteral("Cannot open file ") + path);
    QList<SessionDocument> documents;
    if (!parseSession(bytes.value, documents))
        return R::failure(path + QStringLiteral(" is not a list of documents and was not read"));
    return R::success(documents);
}

Result writeSession(const QString &appFolder, const QList<SessionDocument> &documents)
{
    const QString path = appFolder + kFileName;
    fileio::WriteOptions options;
    options.sideFile = true;
    options.ownerOnly = true;
    if (!fileio::writeFile(path, sessionText(documents), options))
        return Result::failure(QStringLiteral("Cannot create file ") + path);
    return Result::success();
}

void forgetSession(const QString &appFolder)
{
    const QString path = appFolder + kFileName;
    if (fileio::occupantOf(path) != fileio::Occupant::None && fileio::occupantOf(path) != fileio::Occupant::Folder)
        QFile::remove(path);
}

QString missingDocumentsMessage(const QStringList &paths)
{
    QString text = paths.size() == 1 ? QStringLiteral("This document of the last session no longer exists:")
                                     : QStringLiteral("These documents of the last session no longer exist:");
    for (const QString &p : paths)
        text += QStringLiteral("\n") + p;
    return text;
}
