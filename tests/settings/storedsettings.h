#pragma once
// Reads back what the program stored in mivor.dvf.
#include "settings/settingscodec.h"
#include "settings/settingsstore.h"
#include "support/tempconfig.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

// Decodes mivor.dvf and returns its lines.
inline QStringList storedLines(const QString &appFolder)
{
    const ResultOf<SettingsContent> stored = DecodeSettingsFile(appFolder + QStringLiteral("mivor.dvf"), SettingsKey);
    EXPECT_EQ(stored.value.name, QStringLiteral("mivor.ini"));
    return splitSettingsText(stored.value.plain);
}
