#pragma once
// The main settings file mivor.ini (kept scrambled as mivor.dvf): nine lines
// of page defaults, then the Reopen list, CR LF, UTF-8.
#include "platform/result.h"
#include "settings/settingscodec.h"

#include <QString>
#include <QStringList>

struct MivorSettings {
    QString EditorFontName = QStringLiteral("Courier New");
    int EditorFontSize = 12;
    quint32 EditorFontColor = 0;
    quint32 EditorBackColor = 16777215;
    bool WrapNewDocs = true, MakeBackups = true, AutosaveOn = true;
    int AutosaveMinutes = 10;
    quint32 DesktopColor = 10485760;
};

// The nine lines a first start writes.
QStringList defaultSettingsLines();
// The nine lines as the page-defaults dialog writes them: integers in signed
// decimal, booleans "true"/"false".
QStringList settingsLines(const MivorSettings &s);
// Signed decimal or "$" + hex digits, within 32 bits ("$FFFFFFFF" is -1).
bool readIntegerValue(const QString &text, qint64 &value);

// The editor font name to use for `name`: the name itself when it is the
// default (the platform stands a near match in for that one) or names a
// family among `installed` (compared without case, a " [foundry]" suffix
// ignored); the default name otherwise. An empty `installed` means the fonts
// are not known, and every name is kept.
QString usableFontName(const QString &name, const QStringList &installed);

struct SettingsRead {
    MivorSettings settings;   // what could be read; defaults for the rest
    QStringList reopen;       // lines 10.. in file order, empty and "~" lines skipped
    QStringList errors;       // messages to show the user
};
// A font name that is not usable (see usableFontName) reads as the default.
SettingsRead readSettingsLines(const QStringList &lines, const QStringList &installedFonts = {});

// Plain settings files in general (also spike.ini and FTPData.ini): lines
// split at CR LF, LF or CR; written with CR LF after every line.
QStringList splitSettingsText(const QByteArray &bytes);
QByteArray joinSettingsLines(const QStringList &lines);
// Scrambles the lines straight into plainPath with ".dvf" in place of its
// extension; the header names plainPath. The plain form is never written.
Result storeSettingsLines(const QString &plainPath, const QStringList &lines);
// Deletes a file while it exists, a bounded number of times; true when gone.
bool removeWithRetries(const QString &path);

// The small scrambled files beside mivor.dvf (the spike, the FTP servers,
// the start options). Store scrambles the lines as appFolder + plainName's
// ".dvf". Read decodes scrambledPath only when it stores plainName (see
// DecodeOwnSettingsFile, also for `damaged`), in memory.
Result storeScrambledLines(const QString &appFolder, const QString &plainName, const QStringList &lines);
OwnSettingsRead<QStringList> readScrambledLines(const QString &scrambledPath, const QString &plainName);

struct SettingsStart {
    SettingsRead read;
    bool fromFile = false;
};
// Start: reads mivor.dvf when it exists, otherwise writes the defaults as a
// new mivor.dvf. appFolder ends in '/'. A mivor.dvf that is too large or
// stores another file's name is refused with a message; nothing is written
// then, and a read-only folder still gives the stored settings.
SettingsStart readSettingsAtStart(const QString &appFolder, const QStringList &installedFonts = {});
// Done of the page-defaults dialog: the nine lines, scrambled; no Reopen lines.
Result writeSettingsFromDialog(const QString &appFolder, const MivorSettings &s);
// Main window close: when mivor.dvf exists, its nine lines (mended where
// damaged, or naming a font that is not installed) and the Reopen captions
// top first are written back scrambled.
Result writeSettingsAtClose(const QString &appFolder, const MivorSettings &current,
                            const QStringList &reopenTopFirst, const QStringList &installedFonts = {});
// The program's last step: a plain mivor.ini that an earlier version left
// behind is deleted while it exists (bounded).
void deletePlainSettings(const QString &appFolder);
