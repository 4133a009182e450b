#pragma once
// The View menu: the tool strips and the status bar shown or hidden, word
// wrap, line numbers and zoom of the current document.
class CommandHost;
class CommandState;
class PreviewCommands;
class QSplitter;
class QWidget;

// The frame's bars that the View menu shows and hides.
struct ViewBars {
    QWidget *mainStrip = nullptr;
    QWidget *htmlStrip = nullptr;
    QWidget *statusBar = nullptr;
    QSplitter *splitter = nullptr;   // desktop | preview pane
};

class ViewCommands {
public:
    ViewCommands(CommandHost &host, CommandState &state, PreviewCommands &preview, const ViewBars &bars);
    void bind(CommandState &state);

    void showWrapState(bool on);
    void showLineNumberingState(bool on);

    void Toolbar1Click();
    void StatusBar2Click();
    void HtmlToolbar1Click();
    void wrapbtnClick();
    void LineNumbering1Click();
    void ZoomIn1Click();
    void ZoomOut1Click();
    void ZoomReset1Click();

private:
    CommandHost &host_;
    CommandState &state_;
    PreviewCommands &preview_;
    ViewBars bars_;
};
