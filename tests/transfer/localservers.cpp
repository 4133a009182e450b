#include "localservers.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTcpServer>

LocalServer::LocalServer(const QString &mode, const QStringList &args)
    : process_(std::make_unique<QProcess>())
{
    process_->setProcessChannelMode(QProcess::SeparateChannels);
    process_->start(QStringLiteral("/usr/bin/python3"),
                    QStringList{QStringLiteral(MIVOR_TRANSFER_TEST_DIR "/servers.py"), mode} + args);
    if (!process_->waitForStarted(5000)) {
        error_ = QStringLiteral("cannot start /usr/bin/python3");
        return;
    }
    QDeadlineTimer deadline(10000);
    while (!process_->canReadLine() && !deadline.hasExpired()
           && process_->state() == QProcess::Running)
        process_->waitForReadyRead(200);
    const QByteArray line = process_->readLine().trimmed();
    port_ = line.toInt();
    if (port_ <= 0)
        error_ = QString::fromUtf8(process_->readAllStandardError());
}

LocalServer::~LocalServer()
{
    kill();
}

void LocalServer::kill()
{
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(5000);
    }
}

int unusedPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const int port = s.serverPort();
    s.close();
    return port;
}

QString makeTestCertificate(const QString &folder)
{
    const QString pem = folder + QStringLiteral("/cert.pem");
    const QString key = folder + QStringLiteral("/key.pem");
    QProcess p;
    p.start(QStringLiteral("openssl"),
            {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
             QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
             QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
             QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1"),
             QStringLiteral("-keyout"), key, QStringLiteral("-out"), pem});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QFile out(pem);
    if (!out.open(QIODevice::Append))
        return {};
    out.write(readFile(key));
    return pem;
}

QByteArray patternBytes(qsizetype n, int seed)
{
    QByteArray b(n, Qt::Uninitialized);
    quint32 x = 2463534242u + quint32(seed);
    for (qsizetype i = 0; i < n; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b[i] = char(x);
    }
    return b;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
