// The text area's screen lines while the engine wraps a long document in
// the background: how far their display numbers are known for good, the
// wait for all of them that whole-document commands need, and the caret
// jumps that would otherwise make the engine wrap everything at once.
#include "documents/memo.h"
#include "documents/memoengine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <cmath>

using B = QsciScintillaBase;

namespace {

// A document with no more than this left to wrap is wrapped at once when a
// number is asked for: it takes a few milliseconds.
constexpr long kWrapAtOnceBytes = 256 * 1024;
// Checks for the background wrap run this long at a time.
constexpr qint64 kSliceNs = 4'000'000;
// How often a check that waits for the engine's wrap looks again.
constexpr int kWaitMs = 40;
// Most edited ranges kept apart; more are merged into one.
constexpr size_t kMostEdited = 64;

} // namespace

int TMemo::wrapBoxDelayMs = 400;

// ------------------------------------------------------------ the numbering

void TMemo::restartNumbering(bool fresh)
{
    Numbering &n = *numbering_;
    n.final = 0;
    n.fresh = fresh;
    n.edited.clear();
    n.editLine = -1;
    n.reported = 0;
    n.waitingAt = -1;
    const int width = sci_->viewport()->width();
    if (width != n.width)
        n.widthKnown = false;
    n.width = width;
    // The widest character a short line of plain characters may hold, in
    // the fonts the text is drawn in (bold for some HTML styles).
    QFont plain = font();
    QFont bold = plain;
    bold.setBold(true);
    double widest = 0;
    for (const QFont &f : {plain, bold}) {
        const QFontMetricsF metrics(f, sci_->viewport());
        for (char16_t c = 0x20; c < 0x7f; ++c)
            widest = std::max(widest, metrics.horizontalAdvance(QChar(c)));
    }
    n.widestChar = widest;
    scheduleNumbering(0);
}

void TMemo::viewResized()
{
    // Other screen lines in view, whose runs are laid out again.
    if (viewRunsTimer_ && !lexing_ && breaksAtRuns())
        viewRunsTimer_->start();
    if (!numbering_ || sci_->viewport()->width() == numbering_->width)
        return;
    // Wrapped again at the new width, the lines above the caret may gain or
    // lose screen lines while the view keeps its first one: a caret that was
    // shown is brought back into view once that is done, unless the view has
    // been moved meanwhile.
    if (numbering_->caretShown && wrap()) {
        const long top = sci_->S(B::SCI_GETFIRSTVISIBLELINE);
        QTimer::singleShot(0, this, [this, top] {
            if (wrap() && sci_->isVisible() && sci_->S(B::SCI_GETFIRSTVISIBLELINE) == top && !caretInView())
                bringCaretIntoView();
        });
    }
    // Every line is wrapped again at the new width; until then the engine
    // keeps the old counts.
    restartNumbering(false);
}

void TMemo::viewPainted()
{
    Numbering &n = *numbering_;
    // Asked only with the caret's line in view, whose layout the engine then
    // keeps: cheap.
    n.caretShown = false;
    if (wrap()) {
        const long caretLine = sci_->S(B::SCI_LINEFROMPOSITION, sci_->S(B::SCI_GETCURRENTPOS));
        const long top = sci_->S(B::SCI_GETFIRSTVISIBLELINE);
        const long first = sci_->S(B::SCI_DOCLINEFROMVISIBLE, top);
        const long last = sci_->S(B::SCI_DOCLINEFROMVISIBLE, top + sci_->S(B::SCI_LINESONSCREEN));
        n.caretShown = first <= caretLine && caretLine <= last && caretInView();
    }
    // A paint wraps the lines in view first, which sets the width the
    // engine measures wrapped lines against.
    if (!n.widthKnown && sci_->viewport()->width() == n.width) {
        n.widthKnown = true;
        scheduleNumbering(0);
        // A row waiting for the width may be known now.
        QMetaObject::invokeMethod(this, &TMemo::linesNumbered, Qt::QueuedConnection);
    }
}

void TMemo::scheduleNumbering(int delayMs) const
{
    Numbering &n = *numbering_;
    if (!n.timer->isActive() || n.timer->remainingTime() > delayMs)
        n.timer->start(delayMs);
}

void TMemo::editStartsAt(long pos)
{
    settleEdit();
    Numbering &n = *numbering_;
    n.editLine = sci_->S(B::SCI_LINEFROMPOSITION, pos);
    n.linesBefore = sci_->S(B::SCI_GETLINECOUNT);
}

void TMemo::settleEdit() const
{
    // The engine wraps an edited line again; the lines after it keep their
    // counts, moved by the lines the edit added or removed.
    Numbering &n = *numbering_;
    if (n.editLine < 0)
        return;
    const long e = n.editLine;
    const long delta = sci_->S(B::SCI_GETLINECOUNT) - n.linesBefore;
    n.editLine = -1;
    auto moved = [e, delta](long line) {
        if (line <= e)
            return line;
        if (delta >= 0)
            return line + delta;
        return line <= e - delta ? e : line + delta;
    };
    if (n.final > e)
        n.final = delta >= 0 ? n.final + delta : std::max(e + 1, n.final + delta);
    for (auto &[first, last] : n.edited) {
        first = moved(first);
        last = moved(last);
    }
    n.edited.emplace_back(e, e + std::max(0L, delta));
    std::sort(n.edited.begin(), n.edited.end());
    std::vector<std::pair<long, long>> merged;
    for (const auto &r : n.edited) {
        if (!merged.empty() && r.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, r.second);
        else
            merged.push_back(r);
    }
    if (merged.size() > kMostEdited)
        merged = {{merged.front().first, merged.back().second}};
    n.edited = std::move(merged);
    scheduleNumbering(0);
}

bool TMemo::fitsOneScreenLine(long line) const
{
    // A line of printable ASCII (or of characters of several bytes each,
    // none wider than two of those) shorter than the width over the widest
    // character cannot wrap, whether the engine has wrapped it yet or not.
    const Numbering &n = *numbering_;
    if (sci_->S(B::SCI_GETZOOM) != 0 || n.widestChar <= 0)
        return false;
    const long start = sci_->S(B::SCI_POSITIONFROMLINE, line);
    const long length = sci_->S(B::SCI_GETLINEENDPOSITION, line) - start;
    const double room = n.width - sci_->S(B::SCI_GETMARGINLEFT) - sci_->S(B::SCI_GETMARGINRIGHT) - 4;
    if (double(length) * n.widestChar * 1.05 > room)
        return false;
    if (length == 0)
        return true;
    const auto *p = reinterpret_cast<const unsigned char *>(sci_->S(B::SCI_GETRANGEPOINTER, start, length));
    if (!p)
        return false;
    for (long i = 0; i < length; ++i) {
        const unsigned char c = p[i];
        if (c < 0x20 || c == 0x7f)
            return false;   // tabs and control characters are drawn wider
        // Shown as marks wider than their bytes: C1 controls, the line and
        // paragraph separators.
        if (c == 0xc2 && i + 1 < length && p[i + 1] >= 0x80 && p[i + 1] < 0xa0)
            return false;
        if (c == 0xe2 && i + 2 < length && p[i + 1] == 0x80 && (p[i + 2] == 0xa8 || p[i + 2] == 0xa9))
            return false;
    }
    return true;
}

bool TMemo::finalCount(long line, long height) const
{
    // Whether the engine's count for this line is the one it keeps.
    const Numbering &n = *numbering_;
    const bool edited = std::any_of(n.edited.begin(), n.edited.end(),
                                    [line](const auto &r) { return r.first <= line && line <= r.second; });
    if (!edited) {
        if (n.fresh && height > 1)
            return true;
        if (height == 1 && fitsOneScreenLine(line))
            return true;
    }
    // Laid out as the engine will wrap it: with its final styles, against
    // the width the engine wraps at.
    if (!n.widthKnown || sci_->S(B::SCI_GETENDSTYLED) < sci_->S(B::SCI_GETLINEENDPOSITION, line))
        return false;
    return sci_->S(B::SCI_WRAPCOUNT, line) == height;
}

void TMemo::numberLines()
{
    settleEdit();
    Numbering &n = *numbering_;
    const long lines = sci_->S(B::SCI_GETLINECOUNT);
    if (!wrap()) {
        n.final = lines;
        n.edited.clear();
    }
    QElapsedTimer clock;
    clock.start();
    bool waiting = false;
    // Edited lines up to the numbered part first: the caret's line, mostly.
    for (size_t k = 0; k < n.edited.size() && n.edited[k].first <= n.final && clock.nsecsElapsed() < kSliceNs;) {
        auto &[first, last] = n.edited[k];
        if (first >= lines) {
            n.edited.erase(n.edited.begin() + long(k));
            continue;
        }
        const long height = sci_->S(B::SCI_VISIBLEFROMDOCLINE, first + 1) - sci_->S(B::SCI_VISIBLEFROMDOCLINE, first);
        if (!finalCount(first, height)) {
            waiting = true;
            break;
        }
        if (first == last)
            n.edited.erase(n.edited.begin() + long(k));
        else
            ++first;
    }
    const long totalShown = sci_->S(B::SCI_VISIBLEFROMDOCLINE, lines);
    if (!waiting && n.final < lines) {
        // Looked at again only when the engine has wrapped something since.
        if (n.waitingAt == n.final && n.waitingCount == totalShown) {
            waiting = true;
        } else {
            long shown = sci_->S(B::SCI_VISIBLEFROMDOCLINE, n.final);
            while (n.final < lines && clock.nsecsElapsed() < kSliceNs) {
                const long line = n.final;
                if (!n.edited.empty() && n.edited.front().first == line)
                    break;   // checked above once the lines before it are
                const long next = sci_->S(B::SCI_VISIBLEFROMDOCLINE, line + 1);
                if (!finalCount(line, next - shown)) {
                    n.waitingAt = line;
                    n.waitingCount = totalShown;
                    waiting = true;
                    break;
                }
                shown = next;
                ++n.final;
            }
        }
    }
    if (knownLines() > n.reported) {
        n.reported = knownLines();
        emit linesNumbered();
    }
    if (n.reported > knownLines())
        n.reported = knownLines();
    if (n.final < lines || !n.edited.empty())
        scheduleNumbering(waiting ? kWaitMs : 0);
}

long TMemo::knownLines() const
{
    // Text lines [0, n) whose screen-line counts are final.
    settleEdit();
    const Numbering &n = *numbering_;
    if (!wrap())
        return sci_->S(B::SCI_GETLINECOUNT);
    long known = n.final;
    if (!n.edited.empty())
        known = std::min(known, n.edited.front().first);
    return known;
}

bool TMemo::lineKnown(long line) const
{
    // A line's number is the sum of the counts before it, and where in its
    // own line a position is drawn needs the width the engine wraps at.
    if (!wrap())
        return true;
    const Numbering &n = *numbering_;
    if (n.widthKnown && line <= knownLines())
        return true;
    const long lines = sci_->S(B::SCI_GETLINECOUNT);
    const long from = sci_->S(B::SCI_POSITIONFROMLINE, std::min(n.final, lines - 1));
    if (sci_->S(B::SCI_GETLENGTH) - from > kWrapAtOnceBytes)
        return false;
    wrapEverything();
    return true;
}

void TMemo::wrapEverything() const
{
    // Making the last line visible wraps every line still waiting for it
    // first, so that its display line is known; nothing is folded, so
    // nothing else changes and the view stays where it is.
    settleEdit();
    const long lines = sci_->S(B::SCI_GETLINECOUNT);
    sci_->S(B::SCI_ENSUREVISIBLE, lines - 1);
    Numbering &n = *numbering_;
    n.final = lines;
    n.edited.clear();
    n.waitingAt = -1;
    // Wrapping everything waiting used the view's width.
    n.widthKnown = n.width == sci_->viewport()->width();
    if (n.reported < lines) {
        n.reported = lines;
        QMetaObject::invokeMethod(const_cast<TMemo *>(this), &TMemo::linesNumbered, Qt::QueuedConnection);
    }
}

bool TMemo::finishWrapping()
{
    if (!wrap())
        return true;
    const long lines = sci_->S(B::SCI_GETLINECOUNT);
    if (lineKnown(lines - 1) && knownLines() >= lines)
        return true;
    if (!sci_->isVisible()) {
        // Nothing is drawn, so nothing tells the engine its width: wrapped
        // at once.
        wrapEverything();
        return true;
    }
    // The engine goes on wrapping while the event loop runs; a box with
    // Cancel shows when that takes more than a moment, and until it shows
    // keys and clicks wait. A timer step checks how far the wrap has come
    // and ends the wait when it is done.
    numberLines();
    if (knownLines() >= sci_->S(B::SCI_GETLINECOUNT))
        return true;
    const QPointer<TMemo> self(this);
    const QPointer<QProgressDialog> box = new QProgressDialog(
        QStringLiteral("Laying out the lines of the page..."), QStringLiteral("&Cancel"), 0, 1000, window());
    box->setWindowTitle(QStringLiteral("Word Wrap"));
    box->setWindowModality(Qt::ApplicationModal);
    box->setMinimumDuration(24 * 3600 * 1000);   // shown below instead
    box->setAutoClose(false);
    box->setAutoReset(false);
    box->hide();
    connect(box, &QProgressDialog::canceled, box, &QDialog::reject);

    QEventLoop quiet;
    bool done = false;
    QTimer step;
    step.setInterval(20);
    connect(&step, &QTimer::timeout, &quiet, [&] {
        if (!self) {
            quiet.quit();
            if (box)
                box->reject();
            return;
        }
        numberLines();
        const long lines = sci_->S(B::SCI_GETLINECOUNT);
        if (knownLines() >= lines || !wrap()) {
            done = true;
            quiet.quit();
            if (box)
                box->accept();
            return;
        }
        if (box) {
            if (box->wasCanceled())
                box->reject();
            else
                box->setValue(int(1000 * knownLines() / std::max(1L, lines)));
        }
    });
    step.start();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    if (wrapBoxDelayMs > 0) {
        QTimer::singleShot(wrapBoxDelayMs, &quiet, &QEventLoop::quit);
        quiet.exec(QEventLoop::ExcludeUserInputEvents);
    }
    QApplication::restoreOverrideCursor();
    if (!done && self && box)
        box->exec();
    step.stop();
    delete box.data();
    return done && self;
}

// ------------------------------------------------------ lines and columns

long TMemo::sublineStart(long pos) const
{
    // The start of pos's screen line within its text line: the first
    // position drawn on the same screen line, found by halving.
    const long line = sci_->S(B::SCI_LINEFROMPOSITION, pos);
    long lo = sci_->S(B::SCI_POSITIONFROMLINE, line);
    if (!wrap() || pos <= lo)
        return lo;
    const long y = sci_->S(B::SCI_POINTYFROMPOSITION, 0, pos);
    if (sci_->S(B::SCI_POINTYFROMPOSITION, 0, lo) == y)
        return lo;
    long hi = pos;   // drawn on pos's screen line; lo before it
    while (hi - lo > 1) {
        const long mid = lo + (hi - lo) / 2;
        if (sci_->S(B::SCI_POINTYFROMPOSITION, 0, mid) < y)
            lo = mid;
        else
            hi = mid;
    }
    return hi;
}

int TMemo::subline(long pos) const
{
    if (!wrap())
        return 0;
    const long lineStart = sci_->S(B::SCI_POSITIONFROMLINE, sci_->S(B::SCI_LINEFROMPOSITION, pos));
    if (pos == lineStart)
        return 0;
    const long y0 = sci_->S(B::SCI_POINTYFROMPOSITION, 0, lineStart);
    const long y = sci_->S(B::SCI_POINTYFROMPOSITION, 0, pos);
    return int((y - y0) / std::max(1, lineHeight()));
}

int TMemo::knownLineFromOffset(int offset) const
{
    const long pos = bytePosOfOffset(offset);
    const long line = sci_->S(B::SCI_LINEFROMPOSITION, pos);
    if (!lineKnown(line))
        return -1;
    return int(sci_->S(B::SCI_VISIBLEFROMDOCLINE, line)) + subline(pos);
}

int TMemo::displayLineOfOffset(int offset) const
{
    const long pos = bytePosOfOffset(offset);
    const long line = sci_->S(B::SCI_LINEFROMPOSITION, pos);
    return int(sci_->S(B::SCI_VISIBLEFROMDOCLINE, line)) + subline(pos);
}

int TMemo::knownDisplayLines() const
{
    const long lines = sci_->S(B::SCI_GETLINECOUNT);
    const long known = knownLines();
    if (known >= lines)
        return int(sci_->S(B::SCI_VISIBLEFROMDOCLINE, lines));
    // The first screen line of the first line not yet numbered for good has
    // its number too: only the lines before it count.
    return int(sci_->S(B::SCI_VISIBLEFROMDOCLINE, known)) + 1;
}

int TMemo::columnOfOffset(int offset) const
{
    const long pos = bytePosOfOffset(offset);
    const long start = sublineStart(pos);
    return offset - offsetOfBytePos(start);
}

// ------------------------------------------------------------ caret jumps

bool TMemo::jumpWithoutWrapping(QKeyEvent *e)
{
    // The engine's own Ctrl+End and Ctrl+Home wrap every line still waiting
    // before they move the caret. With wrapping on, the caret is placed here
    // instead and brought into view, which wraps only the lines shown.
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool extend = mods == (Qt::ControlModifier | Qt::ShiftModifier);
    if ((e->key() != Qt::Key_End && e->key() != Qt::Key_Home) || (mods != Qt::ControlModifier && !extend))
        return false;
    if (!wrap())
        return false;
    if (sci_->S(B::SCI_GETSELECTIONS) != 1 || sci_->S(B::SCI_GETSELECTIONMODE) != B::SC_SEL_STREAM)
        return false;
    const long to = e->key() == Qt::Key_End ? sci_->S(B::SCI_GETLENGTH) : 0;
    if (extend)
        sci_->S(B::SCI_SETSEL, sci_->S(B::SCI_GETANCHOR), to);
    else
        sci_->S(B::SCI_SETEMPTYSELECTION, to);
    sci_->S(B::SCI_CHOOSECARETX);
    bringCaretIntoView();
    return true;
}

bool TMemo::caretInView() const
{
    const long caret = sci_->S(B::SCI_GETCURRENTPOS);
    const int y = int(sci_->S(B::SCI_POINTYFROMPOSITION, 0, caret));
    return y >= 0 && y + lineHeight() <= sci_->viewport()->height();
}

void TMemo::bringCaretIntoView()
{
    // The lines brought into view are wrapped as they are drawn, which may
    // push the caret down out of view again: once more then.
    for (int pass = 0; pass < 3; ++pass) {
        sci_->S(B::SCI_SCROLLCARET);
        if (!sci_->isVisible())
            break;
        sci_->viewport()->repaint();
        if (caretInView())
            break;
    }
}
