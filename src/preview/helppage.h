#pragma once
// The help page: shipped with the program and kept as a copy in the
// settings folder, where the shell opens it.
#include <QString>

namespace helppage {

inline constexpr char kName[] = "mivor2_help.htm";

// Copies the shipped page (shippedFolder + name) into appFolder when the
// copy there is missing or older than the shipped one. Returns the copy's
// path; a failed copy leaves an older copy (if any) in place.
QString install(const QString &appFolder, const QString &shippedFolder);

} // namespace helppage
