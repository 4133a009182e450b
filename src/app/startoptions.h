#pragma once
// What start-up does besides opening the main window: the options of the
// command line that shape it, and whether the splash is shown, which the
// user sets in Preferences and which is kept in a small settings file of its
// own (start.ini, scrambled as start.dvf) so that mivor.dvf keeps the layout
// older files have.
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

// Reads appFolder + "start.dvf" (appFolder ends in '/'): its first line reads
// as a setting's boolean does, exactly "true" is on. No file means on (the
// default). A file that cannot be read or is damaged fails with its message
// and the value on. No start.ini is left behind.
ResultOf<bool> readShowSplash(const QString &appFolder);

// Writes the choice to start.ini, scrambles it into start.dvf and deletes
// start.ini again. Fails with the reason when start.dvf could not be written.
Result writeShowSplash(const QString &appFolder, bool show);
