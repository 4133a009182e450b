#include "platform/appfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef MIVOR_SOURCE_RESOURCES
#define MIVOR_SOURCE_RESOURCES ""
#endif

QString appFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    const QString folder = base + QStringLiteral("/mivor/");
    QDir dir(folder);
    if (!dir.exists()) {
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return folder;
}

QString dataFolder()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/../share/mivor")) + QLatin1Char('/');
    if (QFileInfo::exists(installed))
        return installed;
    const QString source = QStringLiteral(MIVOR_SOURCE_RESOURCES);
    if (!source.isEmpty() && QFileInfo::exists(source))
        return QDir::cleanPath(source) + QLatin1Char('/');
    return exeDir + QLatin1Char('/');
}
