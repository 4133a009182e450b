// Path rules, server names, URLs and the listing parser of the FTP client.
#include "transfer/ftpdata.h"
#include "transfer/ftplogic.h"
#include "transfer/imagerefs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace transfer;

TEST(FtpPaths, FolderPartAndRemoteNames)
{
    EXPECT_EQ(FolderPart(QStringLiteral("www/index.htm")), QStringLiteral("www/"));
    EXPECT_EQ(FolderPart(QStringLiteral("a/b/c.gif")), QStringLiteral("a/b/"));
    EXPECT_EQ(FolderPart(QStringLiteral("page.htm")), QString());
    EXPECT_EQ(FolderPart(QStringLiteral("../")), QString());
    EXPECT_EQ(FolderPart(QStringLiteral("www/image_files")), QStringLiteral("www/"));
    EXPECT_EQ(FolderPart(QStringLiteral("/")), QString());
    EXPECT_EQ(FolderPart(QString()), QString());

    EXPECT_EQ(remoteNameOf(QStringLiteral("www/index.htm")), QStringLiteral("www/index.htm"));
    EXPECT_EQ(remoteNameOf(QStringLiteral("c:\\pics\\logo.gif")), QStringLiteral("logo.gif"));
    EXPECT_EQ(remoteNameOf(QStringLiteral("http://x.org/a.gif")), QStringLiteral("//x.org/a.gif"));
}

TEST(FtpPaths, ResolvingAgainstTheCurrentFolder)
{
    EXPECT_EQ(resolvePath(QStringLiteral("/www"), QStringLiteral("img")), QStringLiteral("/www/img"));
    EXPECT_EQ(resolvePath(QStringLiteral("/www"), QStringLiteral("/other")), QStringLiteral("/other"));
    EXPECT_EQ(resolvePath(QStringLiteral("/www/img"), QStringLiteral("../x/./y")), QStringLiteral("/www/x/y"));
    EXPECT_EQ(resolvePath(QStringLiteral("/"), QStringLiteral("../../..")), QStringLiteral("/"));
    EXPECT_EQ(resolvePath(QStringLiteral("/a"), QStringLiteral("b/")), QStringLiteral("/a/b"));
}

TEST(FtpServers, NamesAndUrls)
{
    const ServerAddress plain = parseServerName(QStringLiteral("ftp.example.com"));
    ASSERT_TRUE(plain.valid);
    EXPECT_EQ(plain.protocol, Protocol::Ftp);
    EXPECT_EQ(plain.port, 21);
    EXPECT_EQ(buildUrl(plain, QStringLiteral("/"), true), QByteArray("ftp://ftp.example.com:21/%2F"));
    // Blanks, '#' and '%' in names must not end or bend the URL.
    EXPECT_EQ(buildUrl(plain, QStringLiteral("/my site/#1/100%"), true),
              QByteArray("ftp://ftp.example.com:21/%2Fmy%20site/%231/100%25/"));
    EXPECT_EQ(buildUrl(plain, QStringLiteral("/www/index.htm"), false),
              QByteArray("ftp://ftp.example.com:21/%2Fwww/index.htm"));

    const ServerAddress tls = parseServerName(QStringLiteral("ftps://host.org:2121"));
    ASSERT_TRUE(tls.valid);
    EXPECT_EQ(tls.protocol, Protocol::FtpExplicitTls);
    EXPECT_EQ(tls.port, 2121);
    // Explicit TLS talks to the FTP port; libcurl's own ftps:// would not.
    EXPECT_TRUE(buildUrl(tls, QStringLiteral("/"), true).startsWith("ftp://host.org:2121/"));

    const ServerAddress ssh = parseServerName(QStringLiteral("SFTP://example.net"));
    ASSERT_TRUE(ssh.valid);
    EXPECT_EQ(ssh.protocol, Protocol::Sftp);
    EXPECT_EQ(ssh.port, 22);
    EXPECT_EQ(buildUrl(ssh, QStringLiteral("/home/u"), true), QByteArray("sftp://example.net:22/home/u/"));

    const ServerAddress v6 = parseServerName(QStringLiteral("ftp://[::1]:2100"));
    ASSERT_TRUE(v6.valid);
    EXPECT_EQ(v6.host, QStringLiteral("::1"));
    EXPECT_TRUE(buildUrl(v6, QStringLiteral("/"), true).startsWith("ftp://[::1]:2100/"));

    for (const char *bad : {"", "gopher://x", "ftp://host:0", "ftp://host:99999", "a b.com",
                            "ftp://user@host", "ftp://[::1"})
        EXPECT_FALSE(parseServerName(QString::fromLatin1(bad)).valid) << bad;
}

TEST(FtpServers, APortFollowsTheHostInEveryForm)
{
    struct Case {
        const char *name;
        Protocol protocol;
        const char *host;
        int port;
    };
    for (const Case &c : {Case{"127.0.0.1:2121", Protocol::Ftp, "127.0.0.1", 2121},
                          Case{" ftp.example.com:990 ", Protocol::Ftp, "ftp.example.com", 990},
                          Case{"ftp://127.0.0.1:2121", Protocol::Ftp, "127.0.0.1", 2121},
                          Case{"ftps://127.0.0.1:2121", Protocol::FtpExplicitTls, "127.0.0.1", 2121},
                          Case{"sftp://127.0.0.1:2222", Protocol::Sftp, "127.0.0.1", 2222},
                          Case{"[::1]:2121", Protocol::Ftp, "::1", 2121},
                          Case{"[::1]", Protocol::Ftp, "::1", 21},
                          Case{"::1", Protocol::Ftp, "::1", 21},
                          Case{"fe80::1:2121", Protocol::Ftp, "fe80::1:2121", 21},
                          Case{"sftp://[2001:db8::5]:2200/home", Protocol::Sftp, "2001:db8::5", 2200},
                          Case{"sftp://::1", Protocol::Sftp, "::1", 22}}) {
        const ServerAddress a = parseServerName(QString::fromLatin1(c.name));
        ASSERT_TRUE(a.valid) << c.name << ": " << a.problem.toStdString();
        EXPECT_EQ(a.protocol, c.protocol) << c.name;
        EXPECT_EQ(a.host, QString::fromLatin1(c.host)) << c.name;
        EXPECT_EQ(a.port, c.port) << c.name;
    }
    EXPECT_EQ(buildUrl(parseServerName(QStringLiteral("127.0.0.1:2121")), QStringLiteral("/"), true),
              QByteArray("ftp://127.0.0.1:2121/%2F"));

    for (const char *bad : {"127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536", "127.0.0.1:21a", ":2121",
                            "[::1]x", "[::1]:", "host:21/www"}) {
        const ServerAddress a = parseServerName(QString::fromLatin1(bad));
        EXPECT_FALSE(a.valid) << bad;
        EXPECT_FALSE(a.problem.isEmpty()) << bad;
    }
}

TEST(FtpServers, CommandTextRefusesLineBreaks)
{
    EXPECT_TRUE(safeCommandText(QStringLiteral("new folder")));
    EXPECT_FALSE(safeCommandText(QString()));
    EXPECT_FALSE(safeCommandText(QStringLiteral("x\r\nDELE index.htm")));
    EXPECT_FALSE(safeCommandText(QStringLiteral("x\ny")));
}

TEST(FtpListing, UnixDosAndOddLines)
{
    const QByteArray listing =
        "total 12\r\n"
        "drwxr-xr-x   2 owner    group        4096 Jan 01 12:00 www\r\n"
        "-rw-r--r--   1 owner    group          10 Feb 11  2023 index.htm\r\n"
        "drwxr-xr-x   2 owner    group        4096 Jan 01 12:00 my  site\r\n"
        "lrwxrwxrwx   1 owner    group          3 Jan 01 12:00 link -> www\r\n"
        "drwxr-xr-x   3 owner    4096 Mar  3 10:00 nogroup\r\n"
        "drwxr-xr-x   2 owner    group        4096 Jan 01 12:00 .\r\n"
        "drwxr-xr-x   2 owner    group        4096 Jan 01 12:00 ..\r\n"
        "01-31-24  10:15AM       <DIR>          dos dir\r\n"
        "01-31-24  10:16AM                 1234 dos.txt\r\n"
        "garbage line\r\n"
        "\r\n"
        "drwxr-xr-x   2 owner    group        4096 Jan 01 12:00 caf\xc3\xa9\n";
    const QList<FolderEntry> got = parseListing(listing);
    const QList<FolderEntry> want = {
        {true, QStringLiteral("www")},      {false, QStringLiteral("index.htm")},
        {true, QStringLiteral("my  site")}, {false, QStringLiteral("link")},
        {true, QStringLiteral("nogroup")},  {true, QStringLiteral("..")},
        {true, QStringLiteral("dos dir")},  {false, QStringLiteral("dos.txt")},
        {true, QStringLiteral("caf\u00e9")}};
    ASSERT_EQ(got.size(), want.size());
    for (qsizetype i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].folder, want[i].folder) << i;
        EXPECT_EQ(got[i].name, want[i].name) << i;
    }
}

TEST(FtpListing, FolderListSplitsAtColons)
{
    const QList<FolderEntry> entries = {{true, QStringLiteral("www")},
                                        {false, QStringLiteral("file.txt")},
                                        {true, QStringLiteral("a:b")},
                                        {true, QStringLiteral("/...")}};
    EXPECT_EQ(folderListItems(entries),
              (QStringList{QStringLiteral("www"), QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(ImageReferences, EveryExampleOfTheScan)
{
    struct Case {
        const char *text;
        QStringList want;
    };
    const QList<Case> cases = {
        {"<img src=\"images/logo.gif\">", {QStringLiteral("images/logo.gif")}},
        {"<img src=a.gif width=10>", {QStringLiteral("a.gif")}},
        {"<body background='bg.jpg'>", {QStringLiteral("'bg.jpg'")}},
        {"<img src = a.gif>", {}},
        // A broken partial match is not retried: "ssrc=" is missed...
        {"<img ssrc=x.gif>", {}},
        // ...while a word ending in src= is found.
        {"<img lowsrc=low.gif datasrc=d.xml>", {QStringLiteral("d.xml"), QStringLiteral("low.gif")}},
        {"<a href=x src=#top>see x.htm here", {QStringLiteral("#top>see x.htm")}},
        {"<IMG SRC=\"A.GIF\"><IMG SRC=\"A.GIF\"><BODY BACKGROUND=back.jpg>",
         {QStringLiteral("a.gif"), QStringLiteral("back.jpg")}},
        // Values cut off by the end of the text: kept with a ".", else not.
        {"<img src=last.gif", {QStringLiteral("last.gif")}},
        {"<img src=nodot", {}},
        {"src=", {}},
        {"", {}},
        {"src=b.gif src=A.gif", {QStringLiteral("a.gif"), QStringLiteral("b.gif")}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(scanImageReferences(QString::fromUtf8(c.text)), c.want) << c.text;
}

TEST(ImageReferences, SortedWithOnlyAsciiLettersFolded)
{
    // Unicode folding would call these two equal and leave their order to chance.
    EXPECT_EQ(scanImageReferences(QString::fromUtf8("src=\xc3\xa5.gif src=\xc3\x85.gif src=B.gif src=a.gif")),
              (QStringList{"a.gif", "b.gif", QString::fromUtf8("\xc3\x85.gif"), QString::fromUtf8("\xc3\xa5.gif")}));
    EXPECT_LT(compareAsciiFolded(QStringLiteral("ABC"), QStringLiteral("abd")), 0);
    EXPECT_EQ(compareAsciiFolded(QStringLiteral("ABC"), QStringLiteral("abc")), 0);
    EXPECT_GT(compareAsciiFolded(QStringLiteral("abc"), QStringLiteral("ab")), 0);
}

class ReferenceConfinement : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString site, secret;
    void SetUp() override
    {
        site = dir.path() + QStringLiteral("/site");
        secret = dir.path() + QStringLiteral("/secret/private.key");
        QDir().mkpath(site + QStringLiteral("/img"));
        QDir().mkpath(dir.path() + QStringLiteral("/secret"));
        touch(site + QStringLiteral("/img/logo.gif"));
        touch(secret);
        QFile::link(secret, site + QStringLiteral("/img/key.gif"));
        QFile::link(dir.path() + QStringLiteral("/secret"), site + QStringLiteral("/shared"));
        QFile::link(site + QStringLiteral("/img"), site + QStringLiteral("/pictures"));
        QFile::link(site + QStringLiteral("/gone.gif"), site + QStringLiteral("/dangling.gif"));
    }
    static void touch(const QString &path)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
};

TEST_F(ReferenceConfinement, FilesOutsideThePagesTreeAreRefusedWithTheReason)
{
    struct Case {
        QString reference;
        const char *refusal;   // nullptr: allowed
    };
    const QList<Case> cases = {
        {QStringLiteral("../../../../../../../../etc/passwd"), "outside the page's folder"},
        {QStringLiteral("../secret/private.key"), "outside the page's folder"},
        {QStringLiteral("img/../../secret/private.key"), "outside the page's folder"},
        {QStringLiteral("/etc/passwd"), "outside the page's folder"},
        {secret, "outside the page's folder"},
        {QStringLiteral("img/key.gif"), "a link that leads outside the page's folder"},
        {QStringLiteral("shared/private.key"), "a link that leads outside the page's folder"},
        {QStringLiteral("dangling.gif"), "a link to nothing"},
        {QStringLiteral("img"), "not a regular file"},
        {QStringLiteral("."), "outside the page's folder"},
        {QStringLiteral("http://example.org/a.gif"), "a web address, not a file of the page"},
        {QStringLiteral("//example.org/a.gif"), "a web address, not a file of the page"},
        {QStringLiteral("data:image/gif;base64,R0lG.gif"), "a web address, not a file of the page"},
        {QStringLiteral("img/logo.gif"), nullptr},
        {QStringLiteral("./img/../img/logo.gif"), nullptr},
        {site + QStringLiteral("/img/logo.gif"), nullptr},
        {QStringLiteral("pictures/logo.gif"), nullptr},   // a link that stays inside
        {QStringLiteral("img/missing.gif"), nullptr},     // fails at upload, as a missing file does
    };
    for (const Case &c : cases) {
        const ReferenceTarget t = resolveReference(c.reference, site);
        EXPECT_EQ(t.refusal, c.refusal ? QString::fromUtf8(c.refusal) : QString()) << c.reference.toStdString();
        EXPECT_EQ(t.allowed(), t.localFile.size() > 0) << c.reference.toStdString();
    }
    EXPECT_FALSE(resolveReference(QStringLiteral("img/logo.gif"), QString()).allowed());
}

TEST_F(ReferenceConfinement, RemoteNamesKeepThePathUnderTheTargetFolderAndNeverClimb)
{
    EXPECT_EQ(resolveReference(QStringLiteral("img/logo.gif"), site).remoteName, QStringLiteral("img/logo.gif"));
    EXPECT_EQ(resolveReference(QStringLiteral("./img/x/../logo.gif"), site).remoteName, QStringLiteral("img/logo.gif"));
    EXPECT_EQ(resolveReference(site + QStringLiteral("/img/logo.gif"), site).remoteName, QStringLiteral("img/logo.gif"));
    // The name the page uses, not where a link inside the tree leads.
    const ReferenceTarget linked = resolveReference(QStringLiteral("pictures/logo.gif"), site);
    EXPECT_EQ(linked.remoteName, QStringLiteral("pictures/logo.gif"));
    EXPECT_EQ(linked.localFile, QFileInfo(site + QStringLiteral("/img/logo.gif")).canonicalFilePath());
    // A name with a drive or backslashes keeps only its last part, as the page's own upload does.
    EXPECT_EQ(resolveReference(QStringLiteral("c:\\pics\\logo.gif"), site).remoteName, QStringLiteral("logo.gif"));
    // What remains after a ':' must not climb or start at the server's root.
    EXPECT_EQ(resolveReference(QStringLiteral("x:../y.gif"), site).refusal, QStringLiteral("not a file name"));
    EXPECT_EQ(resolveReference(QStringLiteral("a b:/c.gif"), site).remoteName, QStringLiteral("c.gif"));
    EXPECT_EQ(resolveReference(QStringLiteral("img/a:./b.gif"), site).refusal, QStringLiteral("not a file name"));
}

TEST(FtpData, KeepRules)
{
    const FtpGridRow empty;
    const FtpGridRow one{QStringLiteral("ftp.one"), QStringLiteral("u1"), QStringLiteral("p1")};
    const FtpGridRow three{QStringLiteral("ftp.three"), QStringLiteral("u3"), QStringLiteral("p3")};
    // Rows 1 and 3 filled: two entries, in grid order.
    EXPECT_EQ(linesToKeep({one, empty, three, empty}),
              (QStringList{"ftp.one", "u1", "p1", "ftp.three", "u3", "p3"}));
    // A server without a password stops the keep even with a complete row after it.
    EXPECT_EQ(linesToKeep({{QStringLiteral("ftp.x"), QStringLiteral("u"), QString()}, one, empty, empty}),
              std::nullopt);
    EXPECT_EQ(linesToKeep({{QStringLiteral("ftp.x"), QString(), QStringLiteral("p")}, empty, empty, empty}),
              std::nullopt);
    // User and password without a server: dropped silently.
    EXPECT_EQ(linesToKeep({{QString(), QStringLiteral("u"), QStringLiteral("p")}, empty, empty, empty}),
              QStringList());
}

TEST(FtpData, LoadRules)
{
    const QStringList two = {"s1", "u1", "p1", "s2", "u2", "p2"};
    const FtpServerTable t = tableFromRecords(recordsFromLines(two));
    EXPECT_EQ(t[0], (FtpServerEntry{"s1", "u1", "p1"}));
    EXPECT_EQ(t[1], (FtpServerEntry{"s2", "u2", "p2"}));
    // Entries beyond the file are empty at once, not at the next start.
    EXPECT_EQ(t[2], FtpServerEntry());
    EXPECT_EQ(t[3], FtpServerEntry());

    // A trailing part record and records past the fourth are not read.
    QStringList many;
    for (int k = 1; k <= 6; ++k)
        many << QStringLiteral("s%1").arg(k) << QStringLiteral("u%1").arg(k) << QStringLiteral("p%1").arg(k);
    EXPECT_EQ(recordsFromLines(many).size(), 4);
    EXPECT_EQ(recordsFromLines({"s1", "u1", "p1", "s2"}).size(), 1);
    EXPECT_TRUE(recordsFromLines({}).isEmpty());
    EXPECT_EQ(recordsFromLines({QString(300, QLatin1Char('s')), "u", "p"})[0].Server.size(), 255);

    EXPECT_EQ(offeredServers(t), (QStringList{"s1", "s2"}));
    FtpServerTable gap;
    gap[0].Server = QStringLiteral("a");
    gap[2].Server = QStringLiteral("c");
    EXPECT_EQ(offeredServers(gap), QStringList{"a"});
}
