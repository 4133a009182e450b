#pragma once
// Fetching a web address into a local file.
#include "platform/result.h"

#include <QString>
#include <functional>

namespace transfer {

class InternetClient;

// The most a download may write: far beyond any hand-written page, and
// small enough that a hostile server cannot fill the disk.
inline constexpr qint64 kMaxDownloadBytes = qint64(64) << 20;

// Opens the internet handle and the URL, reads the answer in pieces of at
// most 2048 bytes into a temporary file beside `targetFile`, and renames it
// over the target only when everything arrived; every handle is closed at
// the end. On any failure (no connection, an HTTP status of 400 or more,
// a broken transfer, an answer over `limit` bytes, a target that cannot be
// written) the target is left as it was, and the failure says why.
Result DownloadFile(InternetClient &client, const QString &url, const QString &targetFile,
                    qint64 limit = kMaxDownloadBytes);

// Writes what `read` hands out (the count, 0 at the end, -1 on failure, as
// InternetClient::readUrl) into a temporary file beside targetFile, renamed
// over it only when everything arrived and no more than `limit` bytes came;
// `announced` is the length the server gave (-1 for none). `readFailure`
// words a failed read.
Result storeDownload(const std::function<qint64(char *, qint64)> &read, qint64 announced,
                     const QString &targetFile, qint64 limit, const std::function<QString()> &readFailure);

// "The page is 2.0 GB; a download may be at most 64 MB." (size known), or
// "The page is larger than 64 MB, the most a download may be."
QString tooLargeDownloadMessage(qint64 announcedBytes, qint64 limit = kMaxDownloadBytes);

} // namespace transfer
