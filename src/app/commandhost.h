#pragma once
// What the command owners need of the main window's frame: the current
// document and the open ones, a new document window, where messages and
// dialogs belong and how a modal dialog runs. Each owner holds this and the
// few parts it works on; none of them sees the main window itself.
#include <QList>
#include <QString>

class QDialog;
class QWidget;
class TSubForm;

class CommandHost {
public:
    virtual ~CommandHost() = default;
    virtual TSubForm *currentDocument() = 0;
    // Open document windows, in creation order.
    virtual QList<TSubForm *> documents() const = 0;
    // A new document window, made current; listed in the Windows menu by the caller.
    virtual TSubForm *CreateDocWindow(const QString &caption) = 0;
    // The window that messages and dialogs belong to.
    virtual QWidget *frame() = 0;
    // Runs a modal dialog; tests answer in the user's place.
    virtual int runModal(QDialog *dialog) = 0;

    bool isOpen(const TSubForm *doc) const { return doc && documents().contains(const_cast<TSubForm *>(doc)); }
};
