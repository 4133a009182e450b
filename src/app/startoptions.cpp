#include "app/startoptions.h"

#include "settings/settingscodec.h"
#include "settings/settingsstore.h"

#include <QDir>
#include <QFile>

namespace {

const QString kPlainName = QStringLiteral("start.ini");
const QString kScrambledName = QStringLiteral("start.dvf");

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

ResultOf<bool> readShowSplash(const QString &appFolder)
{
    const QString scrambled = appFolder + kScrambledName;
    if (!QFile::exists(scrambled))
        return ResultOf<bool>::success(true);
    const ResultOf<QString> plain = DecodeOwnSettingsFile(scrambled, kPlainName, SettingsKey);
    if (!plain)
        return ResultOf<bool>::failure(plain.message, true);
    QStringList lines;
    const Result read = readSettingsFile(plain.value, lines);
    removeWithRetries(plain.value);
    if (!read)
        return ResultOf<bool>::failure(read.message, true);
    return ResultOf<bool>::success(!lines.isEmpty() && lines.first() == QLatin1String("true"));
}

Result writeShowSplash(const QString &appFolder, bool show)
{
    QDir().mkpath(appFolder);
    const QString plain = appFolder + kPlainName;
    const Result written = writeSettingsAndScramble(plain, {show ? QStringLiteral("true") : QStringLiteral("false")});
    removeWithRetries(plain);
    return written;
}
