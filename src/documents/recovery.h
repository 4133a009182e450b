#pragma once
// Text left behind by an earlier session: the autosave copy of a document
// that is newer than the document and says something else. Autosave copies
// are never deleted, so saving the document (which makes it the newer one)
// is what ends the offer.
#include <QDateTime>
#include <QString>
#include <optional>

namespace recovery {

struct Offer {
    QString sideFile;     // the autosave copy
    QString text;         // its text, CR LF line breaks
    QDateTime savedAt;    // when it was written
};

// True when the side file was made from the document at path: the document
// it records, or, for a copy that records none, a name no other document of
// the folder shares.
bool copyIsOf(const QString &sideFile, const QString &path);

// The offer for the document at path whose text, as loaded, is
// documentText; nullopt when there is nothing newer and different, or the
// copy was made from another document. Only a regular file at the autosave
// name counts, never a link.
std::optional<Offer> pendingRecovery(const QString &path, const QString &documentText);

// "<path> has unsaved changes from an earlier session (saved at HH:MM).
// Restore them?"
QString question(const QString &path, const Offer &offer);

} // namespace recovery
