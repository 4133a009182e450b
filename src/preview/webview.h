#pragma once
// The browser engine as the rest of the program sees it. The engine is big
// (it alone would add tens of megabytes and a noticeable pause to every
// start), so it lives in a module of its own that the pane loads the first
// time a page is shown. This header is all the two sides share: no engine
// headers, no Qt object machinery, only plain virtual calls and callbacks.
#include <QString>
#include <QUrl>
#include <QVariant>
#include <functional>

class QDialog;
class QWidget;

class WebView {
public:
    virtual ~WebView() = default;
    // The widget that shows the page; owned by the parent given at creation.
    virtual QWidget *widget() = 0;
    // What the pages may reach from now on: local files only inside
    // `folder` (links resolved), the network only with `remoteContent`.
    // Every request of every page and frame, scripts' included, is held to it.
    virtual void confine(const QString &folder, bool remoteContent) = 0;
    virtual void navigate(const QUrl &url) = 0;
    virtual QUrl url() const = 0;
    virtual QString title() const = 0;
    // Runs a script in the page; done gets its result (on the interface thread).
    virtual void runScript(const QString &script, std::function<void(const QVariant &)> done) = 0;
    // Called after every load with whether it succeeded.
    std::function<void(bool)> loadFinished;
    // The page in a print preview dialog (paging, zoom, print), shown
    // through showModal so tests can stand in for the user.
    virtual void printPreview(QWidget *parent, const std::function<int(QDialog *)> &showModal) = 0;
};

// The module's one entry point, looked up by name.
extern "C" {
using MivorCreateWebView = WebView *(*)(QWidget *parent);
}
#define MIVOR_CREATE_WEBVIEW_SYMBOL "mivorCreateWebView"
