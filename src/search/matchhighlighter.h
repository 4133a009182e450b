#pragma once
// "Highlight all": every match of the find window's search marked in one
// document's text area, and kept right as the text changes. A new search
// marks the whole text in the background, a slice per timer tick; an edit
// searches again only the stretch it touched plus a margin (a plain search
// text's length, or the lines around it for an expression), so typing costs
// the same on a page of 20 MB as on a short one.
#include "search/matcher.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class TMemo;

class MatchHighlighter : public QObject {
    Q_OBJECT
public:
    explicit MatchHighlighter(QObject *parent = nullptr);
    ~MatchHighlighter() override;

    // Marks the matches of `matcher` in memo (none when it finds nothing)
    // and follows the text's changes; the marks of an earlier text area go.
    void show(TMemo *memo, const search::Matcher &matcher);
    // Takes every mark away and follows no text area.
    void clear();

    TMemo *memo() const;
    // A background pass over the text is under way.
    bool busy() const { return pendingFrom_ >= 0; }
    // Runs the background pass to its end at once.
    void finish();

signals:
    // The background pass has reached the end of the text.
    void finished();

private:
    void textEdited();
    void step();
    // Clears the marks of [from, to) and marks every match that reaches
    // into it; a slice of the background pass keeps what the one before it
    // marked.
    void searchStretch(int from, int to, bool pass);
    void queue(int from, int to);

    QPointer<TMemo> memo_;
    QMetaObject::Connection edits_;
    search::Matcher matcher_;
    int knownLength_ = 0;
    // What the background pass has still to search, [from, to); -1 when none.
    int pendingFrom_ = -1;
    int pendingTo_ = -1;
    // The end of the last mark the pass placed: a match that runs on into
    // the next slice keeps its mark there.
    int markedUpTo_ = 0;
    QTimer timer_;
};
