#pragma once
// Reading and writing whole files safely. Reads never block on a FIFO or a
// device; writes replace a file through a temporary file in its folder, give
// copies no wider permissions than the file they copy, and never follow a
// symbolic link planted at a side file's name. A failure's message is the
// system's wording of the reason ("Permission denied", "No space left on
// device"), for the caller to fold into its own sentence.
#include "platform/result.h"

#include <QByteArray>
#include <QString>

class QFile;

namespace fileio {

// The system's wording for an errno value.
QString errnoText(int err);

// Opens path for reading only when it is a regular file (following links).
// A FIFO, a device, a socket or a folder is refused without waiting for it.
Result openRegularFile(const QString &path, QFile &file);

// The bytes of a whole file, or why they could not be read. tooLarge tells
// a file over the limit (which callers often report in words of their own)
// from one that could not be opened or read.
struct FileRead : ResultOf<QByteArray> {
    bool tooLarge = false;
};

// Reads a whole regular file. A file larger than limit bytes fails with
// tooLarge set and no bytes; with truncateAtLimit only its first limit
// bytes are read instead.
FileRead readRegularFile(const QString &path, qint64 limit, bool truncateAtLimit = false);

// What lies at a name, not following a link there.
enum class Occupant { None, RegularFile, Folder, Other };
Occupant occupantOf(const QString &path);

// The path a document name finally names: symbolic links are followed, also
// to a target that does not exist yet. A loop, or a link that cannot be
// read, fails.
ResultOf<QString> resolveLinks(const QString &path);

struct WriteOptions {
    // A side file (backup, autosave, temporary page) replaces whatever entry
    // holds its name, a link included, and takes its permission bits, owner
    // and group from modelFile (when that exists). A document is written
    // through links to their target and keeps the mode, owner and group of
    // the file it replaces.
    bool sideFile = false;
    QString modelFile;
    // Readable and writable by the owner only (files holding passwords).
    bool ownerOnly = false;
    // The document a side file was made from, recorded with the file (an
    // extended attribute) so that a copy is never taken for another
    // document's. Where the file system keeps no attributes nothing is
    // recorded and originOf() says so.
    QString origin;
};

// Writes bytes as the whole new content of path. The new content appears at
// once through a rename; when the folder does not allow a temporary file,
// an existing file that may be written is overwritten in place instead.
// Fails when nothing could be written; the old file is then unchanged.
Result writeFile(const QString &path, const QByteArray &bytes, const WriteOptions &options = {});

// The document recorded with a side file by writeFile; "" when none was
// recorded (an older copy, or a file system without attributes).
QString originOf(const QString &path);

// True when two names lead to one file (links followed), or are the same text.
bool sameFile(const QString &a, const QString &b);

// A save that dies between writing its temporary file and renaming it
// leaves a hidden file beside the target (".name.xxxx.pid"), as large as the
// document. Removes those of `name` in `folder` (and of its side files,
// given as further names) whose writing process is gone. Files of running
// processes, and anything not ours, stay.
void removeStaleTemporaries(const QString &folder, const QStringList &names);

} // namespace fileio
