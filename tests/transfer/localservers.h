#pragma once
// Real servers for the transfer tests, started on 127.0.0.1 on a free port
// by tests/transfer/servers.py under Debian's python (where pyftpdlib is
// installed) and killed when the object goes.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class LocalServer {
public:
    // mode "ftp" (args: root user password [certfile]), "http" (root), "silent".
    LocalServer(const QString &mode, const QStringList &args = {});
    ~LocalServer();
    bool running() const { return port_ > 0; }
    int port() const { return port_; }
    QString error() const { return error_; }
    void kill();

private:
    std::unique_ptr<QProcess> process_;
    int port_ = 0;
    QString error_;
};

// A port that nothing listens on (bound once, then released).
int unusedPort();

// A self-signed certificate and key for 127.0.0.1 in one PEM file, made with
// the openssl tool; "" when that is not available.
QString makeTestCertificate(const QString &folder);

// Bytes 0..n-1 of a fixed pattern, so a shifted or cut copy never matches.
QByteArray patternBytes(qsizetype n, int seed = 0);
bool writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);
