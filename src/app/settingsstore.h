#pragma once
// The main settings file mivor.ini (kept scrambled as mivor.dvf): nine lines
// of page defaults, then the Reopen list, CR LF, UTF-8.
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

struct SettingsRead {
    MivorSettings settings;   // what could be read; defaults for the rest
    QStringList reopen;       // lines 10.. in file order, empty and "~" lines skipped
    QStringList errors;       // messages to show the user
};
SettingsRead readSettingsLines(const QStringList &lines);

// Plain settings files in general (also spike.ini and FTPData.ini): lines
// split at CR LF, LF or CR; written with CR LF after every line.
QStringList splitSettingsText(const QByteArray &bytes);
QByteArray joinSettingsLines(const QStringList &lines);
bool readSettingsFile(const QString &path, QStringList &lines, QString *error = nullptr);
bool writeSettingsFile(const QString &path, const QStringList &lines, QString *error = nullptr);
// Deletes a file while it exists, a bounded number of times; true when gone.
bool removeWithRetries(const QString &path);

struct SettingsStart {
    SettingsRead read;
    bool fromFile = false;
};
// Start: reads mivor.dvf when it exists, otherwise writes the defaults as a
// new mivor.dvf. No plain mivor.ini is left behind. appFolder ends in '/'.
SettingsStart readSettingsAtStart(const QString &appFolder);
// Done of the page-defaults dialog: the nine lines, scrambled; no Reopen lines.
bool writeSettingsFromDialog(const QString &appFolder, const MivorSettings &s, QString *error = nullptr);
// Main window close: when mivor.dvf exists, its nine lines (mended where
// damaged) and the Reopen captions top first are written back scrambled.
// The plain mivor.ini stays for deletePlainSettings.
bool writeSettingsAtClose(const QString &appFolder, const MivorSettings &current,
                          const QStringList &reopenTopFirst, QString *error = nullptr);
// The program's last step: mivor.ini deleted while it exists (bounded).
void deletePlainSettings(const QString &appFolder);
