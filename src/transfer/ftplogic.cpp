#include "transfer/ftplogic.h"

#include <QUrl>

namespace transfer {

ServerAddress parseServerName(const QString &name)
{
    ServerAddress a;
    QString rest = name.trimmed();
    const qsizetype sep = rest.indexOf(QStringLiteral("://"));
    if (sep >= 0) {
        const QString scheme = rest.left(sep).toLower();
        rest = rest.mid(sep + 3);
        if (scheme == QLatin1String("ftp")) {
            a.protocol = Protocol::Ftp;
        } else if (scheme == QLatin1String("ftps")) {
            a.protocol = Protocol::FtpExplicitTls;
        } else if (scheme == QLatin1String("sftp")) {
            a.protocol = Protocol::Sftp;
            a.port = 22;
        } else {
            a.problem = QStringLiteral("Unknown protocol \"%1\" in server name %2").arg(scheme, name);
            return a;
        }
        // Only the host and port count; a folder is chosen in the dialog.
        const qsizetype slash = rest.indexOf(QLatin1Char('/'));
        if (slash >= 0)
            rest = rest.left(slash);
    }
    // host, host:port, [IPv6]:port, or a bare IPv6 literal (more than one
    // ':' and no brackets), which cannot carry a port.
    if (rest.startsWith(QLatin1Char('['))) {
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (close < 0) {
            a.problem = QStringLiteral("Server name %1 cannot be read").arg(name);
            return a;
        }
        a.host = rest.mid(1, close - 1);
        rest = rest.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':'))) {
            a.problem = QStringLiteral("Server name %1 cannot be read").arg(name);
            return a;
        }
    } else if (rest.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = rest.indexOf(QLatin1Char(':'));
        a.host = rest.left(colon);
        rest = rest.mid(colon);
    } else {
        a.host = rest;
        rest.clear();
    }
    if (rest.startsWith(QLatin1Char(':'))) {
        bool ok = false;
        const int port = rest.mid(1).toInt(&ok);
        if (!ok || port < 1 || port > 65535) {
            a.problem = QStringLiteral("Server name %1 has no valid port").arg(name);
            return a;
        }
        a.port = port;
    }
    for (QChar c : a.host) {
        if (c.isSpace() || c == QLatin1Char('/') || c == QLatin1Char('@') || c.unicode() < 32) {
            a.problem = QStringLiteral("Server name %1 cannot be read").arg(name);
            return a;
        }
    }
    if (a.host.isEmpty()) {
        a.problem = QStringLiteral("No server name given");
        return a;
    }
    a.valid = true;
    return a;
}

QByteArray buildUrl(const ServerAddress &server, const QString &absolutePath, bool folder)
{
    // Explicit TLS is plain "ftp://" to libcurl with TLS required; its
    // "ftps://" means TLS from the first byte on port 990.
    QByteArray url = server.protocol == Protocol::Sftp ? "sftp://" : "ftp://";
    const QByteArray host = QUrl::toAce(server.host).isEmpty() ? server.host.toUtf8()
                                                                : QUrl::toAce(server.host);
    url += host.contains(':') ? "[" + host + "]" : host;
    url += ':' + QByteArray::number(server.port);
    // "%2F" makes libcurl's first CWD go to the root, so "/" means the
    // server's root as the dialog shows it, not the login folder.
    url += server.protocol == Protocol::Sftp ? "/" : "/%2F";
    const QStringList parts = absolutePath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QByteArrayList encoded;
    for (const QString &p : parts)
        encoded << QUrl::toPercentEncoding(p);
    url += encoded.join('/');
    if (folder && !encoded.isEmpty())
        url += '/';
    return url;
}

QString resolvePath(const QString &current, const QString &path)
{
    QStringList out;
    if (!path.startsWith(QLatin1Char('/')))
        out = current.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("."))
            continue;
        if (step == QLatin1String("..")) {
            if (!out.isEmpty())
                out.removeLast();
            continue;
        }
        out << step;
    }
    return QLatin1Char('/') + out.join(QLatin1Char('/'));
}

QString FolderPart(const QString &path)
{
    if (path.size() < 2)
        return {};
    const qsizetype cut = path.left(path.size() - 1).lastIndexOf(QLatin1Char('/'));
    return cut < 0 ? QString() : path.left(cut + 1);
}

QString remoteNameOf(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':')));
    return path.mid(cut + 1);
}

QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString withReason(const QString &sentence, const QString &reason)
{
    const QString why = reason.trimmed();
    return why.isEmpty() ? sentence : sentence + QLatin1Char('\n') + why;
}

bool safeCommandText(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() == 0)
            return false;
    return true;
}

namespace {

QString decodeName(const QByteArray &bytes)
{
    QString s = QString::fromUtf8(bytes);
    if (s.contains(QChar::ReplacementCharacter) && !bytes.contains("\xEF\xBF\xBD"))
        s = QString::fromLatin1(bytes);
    return s;
}

// Index just past the n-th whitespace-separated field of a line, or -1.
qsizetype afterFields(const QByteArray &line, int n)
{
    qsizetype i = 0;
    const qsizetype len = line.size();
    for (int f = 0; f < n; ++f) {
        while (i < len && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= len)
            return -1;
        while (i < len && line[i] != ' ' && line[i] != '\t')
            ++i;
    }
    // Exactly one separator belongs to the format; more belong to the name.
    if (i < len && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    else
        return -1;
    return i < len ? i : -1;
}

bool isUnixMode(const QByteArray &field)
{
    if (field.size() < 10)
        return false;
    if (!QByteArray("-dlbcps").contains(field[0]))
        return false;
    for (int i = 1; i < 10; ++i)
        if (!QByteArray("rwxsStT-").contains(field[i]))
            return false;
    return true;
}

} // namespace

QList<FolderEntry> parseListing(const QByteArray &listing)
{
    QList<FolderEntry> out;
    for (QByteArray line : listing.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith("total "))
            continue;
        FolderEntry e;
        QByteArray name;
        const QByteArray first = line.left(line.indexOf(' '));
        if (isUnixMode(first)) {
            // mode links owner group size month day time-or-year name; some
            // servers leave out the group, so count from the date backwards.
            qsizetype start = afterFields(line, 8);
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() >= 8) {
                static const QByteArrayList months = {"jan", "feb", "mar", "apr", "may", "jun",
                                                      "jul", "aug", "sep", "oct", "nov", "dec"};
                if (months.contains(fields[4].toLower()) && fields.size() >= 8)
                    start = afterFields(line, 7);
            }
            if (start < 0)
                continue;
            name = line.mid(start);
            e.folder = line[0] == 'd';
            if (line[0] == 'l') {
                const qsizetype arrow = name.indexOf(" -> ");
                if (arrow >= 0)
                    name.truncate(arrow);
            }
        } else {
            // DOS style: "01-31-24  10:15AM       <DIR>          name"
            const qsizetype start = afterFields(line, 3);
            if (start < 0 || !(line.at(0) >= '0' && line.at(0) <= '9'))
                continue;
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() < 4)
                continue;
            e.folder = fields[2] == "<DIR>";
            // The name column is padded; take what follows the third field.
            qsizetype p = line.indexOf(fields[2]) + fields[2].size();
            while (p < line.size() && line[p] == ' ')
                ++p;
            name = line.mid(p);
        }
        if (name.isEmpty() || name == ".")
            continue;
        e.name = decodeName(name);
        out << e;
    }
    return out;
}

QStringList folderListItems(const QList<FolderEntry> &entries)
{
    QString collected;
    for (const FolderEntry &e : entries)
        if (e.folder)
            collected += e.name + QLatin1Char(':');
    QStringList out;
    for (const QString &piece : collected.split(QLatin1Char(':'))) {
        if (piece.isEmpty() || piece == QLatin1String("/...") || piece == QLatin1String("/."))
            continue;
        out << piece;
    }
    return out;
}

} // namespace transfer
