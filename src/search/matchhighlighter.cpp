#include "search/matchhighlighter.h"

#include "documents/memo.h"

#include <QElapsedTimer>
#include <algorithm>

namespace {

// A background slice, in characters, and how long the pass may keep the
// interface waiting at one tick.
constexpr int kSlice = 1 << 16;
constexpr qint64 kTickNs = 8'000'000;
// An edit's stretch up to this size is searched again at once; a larger one
// (Replace All, undoing it, a paste of a whole page) goes to the pass.
constexpr int kAtOnce = 1 << 16;
// An expression is searched again over the whole lines around an edit, as
// long as a line is shorter than this; on a longer one, this much either side.
constexpr int kLineReach = 4096;
constexpr int kReach = 1024;
// What an expression sees beyond a stretch: its look-behind and "^" before
// it, the rest of a match that starts inside it after it.
constexpr int kContextBefore = 256;
constexpr int kContextAfter = 1024;

} // namespace

MatchHighlighter::MatchHighlighter(QObject *parent) : QObject(parent)
{
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &MatchHighlighter::step);
}

MatchHighlighter::~MatchHighlighter()
{
    clear();
}

TMemo *MatchHighlighter::memo() const
{
    return memo_;
}

void MatchHighlighter::clear()
{
    timer_.stop();
    pendingFrom_ = pendingTo_ = -1;
    disconnect(edits_);
    if (memo_)
        memo_->clearMatchMarks(0, memo_->textLength());
    memo_ = nullptr;
    matcher_ = search::Matcher();
}

void MatchHighlighter::show(TMemo *memo, const search::Matcher &matcher)
{
    if (memo != memo_) {
        clear();
        memo_ = memo;
        if (memo_)
            edits_ = connect(memo_, &TMemo::textChanged, this, &MatchHighlighter::textEdited);
    }
    matcher_ = matcher;
    if (!memo_)
        return;
    int from = 0, to = 0;
    memo_->takeEditedStretch(from, to);   // the whole text is searched anyway
    knownLength_ = memo_->textLength();
    memo_->clearMatchMarks(0, knownLength_);
    pendingFrom_ = pendingTo_ = -1;
    timer_.stop();
    if (matcher_.findsNothing())
        return;
    markedUpTo_ = 0;
    pendingFrom_ = 0;
    pendingTo_ = knownLength_;
    // The first slices at once: a short page is marked before this returns.
    step();
}

void MatchHighlighter::finish()
{
    while (busy())
        step();
}

void MatchHighlighter::queue(int from, int to)
{
    if (pendingFrom_ < 0) {
        pendingFrom_ = from;
        pendingTo_ = to;
        markedUpTo_ = from;
    } else {
        pendingFrom_ = std::min(pendingFrom_, from);
        pendingTo_ = std::max(pendingTo_, to);
        markedUpTo_ = std::min(markedUpTo_, pendingFrom_);
    }
    timer_.start();
}

void MatchHighlighter::textEdited()
{
    if (!memo_)
        return;
    int from = 0, to = 0;
    if (!memo_->takeEditedStretch(from, to))
        return;
    const int length = memo_->textLength();
    const int delta = length - knownLength_;
    knownLength_ = length;
    if (matcher_.findsNothing())
        return;

    // Where the pass had got to, carried through the edit: [from, to - delta)
    // of the old text became [from, to).
    if (pendingFrom_ >= 0) {
        const auto moved = [&](int p, int inside) { return p < from ? p : p >= to - delta ? p + delta : inside; };
        pendingFrom_ = moved(pendingFrom_, from);
        pendingTo_ = std::max(pendingFrom_, moved(pendingTo_, to));
        markedUpTo_ = std::min(moved(markedUpTo_, from), pendingFrom_);
    }

    // The stretch whose marks may have changed.
    int zoneFrom, zoneTo;
    const int fixed = matcher_.fixedLength();
    if (fixed > 0) {
        // A match of a plain text that touches the edit lies within its
        // length of it.
        zoneFrom = from - (fixed - 1);
        zoneTo = to + (fixed - 1);
    } else {
        const int lineStart = memo_->textLineStart(from);
        const int lineEnd = memo_->textLineEnd(to);
        zoneFrom = from - lineStart <= kLineReach ? lineStart : from - kReach;
        zoneTo = lineEnd - to <= kLineReach ? lineEnd : to + kReach;
    }
    zoneFrom = std::max(zoneFrom, 0);
    zoneTo = std::min(zoneTo, length);
    if (zoneTo - zoneFrom <= kAtOnce) {
        searchStretch(zoneFrom, zoneTo, false);
        return;
    }
    memo_->clearMatchMarks(zoneFrom, zoneTo);
    queue(zoneFrom, zoneTo);
}

void MatchHighlighter::searchStretch(int from, int to, bool pass)
{
    const int fixed = matcher_.fixedLength();
    // Matches that start this far before the stretch still reach into it.
    const int back = fixed > 0 ? fixed - 1 : 0;
    const int textFrom = std::max(0, from - (fixed > 0 ? back : kContextBefore));
    const int textTo = to + (fixed > 0 ? back : kContextAfter);
    QString text;
    const int base = memo_->textStretch(textFrom, textTo, text);
    std::vector<search::Match> found;
    matcher_.collect(text, from - back - base, to - base, found);
    // The pass keeps the tail of a match its last slice marked.
    memo_->clearMatchMarks(pass ? std::max(from, markedUpTo_) : from, to);
    for (const search::Match &m : found) {
        memo_->markMatch(base + m.offset, m.length);
        if (pass)
            markedUpTo_ = std::max(markedUpTo_, base + m.offset + m.length);
    }
}

void MatchHighlighter::step()
{
    if (!memo_) {
        pendingFrom_ = pendingTo_ = -1;   // its document has closed
        return;
    }
    if (pendingFrom_ < 0)
        return;
    QElapsedTimer clock;
    clock.start();
    const bool expression = matcher_.fixedLength() <= 0;
    while (pendingFrom_ < pendingTo_ && clock.nsecsElapsed() < kTickNs) {
        int sliceTo = std::min(pendingTo_, pendingFrom_ + kSlice);
        // An expression's slices end at a line's end where one is near.
        if (expression && sliceTo < pendingTo_) {
            const int lineEnd = memo_->textLineEnd(sliceTo);
            if (lineEnd - sliceTo <= kLineReach)
                sliceTo = std::min(lineEnd, pendingTo_);
        }
        searchStretch(pendingFrom_, sliceTo, true);
        pendingFrom_ = sliceTo;
    }
    if (pendingFrom_ < pendingTo_) {
        timer_.start();
        return;
    }
    pendingFrom_ = pendingTo_ = -1;
    emit finished();
}
