#pragma once
// The status bar's three panels: the caret position, the hint of the button
// or window under the pointer (and search notes), and how the current
// document is saved.
class QLabel;
class QMainWindow;
class QString;
class TSubForm;

class StatusPanels {
public:
    // Makes the bar and sets it on `frame`.
    void build(QMainWindow *frame);

    // Panel 0 the caret, 1 the hint, 2 how the current document is saved.
    QLabel *statusPanel(int panel) const;
    QString statusText(int panel) const;

    void showCaretPosition(const QString &text);
    void showHint(const QString &text);
    void clearHint();
    // The encoding and line breaks `doc` will be saved with; without a
    // document the panel goes rather than stand empty.
    void showSaveFormat(const TSubForm *doc);

private:
    QLabel *statusPanel0 = nullptr;
    QLabel *statusPanel1 = nullptr;
    QLabel *statusPanel2 = nullptr;
};
