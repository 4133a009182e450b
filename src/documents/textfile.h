#pragma once
// Document files as bytes on disk and text in the editor. The editor's text
// always holds CR LF line breaks; a file's bytes survive a load and a save
// unchanged apart from the line breaks.
#include "platform/result.h"

#include <QByteArray>
#include <QString>

namespace textfile {

enum class Encoding { Utf8, Windows1252 };

struct Decoded {
    QString text;
    Encoding encoding = Encoding::Utf8;
    // The UTF-8 file began with a byte-order mark (EF BB BF). The mark is
    // not part of the text, where it would be a character the user cannot
    // see, move over or count; a save writes it back.
    bool byteOrderMark = false;
};

// Bytes to text: stops at the first zero byte; valid UTF-8 decodes as UTF-8
// (a leading byte-order mark is taken off and noted), anything else as
// windows-1252 in which the five undefined bytes map to the C1 controls of
// the same value. Every line break (CR LF, lone LF, lone CR) becomes CR LF.
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
// and *used is set to Utf8, so nothing the user typed is lost. A UTF-8
// result starts with the byte-order mark when byteOrderMark is set.
QByteArray encode(const QString &text, Encoding enc, Encoding *used = nullptr, bool byteOrderMark = false);

// How a document with this encoding is written, for the status bar:
// "UTF-8, CR LF", "UTF-8 with BOM, CR LF" or "windows-1252, CR LF". The
// editor's text always holds CR LF breaks and a save writes them as they are.
QString saveFormatName(Encoding enc, bool byteOrderMark = false);

// Largest document the editor takes.
constexpr qint64 kMaxDocumentBytes = qint64(512) * 1024 * 1024;

enum class LoadStatus { Ok, CannotOpen, TooLarge, ZeroBytes };

// The one way a document-like file is read (documents, the ignore list,
// scripts): only a regular file, not over kMaxDocumentBytes, and never one
// holding a zero byte, since the text would end there and the next save would
// lose the rest. out is set only on Ok.
LoadStatus load(const QString &path, Decoded &out);
// The message for a failed load: "Cannot open file <path>", "Text exceeds
// memo capacity" or "<path> contains NUL bytes and cannot be edited as text".
QString loadFailureMessage(LoadStatus status, const QString &path);

// Writes a document: links at path are followed and the file keeps its mode,
// owner and group; the new content replaces the old at once, or in place
// when the folder takes no new file. Fails with the system's wording when
// nothing was written. *used and byteOrderMark as in encode.
Result save(const QString &path, const QString &text, Encoding enc, Encoding *used = nullptr,
            bool byteOrderMark = false);

// Writes a side file of the document at modelFile (its autosave copy): the
// entry at path is replaced, a link there never followed, and the file takes
// the document's permission bits, owner and group, and records modelFile as
// the document it was made from (see fileio::originOf).
Result saveSideFile(const QString &path, const QString &modelFile, const QString &text, Encoding enc,
                    bool byteOrderMark = false);

// How a copy went: callers word a source that cannot be read differently
// from a target that cannot be written, so the result says which side
// failed; its message is the system's reason.
enum class CopyFailed { Nothing, Source, Target };
struct CopyResult : Result {
    CopyFailed failed = CopyFailed::Nothing;
};

// Copies a file's bytes unchanged as a side file of it (its backup), as
// saveSideFile writes: `from` is recorded as its origin.
CopyResult copyFile(const QString &from, const QString &to);

} // namespace textfile
