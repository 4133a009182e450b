#pragma once
// Reads back what the program stored in mivor.dvf.
#include "settings/settingscodec.h"
#include "settings/settingsstore.h"
#include "support/tempconfig.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

// Decodes mivor.dvf and returns its lines, removing the plain file again.
inline QStringList storedLines(const QString &appFolder)
{
    const QString name = DecodeSettingsFile(appFolder + QStringLiteral("mivor.dvf"), SettingsKey).value;
    EXPECT_EQ(name, QStringLiteral("mivor.ini"));
    const QByteArray bytes = TempConfig::read(appFolder + name);
    QFile::remove(appFolder + name);
    return splitSettingsText(bytes);
}
