#include "documents/recovery.h"

#include "documents/filenames.h"
#include "documents/textfile.h"
#include "platform/fileio.h"

#include <QFileInfo>

namespace recovery {

std::optional<Offer> pendingRecovery(const QString &path, const QString &documentText)
{
    const QString side = names::autosaveNameFor(path);
    if (fileio::occupantOf(side) != fileio::Occupant::RegularFile)
        return std::nullopt;
    const QDateTime savedAt = QFileInfo(side).lastModified();
    const QFileInfo document(path);
    if (document.exists() && savedAt <= document.lastModified())
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
