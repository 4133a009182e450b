// The browser engine module: a QWebEngineView behind the WebView calls.
#include "preview/webview.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>
#include <QWebEnginePage>
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
    // The engine refuses to run as root inside its sandbox.
    if (geteuid() == 0)
        flags += " --no-sandbox";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

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
        QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool ok) {
            if (loadFinished)
                loadFinished(ok);
        });
    }
    ~EngineView() override = default;   // the view goes with its parent

    QWidget *widget() override { return view_; }
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
};

} // namespace

extern "C" Q_DECL_EXPORT WebView *mivorCreateWebView(QWidget *parent)
{
    shareContexts();
    prepareEngine();
    return new EngineView(parent);
}
