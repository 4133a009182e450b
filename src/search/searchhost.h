#pragma once
// What the search windows need from the main window: the documents that are
// open, in activation order, and a way to bring one to the front. The main
// window implements it; keeping it here lets search/ stand below app/.
#include <QList>

class QString;

class TSubForm;

class SearchHost {
public:
    virtual ~SearchHost() = default;

    // The current document window, or nullptr when none is open.
    virtual TSubForm *currentDocument() = 0;
    // Every open document window, least recently activated first.
    virtual QList<TSubForm *> documentsLeastRecentFirst() = 0;
    // Restores the window if it is minimized (a maximized one stays so),
    // activates it and makes it the current document.
    virtual void bringToFront(TSubForm *doc) = 0;
    // A short note on the search in the status bar ("Search wrapped to the
    // top", an expression's error while it is typed).
    virtual void showSearchNote(const QString &text) = 0;
};

// True while doc is still one of the host's open documents. A document
// window that has been closed but not yet deleted is no longer open.
bool isOpenDocument(SearchHost &host, const TSubForm *doc);
