#pragma once
// The preview pane: an embedded browser along the right edge of the main
// window. The engine is started the first time a page is shown, never
// before, so a session that keeps the pane collapsed does not pay for it.
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

class QDialog;
class QLabel;
class WebView;

class BrowserPane : public QWidget {
    Q_OBJECT
public:
    explicit BrowserPane(QWidget *parent = nullptr);
    ~BrowserPane() override;

    // Shows a local file; relative links, pictures and styles resolve
    // against its folder, and links clicked in the pane open in the pane.
    // The page, and whatever it loads or runs, reads no file outside that
    // folder's tree.
    void navigate(const QString &path);
    // Whether pages may load remote images, styles, scripts and fonts (on by
    // default). Off, the pane sends no request to the network at all. Takes
    // effect with the next page shown.
    void setRemoteContent(bool on) { remoteContent_ = on; }
    bool remoteContent() const { return remoteContent_; }
    // The page asked for last (empty before the first navigate).
    QUrl url() const;
    bool engineStarted() const { return view_ != nullptr; }
    // The engine, once started; null when it could not be loaded.
    WebView *view() const { return view_; }
    // The browser's own print preview of the page shown; false (nothing
    // shown) when no page has been shown yet.
    bool printPreview(const std::function<int(QDialog *)> &showModal);

signals:
    void loadFinished(bool ok);

private:
    bool startEngine();
    WebView *view_ = nullptr;   // the engine wrapper (held by holder_); its widget is a child
    std::unique_ptr<WebView> holder_;
    QLabel *missing_ = nullptr;
    QUrl pending_;
    bool remoteContent_ = true;
};
