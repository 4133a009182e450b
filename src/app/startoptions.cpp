#include "app/startoptions.h"

#include "settings/settingscodec.h"
#include "settings/settingsstore.h"

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
    const Result read = readSettingsFile(plain, lines);
    removeWithRetries(plain);
    if (!read) {
        setError(error, read.message);
        return true;
    }
    return !lines.isEmpty() && lines.first() == QLatin1String("true");
}

Result writeShowSplash(const QString &appFolder, bool show)
{
    QDir().mkpath(appFolder);
    const QString plain = appFolder + kPlainName;
    const Result written = writeSettingsAndScramble(plain, {show ? QStringLiteral("true") : QStringLiteral("false")});
    removeWithRetries(plain);
    return written;
}
