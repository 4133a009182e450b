#include "transfer/ftpdata.h"

namespace transfer {

std::optional<QStringList> linesToKeep(const QList<FtpGridRow> &rows)
{
    QStringList lines;
    for (const FtpGridRow &r : rows) {
        if (r.server.isEmpty())
            continue;
        if (r.user.isEmpty() || r.password.isEmpty())
            return std::nullopt;
        lines << r.server << r.user << r.password;
    }
    return lines;
}

QList<FtpServerEntry> recordsFromLines(const QStringList &lines)
{
    QList<FtpServerEntry> out;
    for (qsizetype k = 0; k + 2 < lines.size() && out.size() < kFtpEntries; k += 3)
        out << FtpServerEntry{lines[k].left(255), lines[k + 1].left(255), lines[k + 2].left(255)};
    return out;
}

FtpServerTable tableFromRecords(const QList<FtpServerEntry> &records)
{
    FtpServerTable table;
    for (qsizetype k = 0; k < records.size() && k < kFtpEntries; ++k)
        table[size_t(k)] = records[k];
    return table;
}

QStringList offeredServers(const FtpServerTable &table)
{
    QStringList names{table[0].Server};
    for (int k = 1; k < kFtpEntries && !table[size_t(k)].Server.isEmpty(); ++k)
        names << table[size_t(k)].Server;
    return names;
}

} // namespace transfer
