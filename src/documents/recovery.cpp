#include "documents/recovery.h"

#include "documents/filenames.h"
#include "documents/textfile.h"
#include "platform/fileio.h"

#include <QDir>
#include <QFileInfo>

namespace recovery {

namespace {

// Another document of the folder whose autosave copy has the same name
// (a.htm and a.txt share autosave_a.tmp). Backups are side files, not
// documents.
bool anotherDocumentSharesTheCopy(const QString &path)
{
    const QFileInfo document(path);
    const QString stem = names::lowerAscii(names::baseNameOf(document.fileName()));
    const QStringList entries = document.dir().entryList(QDir::Files | QDir::Hidden);
    for (const QString &entry : entries) {
        if (names::lowerAscii(names::baseNameOf(entry)) != stem
            || names::lowerAscii(names::extensionOf(entry)) == QLatin1String(".bak"))
            continue;
        if (!fileio::sameFile(document.dir().filePath(entry), document.absoluteFilePath()))
            return true;
    }
    return false;
}

} // namespace

bool copyIsOf(const QString &sideFile, const QString &path)
{
    const QString origin = fileio::originOf(sideFile);
    if (!origin.isEmpty())
        return fileio::sameFile(origin, QFileInfo(path).absoluteFilePath());
    // A copy without a record (an earlier version's, or one on a file system
    // that keeps no attributes) can only be told apart by its name.
    return !anotherDocumentSharesTheCopy(path);
}

std::optional<Offer> pendingRecovery(const QString &path, const QString &documentText)
{
    const QString side = names::autosaveNameFor(path);
    if (fileio::occupantOf(side) != fileio::Occupant::RegularFile)
        return std::nullopt;
    const QDateTime savedAt = QFileInfo(side).lastModified();
    const QFileInfo document(path);
    if (document.exists() && savedAt <= document.lastModified())
        return std::nullopt;
    if (!copyIsOf(side, path))
        return std::nullopt;
    textfile::Decoded copy;
    if (textfile::load(side, copy) != textfile::LoadStatus::Ok || copy.text == documentText)
        return std::nullopt;
    return Offer{side, copy.text, savedAt};
}

QString question(const QString &path, const Offer &offer)
{
    return path + QStringLiteral(" has unsaved changes from an earlier session (saved at ")
         + offer.savedAt.toString(QStringLiteral("HH:mm")) + QStringLiteral("). Restore them?");
}

} // namespace recovery
