#pragma once
// The program's one road to the network: an FTP (or FTPS, SFTP) session for
// browsing server folders and uploading files, and a URL read for downloads.
// libcurl does the protocol work; the session's current folder is kept here
// and every request names its full path, so each call stands on its own.
//
// Calls block; windows run them off the GUI thread (see transferrunner.h).
// cancel() and progress() may be used from any thread while a call runs.
#include "transfer/ftplogic.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <optional>

namespace transfer {

class InternetClient {
public:
    // A dead server is noticed after `connectSeconds` and a silent one after
    // `lowSpeedSeconds` without a byte, so nothing waits much past 15 s.
    struct Timeouts {
        int connectSeconds = 15;
        int lowSpeedSeconds = 15;
    };
    // What new clients use. Tests shorten it; the program never does.
    static Timeouts &defaultTimeouts();
    // A CA bundle to trust instead of the system's (tests' own certificate).
    static QString &defaultCaFile();

    enum class Failure { None, Connect, Login, NotFound, Certificate, HostKey, Cancelled, Local, Other };

    InternetClient();
    ~InternetClient();
    InternetClient(const InternetClient &) = delete;
    InternetClient &operator=(const InternetClient &) = delete;

    // The internet handle: `agent` goes out as the user agent.
    bool open(const QString &agent);
    void close();   // also ends the session; harmless when nothing is open
    bool isOpen() const;

    // The FTP session. Nothing is sent yet: a wrong name or password shows
    // up as failures of the calls below. False only for a server name that
    // cannot be used at all (lastError() says why).
    bool connect(const QString &server, const QString &user, const QString &password);
    void disconnect();

    // True when `path` (absolute, or relative to the current folder) exists
    // and became the current folder.
    bool setCurrentFolder(const QString &path);
    // The current folder, absolute; the login folder before any change.
    // Empty when it cannot be learnt.
    QString currentFolder();
    // The current folder's entries; nullopt when the listing cannot be read.
    std::optional<QList<FolderEntry>> list();
    // Makes `name` in the current folder.
    bool createFolder(const QString &name);
    // Stores a local file, binary, under `remotePath` (relative to the current
    // folder unless it starts with "/"). The bytes go to a side name first and
    // are renamed into place when complete, so a failed or cancelled upload
    // leaves an older file of that name whole.
    bool putFile(const QString &localPath, const QString &remotePath);

    // A URL read: openUrl starts it (redirects followed, at most 10; an HTTP
    // status of 400 or more fails), readUrl hands out the body in pieces of
    // at most `max` bytes: the count, 0 at the end, -1 on failure.
    bool openUrl(const QString &url);
    qint64 readUrl(char *buffer, qint64 max);
    // The length the server announced for the open URL; -1 when it gave none.
    qint64 urlLength() const;
    void closeUrl();

    void cancel();
    // Bytes moved by the running call and its expected total (0 = unknown).
    qint64 progressDone() const { return done_.load(); }
    qint64 progressTotal() const { return total_.load(); }

    Failure lastFailure() const { return failure_; }
    QString lastError() const { return error_; }
    // A message for the user when the last failure was one they can act on
    // (certificate, host key, bad server name); else empty.
    QString actionableError() const;

    const ServerAddress &server() const { return server_; }
    Timeouts timeouts;
    QString caFile;

private:
    struct Request;
    bool perform(Request &r);
    void fail(Failure f, const QString &text);
    bool ensureFolderKnown();
    void pumpUrl();
    static int progressCallback(void *self, long long dlTotal, long long dlNow, long long ulTotal,
                                long long ulNow);
    static size_t collect(char *data, size_t size, size_t count, void *target);

    void *easy_ = nullptr;
    void *multi_ = nullptr;
    void *urlEasy_ = nullptr;
    bool open_ = false;
    bool connected_ = false;
    QByteArray agent_;
    ServerAddress server_;
    QByteArray user_, password_;
    QString folder_;
    std::atomic<bool> cancel_{false};
    std::atomic<qint64> done_{0}, total_{0};
    Failure failure_ = Failure::None;
    QString error_;
    QByteArray urlBuffer_;
    bool urlDone_ = false;
    bool urlFailed_ = false;
    char curlError_[256] = {};
};

} // namespace transfer
