#pragma once
// Name rules for document files and their side files. Paths use '/'.
#include <QString>

namespace names {

// Only the ASCII letters A-Z change.
QString lowerAscii(const QString &s);
// Up to and including the last '/'; "" when there is none.
QString folderPart(const QString &path);
// After the last '/'.
QString fileNamePart(const QString &path);
// From the last '.' of the file-name part, '.' included; "" when none.
QString extensionOf(const QString &path);
// The file-name part without its extension.
QString baseNameOf(const QString &path);
// Extension replaced by newExt (appended when there is none).
QString withExtension(const QString &path, const QString &newExt);

// Backup copy of a document: extension replaced by ".bak", the file-name
// part lower-cased. "/Web/Index.HTM" -> "/Web/index.bak".
QString backupNameFor(const QString &caption);
// Autosave side file: folder part + "autosave_" + file-name part with its
// extension replaced by ".tmp", the file-name part lower-cased.
QString autosaveNameFor(const QString &caption);
// A path chosen in Save As: the file-name part lower-cased. Folders are
// left alone since names are case-sensitive and the folder already exists.
QString saveAsPath(const QString &chosen);
// Every '&' removed (menu captions carry access-key markers).
QString StripAmpersands(const QString &text);

} // namespace names
