#pragma once
// The FTP server table and the rules for keeping and reading it. The file
// itself (FTPData.ini, scrambled to FTPData.dvf) is written and read by the
// settings store; these rules decide which lines go in and what comes out.
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace transfer {

struct FtpServerEntry {
    QString Server;
    QString UserName;
    QString Password;
    bool operator==(const FtpServerEntry &) const = default;
};

constexpr int kFtpEntries = 4;
using FtpServerTable = std::array<FtpServerEntry, kFtpEntries>;

// One grid row as typed: server, user name, password.
struct FtpGridRow {
    QString server, user, password;
};

// The lines of FTPData.ini for the grid rows in order: three lines for every
// complete row; a row without a server is skipped whatever else it holds.
// nullopt when a row has a server but lacks the user name or password.
std::optional<QStringList> linesToKeep(const QList<FtpGridRow> &rows);

// The records of FTPData.ini: whole groups of three lines, at most four,
// each value cut to 255 characters. A trailing part record is ignored and
// an empty file has none.
QList<FtpServerEntry> recordsFromLines(const QStringList &lines);

// The table after a load: entry k takes record k; entries beyond the file's
// records are emptied, so a row cleared in the dialog is gone at once.
FtpServerTable tableFromRecords(const QList<FtpServerEntry> &records);

// Server names the upload dialog offers: entry 1 always, then each following
// entry while its server name is not empty.
QStringList offeredServers(const FtpServerTable &table);

} // namespace transfer
