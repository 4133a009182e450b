#pragma once
// What a document window needs from the main window. The main window
// implements it; keeping it here lets documents/ stand below app/.
#include <QString>

class QKeySequence;
class TSubForm;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // Command state.
    virtual void SetSelectionCommands(bool on) = 0;
    // Undo and Redo as the current document's history stands, then Save.
    virtual void SetUndoCommands() = 0;
    virtual void DisableDocCommands() = 0;
    virtual void enableSelectAll() = 0;
    virtual void showWrapState(bool on) = 0;
    virtual void showLineNumberingState(bool on) = 0;
    // A key that an enabled command of the window owns: the text area leaves
    // it to that command instead of handling it itself.
    virtual bool isCommandShortcut(const QKeySequence &seq) const = 0;

    // Status bar: panel 0 gets the caret position; panel 1 the hint.
    virtual void showCaretPosition(const QString &text) = 0;
    virtual void clearHint() = 0;

    // Activation and closing.
    virtual void documentActivated(TSubForm *doc) = 0;
    virtual void checkWindowEntries(const QString &caption) = 0;
    virtual void removeWindowEntries(const QString &caption) = 0;
    virtual void previewOff() = 0;
    virtual void AddReopenItem(const QString &path) = 0;
    // Save of the file commands on this document; false when nothing was written.
    virtual bool saveDocument(TSubForm *doc) = 0;
    virtual int documentCount() const = 0;
    // The window has closed for good: it no longer counts as open, and the
    // next document window becomes the current one.
    virtual void documentClosed(TSubForm *doc) = 0;
};
