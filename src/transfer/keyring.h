#pragma once
// FTP passwords in the desktop's keyring (the Secret Service that GNOME
// Keyring, KeePassXC and KWallet offer on the session bus), so that they do
// not lie in a file at all. FTPData.dvf then keeps every other field, and an
// empty password line in place of each password: a line Keep never writes
// itself, since it refuses a row without a password.
#include "transfer/ftpdata.h"

#include <QString>
#include <functional>

namespace transfer {

class Keyring {
public:
    virtual ~Keyring() = default;
    // A keyring answers, or can be started, on the session bus. Asked without
    // connecting when there is no session bus at all.
    virtual bool reachable() = 0;
    // Each call answers once through `done`, on the interface thread, after
    // it returns.
    using ReadDone = std::function<void(bool ok, const QString &password, const QString &error)>;
    using Done = std::function<void(bool ok, const QString &error)>;
    virtual void read(const QString &key, ReadDone done) = 0;
    virtual void write(const QString &key, const QString &password, Done done) = 0;
    virtual void remove(const QString &key, Done done) = 0;
};

// The desktop's keyring, under the service name "Mivor".
Keyring &desktopKeyring();

// The name a server entry's password is kept under: "user@server (FTP)".
QString passwordKey(const FtpServerEntry &entry);

// The password line that sends the reader to the keyring.
inline bool isKeyringMarker(const QString &passwordLine)
{
    return passwordLine.isEmpty();
}

// The lines of FTPData.ini (server, user, password per entry) with every
// password replaced by the keyring's marker.
QStringList withKeyringMarkers(const QStringList &lines);

} // namespace transfer
