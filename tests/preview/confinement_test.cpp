// What a previewed page may reach, tried by a hostile page in the real pane:
// files outside its folder tree by every kind of request, and the network
// with remote content on and off, against a server on 127.0.0.1 that
// records every request it is sent.
#include "app/mainwindowtestbase.h"
#include "preview/browserpane.h"
#include "preview/webview.h"
#include "preview/panescript.h"
#include "support/waituntil.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

// Answers GET with a style sheet, a picture or a text, anything else with
// 404, and keeps the path of every request.
class RecordingServer : public QTcpServer {
public:
    QStringList paths;

    RecordingServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] { answer(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }

private:
    void answer(QTcpSocket *s)
    {
        const QByteArray request = s->readAll();
        const QList<QByteArray> first = request.left(request.indexOf("\r\n")).split(' ');
        if (first.size() < 2)
            return;
        const QString path = QString::fromUtf8(first[1]);
        paths << path;
        QByteArray type, body;
        if (path == QLatin1String("/style.css")) {
            type = "text/css";
            body = "body { color: rgb(1, 2, 3); }";
        } else if (path == QLatin1String("/remote.png")) {
            type = "image/png";
            body = png();
        } else if (path == QLatin1String("/data.txt")) {
            type = "text/plain";
            body = "remote data";
        }
        const QByteArray status = type.isEmpty() ? "404 Not Found" : "200 OK";
        s->write("HTTP/1.1 " + status + "\r\nContent-Type: " + (type.isEmpty() ? "text/plain" : type)
                 + "\r\nAccess-Control-Allow-Origin: *\r\nContent-Length: " + QByteArray::number(body.size())
                 + "\r\nConnection: close\r\n\r\n" + body);
        s->disconnectFromHost();
    }

public:
    static QByteArray png()
    {
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }
};

class ConfinementTest : public MainWindowTest {
protected:
    RecordingServer server;
    QString site;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(server.isListening());
        site = cfg.path() + QStringLiteral("site");
        QDir().mkpath(site + QStringLiteral("/sub"));
        cfg.write(QStringLiteral("secret.txt"), "TOPSECRET");
        QFile::setPermissions(cfg.path() + QStringLiteral("secret.txt"), QFile::ReadOwner | QFile::WriteOwner);
        cfg.write(QStringLiteral("outside.png"), RecordingServer::png());
        cfg.write(QStringLiteral("site/sub/own.txt"), "own text");
        cfg.write(QStringLiteral("site/sub/own.png"), RecordingServer::png());
        QFile::link(cfg.path() + QStringLiteral("secret.txt"), site + QStringLiteral("/sub/link.txt"));
    }

    QVariant evaluate(const QString &script) { return evaluateInPane(*w, script); }

    // Shows the hostile page and gives what its script and pictures got.
    QJsonObject probe()
    {
        const QString port = QString::number(server.serverPort());
        QString page = QStringLiteral(R"(<html><head><title>probe</title>
<link rel="stylesheet" href="http://127.0.0.1:PORT/style.css"></head><body>
<img id="own" src="sub/own.png"><img id="out" src="../outside.png"><img id="remote" src="http://127.0.0.1:PORT/remote.png">
<iframe src="../secret.txt"></iframe>
<script>
var r = {};
function xhr(u) { try { var x = new XMLHttpRequest(); x.open('GET', u, false); x.send();
  return x.status == 200 ? x.responseText : 'status ' + x.status; } catch (e) { return 'refused'; } }
r.passwd = xhr('file:///etc/passwd');
r.secret = xhr('../secret.txt');
r.linked = xhr('sub/link.txt');
r.own = xhr('sub/own.txt');
r.remote = xhr('http://127.0.0.1:PORT/data.txt');
r.fetch = 'pending';
fetch('../secret.txt').then(function (x) { return x.text(); }).then(function (t) { r.fetch = t; },
  function () { r.fetch = 'refused'; });
r.ws = 'pending';
try { var ws = new WebSocket('ws://127.0.0.1:PORT/ws?d=' + r.own);
  ws.onerror = function () { r.ws = 'failed'; }; ws.onopen = function () { r.ws = 'open'; }; }
catch (e) { r.ws = 'refused'; }
r.peer = typeof RTCPeerConnection;
window.probe = r;
</script></body></html>)");
        page.replace(QStringLiteral("PORT"), port);
        const QString doc = cfg.write(QStringLiteral("site/page.htm"), page.toUtf8());
        EXPECT_TRUE(w->documentCommands().openDocument(doc, DocumentCommands::Listing::OnSuccess));
        // The pane shows the page anew at every toggle, on or off.
        bool loaded = false;
        QMetaObject::Connection c = QObject::connect(w->previewPane(), &BrowserPane::loadFinished,
                                                     [&loaded](bool) { loaded = true; });
        w->previewCommands().BrowseBtnClick();
        EXPECT_TRUE(waitUntil([&] { return loaded; }));
        QObject::disconnect(c);
        const bool settled = waitUntil([&] {
            return evaluate(QStringLiteral("window.probe && probe.fetch != 'pending' && probe.ws != 'pending' "
                                           "&& document.readyState == 'complete'"))
                .toBool();
        });
        EXPECT_TRUE(settled);
        QJsonObject r = QJsonDocument::fromJson(evaluate(QStringLiteral("JSON.stringify(probe)")).toString().toUtf8()).object();
        for (const char *id : {"own", "out", "remote"})
            r[QStringLiteral("img_") + id] =
                evaluate(QStringLiteral("document.getElementById('%1').naturalWidth").arg(id)).toInt();
        r[QStringLiteral("color")] = evaluate(QStringLiteral("getComputedStyle(document.body).color")).toString();
        return r;
    }

    void setRemoteContent(bool on)
    {
        modalAnswer = [on](QDialog *d) {
            if (auto *box = d->findChild<QCheckBox *>(QStringLiteral("remoteContent"))) {
                box->setChecked(on);
                QMetaObject::invokeMethod(d, "accept");
                return int(QDialog::Accepted);
            }
            return int(QDialog::Rejected);
        };
        w->preferencesCommands().Preferences1Click();
        modalAnswer = nullptr;
    }
};

} // namespace

TEST_F(ConfinementTest, NoRequestOfAPageReadsAFileOutsideItsFolderTree)
{
    const QJsonObject r = probe();
    EXPECT_EQ(r["passwd"].toString(), "refused");
    EXPECT_EQ(r["secret"].toString(), "refused");
    EXPECT_EQ(r["linked"].toString(), "refused");   // a link inside the tree that leads out
    EXPECT_EQ(r["fetch"].toString(), "refused");
    EXPECT_EQ(r["own"].toString(), "own text");
    EXPECT_GT(r["img_own"].toInt(), 0);
    EXPECT_EQ(r["img_out"].toInt(), 0);
    // Navigating there shows nothing of it either.
    evaluate(QStringLiteral("location.href = '../secret.txt'"));
    waitUntil([&] { return !evaluate(QStringLiteral("document.title")).toString().startsWith("probe"); }, 5000);
    EXPECT_FALSE(evaluate(QStringLiteral("document.documentElement.innerText")).toString().contains("TOPSECRET"));
}

TEST_F(ConfinementTest, RemoteContentLoadsAsInABrowserUntilTurnedOff)
{
    ASSERT_TRUE(w->previewPane()->remoteContent());
    QJsonObject r = probe();
    EXPECT_GT(r["img_remote"].toInt(), 0);
    EXPECT_EQ(r["color"].toString(), "rgb(1, 2, 3)");
    EXPECT_EQ(r["remote"].toString(), "remote data");
    EXPECT_TRUE(server.paths.contains("/style.css"));
    EXPECT_TRUE(server.paths.contains("/remote.png"));
    EXPECT_TRUE(server.paths.contains("/ws?d=own%20text")) << server.paths.join(' ').toStdString();
    EXPECT_EQ(r["peer"].toString(), "function");

    setRemoteContent(false);
    EXPECT_FALSE(w->addedOptions().remoteContent);
    server.paths.clear();
    r = probe();
    EXPECT_EQ(r["img_remote"].toInt(), 0);
    EXPECT_NE(r["color"].toString(), "rgb(1, 2, 3)");
    EXPECT_EQ(r["remote"].toString(), "refused");
    EXPECT_EQ(r["ws"].toString(), "failed");
    EXPECT_EQ(r["peer"].toString(), "undefined");
    EXPECT_GT(r["img_own"].toInt(), 0);   // the page's own files still show
    QCoreApplication::processEvents();
    EXPECT_TRUE(server.paths.isEmpty()) << server.paths.join(' ').toStdString();

    // The choice is kept for the next run.
    ASSERT_TRUE(w->close());
    open();
    EXPECT_FALSE(w->previewPane()->remoteContent());
}
