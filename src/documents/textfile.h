#pragma once
// Document files as bytes on disk and text in the editor. The editor's text
// always holds CR LF line breaks; a file's bytes survive a load and a save
// unchanged apart from the line breaks.
#include <QByteArray>
#include <QString>

namespace textfile {

enum class Encoding { Utf8, Windows1252 };

struct Decoded {
    QString text;
    Encoding encoding = Encoding::Utf8;
};

// Bytes to text: stops at the first zero byte; valid UTF-8 decodes as UTF-8
// (a BOM is kept as U+FEFF), anything else as windows-1252 in which the five
// undefined bytes map to the C1 controls of the same value. Every line break
// (CR LF, lone LF, lone CR) becomes CR LF.
Decoded decode(const QByteArray &bytes);

// Every CR LF, lone LF and lone CR becomes CR LF. Returns the input itself
// (no copy) when it already holds only CR LF breaks.
QString normalizeLineBreaks(const QString &text);

// windows-1252 bytes to text, one character per byte, no line-break changes.
QString decodeWindows1252(const QByteArray &bytes);

// True when every character of the text has a windows-1252 byte.
bool fitsWindows1252(const QString &text);

// Text to bytes, characters unchanged. A windows-1252 text holding a
// character that windows-1252 cannot represent is written as UTF-8 instead
// and *used is set to Utf8, so nothing the user typed is lost.
QByteArray encode(const QString &text, Encoding enc, Encoding *used = nullptr);

// Reads a whole file; false when it cannot be opened or read (out untouched).
bool load(const QString &path, Decoded &out);

// Writes through a temporary file renamed over the target, so a failed write
// leaves any old file intact; false when the file cannot be created or
// written. *used as in encode.
bool save(const QString &path, const QString &text, Encoding enc, Encoding *used = nullptr);

// Copies a file's bytes unchanged to another path, through a temporary file.
// 0 on success, 1 when the source cannot be read, 2 when the target cannot
// be written.
int copyFile(const QString &from, const QString &to);

// Low-level helpers shared by the other file writers of the program.
bool readBytes(const QString &path, QByteArray &out);
// Replaces the target atomically; permissions0600 restricts the new file to
// its owner (files that may hold passwords).
bool writeBytes(const QString &path, const QByteArray &bytes, bool permissions0600 = false);

} // namespace textfile
