#include "support/tempconfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempConfig::TempConfig() : oldValue_(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", (dir_.path() + QStringLiteral("/config")).toUtf8());
}

TempConfig::~TempConfig()
{
    qputenv("XDG_CONFIG_HOME", oldValue_);
}

QString TempConfig::path() const
{
    return dir_.path() + QLatin1Char('/');
}

QString TempConfig::appFolder() const
{
    return dir_.path() + QStringLiteral("/config/mivor/");
}

QString TempConfig::write(const QString &name, const QByteArray &bytes) const
{
    const QString full = path() + name;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return full;
}

QByteArray TempConfig::read(const QString &fullPath)
{
    QFile f(fullPath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}
