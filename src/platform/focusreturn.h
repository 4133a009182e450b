#pragma once
// Brings the keyboard back to where it was before a modal dialog. A window
// manager hands the activation to the dialog's parent (the main window) when
// the dialog closes, so a dialog opened from a tool window would otherwise
// leave keys going into the document: the tool window is activated again and
// its control focused.
#include <QPointer>
#include <QDialog>
#include <QWidget>

class FocusReturn {
public:
    // `fallback` stands in when no widget has the focus: its window is
    // activated again afterwards.
    explicit FocusReturn(QWidget *fallback = nullptr);
    ~FocusReturn();

    FocusReturn(const FocusReturn &) = delete;
    FocusReturn &operator=(const FocusReturn &) = delete;

private:
    QPointer<QWidget> widget_;
};

// Activates the window of `control` and gives `control` the focus, if it is
// still on screen.
void focusInItsWindow(QWidget *control);

// Runs a modal dialog and returns the keyboard to where it was before it,
// once the dialog is closed; the dialog's result.
int execReturningFocus(QDialog *dialog, QWidget *fallback);
