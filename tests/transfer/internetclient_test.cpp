// The internet client and the download against real servers on 127.0.0.1.
#include "localservers.h"
#include "transfer/download.h"
#include "transfer/internetclient.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>

using namespace transfer;

namespace {

// Short time-outs so the dead-server cases finish quickly; the program's
// own values are checked in TimeoutsOfTheProgram.
struct QuickTimeouts {
    InternetClient::Timeouts saved = InternetClient::defaultTimeouts();
    QuickTimeouts() { InternetClient::defaultTimeouts() = {8, 8}; }
    ~QuickTimeouts() { InternetClient::defaultTimeouts() = saved; }
};

class FtpServerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString root;
    std::unique_ptr<LocalServer> server;
    QuickTimeouts quick;

    void SetUp() override
    {
        root = dir.path() + QStringLiteral("/root");
        QDir().mkpath(root + QStringLiteral("/www/img"));
        QDir().mkpath(root + QStringLiteral("/a:b"));
        writeFile(root + QStringLiteral("/www/old.htm"), "old");
        server = std::make_unique<LocalServer>(QStringLiteral("ftp"),
                                               QStringList{root, QStringLiteral("user"), QStringLiteral("pw")});
        ASSERT_TRUE(server->running()) << server->error().toStdString();
    }
    QString name() const { return QStringLiteral("ftp://127.0.0.1:%1").arg(server->port()); }
    QString local(const QString &n, const QByteArray &bytes) const
    {
        const QString p = dir.path() + QLatin1Char('/') + n;
        writeFile(p, bytes);
        return p;
    }
    static QStringList folders(const QList<FolderEntry> &entries)
    {
        QStringList out;
        for (const FolderEntry &e : entries)
            if (e.folder)
                out << e.name;
        out.sort();
        return out;
    }
};

} // namespace

TEST(InternetClientSettings, TimeoutsOfTheProgram)
{
    const InternetClient::Timeouts t;
    EXPECT_EQ(t.connectSeconds, 15);
    EXPECT_GE(t.lowSpeedSeconds, 10);
    EXPECT_LE(t.lowSpeedSeconds, 20);
}

TEST_F(FtpServerTest, FoldersListCreateAndWalk)
{
    InternetClient c;
    ASSERT_TRUE(c.open(QStringLiteral("mivor")));
    ASSERT_TRUE(c.connect(name(), QStringLiteral("user"), QStringLiteral("pw")));
    ASSERT_TRUE(c.setCurrentFolder(QStringLiteral("/")));
    auto top = c.list();
    ASSERT_TRUE(top);
    EXPECT_EQ(folders(*top), (QStringList{QStringLiteral("a:b"), QStringLiteral("www")}));

    ASSERT_TRUE(c.setCurrentFolder(QStringLiteral("www")));
    EXPECT_EQ(c.currentFolder(), QStringLiteral("/www"));
    auto www = c.list();
    ASSERT_TRUE(www);
    EXPECT_EQ(folders(*www), QStringList{QStringLiteral("img")});

    // A missing folder is refused and the current one stays.
    EXPECT_FALSE(c.setCurrentFolder(QStringLiteral("nothere")));
    EXPECT_EQ(c.currentFolder(), QStringLiteral("/www"));

    ASSERT_TRUE(c.createFolder(QStringLiteral("new # 100%")));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/www/new # 100%")).isDir());
    EXPECT_TRUE(c.setCurrentFolder(QStringLiteral("new # 100%")));
    EXPECT_FALSE(c.createFolder(QStringLiteral("x\r\nDELE /www/old.htm")));
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("/www/old.htm")));
}

// As typed in FTP Settings without a scheme: the port is the one written.
TEST_F(FtpServerTest, APlainHostAndPortReachesTheServer)
{
    InternetClient c;
    ASSERT_TRUE(c.open(QStringLiteral("mivor")));
    ASSERT_TRUE(c.connect(QStringLiteral("127.0.0.1:%1").arg(server->port()), QStringLiteral("user"),
                          QStringLiteral("pw")));
    ASSERT_TRUE(c.setCurrentFolder(QStringLiteral("/")));
    auto top = c.list();
    ASSERT_TRUE(top);
    EXPECT_EQ(folders(*top), (QStringList{QStringLiteral("a:b"), QStringLiteral("www")}));
}

TEST_F(FtpServerTest, PutFileRelativeAbsoluteAndOverExisting)
{
    InternetClient c;
    c.open(QStringLiteral("mivor"));
    c.connect(name(), QStringLiteral("user"), QStringLiteral("pw"));
    ASSERT_TRUE(c.setCurrentFolder(QStringLiteral("/www")));
    const QByteArray bytes = patternBytes(70000) + QByteArray("\r\n\n\r\0end", 8);
    const QString f = local(QStringLiteral("page.htm"), bytes);
    ASSERT_TRUE(c.putFile(f, QStringLiteral("img/page.htm")));
    EXPECT_EQ(readFile(root + QStringLiteral("/www/img/page.htm")), bytes);
    ASSERT_TRUE(c.putFile(f, QStringLiteral("/top.htm")));
    EXPECT_EQ(readFile(root + QStringLiteral("/top.htm")), bytes);
    ASSERT_TRUE(c.putFile(f, QStringLiteral("old.htm")));
    EXPECT_EQ(readFile(root + QStringLiteral("/www/old.htm")), bytes);
    // Nothing but the stored files: no side file left behind.
    EXPECT_EQ(QDir(root + QStringLiteral("/www")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("old.htm")});

    EXPECT_FALSE(c.putFile(dir.path() + QStringLiteral("/missing.htm"), QStringLiteral("m.htm")));
    EXPECT_FALSE(c.putFile(f, QStringLiteral("nofolder/page.htm")));
    EXPECT_EQ(QDir(root + QStringLiteral("/www")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("old.htm")});
}

TEST_F(FtpServerTest, WrongPasswordFailsEveryCallQuickly)
{
    InternetClient c;
    c.open(QStringLiteral("mivor"));
    // Not tested when connecting...
    ASSERT_TRUE(c.connect(name(), QStringLiteral("user"), QStringLiteral("wrong")));
    QElapsedTimer t;
    t.start();
    // ...but every operation fails.
    EXPECT_FALSE(c.setCurrentFolder(QStringLiteral("/")));
    EXPECT_EQ(c.lastFailure(), InternetClient::Failure::Login);
    EXPECT_FALSE(c.list());
    EXPECT_FALSE(c.putFile(local(QStringLiteral("x.htm"), "x"), QStringLiteral("x.htm")));
    EXPECT_LT(t.elapsed(), 20000);
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("/x.htm")));
}

TEST_F(FtpServerTest, ServerGoneMidUploadLeavesNoFileUnderTheName)
{
    const QString big = local(QStringLiteral("big.bin"), patternBytes(60 * 1024 * 1024));
    InternetClient c;
    c.open(QStringLiteral("mivor"));
    c.connect(name(), QStringLiteral("user"), QStringLiteral("pw"));
    ASSERT_TRUE(c.setCurrentFolder(QStringLiteral("/")));
    bool ok = true;
    std::thread worker([&] { ok = c.putFile(big, QStringLiteral("www/old.htm")); });
    QElapsedTimer t;
    t.start();
    while (c.progressDone() < 1024 * 1024 && t.elapsed() < 10000)
        QThread::msleep(5);
    server->kill();
    worker.join();
    EXPECT_FALSE(ok);
    EXPECT_LT(t.elapsed(), 20000);
    EXPECT_EQ(readFile(root + QStringLiteral("/www/old.htm")), QByteArray("old"));
}

TEST_F(FtpServerTest, CancelStopsAnUploadAndCleansUp)
{
    const QString big = local(QStringLiteral("big.bin"), patternBytes(50 * 1024 * 1024));
    InternetClient c;
    c.open(QStringLiteral("mivor"));
    c.connect(name(), QStringLiteral("user"), QStringLiteral("pw"));
    ASSERT_TRUE(c.setCurrentFolder(QStringLiteral("/www")));
    bool ok = true;
    std::thread worker([&] { ok = c.putFile(big, QStringLiteral("old.htm")); });
    QElapsedTimer t;
    t.start();
    while (c.progressDone() < 1024 * 1024 && t.elapsed() < 10000)
        QThread::msleep(5);
    c.cancel();
    worker.join();
    EXPECT_FALSE(ok);
    EXPECT_EQ(c.lastFailure(), InternetClient::Failure::Cancelled);
    EXPECT_EQ(readFile(root + QStringLiteral("/www/old.htm")), QByteArray("old"));
    EXPECT_EQ(QDir(root + QStringLiteral("/www")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("old.htm")});
}

TEST(FtpTls, VerifiedCertificateUploadsAndUnverifiedIsRefused)
{
    QuickTimeouts quick;
    QTemporaryDir dir;
    const QString cert = makeTestCertificate(dir.path());
    if (cert.isEmpty())
        GTEST_SKIP() << "openssl cannot make a test certificate here";
    const QString root = dir.path() + QStringLiteral("/root");
    QDir().mkpath(root);
    LocalServer server(QStringLiteral("ftp"), {root, QStringLiteral("u"), QStringLiteral("p"), cert});
    ASSERT_TRUE(server.running()) << server.error().toStdString();
    const QString name = QStringLiteral("ftps://127.0.0.1:%1").arg(server.port());
    const QString f = dir.path() + QStringLiteral("/p.htm");
    writeFile(f, "secret page");

    InternetClient trusted;
    trusted.caFile = cert;
    trusted.open(QStringLiteral("mivor"));
    trusted.connect(name, QStringLiteral("u"), QStringLiteral("p"));
    // Logging in, listing and sending a file all run over TLS: the server
    // refuses plain control and data connections.
    ASSERT_TRUE(trusted.setCurrentFolder(QStringLiteral("/"))) << trusted.lastError().toStdString();
    EXPECT_EQ(trusted.currentFolder(), QStringLiteral("/"));
    ASSERT_TRUE(trusted.createFolder(QStringLiteral("www")));
    ASSERT_TRUE(trusted.setCurrentFolder(QStringLiteral("www")));
    const QByteArray big = patternBytes(300 * 1024, 3);
    const QString g = dir.path() + QStringLiteral("/big.jpg");
    writeFile(g, big);
    ASSERT_TRUE(trusted.putFile(f, QStringLiteral("p.htm"))) << trusted.lastError().toStdString();
    ASSERT_TRUE(trusted.putFile(g, QStringLiteral("/big.jpg"))) << trusted.lastError().toStdString();
    EXPECT_EQ(readFile(root + QStringLiteral("/www/p.htm")), QByteArray("secret page"));
    const QByteArray arrived = readFile(root + QStringLiteral("/big.jpg"));
    EXPECT_EQ(arrived.size(), big.size());
    EXPECT_TRUE(arrived == big);
    const std::optional<QList<FolderEntry>> listed = trusted.list();
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->size(), 1);
    EXPECT_EQ(listed->first().name, QStringLiteral("p.htm"));

    // The system's authorities do not know the test certificate.
    InternetClient stranger;
    stranger.caFile.clear();
    stranger.open(QStringLiteral("mivor"));
    stranger.connect(name, QStringLiteral("u"), QStringLiteral("p"));
    EXPECT_FALSE(stranger.setCurrentFolder(QStringLiteral("/")));
    EXPECT_EQ(stranger.lastFailure(), InternetClient::Failure::Certificate);
    EXPECT_TRUE(stranger.actionableError().contains(QStringLiteral("certificate")));
    EXPECT_FALSE(stranger.putFile(f, QStringLiteral("q.htm")));
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("/q.htm")));
}

class HttpTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString site;
    std::unique_ptr<LocalServer> server;
    QByteArray page = patternBytes(100 * 1024, 7);
    QuickTimeouts quick;

    void SetUp() override
    {
        site = dir.path() + QStringLiteral("/site");
        QDir().mkpath(site);
        writeFile(site + QStringLiteral("/page.htm"), page);
        server = std::make_unique<LocalServer>(QStringLiteral("http"), QStringList{site});
        ASSERT_TRUE(server->running()) << server->error().toStdString();
    }
    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server->port()).arg(path);
    }
    QString existing() const
    {
        const QString t = dir.path() + QStringLiteral("/target.htm");
        writeFile(t, "keep me");
        return t;
    }
};

TEST_F(HttpTest, ReadsComeInPiecesOfAtMost2048)
{
    InternetClient c;
    ASSERT_TRUE(c.open(QStringLiteral("mivor")));
    ASSERT_TRUE(c.openUrl(url(QStringLiteral("/page.htm"))));
    QByteArray got;
    char buf[2048];
    int reads = 0;
    for (qint64 n; (n = c.readUrl(buf, sizeof buf)) > 0; ++reads)
        got.append(buf, n);
    EXPECT_EQ(got, page);
    EXPECT_GE(reads, 50);
}

TEST_F(HttpTest, DownloadIntoNewAndExistingFiles)
{
    InternetClient c;
    const QString fresh = dir.path() + QStringLiteral("/fresh.htm");
    ASSERT_TRUE(DownloadFile(c, url(QStringLiteral("/page.htm")), fresh));
    EXPECT_EQ(readFile(fresh), page);
    const QString old = existing();
    ASSERT_TRUE(DownloadFile(c, url(QStringLiteral("/redirect/3")), old));
    EXPECT_EQ(readFile(old), page);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"fresh.htm", "target.htm"}));
}

TEST_F(HttpTest, FailuresLeaveTheTargetUntouched)
{
    const QString target = existing();
    InternetClient c;
    const Result missing = DownloadFile(c, url(QStringLiteral("/missing")), target);
    EXPECT_FALSE(missing);
    EXPECT_TRUE(missing.message.contains(QStringLiteral("404"))) << missing.message.toStdString();
    EXPECT_FALSE(DownloadFile(c, url(QStringLiteral("/reset")), target));
    EXPECT_FALSE(DownloadFile(c, url(QStringLiteral("/redirect/11")), target));
    EXPECT_FALSE(DownloadFile(c, QStringLiteral("http://127.0.0.1:%1/").arg(unusedPort()), target));
    EXPECT_FALSE(DownloadFile(c, QStringLiteral("file:///etc/passwd"), target));
    EXPECT_FALSE(DownloadFile(c, url(QStringLiteral("/page.htm")), dir.path() + QStringLiteral("/no/dir/x.htm")));
    EXPECT_EQ(readFile(target), QByteArray("keep me"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"target.htm"});
}

TEST_F(HttpTest, AnAnswerOverTheLimitIsRefusedAndNamesItsSize)
{
    const QString target = existing();
    InternetClient c;
    // Announced: refused before a byte is written.
    Result r = DownloadFile(c, url(QStringLiteral("/announced-huge")), target);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.message, QStringLiteral("The page is 2.0 GB; a download may be at most 64 MB."));
    // Not announced: stopped once the limit is passed.
    r = DownloadFile(c, url(QStringLiteral("/unannounced/%1").arg(kMaxDownloadBytes + 100000)), target);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.message, QStringLiteral("The page is larger than 64 MB, the most a download may be."));
    // Up to the limit is a page like any other.
    r = DownloadFile(c, url(QStringLiteral("/unannounced/5000")), target, 5000);
    EXPECT_TRUE(r) << r.message.toStdString();
    EXPECT_EQ(readFile(target), QByteArray(5000, 'x'));
    r = DownloadFile(c, url(QStringLiteral("/unannounced/5001")), target, 5000);
    EXPECT_FALSE(r);
    EXPECT_EQ(readFile(target), QByteArray(5000, 'x'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"target.htm"});
}

TEST(DeadServers, SilentAndUnreachableAreReportedInTime)
{
    QuickTimeouts quick;
    LocalServer silent(QStringLiteral("silent"));
    ASSERT_TRUE(silent.running()) << silent.error().toStdString();
    QTemporaryDir dir;
    const QString target = dir.path() + QStringLiteral("/t.htm");
    QElapsedTimer t;

    InternetClient c;
    t.start();
    EXPECT_FALSE(DownloadFile(c, QStringLiteral("http://127.0.0.1:%1/").arg(silent.port()), target));
    EXPECT_LT(t.elapsed(), 15000);

    InternetClient ftp;
    ftp.open(QStringLiteral("mivor"));
    ftp.connect(QStringLiteral("ftp://127.0.0.1:%1").arg(silent.port()), QStringLiteral("u"), QStringLiteral("p"));
    t.restart();
    EXPECT_FALSE(ftp.setCurrentFolder(QStringLiteral("/")));
    EXPECT_LT(t.elapsed(), 15000);

    ftp.connect(QStringLiteral("ftp://127.0.0.1:%1").arg(unusedPort()), QStringLiteral("u"), QStringLiteral("p"));
    t.restart();
    EXPECT_FALSE(ftp.setCurrentFolder(QStringLiteral("/")));
    EXPECT_EQ(ftp.lastFailure(), InternetClient::Failure::Connect);
    EXPECT_LT(t.elapsed(), 15000);
    EXPECT_FALSE(QFile::exists(target));
}
