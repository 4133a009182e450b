#include "app/startoptions.h"

#include "settings/settingsstore.h"

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
    const ResultOf<QStringList> lines = readScrambledLines(scrambled, kPlainName);
    if (!lines)
        return ResultOf<bool>::failure(lines.message, true);
    return ResultOf<bool>::success(!lines.value.isEmpty() && lines.value.first() == QLatin1String("true"));
}

Result writeShowSplash(const QString &appFolder, bool show)
{
    return storeScrambledLines(appFolder, kPlainName, {show ? QStringLiteral("true") : QStringLiteral("false")});
}
