#pragma once
// A temporary folder for one test, with XDG_CONFIG_HOME pointed into it so
// the program's settings folder lies inside. Restores the old value after.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempConfig {
public:
    TempConfig();
    ~TempConfig();
    TempConfig(const TempConfig &) = delete;
    TempConfig &operator=(const TempConfig &) = delete;

    // The test's own folder, ending in "/".
    QString path() const;
    // The program's settings folder inside it, ending in "/".
    QString appFolder() const;
    // Writes bytes to path() + name and returns the full path.
    QString write(const QString &name, const QByteArray &bytes) const;
    // Reads path or returns an empty array.
    static QByteArray read(const QString &fullPath);

private:
    QTemporaryDir dir_;
    QByteArray oldValue_;
};
