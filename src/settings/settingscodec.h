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

// The reverse of scrambleSettings. Fails when the bytes are too short for
// the header they announce; storedPath and plain are set only on success.
Result unscrambleSettings(const QByteArray &scrambled, quint16 key, QByteArray &storedPath,
                          QByteArray &plain);

// The XOR of the body, its own inverse.
QByteArray scrambleBody(const QByteArray &bytes, quint16 key);

// Writes the unscrambled body into the scrambled file's own folder under the
// file-name part of the stored path and gives that name ("" on failure). A
// stored name that is empty, "." or ".." is refused so nothing is written
// outside the folder.
ResultOf<QString> DecodeSettingsFile(const QString &scrambledPath, quint16 key);

// Decodes one of the program's own settings files, whose plain file is
// `plainName` (such as "mivor.ini"). The file must be at most
// MaxSmallFileBytes and its stored name must be exactly plainName; anything
// else is refused before a byte is written, so a damaged or foreign file can
// never replace another file of the folder. Gives the plain file's full
// path ("" on failure); *damaged tells a refused file from one that could
// not be opened at all.
ResultOf<QString> DecodeOwnSettingsFile(const QString &scrambledPath, const QString &plainName, quint16 key,
                                        bool *damaged = nullptr);

// Writes plainPath with its extension replaced by ".dvf" (mode 0600); the
// header stores plainPath exactly as passed. The plain file stays in place.
// Fails with the message to show, also for a path longer than 255 bytes.
Result EncodeSettingsFile(const QString &plainPath, quint16 key);
