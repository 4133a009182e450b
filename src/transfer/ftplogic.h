#pragma once
// Path, name and listing rules of the FTP client and its dialogs. Plain text
// in, plain text out: no network here, so every rule is tested on its own.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace transfer {

// The protocols a server entry can name. A plain name means FTP.
enum class Protocol { Ftp, FtpExplicitTls, Sftp };

struct ServerAddress {
    Protocol protocol = Protocol::Ftp;
    QString host;       // as written; an IPv6 literal keeps no brackets
    int port = 21;
    bool valid = false;
    QString problem;    // why the name cannot be used, when !valid
};

// "ftp.example.com" is FTP on port 21, "ftp.example.com:2121" on port 2121.
// "ftp://host[:port]", "ftps://host[:port]" (explicit TLS on the FTP port) and
// "sftp://host[:port]" name the protocol. An IPv6 address takes brackets when
// a port follows it: "[::1]:2121".
ServerAddress parseServerName(const QString &name);

// The URL of an absolute server path ("/", "/www/img") for libcurl: every
// segment percent-encoded (blanks, '#', '%', non-ASCII), FTP paths anchored
// at the server's root rather than at the login folder. A folder URL ends
// in "/".
QByteArray buildUrl(const ServerAddress &server, const QString &absolutePath, bool folder);

// `path` taken from folder `current` (both use "/"): an absolute path stands
// alone, a relative one is appended; "." and ".." steps are resolved and the
// result never climbs above "/". Always absolute, no trailing "/" except "/".
QString resolvePath(const QString &current, const QString &path);

// The folder part of an upload path: up to and including its last "/",
// not looking at the final character. "www/index.htm" -> "www/", "../" -> "".
QString FolderPart(const QString &path);

// The remote name of an upload path or image reference: whatever stands
// after its last '\' or ':'. A path with only '/' separators stays whole.
QString remoteNameOf(const QString &path);

// The file-name part of a local path (after its last '/').
QString fileNamePart(const QString &path);

// A failure's fixed sentence with the reason (the server's reply, the
// connection error) on a second line, or the sentence alone when there is
// no reason to give.
QString withReason(const QString &sentence, const QString &reason);

// True when a name can be sent inside a server command: not empty and free
// of line breaks and NULs, which would end the command early.
bool safeCommandText(const QString &text);

// One entry of a server folder listing.
struct FolderEntry {
    bool folder = false;
    QString name;
    bool operator==(const FolderEntry &) const = default;
};

// Reads a LIST answer: Unix "ls -l" lines and DOS "<DIR>" lines; "total",
// blank and unreadable lines are skipped, as is the "." entry. A link is
// never a folder (its " -> target" is dropped from the name). Names are
// UTF-8 where valid, else Latin-1.
QList<FolderEntry> parseListing(const QByteArray &listing);

// The folder list of the upload dialog: the folders' names each followed by
// ":" make one text, which is split at every ":"; empty pieces and the pieces
// "/..." and "/." are left out. So a name holding ":" gives several entries.
QStringList folderListItems(const QList<FolderEntry> &entries);

} // namespace transfer
