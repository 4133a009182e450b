#pragma once
// The .mff form file: a 572-byte header, then for each element a 1288-byte
// element record followed by a 1148-byte option list record. Integers are
// 32-bit little-endian; texts are counted strings in windows-1252, a
// character outside it written as "?". Qt Core only.

#include "formmaker/formtypes.h"
#include "platform/result.h"

#include <QByteArray>
#include <QString>

namespace formmaker {

constexpr int HeaderBytes = 572;
constexpr int ElementRecordBytes = 1288;
constexpr int OptionRecordBytes = 1148;
constexpr int ElementPairBytes = ElementRecordBytes + OptionRecordBytes;   // 2436

struct FormFileData {
    FormSettings settings;
    int LastIndex = -1;
    ElementList Elements;
    OptionLists ElementOptions;
};

// The whole file image: 572 + (LastIndex + 1) * 2436 bytes.
QByteArray encodeFormFile(const FormFileData &data);
// Reads a file image. A short image or a LastIndex outside -1..50 fails with
// the reason, and `data` is left untouched. Bytes after the last record are
// ignored.
Result decodeFormFile(const QByteArray &bytes, FormFileData &data);

// Files. Errors read "Cannot open file <path>", "Cannot create file <path>"
// or "Cannot read form file <path>: <reason>".
Result readFormFile(const QString &path, FormFileData &data);
Result writeFormFile(const QString &path, const FormFileData &data);

// The form text that "Apply" gives right after opening the file at `path`.
Result formHtmlFromFile(const QString &path, QString &html);

// windows-1252, one byte per character; the five unassigned bytes map to the
// control characters of the same code, so every byte survives a round trip.
QByteArray toWindows1252(const QString &text);
QString fromWindows1252(const QByteArray &bytes);

} // namespace formmaker

// For callers outside the form maker (the main window, the shell).
using formmaker::formHtmlFromFile;
