#pragma once
// The scrambled form in which every settings file is kept on disk (".dvf"):
// a header with the plain file's path, then the plain bytes XORed with the
// two bytes of a 16-bit key.
#include "platform/result.h"

#include <QByteArray>
#include <QString>

constexpr quint16 SettingsKey = 14961;

// Header byte N, the stored path's N bytes (UTF-8) XOR the key's low byte,
// then the body in chunks of 16385 bytes: even positions within a chunk XOR
// the high byte, odd positions the low byte. Empty when the path is longer
// than 255 bytes (it would not fit the one-byte length).
QByteArray scrambleSettings(const QByteArray &plain, const QString &storedPath, quint16 key);

// The reverse of scrambleSettings: the stored path as written (UTF-8) and
// the plain bytes. Fails when the bytes are too short for the header they
// announce.
struct Unscrambled {
    QByteArray storedPath;
    QByteArray plain;
};
ResultOf<Unscrambled> unscrambleSettings(const QByteArray &scrambled, quint16 key);

// The XOR of the body, its own inverse.
QByteArray scrambleBody(const QByteArray &bytes, quint16 key);

// What a scrambled file holds: the file-name part of its stored path and
// the plain bytes. The plain form lives in memory only; it never touches
// the disk, where it would lie open with every FTP password in it.
struct SettingsContent {
    QString name;
    QByteArray plain;
};

// Reads a scrambled file of at most MaxSmallFileBytes and unscrambles it.
// A stored name that is empty, "." or ".." marks a damaged file.
ResultOf<SettingsContent> DecodeSettingsFile(const QString &scrambledPath, quint16 key);

// What was read from one of the program's own settings files. damaged
// tells a file that was read and refused (too large, cut short, holding
// another file) from one that could not be opened at all.
template <class T>
struct OwnSettingsRead : ResultOf<T> {
    bool damaged = false;
};

// Decodes one of the program's own settings files, whose plain file is
// `plainName` (such as "mivor.ini"): its stored name must be exactly that,
// so a foreign or damaged file is never taken for settings.
OwnSettingsRead<QByteArray> DecodeOwnSettingsFile(const QString &scrambledPath, const QString &plainName,
                                                  quint16 key);

// Writes `plain` scrambled under plainPath with its extension replaced by
// ".dvf" (mode 0600); the header stores plainPath exactly as passed. A link
// or anything else at the ".dvf" name is replaced, never written through.
// Fails with the message to show, also for a path longer than 255 bytes.
Result EncodeSettingsFile(const QString &plainPath, const QByteArray &plain, quint16 key);
