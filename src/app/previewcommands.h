#pragma once
// The preview pane beside the desktop and its handle strip, the page shown
// in the desktop's browser, and printing. Each command hands its work to
// preview/.
#include <QStringList>
#include <functional>

class BrowserPane;
class CommandHost;
class CommandState;
class DocumentCommands;
class QDialog;
class QSplitter;
class QWidget;
class TPageView;

// The widgets of the pane area, made by the main window.
struct PreviewArea {
    QSplitter *splitter = nullptr;   // desktop | pane
    QWidget *handle = nullptr;       // the strip at the pane's left edge
    BrowserPane *browser = nullptr;
    QWidget *mainStrip = nullptr;    // rests while the pane is wide
};

class PreviewCommands {
public:
    PreviewCommands(CommandHost &host, CommandState &state, DocumentCommands &documents, const PreviewArea &area);
    ~PreviewCommands();
    void bind(CommandState &state);

    int previewPaneWidth() const;
    void setPreviewPaneWidth(int w);
    TPageView *pageView() const { return PageView; }
    const QString &tempPage() const { return TempPage; }
    const QStringList &tempFiles() const { return TempFiles; }
    // The pages written for the desktop's browser go at exit.
    void removeTempFiles();

    void BrowseBtnClick();
    void RefreshPreview();
    void previewOff();
    void Panel2DblClick();
    void Splitter1Moved();
    void htmlBtnClick();
    void WebPrintPreview1Click();
    void PreviewBtnClick();
    void Print1Click();
    void Portrait1Click();
    void Landscape1Click();
    void EnableHtmlTools();
    void DisableHtmlTools();

private:
    std::function<int(QDialog *)> modalRunner();
    CommandHost &host_;
    CommandState &state_;
    DocumentCommands &documents_;
    PreviewArea area_;
    TPageView *PageView = nullptr;   // print previews and printing of the page
    QString TempPage;
    QStringList TempFiles;
};
