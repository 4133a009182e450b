#include "transfer/internetclient.h"

#include <QDir>
#include <QFile>
#include <curl/curl.h>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace transfer {

namespace {

// The most a folder listing may hold; a server sending more is not a folder.
constexpr qsizetype kMaxListing = 32 * 1024 * 1024;

void globalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CURL *handle(void *p)
{
    return static_cast<CURL *>(p);
}

struct Slist {
    curl_slist *list = nullptr;
    Slist() = default;
    explicit Slist(const QList<QByteArray> &items)
    {
        for (const QByteArray &i : items)
            list = curl_slist_append(list, i.constData());
    }
    ~Slist() { curl_slist_free_all(list); }
    Slist(const Slist &) = delete;
    Slist &operator=(const Slist &) = delete;
};

QByteArray sftpQuoted(const QString &path)
{
    return '"' + path.toUtf8() + '"';
}

} // namespace

struct InternetClient::Request {
    QByteArray url;
    bool nobody = false;
    bool listing = false;
    FILE *upload = nullptr;
    qint64 uploadSize = 0;
    QList<QByteArray> quote;
    QList<QByteArray> postQuote;
    QByteArray body;       // what a listing brought
    CURLcode code = CURLE_OK;
};

InternetClient::Timeouts &InternetClient::defaultTimeouts()
{
    static Timeouts t;
    return t;
}

QString &InternetClient::defaultCaFile()
{
    static QString f;
    return f;
}

InternetClient::InternetClient() : timeouts(defaultTimeouts()), caFile(defaultCaFile())
{
    globalInit();
}

InternetClient::~InternetClient()
{
    close();
}

bool InternetClient::open(const QString &agent)
{
    close();
    easy_ = curl_easy_init();
    multi_ = curl_multi_init();
    open_ = easy_ && multi_;
    agent_ = agent.toUtf8();
    if (!open_)
        fail(Failure::Other, QStringLiteral("The network library could not be started"));
    return open_;
}

void InternetClient::close()
{
    closeUrl();
    disconnect();
    if (multi_)
        curl_multi_cleanup(static_cast<CURLM *>(multi_));
    if (easy_)
        curl_easy_cleanup(handle(easy_));
    multi_ = easy_ = nullptr;
    open_ = false;
}

bool InternetClient::isOpen() const
{
    return open_;
}

bool InternetClient::connect(const QString &server, const QString &user, const QString &password)
{
    disconnect();
    server_ = parseServerName(server);
    if (!server_.valid) {
        fail(Failure::Other, server_.problem);
        return false;
    }
    user_ = user.toUtf8();
    password_ = password.toUtf8();
    connected_ = open_;
    return connected_;
}

void InternetClient::disconnect()
{
    // A fresh handle drops the old server's connection and credentials.
    if (connected_ && easy_) {
        curl_easy_cleanup(handle(easy_));
        easy_ = curl_easy_init();
    }
    connected_ = false;
    folder_.clear();
    user_.clear();
    password_.clear();
}

void InternetClient::cancel()
{
    cancel_ = true;
}

void InternetClient::fail(Failure f, const QString &text)
{
    failure_ = f;
    error_ = text;
}

QString InternetClient::actionableError() const
{
    switch (failure_) {
    case Failure::Certificate:
    case Failure::HostKey:
        return error_;
    default:
        return {};
    }
}

int InternetClient::progressCallback(void *self, long long dlTotal, long long dlNow, long long ulTotal,
                                     long long ulNow)
{
    auto *c = static_cast<InternetClient *>(self);
    c->done_ = ulTotal > 0 || ulNow > 0 ? ulNow : dlNow;
    c->total_ = ulTotal > 0 ? ulTotal : dlTotal;
    // Once every byte of an upload is out, only the quick rename into place
    // is left: a Cancel then would report a failure for a file that is
    // already published.
    if (ulTotal > 0 && ulNow >= ulTotal)
        return 0;
    return c->cancel_.load() ? 1 : 0;
}

size_t InternetClient::collect(char *data, size_t size, size_t count, void *target)
{
    auto *buf = static_cast<QByteArray *>(target);
    const size_t n = size * count;
    if (buf->size() + qsizetype(n) > kMaxListing)
        return 0;   // ends the transfer with a write error
    buf->append(data, qsizetype(n));
    return n;
}

bool InternetClient::perform(Request &r)
{
    if (!connected_ || !easy_) {
        fail(Failure::Other, QStringLiteral("Not connected"));
        return false;
    }
    CURL *c = handle(easy_);
    // A reset keeps the open connection, so a session stays logged in.
    curl_easy_reset(c);
    curlError_[0] = 0;
    curl_easy_setopt(c, CURLOPT_URL, r.url.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp,sftp");
    curl_easy_setopt(c, CURLOPT_USERNAME, user_.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, password_.constData());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, curlError_);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(timeouts.connectSeconds));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(timeouts.lowSpeedSeconds));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, long(timeouts.lowSpeedSeconds));
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &InternetClient::progressCallback);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, this);
    // Passive mode: the server never has to reach back through a router.
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, 1L);
    curl_easy_setopt(c, CURLOPT_FTP_SKIP_PASV_IP, 1L);
    if (server_.protocol == Protocol::FtpExplicitTls) {
        curl_easy_setopt(c, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
        // Under TLS 1.3 a server sends session tickets after the handshake;
        // an upload never reads them, so closing its data connection resets
        // it, and a server may drop the file's last bytes still queued.
        curl_easy_setopt(c, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2 | CURL_SSLVERSION_MAX_TLSv1_2));
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
        if (!caFile.isEmpty())
            curl_easy_setopt(c, CURLOPT_CAINFO, QFile::encodeName(caFile).constData());
    }
    QByteArray knownHosts;
    if (server_.protocol == Protocol::Sftp) {
        knownHosts = QFile::encodeName(QDir::homePath() + QStringLiteral("/.ssh/known_hosts"));
        curl_easy_setopt(c, CURLOPT_SSH_KNOWNHOSTS, knownHosts.constData());
    }
    Slist quote(r.quote), postQuote(r.postQuote);
    if (quote.list)
        curl_easy_setopt(c, CURLOPT_QUOTE, quote.list);
    if (postQuote.list)
        curl_easy_setopt(c, CURLOPT_POSTQUOTE, postQuote.list);
    if (r.nobody)
        curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    if (r.listing) {
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &InternetClient::collect);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, &r.body);
    }
    if (r.upload) {
        curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(c, CURLOPT_READDATA, r.upload);
        curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, curl_off_t(r.uploadSize));
        curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);
    }
    done_ = 0;
    total_ = r.uploadSize;
    r.code = curl_easy_perform(c);
    if (r.code == CURLE_OK) {
        failure_ = Failure::None;
        error_.clear();
        return true;
    }
    const QString detail = QString::fromUtf8(curlError_[0] ? curlError_ : curl_easy_strerror(r.code));
    const QString where = server_.host;
    switch (r.code) {
    case CURLE_ABORTED_BY_CALLBACK:
        fail(Failure::Cancelled, QStringLiteral("Cancelled"));
        break;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_FTP_WEIRD_SERVER_REPLY:
        fail(Failure::Connect, QStringLiteral("Cannot reach %1: %2").arg(where, detail));
        break;
    case CURLE_LOGIN_DENIED:
        fail(Failure::Login, QStringLiteral("%1 refused the user name or password").arg(where));
        break;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
        if (server_.protocol == Protocol::Sftp)
            fail(Failure::HostKey,
                 QStringLiteral("The host key of %1 does not match ~/.ssh/known_hosts or is not "
                                "listed there. Connect once with ssh to check and record it.")
                     .arg(where));
        else
            fail(Failure::Certificate,
                 QStringLiteral("The certificate of %1 could not be verified, so nothing was sent "
                                "to it. (%2)")
                     .arg(where, detail));
        break;
    case CURLE_USE_SSL_FAILED:
        fail(Failure::Certificate, QStringLiteral("%1 does not offer an encrypted connection").arg(where));
        break;
    case CURLE_READ_ERROR:
        fail(Failure::Local, detail);
        break;
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
        fail(Failure::NotFound, detail);
        break;
    default:
        fail(Failure::Other, detail);
        break;
    }
    return false;
}

bool InternetClient::ensureFolderKnown()
{
    if (!folder_.isEmpty())
        return true;
    // The login folder: ask for the server's entry path once.
    Request r;
    r.url = buildUrl(server_, QStringLiteral("/"), true);
    r.url.replace("/%2F", "/");
    r.nobody = true;
    if (!perform(r))
        return false;
    const char *entry = nullptr;
    curl_easy_getinfo(handle(easy_), CURLINFO_FTP_ENTRY_PATH, &entry);
    folder_ = entry && *entry ? resolvePath(QStringLiteral("/"), QString::fromUtf8(entry))
                              : QStringLiteral("/");
    return true;
}

bool InternetClient::setCurrentFolder(const QString &path)
{
    cancel_ = false;
    if (!connected_) {
        fail(Failure::Other, QStringLiteral("Not connected"));
        return false;
    }
    if (!path.startsWith(QLatin1Char('/')) && !ensureFolderKnown())
        return false;
    const QString target = resolvePath(folder_.isEmpty() ? QStringLiteral("/") : folder_, path);
    // Walking into the folder is the test that it exists and may be entered.
    Request r;
    r.url = buildUrl(server_, target, true);
    r.nobody = true;
    if (!perform(r))
        return false;
    folder_ = target;
    return true;
}

QString InternetClient::currentFolder()
{
    cancel_ = false;
    if (!connected_ || !ensureFolderKnown())
        return {};
    return folder_;
}

std::optional<QList<FolderEntry>> InternetClient::list()
{
    cancel_ = false;
    if (!connected_ || !ensureFolderKnown())
        return std::nullopt;
    Request r;
    r.url = buildUrl(server_, folder_, true);
    r.listing = true;
    if (!perform(r))
        return std::nullopt;
    return parseListing(r.body);
}

bool InternetClient::createFolder(const QString &name)
{
    cancel_ = false;
    if (!safeCommandText(name)) {
        fail(Failure::Other, QStringLiteral("No usable folder name"));
        return false;
    }
    if (!connected_ || !ensureFolderKnown())
        return false;
    const QString target = resolvePath(folder_, name);
    Request r;
    r.url = buildUrl(server_, folder_, true);
    r.nobody = true;
    r.quote << (server_.protocol == Protocol::Sftp ? "mkdir " + sftpQuoted(target)
                                                   : "MKD " + target.toUtf8());
    return perform(r);
}

bool InternetClient::putFile(const QString &localPath, const QString &remotePath)
{
    cancel_ = false;
    if (!connected_) {
        fail(Failure::Other, QStringLiteral("Not connected"));
        return false;
    }
    if (!safeCommandText(remotePath) || remotePath.endsWith(QLatin1Char('/'))) {
        fail(Failure::Other, QStringLiteral("No usable remote file name"));
        return false;
    }
    if (!remotePath.startsWith(QLatin1Char('/')) && !ensureFolderKnown())
        return false;
    FILE *f = std::fopen(QFile::encodeName(localPath).constData(), "rb");
    if (!f) {
        fail(Failure::Local, QStringLiteral("Cannot open file %1").arg(localPath));
        return false;
    }
    std::fseek(f, 0, SEEK_END);
    const qint64 size = std::ftell(f);
    std::rewind(f);

    const QString target = resolvePath(folder_.isEmpty() ? QStringLiteral("/") : folder_, remotePath);
    const qsizetype cut = target.lastIndexOf(QLatin1Char('/'));
    const QString side = target.left(cut + 1) + QStringLiteral(".mivor-upload.") + target.mid(cut + 1);
    const bool sftp = server_.protocol == Protocol::Sftp;
    auto renameCommands = [&] {
        if (sftp)
            return QList<QByteArray>{"rename " + sftpQuoted(side) + ' ' + sftpQuoted(target)};
        return QList<QByteArray>{"RNFR " + side.toUtf8(), "RNTO " + target.toUtf8()};
    };

    Request up;
    up.url = buildUrl(server_, side, false);
    up.upload = f;
    up.uploadSize = size;
    up.postQuote = renameCommands();
    bool ok = perform(up);
    std::fclose(f);
    const Failure uploadFailure = failure_;
    const QString uploadError = error_;
    const bool renameFailed = !ok && up.code == CURLE_QUOTE_ERROR;
    cancel_ = false;
    if (renameFailed) {
        // Some servers will not rename over an existing file: remove it first.
        Request again;
        again.url = buildUrl(server_, QStringLiteral("/"), true);
        again.nobody = true;
        again.quote << (sftp ? "rm " + sftpQuoted(target) : "DELE " + target.toUtf8());
        again.quote << renameCommands();
        ok = perform(again);
    }
    if (!ok) {
        // Whatever arrived under the side name goes again.
        Request clean;
        clean.url = buildUrl(server_, QStringLiteral("/"), true);
        clean.nobody = true;
        clean.quote << (sftp ? "*rm " + sftpQuoted(side) : "*DELE " + side.toUtf8());
        perform(clean);
        fail(uploadFailure == Failure::None ? Failure::Other : uploadFailure, uploadError);
    }
    return ok;
}

// ------------------------------------------------------------ URL reading

bool InternetClient::openUrl(const QString &url)
{
    closeUrl();
    cancel_ = false;
    if (!open_) {
        fail(Failure::Other, QStringLiteral("Not open"));
        return false;
    }
    urlEasy_ = curl_easy_init();
    CURL *c = handle(urlEasy_);
    const QByteArray u = url.trimmed().toUtf8();
    curlError_[0] = 0;
    curl_easy_setopt(c, CURLOPT_URL, u.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https,ftp,ftps");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, agent_.constData());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, curlError_);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(timeouts.connectSeconds));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, long(timeouts.lowSpeedSeconds));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(timeouts.lowSpeedSeconds));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!caFile.isEmpty())
        curl_easy_setopt(c, CURLOPT_CAINFO, QFile::encodeName(caFile).constData());
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &InternetClient::collect);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &urlBuffer_);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &InternetClient::progressCallback);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, this);
    done_ = total_ = 0;
    urlBuffer_.clear();
    urlDone_ = urlFailed_ = false;
    curl_multi_add_handle(static_cast<CURLM *>(multi_), c);
    // Open means: the first bytes arrived, or the whole answer did.
    while (urlBuffer_.isEmpty() && !urlDone_)
        pumpUrl();
    return !urlFailed_;
}

void InternetClient::pumpUrl()
{
    CURLM *m = static_cast<CURLM *>(multi_);
    int running = 0;
    if (curl_multi_perform(m, &running) != CURLM_OK) {
        urlDone_ = urlFailed_ = true;
        fail(Failure::Other, QStringLiteral("The network library failed"));
        return;
    }
    int left = 0;
    while (CURLMsg *msg = curl_multi_info_read(m, &left)) {
        if (msg->msg != CURLMSG_DONE)
            continue;
        urlDone_ = true;
        const CURLcode code = msg->data.result;
        if (code != CURLE_OK) {
            urlFailed_ = true;
            fail(code == CURLE_ABORTED_BY_CALLBACK           ? Failure::Cancelled
                 : code == CURLE_PEER_FAILED_VERIFICATION ? Failure::Certificate
                                                           : Failure::Other,
                 QString::fromUtf8(curlError_[0] ? curlError_ : curl_easy_strerror(code)));
        }
    }
    if (!urlDone_ && urlBuffer_.isEmpty())
        curl_multi_poll(m, nullptr, 0, 100, nullptr);
}

qint64 InternetClient::readUrl(char *buffer, qint64 max)
{
    if (!urlEasy_)
        return -1;
    // More is pulled from the network only once the buffer is empty.
    while (urlBuffer_.isEmpty() && !urlDone_)
        pumpUrl();
    if (urlFailed_)
        return -1;
    const qint64 n = std::min<qint64>(max, urlBuffer_.size());
    if (n > 0) {
        memcpy(buffer, urlBuffer_.constData(), size_t(n));
        urlBuffer_.remove(0, n);
    }
    return n;
}

qint64 InternetClient::urlLength() const
{
    curl_off_t length = -1;
    if (!urlEasy_ || curl_easy_getinfo(handle(urlEasy_), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK)
        return -1;
    return qint64(length);
}

void InternetClient::closeUrl()
{
    if (urlEasy_) {
        curl_multi_remove_handle(static_cast<CURLM *>(multi_), handle(urlEasy_));
        curl_easy_cleanup(handle(urlEasy_));
        urlEasy_ = nullptr;
    }
    urlBuffer_.clear();
    urlDone_ = urlFailed_ = false;
}

} // namespace transfer
