#include "app/startoptions.h"

#include "app/settingscodec.h"
#include "app/settingsstore.h"

#include <QDir>
#include <QFile>

namespace {

const QString kPlainName = QStringLiteral("start.ini");
const QString kScrambledName = QStringLiteral("start.dvf");

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

StartOptions parseStartOptions(const QStringList &arguments)
{
    StartOptions options;
    qsizetype i = 0;
    for (; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QLatin1String("--no-splash")) {
            options.noSplash = true;
        } else if (arg == QLatin1String("--files")) {
            options.eachArgumentAFile = true;
        } else if (arg == QLatin1String("--")) {
            ++i;
            break;
        } else {
            break;
        }
    }
    options.fileArguments = arguments.mid(i);
    return options;
}

bool splashAtStart(const StartOptions &options, bool showSplashSetting)
{
    return showSplashSetting && !options.noSplash;
}

bool readShowSplash(const QString &appFolder, QString *error)
{
    const QString scrambled = appFolder + kScrambledName;
    if (!QFile::exists(scrambled))
        return true;
    QString why;
    const QString plain = DecodeOwnSettingsFile(scrambled, kPlainName, SettingsKey, &why);
    if (plain.isEmpty()) {
        setError(error, why);
        return true;
    }
    QStringList lines;
    const bool read = readSettingsFile(plain, lines, &why);
    removeWithRetries(plain);
    if (!read) {
        setError(error, why);
        return true;
    }
    return !lines.isEmpty() && lines.first() == QLatin1String("true");
}

bool writeShowSplash(const QString &appFolder, bool show, QString *error)
{
    QDir().mkpath(appFolder);
    const QString plain = appFolder + kPlainName;
    const QStringList lines{show ? QStringLiteral("true") : QStringLiteral("false")};
    const bool ok = writeSettingsFile(plain, lines, error) && EncodeSettingsFile(plain, SettingsKey, error);
    removeWithRetries(plain);
    return ok;
}
