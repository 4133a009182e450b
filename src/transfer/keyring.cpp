#include "transfer/keyring.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QFileInfo>
#include <qt6keychain/keychain.h>

namespace transfer {

namespace {

const QString kService = QStringLiteral("Mivor");
const QString kSecretService = QStringLiteral("org.freedesktop.secrets");

// No address and no bus socket: connecting would only try to start one.
bool sessionBusConfigured()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

class SecretService : public Keyring {
public:
    bool reachable() override
    {
        if (!sessionBusConfigured())
            return false;
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.interface())
            return false;
        QDBusConnectionInterface *names = bus.interface();
        if (names->isServiceRegistered(kSecretService))
            return true;
        const QDBusReply<QStringList> startable = names->call(QStringLiteral("ListActivatableNames"));
        return startable.isValid() && startable.value().contains(kSecretService);
    }

    void read(const QString &key, ReadDone done) override
    {
        auto *job = new QKeychain::ReadPasswordJob(kService);
        job->setKey(key);
        QObject::connect(job, &QKeychain::Job::finished, job, [done](QKeychain::Job *j) {
            auto *r = static_cast<QKeychain::ReadPasswordJob *>(j);
            done(r->error() == QKeychain::NoError, r->textData(), r->errorString());
        });
        job->start();
    }

    void write(const QString &key, const QString &password, Done done) override
    {
        auto *job = new QKeychain::WritePasswordJob(kService);
        job->setKey(key);
        job->setTextData(password);
        QObject::connect(job, &QKeychain::Job::finished, job, [done](QKeychain::Job *j) {
            done(j->error() == QKeychain::NoError, j->errorString());
        });
        job->start();
    }

    void remove(const QString &key, Done done) override
    {
        auto *job = new QKeychain::DeletePasswordJob(kService);
        job->setKey(key);
        QObject::connect(job, &QKeychain::Job::finished, job, [done](QKeychain::Job *j) {
            // Nothing kept under the name is what removing wants, too.
            done(j->error() == QKeychain::NoError || j->error() == QKeychain::EntryNotFound, j->errorString());
        });
        job->start();
    }
};

} // namespace

Keyring &desktopKeyring()
{
    static SecretService keyring;
    return keyring;
}

QString passwordKey(const FtpServerEntry &entry)
{
    return entry.UserName + QLatin1Char('@') + entry.Server + QStringLiteral(" (FTP)");
}

QStringList withKeyringMarkers(const QStringList &lines)
{
    QStringList out = lines;
    for (qsizetype k = 2; k < out.size(); k += 3)
        out[k].clear();
    return out;
}

} // namespace transfer
