#pragma once
// Fetching a web address into a local file.
#include "platform/result.h"

#include <QString>

namespace transfer {

class InternetClient;

// Opens the internet handle and the URL, reads the answer in pieces of at
// most 2048 bytes into a temporary file beside `targetFile`, and renames it
// over the target only when everything arrived; every handle is closed at
// the end. On any failure (no connection, an HTTP status of 400 or more,
// a broken transfer, a target that cannot be written) the target is left
// as it was, and the failure says why.
Result DownloadFile(InternetClient &client, const QString &url, const QString &targetFile);

} // namespace transfer
