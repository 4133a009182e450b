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

namespace {

const QString kRemoteContent = QStringLiteral("remote-content");
const QString kCurrentLine = QStringLiteral("current-line");
const QString kReopenDocuments = QStringLiteral("reopen-documents");

QString boolText(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

ResultOf<AddedOptions> readAddedOptions(const QString &appFolder)
{
    const QString scrambled = appFolder + kScrambledName;
    if (!QFile::exists(scrambled))
        return ResultOf<AddedOptions>::success({});
    const ResultOf<QStringList> lines = readScrambledLines(scrambled, kPlainName);
    if (!lines)
        return ResultOf<AddedOptions>::failure(lines.message, {});
    AddedOptions options;
    options.showSplash = !lines.value.isEmpty() && lines.value.first() == QLatin1String("true");
    for (qsizetype i = 1; i < lines.value.size(); ++i) {
        const QString &line = lines.value[i];
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QStringView name = QStringView(line).left(eq);
        const bool on = QStringView(line).mid(eq + 1) == QLatin1String("true");
        if (name == kRemoteContent)
            options.remoteContent = on;
        else if (name == kCurrentLine)
            options.currentLine = on;
        else if (name == kReopenDocuments)
            options.reopenDocuments = on;
    }
    return ResultOf<AddedOptions>::success(options);
}

Result writeAddedOptions(const QString &appFolder, const AddedOptions &options)
{
    const auto line = [](const QString &name, bool on) { return name + QLatin1Char('=') + boolText(on); };
    return storeScrambledLines(appFolder, kPlainName,
                               {boolText(options.showSplash), line(kRemoteContent, options.remoteContent),
                                line(kCurrentLine, options.currentLine),
                                line(kReopenDocuments, options.reopenDocuments)});
}
