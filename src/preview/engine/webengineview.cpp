// The browser engine module: a QWebEngineView behind the WebView calls.
#include "preview/webview.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <unistd.h>

// Qt's shared context for every GL user of the process, normally made at the
// application's start when Qt::AA_ShareOpenGLContexts is set.
Q_GUI_EXPORT QOpenGLContext *qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

// The engine draws through contexts shared with the application's. Asking
// for them at start-up would make every start load the GL driver, also when
// the pane is never opened, so the shared context is made here, before the
// first view, the way the application would have made it.
void shareContexts()
{
    if (qt_gl_global_share_context())
        return;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    auto *context = new QOpenGLContext;   // lives as long as the process
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->create();   // without GL the engine draws in software
    qt_gl_set_global_share_context(context);
    QQuickWindow::setGraphicsApi(QSGRendererInterface::OpenGLRhi);
}

// Switches read once, when the engine starts with the first view.
void prepareEngine()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    // Pages are local files: nothing should reach out on its own.
    flags += " --disable-background-networking --disable-component-update --disable-sync"
             " --no-pings --disable-domain-reliability";
    // Two ways out that pass by every request check: QUIC sessions
    // (WebTransport) and WebRTC's own UDP to STUN servers.
    flags += " --disable-blink-features=WebTransport --force-webrtc-ip-handling-policy=disable_non_proxied_udp";
    // The engine refuses to run as root inside its sandbox.
    if (geteuid() == 0)
        flags += " --no-sandbox";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

// Every request of the pane's pages passes here, whatever made it: the page,
// a frame, an image, a style, a script's XHR or fetch, a WebSocket. A file
// is served only from inside the page's folder tree, links resolved, so a
// page cannot read the user's other files; the network is open only while
// remote content is allowed. Anything else (unknown schemes) is refused.
class PaneGuard : public QWebEngineUrlRequestInterceptor {
public:
    void confine(const QString &folder, bool remoteContent)
    {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        root_ = canonical.isEmpty() ? QString() : canonical;
        remote_ = remoteContent;
    }
    bool remoteContent() const { return remote_; }

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl url = info.requestUrl();
        const QString scheme = url.scheme().toLower();
        if (scheme == QLatin1String("file")) {
            info.block(!insideRoot(url));
            return;
        }
        static const QStringList network = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ws"),
                                            QStringLiteral("wss"), QStringLiteral("ftp")};
        if (network.contains(scheme)) {
            info.block(!remote_);
            return;
        }
        // What a page makes of its own (data:, blob:, about:) never leaves it.
        static const QStringList own = {QStringLiteral("data"), QStringLiteral("blob"), QStringLiteral("about")};
        info.block(!own.contains(scheme));
    }

private:
    bool insideRoot(const QUrl &url) const
    {
        if (root_.isEmpty() || !url.host().isEmpty())
            return false;
        const QString local = QDir::cleanPath(url.toLocalFile());
        const QFileInfo file(local);
        // A name that does not exist yet is judged by its folder, links resolved.
        QString real = file.exists() ? file.canonicalFilePath() : QString();
        if (real.isEmpty()) {
            const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
            if (folder.isEmpty())
                return false;
            real = folder + QLatin1Char('/') + file.fileName();
        }
        return real == root_ || real.startsWith(root_.endsWith(QLatin1Char('/')) ? root_ : root_ + QLatin1Char('/'));
    }

    QString root_;
    bool remote_ = true;
};

// The pane's own profile, kept in memory only: no cookies, cache or
// storage of a previewed page outlive the run, and the guard sees every
// request of it.
QWebEngineProfile *paneProfile(PaneGuard *&guard)
{
    static PaneGuard *theGuard = nullptr;
    static QWebEngineProfile *profile = [] {
        auto *p = new QWebEngineProfile(QCoreApplication::instance());
        theGuard = new PaneGuard;
        theGuard->setParent(p);
        p->setUrlRequestInterceptor(theGuard);
        return p;
    }();
    guard = theGuard;
    return profile;
}

// Without remote content a page cannot open peer connections either: they
// would reach the network outside every request. (WebRTC's UDP is already
// held back by a switch at start; this takes away the way to TCP relays.)
const QString kNoPeerConnections = QStringLiteral(
    "(function(){for(const n of ['RTCPeerConnection','webkitRTCPeerConnection','RTCDataChannel',"
    "'RTCIceTransport','RTCSctpTransport']){try{Object.defineProperty(window,n,"
    "{value:undefined,configurable:false,writable:false});}catch(e){}}})();");

// A link that asks for a new window opens in the pane itself.
class PaneView : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;

protected:
    QWebEngineView *createWindow(QWebEnginePage::WebWindowType) override { return this; }
};

class EngineView : public WebView {
public:
    explicit EngineView(QWidget *parent) : view_(new PaneView(parent))
    {
        auto *page = new QWebEnginePage(paneProfile(guard_), view_);
        view_->setPage(page);
        QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool ok) {
            if (loadFinished)
                loadFinished(ok);
        });
    }
    ~EngineView() override = default;   // the view goes with its parent

    QWidget *widget() override { return view_; }

    void confine(const QString &folder, bool remoteContent) override
    {
        guard_->confine(folder, remoteContent);
        QWebEngineSettings *settings = view_->page()->settings();
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, remoteContent);
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);   // the guard confines them
        settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
        QWebEngineScriptCollection &scripts = view_->page()->scripts();
        const QList<QWebEngineScript> present = scripts.find(QStringLiteral("mivor-no-peer-connections"));
        if (remoteContent) {
            for (const QWebEngineScript &s : present)
                scripts.remove(s);
        } else if (present.isEmpty()) {
            QWebEngineScript script;
            script.setName(QStringLiteral("mivor-no-peer-connections"));
            script.setInjectionPoint(QWebEngineScript::DocumentCreation);
            script.setWorldId(QWebEngineScript::MainWorld);
            script.setRunsOnSubFrames(true);
            script.setSourceCode(kNoPeerConnections);
            scripts.insert(script);
        }
    }

    void navigate(const QUrl &url) override { view_->load(url); }
    QUrl url() const override { return view_->url(); }
    QString title() const override { return view_->title(); }

    void runScript(const QString &script, std::function<void(const QVariant &)> done) override
    {
        view_->page()->runJavaScript(script, [done](const QVariant &v) {
            if (done)
                done(v);
        });
    }

    void printPreview(QWidget *parent, const std::function<int(QDialog *)> &showModal) override
    {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Web Page Print Preview"));
        // Large enough to read a page without zooming first.
        if (parent)
            dialog.resize(parent->window()->size() * 0.8);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter *p) {
            // The engine prints on its own time; the dialog needs the pages now.
            QEventLoop wait;
            QObject::connect(view_, &QWebEngineView::printFinished, &wait, &QEventLoop::quit);
            view_->print(p);
            wait.exec();
        });
        showModal(&dialog);
    }

private:
    QWebEngineView *view_;
    PaneGuard *guard_ = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT WebView *mivorCreateWebView(QWidget *parent)
{
    shareContexts();
    prepareEngine();
    return new EngineView(parent);
}
