#include "preview/browserpane.h"

#include "preview/webview.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLibrary>
#include <QVBoxLayout>

#ifndef MIVOR_WEBVIEW_MODULE
#define MIVOR_WEBVIEW_MODULE ""
#endif

namespace {

// The module sits beside the program (build tree), in its lib folder when
// installed, or where the build put it.
MivorCreateWebView loadFactory()
{
    static MivorCreateWebView factory = [] () -> MivorCreateWebView {
        const QString exeDir = QCoreApplication::applicationDirPath();
        const QStringList candidates = {
            exeDir + QStringLiteral("/mivor_webview.so"),
            exeDir + QStringLiteral("/../lib/mivor/mivor_webview.so"),
            QStringLiteral(MIVOR_WEBVIEW_MODULE),
        };
        for (const QString &path : candidates) {
            if (path.isEmpty() || !QFileInfo::exists(path))
                continue;
            QLibrary lib(path);
            // Kept loaded for the rest of the run: the engine cannot be unloaded.
            lib.setLoadHints(QLibrary::PreventUnloadHint);
            if (auto f = reinterpret_cast<MivorCreateWebView>(lib.resolve(MIVOR_CREATE_WEBVIEW_SYMBOL)))
                return f;
        }
        return nullptr;
    }();
    return factory;
}

} // namespace

BrowserPane::BrowserPane(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

BrowserPane::~BrowserPane()
{
    // The view's widget is a child and goes with this one; only the
    // wrapper object remains to delete.
    if (view_)
        view_->loadFinished = nullptr;
}

bool BrowserPane::startEngine()
{
    if (view_)
        return true;
    if (missing_)
        return false;
    MivorCreateWebView create = loadFactory();
    view_ = create ? create(this) : nullptr;
    if (!view_) {
        missing_ = new QLabel(QStringLiteral("The browser engine is not available."), this);
        missing_->setWordWrap(true);
        missing_->setAlignment(Qt::AlignCenter);
        layout()->addWidget(missing_);
        return false;
    }
    holder_.reset(view_);
    view_->loadFinished = [this](bool ok) { emit loadFinished(ok); };
    layout()->addWidget(view_->widget());
    return true;
}

void BrowserPane::navigate(const QString &path)
{
    const QFileInfo page(path);
    pending_ = QUrl::fromLocalFile(page.absoluteFilePath());
    if (!startEngine())
        return;
    view_->confine(page.absolutePath(), remoteContent_);
    view_->navigate(pending_);
}

QUrl BrowserPane::url() const
{
    return pending_;
}

bool BrowserPane::printPreview(const std::function<int(QDialog *)> &showModal)
{
    if (!view_ || pending_.isEmpty())
        return false;
    view_->printPreview(window(), showModal);
    return true;
}
