#pragma once
// What start-up does besides opening the main window: the options of the
// command line that shape it, and whether the splash is shown, which the
// user sets in Preferences and which is kept in a small settings file of its
// own (start.ini, scrambled as start.dvf) so that mivor.dvf keeps the layout
// older files have.
#include "htmlaid/aidoptions.h"
#include "platform/result.h"

#include <QString>
#include <QStringList>

struct StartOptions {
    bool noSplash = false;
    // Each file argument is a file of its own, rather than a word of the one
    // path that all of them are joined into.
    bool eachArgumentAFile = false;
    // The arguments that name the file (or files) to open.
    QStringList fileArguments;
};

// Options come before the file: "--no-splash" skips the splash, "--files"
// makes every following argument a file of its own (the desktop entry passes
// several files so), "--" ends the options, so a file whose name begins with
// "--" can still be named. The first other argument and everything after it
// belong to the file.
StartOptions parseStartOptions(const QStringList &arguments);

// Whether start-up shows the splash: the stored choice, unless the command
// line says no.
bool splashAtStart(const StartOptions &options, bool showSplashSetting);

// The choices of Preferences that are not page defaults. They are kept in a
// small scrambled file of their own, start.dvf, so that mivor.dvf keeps the
// layout older files have: its first line is the splash choice as a setting's
// boolean ("true" is on), each further line "name=value".
struct AddedOptions {
    bool showSplash = true;
    // The preview pane may load a page's remote images, styles, scripts and
    // fonts; off, it makes no network request at all.
    bool remoteContent = true;
    // The caret's line has a faint background.
    bool currentLine = true;
    // The titled documents open at exit are opened again at the next start
    // (session.lst beside start.dvf).
    bool reopenDocuments = false;
    // The writing aids: end tags, matching tags, completion, spelling.
    htmlaid::AidOptions aids;
    bool operator==(const AddedOptions &) const = default;
};

// Reads appFolder + "start.dvf" (appFolder ends in '/'). No file, or a line
// missing, means the default. A file that cannot be read or is damaged fails
// with its message and the defaults.
ResultOf<AddedOptions> readAddedOptions(const QString &appFolder);

// Scrambles the options into start.dvf. Fails with the reason when it could
// not be written.
Result writeAddedOptions(const QString &appFolder, const AddedOptions &options);
