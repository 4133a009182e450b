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
const QString kAutoClose = QStringLiteral("auto-close-tags");
const QString kMatchTags = QStringLiteral("match-tags");
const QString kCompletion = QStringLiteral("completion");
const QString kSpelling = QStringLiteral("spelling");
const QString kSpellPlainText = QStringLiteral("spelling-plain-text");
const QString kDictionary = QStringLiteral("dictionary");

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
        const QStringView value = QStringView(line).mid(eq + 1);
        const bool on = value == QLatin1String("true");
        if (name == kRemoteContent)
            options.remoteContent = on;
        else if (name == kCurrentLine)
            options.currentLine = on;
        else if (name == kReopenDocuments)
            options.reopenDocuments = on;
        else if (name == kAutoClose)
            options.aids.autoClose = on;
        else if (name == kMatchTags)
            options.aids.matchTags = on;
        else if (name == kCompletion)
            options.aids.completion = on;
        else if (name == kSpelling)
            options.aids.spelling = on;
        else if (name == kSpellPlainText)
            options.aids.spellPlainText = on;
        else if (name == kDictionary)
            options.aids.language = value.toString();
    }
    return ResultOf<AddedOptions>::success(options);
}

Result writeAddedOptions(const QString &appFolder, const AddedOptions &options)
{
    auto line = [](const QString &name, bool on) { return name + QLatin1Char('=') + boolText(on); };
    const htmlaid::AidOptions &aids = options.aids;
    return storeScrambledLines(appFolder, kPlainName,
                               {boolText(options.showSplash), line(kRemoteContent, options.remoteContent),
                                line(kCurrentLine, options.currentLine),
                                line(kReopenDocuments, options.reopenDocuments),
                                line(kAutoClose, aids.autoClose), line(kMatchTags, aids.matchTags),
                                line(kCompletion, aids.completion), line(kSpelling, aids.spelling),
                                line(kSpellPlainText, aids.spellPlainText),
                                kDictionary + QLatin1Char('=') + aids.language});
}
