#pragma once
// A stand-in main window for the search windows: real document windows in a
// real MDI area, with the activation order kept as the main window keeps it.
#include "documents/documenthost.h"
#include "documents/memo.h"
#include "documents/subform.h"
#include "search/searchhost.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QMdiArea>
#include <QStringList>

#include <functional>

class FakeSearchHost : public DocumentHost, public SearchHost {
public:
    FakeSearchHost()
    {
        area.resize(900, 700);
        area.show();
    }

    // Opens a document window, which becomes the most recently activated.
    TSubForm *open(const QString &caption, const QString &text, bool wrap = false)
    {
        auto *doc = new TSubForm(this, wrap, QFont(), nullptr);
        area.addSubWindow(doc);
        doc->setCaption(caption);
        doc->Memo1->setText(text);
        doc->show();
        bringToFront(doc);
        return doc;
    }

    // Closes a document window the way the user does and, unless asked to
    // keep it, lets its deferred deletion happen.
    void closeDocument(TSubForm *doc, bool deleteNow = true)
    {
        doc->close();
        if (deleteNow)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // SearchHost
    TSubForm *currentDocument() override { return current; }
    QList<TSubForm *> documentsLeastRecentFirst() override { return order; }
    void bringToFront(TSubForm *doc) override
    {
        if (doc->isMinimized())
            doc->showNormal();
        area.setActiveSubWindow(doc);
        order.removeAll(doc);
        order.append(doc);
        current = doc;
        fronted.append(doc->caption());
        if (onFront)
            onFront(doc);
    }
    void showSearchNote(const QString &text) override { notes.append(text); }

    // DocumentHost
    void SetSelectionCommands(bool) override {}
    void SetUndoCommands() override {}
    void DisableDocCommands() override {}
    void enableSelectAll() override {}
    void showWrapState(bool) override {}
    void showLineNumberingState(bool) override {}
    bool isCommandShortcut(const QKeySequence &) const override { return false; }
    void showCaretPosition(const QString &) override {}
    void clearHint() override {}
    void documentActivated(TSubForm *) override {}
    void checkWindowEntries(const QString &) override {}
    void removeWindowEntries(const QString &) override {}
    void previewOff() override {}
    void AddReopenItem(const QString &) override {}
    bool saveDocument(TSubForm *) override { return false; }
    int documentCount() const override { return int(order.size()); }
    void documentClosed(TSubForm *doc) override
    {
        order.removeAll(doc);
        current = order.isEmpty() ? nullptr : order.last();
    }

    QList<TSubForm *> order;   // least recently activated first
    TSubForm *current = nullptr;
    QStringList fronted;       // captions brought to the front, in order
    QStringList notes;         // the search notes shown, in order
    std::function<void(TSubForm *)> onFront;   // run after each bringToFront
    QMdiArea area;
};
