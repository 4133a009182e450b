#include "documents/memo.h"
#include "documents/memoengine.h"

#include "documents/textfile.h"
#include "documents/textruns.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <QAccessible>
#include <QAccessibleWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {


// Bytes of the longest line of a slice of UTF-8 text; `open` carries the
// bytes of the line the previous slice ended in.
long longestLine(const QByteArray &bytes, long &open)
{
    long longest = 0;
    const char *p = bytes.constData();
    const char *end = p + bytes.size();
    while (p < end) {
        const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *stop = lf ? lf : end;
        open += long(stop - p);
        longest = std::max(longest, open);
        if (lf)
            open = 0;
        p = stop + 1;
    }
    return longest;
}

// Bytes of the text in UTF-8.
qsizetype utf8Length(QStringView text)
{
    qsizetype n = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // A surrogate pair is 4 bytes: 2 for each half.
        n += u < 0x80 ? 1 : (u < 0x800 || QChar::isSurrogate(u)) ? 2 : 3;
    }
    return n;
}

// Where a slice of about `size` characters from `from` ends: never between
// the halves of a surrogate pair, so each slice converts on its own, nor
// between the CR and LF of a line break.
qsizetype sliceEnd(QStringView text, qsizetype from, qsizetype size)
{
    qsizetype to = std::min(text.size(), from + std::max<qsizetype>(size, 2));
    if (to < text.size() && (QChar::isHighSurrogate(text[to - 1].unicode()) ||
                             (text[to - 1] == u'\r' && text[to] == u'\n')))
        --to;
    return to;
}

// Keys the engine may keep: moving, selecting, deleting, new lines, the
// clipboard and undo. Every other combination is left to the window's menus.
bool isPlainEditingKey(int key)
{
    if (key == 0)
        return false;
    const int mods = key & int(Qt::KeyboardModifierMask);
    const int base = key & ~int(Qt::KeyboardModifierMask);
    if (mods & (Qt::ALT | Qt::META))
        return false;
    const bool ctrl = mods & Qt::CTRL;
    switch (base) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Home: case Qt::Key_End: case Qt::Key_Backspace: case Qt::Key_Delete:
        return true;
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Return: case Qt::Key_Enter:
        return !ctrl;
    case Qt::Key_Insert:
        return mods != 0;   // Ctrl+Ins copies, Shift+Ins pastes; no overtype
    case Qt::Key_Z: case Qt::Key_Y: case Qt::Key_X: case Qt::Key_C: case Qt::Key_V:
    case Qt::Key_A:
        return ctrl;
    default:
        return false;
    }
}

// The engine's screen-reader interface counts characters from the start of
// the document at every caret move and repaint (a tenth of a second a key on
// a 20 MB page). While no assistive technology listens, a plain interface
// stands in for it; once one does, the engine's own is created as before.
QAccessibleInterface *plainEngineInterface(const QString &, QObject *object)
{
    if (QAccessible::isActive() || !object || !object->inherits("QsciScintillaBase"))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::EditableText);
}

} // namespace

TMemo::TMemo(QWidget *parent)
    : QFrame(parent), look_(std::make_unique<Look>()), numbering_(std::make_unique<Numbering>())
{
    setFrameShape(QFrame::NoFrame);
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(plainEngineInterface);
        return true;
    }();
    (void)factoryInstalled;
    sci_ = new Engine(this);
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(sci_);
    setFocusProxy(sci_);
    setMouseTracking(true);
    sci_->viewport()->setMouseTracking(true);

    sci_->setUtf8(true);
    sci_->S(QsciScintillaBase::SCI_SETEOLMODE, QsciScintillaBase::SC_EOL_CRLF);
    sci_->S(QsciScintillaBase::SCI_SETPASTECONVERTENDINGS, 1);
    for (int m = 0; m < 5; ++m)
        sci_->S(QsciScintillaBase::SCI_SETMARGINWIDTHN, m, 0);
    sci_->S(QsciScintillaBase::SCI_SETMARGINLEFT, 0, 2);
    // Annotations shown lay out every line on load when wrapping.
    sci_->S(QsciScintillaBase::SCI_ANNOTATIONSETVISIBLE, QsciScintillaBase::ANNOTATION_HIDDEN);
    // Offsets in UTF-16 characters come from this index in O(log n).
    sci_->S(QsciScintillaBase::SCI_ALLOCATELINECHARACTERINDEX, kUtf16);
    // A single long line can be scrolled to its end.
    sci_->S(QsciScintillaBase::SCI_SETSCROLLWIDTH, 1);
    sci_->S(QsciScintillaBase::SCI_SETSCROLLWIDTHTRACKING, 1);
    sci_->S(QsciScintillaBase::SCI_SETCARETSTICKY, QsciScintillaBase::SC_CARETSTICKY_OFF);

    // Only plain editing keys stay bound, so the menus' shortcuts
    // (Ctrl+L, Ctrl+T, Ctrl+U, Ctrl+D ...) reach the window.
    sci_->S(QsciScintillaBase::SCI_CLEARALLCMDKEYS);
    for (QsciCommand *c : sci_->standardCommands()->commands()) {
        const int key = c->key();
        const int alternate = c->alternateKey();
        c->setKey(0);
        c->setAlternateKey(0);
        if (isPlainEditingKey(key))
            c->setKey(key);
        if (isPlainEditingKey(alternate))
            c->setAlternateKey(alternate);
    }
    // On a wrapped line Home and End keep to the screen row the caret is on;
    // pressed again there, they go on to the whole line's start or end.
    const auto rebind = [this](QsciCommand::Command from, QsciCommand::Command to) {
        QsciCommand *was = sci_->standardCommands()->find(from);
        QsciCommand *now = sci_->standardCommands()->find(to);
        if (!was || !now)
            return;
        const int key = was->key();
        was->setKey(0);
        now->setKey(key);
    };
    rebind(QsciCommand::VCHome, QsciCommand::VCHomeWrap);
    rebind(QsciCommand::VCHomeExtend, QsciCommand::VCHomeWrapExtend);
    rebind(QsciCommand::LineEnd, QsciCommand::LineEndWrap);
    rebind(QsciCommand::LineEndExtend, QsciCommand::LineEndWrapExtend);

    connect(sci_, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char *, int length, int, int, int, int, int, int) {
                if (type & (QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE)) {
                    noteEdit(position, type & QsciScintillaBase::SC_MOD_BEFOREINSERT, length);
                    // A slot of the first edit may still read the length before it.
                    settleInsertion();
                    // Counts up to a converted position hold while nothing
                    // before it changes.
                    if (position < anchorPos_)
                        anchorLine_ = -1;
                    editStarting();
                    if (!loading_)
                        editStartsAt(position);
                    lengthChanging(position, type & QsciScintillaBase::SC_MOD_BEFOREINSERT, length);
                    // The text of an insertion is not told before it is
                    // made: it is read once it is there, at the next notice
                    // or at the end of the burst of edits.
                    reportInsertion();
                    if ((type & QsciScintillaBase::SC_MOD_BEFOREINSERT) && !loading_) {
                        insertedAt_ = position;
                        insertedBytes_ = length;
                    }
                } else if (type & (QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT)) {
                    editStarting();
                }
            });
    connect(sci_, &QsciScintillaBase::SCN_STYLENEEDED, this, &TMemo::styleRuns);
    // A zoom changes every line's width.
    connect(sci_, &QsciScintillaBase::SCN_ZOOM, this, [this] { restartNumbering(false); });
    numbering_->timer = new QTimer(this);
    numbering_->timer->setSingleShot(true);
    connect(numbering_->timer, &QTimer::timeout, this, &TMemo::numberLines);
    styleAheadTimer_ = new QTimer(this);
    styleAheadTimer_->setSingleShot(true);
    connect(styleAheadTimer_, &QTimer::timeout, this, &TMemo::styleAhead);
    // Once the view has settled after a scroll, a key or a resize.
    viewRunsTimer_ = new QTimer(this);
    viewRunsTimer_->setSingleShot(true);
    viewRunsTimer_->setInterval(150);
    connect(viewRunsTimer_, &QTimer::timeout, this, &TMemo::alignViewRuns);
    // Only a move of the caret or the view counts: restyling the runs in
    // view is itself a change of content, and would start it all again.
    connect(sci_, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        constexpr int kMoved = QsciScintillaBase::SC_UPDATE_SELECTION | QsciScintillaBase::SC_UPDATE_V_SCROLL |
                               QsciScintillaBase::SC_UPDATE_H_SCROLL;
        if ((updated & kMoved) && !lexing_ && breaksAtRuns())
            viewRunsTimer_->start();
    });
    connect(sci_, &QsciScintillaBase::SCN_UPDATEUI, this, &TMemo::viewChanged);
    connect(sci_->verticalScrollBar(), &QScrollBar::valueChanged, this, &TMemo::viewChanged);

    // The widget's own caret signal finds the caret's column by stepping
    // through its line from the start: a long line paid that on every caret
    // move. Nothing here uses that signal or brace matching, its other work.
    QObject::disconnect(sci_, SIGNAL(SCN_UPDATEUI(int)), sci_, SLOT(handleUpdateUI(int)));
    connectView();
    setWrap(false);
    applyLook();
}

TMemo::~TMemo() = default;

void TMemo::editStarting()
{
    if (loading_)
        return;
    if (!modified_) {
        modified_ = true;
        emit modificationChanged(true);
    }
    if (!textChangePosted_) {
        textChangePosted_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                textChangePosted_ = false;
                reportInsertion();
                const long line = sci_->S(QsciScintillaBase::SCI_LINEFROMPOSITION,
                                          sci_->S(QsciScintillaBase::SCI_GETCURRENTPOS));
                lineLengthSeen(sci_->S(QsciScintillaBase::SCI_LINELENGTH, line));
                emit textChanged();
            },
            Qt::QueuedConnection);
    }
}

void TMemo::reportInsertion()
{
    if (insertedAt_ < 0)
        return;
    const long at = insertedAt_;
    const long bytes = insertedBytes_;
    insertedAt_ = -1;
    if (at + bytes > sci_->S(QsciScintillaBase::SCI_GETLENGTH))
        return;
    const auto *p = reinterpret_cast<const char *>(sci_->S(QsciScintillaBase::SCI_GETRANGEPOINTER, at, bytes));
    if (p)
        emit inserted(QString::fromUtf8(p, bytes));
}

void TMemo::lengthChanging(long pos, bool inserting, long count)
{
    // Kept up to date by the size of each change: counting the last line
    // again after every key would cost a whole one-line page each time. The
    // notice of an insertion comes before the text is there, so it is
    // counted at the next notice or question, when it is.
    settleInsertion();
    // What was coloured ahead moves with the text after the change.
    if (!loading_ && pos < styledAhead_)
        styledAhead_ = inserting ? styledAhead_ + count : std::max(pos, styledAhead_ - count);
    if (!loading_ && !viewSpans_.empty()) {
        // The engine styles the text from the change on again, cut into
        // short runs: the runs in view there are laid out afresh once the
        // view settles.
        viewSpans_.erase(std::remove_if(viewSpans_.begin(), viewSpans_.end(),
                                        [pos](const auto &s) { return s.second > pos; }),
                         viewSpans_.end());
        viewRunsTimer_->start();
    }
    if (!lengthKnown_ || loading_)
        return;
    if (inserting) {
        pendingInsertAt_ = pos;
        pendingInsertBytes_ = count;
    } else {
        length_ -= int(sci_->S(QsciScintillaBase::SCI_COUNTCODEUNITS, pos, pos + count));
    }
}

void TMemo::settleInsertion() const
{
    if (pendingInsertAt_ < 0)
        return;
    if (lengthKnown_)
        length_ += int(sci_->S(QsciScintillaBase::SCI_COUNTCODEUNITS, pendingInsertAt_,
                               pendingInsertAt_ + pendingInsertBytes_));
    pendingInsertAt_ = -1;
}

void TMemo::lineLengthSeen(long lineBytes)
{
    fitLayoutCache(lineBytes);
    const bool breaks = breaksAtRuns();
    longestLine_ = std::max(longestLine_, lineBytes);
    if (lexing() != lexing_ || breaks != breaksAtRuns()) {
        // Restyled with the runs (and wrapped as) the page now needs.
        applyLook();
        if (wrap())
            setWrap(true);
    }
}

bool TMemo::breaksAtRuns() const
{
    return longestLine_ > textruns::kLongLine;
}

bool TMemo::lexing() const
{
    // The HTML lexer styles a changed line again from its start: on a line
    // of megabytes that is most of the time of every key. Such a page is
    // styled in word runs like plain text instead.
    constexpr long kLongestLexedLine = 1L << 20;
    return html_ && longestLine_ <= kLongestLexedLine;
}

void TMemo::fitLayoutCache(long lineBytes)
{
    // A changed line is measured again as a whole, run of one style by run;
    // the engine keeps the widths of short runs in a table that is far too
    // small for a line of megabytes, which is then measured afresh at every
    // key. The table grows with the longest line seen (never shrinks): one
    // entry per 8 bytes, twice the runs of such a line (textruns.h), as the
    // table keeps a run in one of two places. The largest table, for lines
    // over 4 MB, is 16 MB.
    constexpr int kMaxEntries = 1 << 20;
    int entries = layoutCacheEntries_;
    while (entries < kMaxEntries && entries * 8L < lineBytes)
        entries *= 2;
    if (entries == layoutCacheEntries_)
        return;
    layoutCacheEntries_ = entries;
    sci_->S(QsciScintillaBase::SCI_SETPOSITIONCACHE, entries);
}

void TMemo::narrowNotifications()
{
    // The engine's screen-reader glue counts characters from the start of the
    // document on every insertion and deletion it is told of. Without an
    // assistive technology listening, only the notices that come before a
    // change are sent: the flag and the change signal need no more.
    const long mask = QAccessible::isActive()
                          ? long(QsciScintillaBase::SC_MODEVENTMASKALL)
                          : long(QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE);
    sci_->S(QsciScintillaBase::SCI_SETMODEVENTMASK, mask);
}

// --------------------------------------------------------------------- text

QString TMemo::text() const
{
    const long length = sci_->S(QsciScintillaBase::SCI_GETLENGTH);
    const auto *bytes = reinterpret_cast<const char *>(sci_->S(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    return QString::fromUtf8(bytes, length);
}

void TMemo::setText(const QString &text)
{
    // Already in CR LF form when it comes from a file: then shared, not copied.
    const QString normal = textfile::normalizeLineBreaks(text);
    const QStringView all(normal);
    narrowNotifications();
    loading_ = true;
    viewSpans_.clear();
    sci_->S(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0);
    sci_->S(QsciScintillaBase::SCI_CLEARALL);
    // Room for early edits, so the first keys do not move the whole buffer.
    const qsizetype bytes = utf8Length(all);
    sci_->S(QsciScintillaBase::SCI_ALLOCATE, long(bytes + bytes / 8 + 65536));
    // Handed over in slices: the whole text in UTF-8 beside its UTF-16 form
    // and the engine's own copy would be one more copy of a large page at
    // the peak of the load.
    constexpr qsizetype kSlice = 1 << 20;
    long longest = 0, lineSoFar = 0;
    for (qsizetype from = 0; from < all.size();) {
        const qsizetype to = sliceEnd(all, from, kSlice);
        const QByteArray slice = all.mid(from, to - from).toUtf8();
        longest = std::max(longest, longestLine(slice, lineSoFar));
        sci_->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, (unsigned long)slice.size(), slice.constData());
        from = to;
    }
    const bool breaksBefore = breaksAtRuns();
    fitLayoutCache(longest);
    longestLine_ = longest;
    if (lexing() != lexing_ || breaksAtRuns() != breaksBefore) {
        applyLook();
        if (wrap())
            setWrap(true);
    }
    sci_->S(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1);
    sci_->S(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    sci_->S(QsciScintillaBase::SCI_SETSAVEPOINT);
    // Caret and view to the start without asking where the caret is drawn:
    // that would lay out the first line, unstyled, which on a one-line page
    // is the whole text.
    sci_->S(QsciScintillaBase::SCI_SETEMPTYSELECTION, 0);
    sci_->S(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, 0);
    sci_->S(QsciScintillaBase::SCI_SETXOFFSET, 0);
    loading_ = false;
    insertedAt_ = -1;
    lengthKnown_ = false;
    pendingInsertAt_ = -1;
    anchorLine_ = -1;
    // Every line is new, one screen line until the engine wraps it.
    restartNumbering(true);
    if (lexing_) {
        // The first screen is coloured and cut into runs before it is drawn.
        styledAhead_ = 0;
        styleAhead();
    }
    setModified(false);
    emit textChanged();
}

int TMemo::textLength() const
{
    // The index has no entry past the last line, whose length must be
    // counted: once per change, not per call, as a one-line page is all last line.
    settleInsertion();
    if (lengthKnown_)
        return length_;
    const long lines = sci_->S(QsciScintillaBase::SCI_GETLINECOUNT);
    const long last = lines - 1;
    const long lastStart = sci_->S(QsciScintillaBase::SCI_POSITIONFROMLINE, last);
    const long length = sci_->S(QsciScintillaBase::SCI_GETLENGTH);
    length_ = int(sci_->S(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, last, kUtf16) +
                  (length > lastStart ? sci_->S(QsciScintillaBase::SCI_COUNTCODEUNITS, lastStart, length) : 0));
    lengthKnown_ = true;
    return length_;
}

int TMemo::selStart() const
{
    return offsetOfBytePos(sci_->S(QsciScintillaBase::SCI_GETSELECTIONSTART));
}

int TMemo::selLength() const
{
    const long from = sci_->S(QsciScintillaBase::SCI_GETSELECTIONSTART);
    const long to = sci_->S(QsciScintillaBase::SCI_GETSELECTIONEND);
    return from == to ? 0 : offsetOfBytePos(to) - offsetOfBytePos(from);
}

QString TMemo::selText() const
{
    return sci_->selectedText();
}

void TMemo::setSelection(int start, int length)
{
    const long anchor = bytePosOfOffset(start);
    const long caret = length > 0 ? bytePosOfOffset(start + length) : anchor;
    sci_->S(QsciScintillaBase::SCI_SETSEL, anchor, caret);
}

void TMemo::replaceSelection(const QString &text)
{
    const QByteArray bytes = textfile::normalizeLineBreaks(text).toUtf8();
    sci_->S(QsciScintillaBase::SCI_BEGINUNDOACTION);
    sci_->SendScintilla(QsciScintillaBase::SCI_REPLACESEL, 0UL, bytes.constData());
    sci_->S(QsciScintillaBase::SCI_ENDUNDOACTION);
}

void TMemo::InsertFragment(const QString &text, int caretBack)
{
    replaceSelection(text);
    // An empty fragment over an empty selection changes no text, yet the
    // command still counts as an edit of the document.
    if (!modified())
        setModified(true);
    if (caretBack > 0)
        setSelStart(std::max(0, selStart() - caretBack));
    setFocus();
}

void TMemo::replaceRange(int offset, int length, const QString &text)
{
    const QByteArray bytes = textfile::normalizeLineBreaks(text).toUtf8();
    sci_->S(QsciScintillaBase::SCI_SETTARGETRANGE, bytePosOfOffset(offset), bytePosOfOffset(offset + length));
    sci_->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, (unsigned long)bytes.size(), bytes.constData());
}

void TMemo::beginUndoGroup()
{
    sci_->S(QsciScintillaBase::SCI_BEGINUNDOACTION);
}

void TMemo::endUndoGroup()
{
    sci_->S(QsciScintillaBase::SCI_ENDUNDOACTION);
}

// -------------------------------------------------------------------- state

bool TMemo::modified() const
{
    return modified_;
}

void TMemo::setModified(bool on)
{
    if (on == modified_)
        return;
    modified_ = on;
    emit modificationChanged(on);
}

bool TMemo::wrap() const
{
    return sci_->S(QsciScintillaBase::SCI_GETWRAPMODE) != QsciScintillaBase::SC_WRAP_NONE;
}

void TMemo::setWrap(bool on)
{
    // Lines break at blanks only, as word wrap does; a word wider than the
    // window breaks where it reaches the edge. Where style runs change is no
    // place to break, so runs may be cut anywhere (textruns.h).
    const long was = sci_->S(QsciScintillaBase::SCI_GETWRAPMODE);
    // A page with a line of megabytes wraps where runs begin (textruns.h).
    sci_->setWrapMode(!on ? QsciScintilla::WrapNone
                          : breaksAtRuns() ? QsciScintilla::WrapWord : QsciScintilla::WrapWhitespace);
    // Setting the wrap mode switches the engine to a layout cache of every
    // line (hundreds of MB on a large page, and slow keys): one page is enough.
    sci_->S(QsciScintillaBase::SCI_SETLAYOUTCACHE, QsciScintillaBase::SC_CACHE_PAGE);
    sci_->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    sci_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (!on) {
        // Every line back to one screen line now, which is cheap unwrapped,
        // so that wrapping on again starts from counts of 1.
        sci_->S(QsciScintillaBase::SCI_ENSUREVISIBLE, 0);
    }
    const long now = sci_->S(QsciScintillaBase::SCI_GETWRAPMODE);
    if (!on || was == QsciScintillaBase::SC_WRAP_NONE)
        restartNumbering(true);
    else if (now != was)
        restartNumbering(false);
}

// ----------------------------------------------------------------- commands

void TMemo::undo() { sci_->undo(); }
void TMemo::redo() { sci_->redo(); }
bool TMemo::canUndo() const { return sci_->S(QsciScintillaBase::SCI_CANUNDO) != 0; }
bool TMemo::canRedo() const { return sci_->S(QsciScintillaBase::SCI_CANREDO) != 0; }
void TMemo::cut() { sci_->cut(); }
void TMemo::copy() { sci_->copy(); }
void TMemo::paste() { sci_->paste(); }
void TMemo::selectAll() { sci_->selectAll(true); }
void TMemo::ensureCursorVisible() { sci_->S(QsciScintillaBase::SCI_SCROLLCARET); }

QScrollBar *TMemo::verticalScrollBar() const { return sci_->verticalScrollBar(); }
QScrollBar *TMemo::horizontalScrollBar() const { return sci_->horizontalScrollBar(); }
void TMemo::setVerticalScrollBarPolicy(Qt::ScrollBarPolicy p) { sci_->setVerticalScrollBarPolicy(p); }
void TMemo::setHorizontalScrollBarPolicy(Qt::ScrollBarPolicy p) { sci_->setHorizontalScrollBarPolicy(p); }
QWidget *TMemo::viewport() const { return sci_->viewport(); }

QRect TMemo::cursorRect() const
{
    const long pos = sci_->S(QsciScintillaBase::SCI_GETCURRENTPOS);
    const int x = int(sci_->S(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, pos));
    const int y = int(sci_->S(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0, pos));
    return QRect(x, y, 1, lineHeight());
}

bool TMemo::hasTextFocus() const
{
    const QWidget *f = QApplication::focusWidget();
    return f && (f == this || isAncestorOf(f));
}

bool TMemo::typeText(const QString &typed)
{
    // The engine types a character by inserting it, laying out its line to
    // bring the caret into view, and only at the next paint styling it, which
    // lays the line out once more: on a line of megabytes each layout is most
    // of a key's time. Here the new text is given its word run before the
    // caret is placed, so the line is laid out once. Text the HTML lexer
    // colours (lines under a megabyte) and anything but one plain selection
    // are left to the engine.
    using B = QsciScintillaBase;
    if (lexing_ || sci_->S(B::SCI_GETOVERTYPE) || sci_->S(B::SCI_GETREADONLY) || sci_->S(B::SCI_GETSELECTIONS) != 1 ||
        sci_->S(B::SCI_GETSELECTIONMODE) != B::SC_SEL_STREAM ||
        sci_->S(B::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0) > 0 ||
        sci_->S(B::SCI_GETSELECTIONNANCHORVIRTUALSPACE, 0) > 0)
        return false;
    const QByteArray bytes = typed.toUtf8();
    const long from = sci_->S(B::SCI_GETSELECTIONSTART);
    const long to = sci_->S(B::SCI_GETSELECTIONEND);
    // Typing over a selection undoes in one step; plain typing joins the
    // keys typed before it, as the engine's own typing does (a replacement
    // of the target would make each key an undo step of its own).
    if (from != to) {
        sci_->S(B::SCI_BEGINUNDOACTION);
        sci_->S(B::SCI_DELETERANGE, from, to - from);
    }
    sci_->SendScintilla(B::SCI_INSERTTEXT, (unsigned long)from, bytes.constData());
    if (from != to)
        sci_->S(B::SCI_ENDUNDOACTION);
    const long caret = from + bytes.size();
    styleRuns(int(caret));
    sci_->S(B::SCI_SETEMPTYSELECTION, caret);
    sci_->S(B::SCI_SCROLLCARET);
    sci_->S(B::SCI_CHOOSECARETX);
    return true;
}

void TMemo::forwardKey(QKeyEvent *e)
{
    // Keys sent to the frame itself go to the engine; one the engine leaves
    // comes back up to here and goes on to the parent.
    if (forwarding_) {
        e->ignore();
        return;
    }
    forwarding_ = true;
    QCoreApplication::sendEvent(sci_, e);
    forwarding_ = false;
}

void TMemo::keyPressEvent(QKeyEvent *e)
{
    forwardKey(e);
}

void TMemo::keyReleaseEvent(QKeyEvent *e)
{
    forwardKey(e);
}
