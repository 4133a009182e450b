#pragma once
// Questions to ask before a save replaces a file the user did not name.
#include <QString>

namespace filechecks {

// "<path> already exists. Do you want to replace it?"
QString replaceQuestion(const QString &path);

// Save As writes `written`, the lower-cased form of the name `chosen` in
// the dialog, which asked only about `chosen`. True when `written` is a
// different name that already holds something other than the document's
// own file `ownFile`: that would be lost without a word.
bool replacesAnotherFile(const QString &chosen, const QString &written, const QString &ownFile);

// "<backup> is the backup of <origin>. Replace it with the backup of <path>?
// No saves without making a backup."
QString otherBackupQuestion(const QString &backup, const QString &origin, const QString &path);

// "Cannot create file <backup>: <reason>\nSave <path> without a backup?"
QString saveWithoutBackupQuestion(const QString &backup, const QString &reason, const QString &path);

// A backup or autosave copy replaces an earlier copy (a regular file there)
// without asking; a link, FIFO, socket or device at its name was not made
// by the program, so replacing it needs the user's word. (A folder there is
// refused by the write itself.)
bool sideFileNeedsQuestion(const QString &side);

// Something is at path (links followed) that is no regular file: a folder,
// FIFO, socket or device. Such an entry gives no document to edit.
bool isNoRegularFile(const QString &path);

} // namespace filechecks
