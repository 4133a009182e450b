#include "documents/memohooks.h"

#include "documents/memo.h"
#include "documents/memoengine.h"

#include <QContextMenuEvent>
#include <QMenu>

// Indicator numbers of the writing aids: 20 the matching tags, 21 the
// misspelt words; 22 and 23 are kept for them. The find options' marks use
// numbers of their own below these.

namespace {

using B = QsciScintillaBase;

bool isTypedKey(const QKeyEvent *e)
{
    if (e->text().isEmpty() || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    for (const QChar c : e->text())
        if (!c.isPrint() && !c.isSurrogate())
            return false;
    return true;
}

constexpr int kSampleChars = 4096;

} // namespace

MemoHooks::MemoHooks(TMemo *memo) : QObject(memo), memo_(memo)
{
    TMemo::Engine *sci = memo_->sci_;
    sci->installEventFilter(this);
    sci->viewport()->installEventFilter(this);
    // Inside the engine's notices nothing may ask for offsets (they count
    // the text, which is not yet as the notice says): the edits are noted in
    // engine positions and told once the burst of edits is over.
    connect(sci, &B::SCN_MODIFIED, this,
            [this](int position, int type, const char *, int length, int, int, int, int, int, int) {
                if (memo_->loading_) {
                    reloading_ = true;
                    return;
                }
                if (!(type & (B::SC_MOD_BEFOREINSERT | B::SC_MOD_BEFOREDELETE)))
                    return;
                Pending p{position, length, type & B::SC_MOD_BEFOREDELETE ? true : false, {}};
                if (p.removed && pending_.isEmpty()) {
                    // The text is still there: a sample of it for the aids.
                    const long bytes = std::min<long>(length, kSampleChars * 3);
                    const auto *text = reinterpret_cast<const char *>(
                        memo_->sci_->S(B::SCI_GETRANGEPOINTER, position, bytes));
                    if (text)
                        p.sample = QByteArray(text, bytes);
                }
                pending_.append(p);
            });
    connect(memo_, &TMemo::textChanged, this, &MemoHooks::flushEdits);
    connect(sci, &B::SCN_UPDATEUI, this, [this](int updated) {
        if (updated & (B::SC_UPDATE_SELECTION | B::SC_UPDATE_CONTENT))
            emit caretMoved();
    });
    connect(sci, qOverload<const char *, int, int, int>(&B::SCN_AUTOCSELECTION), this,
            [this](const char *selection, int, int, int) {
                // The list inserts nothing itself: the aid decides what goes in.
                memo_->sci_->S(B::SCI_AUTOCCANCEL);
                emit chosen(QString::fromUtf8(selection));
            });
    connect(sci, &B::SCN_AUTOCCANCELLED, this, &MemoHooks::listHidden);
    connect(sci, &B::SCN_AUTOCCHARDELETED, this, &MemoHooks::listCharDeleted);
}

MemoHooks::~MemoHooks() = default;

void MemoHooks::flushEdits()
{
    if (reloading_) {
        reloading_ = false;
        pending_.clear();
        emit reloaded();
        return;
    }
    if (pending_.isEmpty())
        return;
    const QList<Pending> edits = std::exchange(pending_, {});
    TMemo::Engine *s = memo_->sci_;
    const long length = s->S(B::SCI_GETLENGTH);
    if (edits.size() > 1) {
        // Several edits: where the first of them lies, and no sample.
        long from = length;
        for (const Pending &p : edits)
            from = std::min<long>(from, p.position);
        emit edited(memo_->offsetOfBytePos(std::min(from, length)), QString(), false, false);
        return;
    }
    const Pending &p = edits.first();
    if (p.removed) {
        emit edited(memo_->offsetOfBytePos(std::min<long>(p.position, length)), QString::fromUtf8(p.sample),
                    p.sample.size() == p.length, true);
        return;
    }
    if (p.position + p.length > length)
        return;
    const long bytes = std::min<long>(p.length, kSampleChars * 3);
    const QByteArray text = s->bytes(int(p.position), int(p.position + bytes)).left(bytes);
    emit edited(memo_->offsetOfBytePos(p.position), QString::fromUtf8(text), bytes == p.length, false);
}

QString MemoHooks::textRange(int from, int to) const
{
    TMemo::Engine *s = memo_->sci_;
    // An offset between a CR and its LF has the CR's position: the range is
    // read from there and cut to the characters asked for.
    const long a = memo_->bytePosOfOffset(from);
    const int aOffset = memo_->offsetOfBytePos(a);
    long b = memo_->bytePosOfOffset(to);
    if (memo_->offsetOfBytePos(b) < to && b < s->S(B::SCI_GETLENGTH))
        ++b;   // the CR before an LF asked for
    if (b <= a)
        return {};
    // A copy of the range: reading it in place could move the engine's gap.
    const QByteArray bytes = s->bytes(int(a), int(b));
    const QString text = QString::fromUtf8(bytes.constData(), std::min<qsizetype>(bytes.size(), b - a));
    return text.mid(from - aOffset, to - from);
}

int MemoHooks::caret() const
{
    return memo_->offsetOfBytePos(memo_->sci_->S(B::SCI_GETCURRENTPOS));
}

void MemoHooks::setCaret(int offset)
{
    TMemo::Engine *s = memo_->sci_;
    s->S(B::SCI_GOTOPOS, memo_->bytePosOfOffset(offset));
}

void MemoHooks::insertAt(int offset, const QString &text)
{
    TMemo::Engine *s = memo_->sci_;
    const QByteArray bytes = text.toUtf8();
    // A group of its own, so that it does not join the typing before it.
    s->S(B::SCI_BEGINUNDOACTION);
    s->SendScintilla(B::SCI_INSERTTEXT, (unsigned long)memo_->bytePosOfOffset(offset), bytes.constData());
    s->S(B::SCI_ENDUNDOACTION);
}

void MemoHooks::replace(int from, int to, const QString &text, int caretAfter)
{
    TMemo::Engine *s = memo_->sci_;
    const long a = memo_->bytePosOfOffset(from);
    const long b = memo_->bytePosOfOffset(to);
    const QByteArray bytes = text.toUtf8();
    s->S(B::SCI_BEGINUNDOACTION);
    s->S(B::SCI_SETTARGETRANGE, a, b);
    s->SendScintilla(B::SCI_REPLACETARGET, (unsigned long)bytes.size(), bytes.constData());
    s->S(B::SCI_ENDUNDOACTION);
    s->S(B::SCI_GOTOPOS, a + long(text.left(caretAfter).toUtf8().size()));
}

void MemoHooks::defineMark(int mark, Look look, const QColor &colour)
{
    TMemo::Engine *s = memo_->sci_;
    const long rgb = long(colour.red()) | (long(colour.green()) << 8) | (long(colour.blue()) << 16);
    s->S(B::SCI_INDICSETSTYLE, mark, look == Look::Box ? B::INDIC_ROUNDBOX : B::INDIC_SQUIGGLE);
    s->S(B::SCI_INDICSETFORE, mark, rgb);
    s->S(B::SCI_INDICSETUNDER, mark, 1);
    if (look == Look::Box) {
        s->S(B::SCI_INDICSETALPHA, mark, 70);
        s->S(B::SCI_INDICSETOUTLINEALPHA, mark, 200);
    }
}

void MemoHooks::mark(int mark, int from, int to)
{
    TMemo::Engine *s = memo_->sci_;
    const long a = memo_->bytePosOfOffset(from);
    const long b = memo_->bytePosOfOffset(to);
    s->S(B::SCI_SETINDICATORCURRENT, mark);
    s->S(B::SCI_INDICATORFILLRANGE, a, b - a);
}

void MemoHooks::unmark(int mark, int from, int to)
{
    TMemo::Engine *s = memo_->sci_;
    const long a = memo_->bytePosOfOffset(from);
    const long b = memo_->bytePosOfOffset(to);
    s->S(B::SCI_SETINDICATORCURRENT, mark);
    s->S(B::SCI_INDICATORCLEARRANGE, a, b - a);
}

bool MemoHooks::marked(int mark, int offset) const
{
    return memo_->sci_->S(B::SCI_INDICATORVALUEAT, mark, memo_->bytePosOfOffset(offset)) != 0;
}

QList<std::pair<int, int>> MemoHooks::marks(int mark, int from, int to) const
{
    TMemo::Engine *s = memo_->sci_;
    QList<std::pair<int, int>> out;
    long pos = memo_->bytePosOfOffset(from);
    const long end = memo_->bytePosOfOffset(to);
    const long length = s->S(B::SCI_GETLENGTH);
    while (pos < end && pos < length) {
        const long stop = s->S(B::SCI_INDICATOREND, mark, pos);
        if (s->S(B::SCI_INDICATORVALUEAT, mark, pos)) {
            const long start = s->S(B::SCI_INDICATORSTART, mark, pos);
            out.append({memo_->offsetOfBytePos(start), memo_->offsetOfBytePos(stop)});
        }
        if (stop <= pos)
            break;
        pos = stop;
    }
    return out;
}

void MemoHooks::showList(int typed, const QStringList &entries)
{
    TMemo::Engine *s = memo_->sci_;
    const long caretPos = s->S(B::SCI_GETCURRENTPOS);
    const long typedBytes = caretPos - memo_->bytePosOfOffset(caret() - typed);
    s->S(B::SCI_AUTOCSETSEPARATOR, '\n');
    s->S(B::SCI_AUTOCSETIGNORECASE, 1);
    s->S(B::SCI_AUTOCSETORDER, B::SC_ORDER_CUSTOM);
    s->S(B::SCI_AUTOCSETAUTOHIDE, 0);
    s->S(B::SCI_AUTOCSETCHOOSESINGLE, 0);
    s->S(B::SCI_AUTOCSETDROPRESTOFWORD, 0);
    s->S(B::SCI_AUTOCSETCANCELATSTART, 1);
    s->S(B::SCI_AUTOCSETMAXHEIGHT, 10);
    const QByteArray list = entries.join(QLatin1Char('\n')).toUtf8();
    s->SendScintilla(B::SCI_AUTOCSHOW, (unsigned long)typedBytes, list.constData());
}

void MemoHooks::hideList()
{
    memo_->sci_->S(B::SCI_AUTOCCANCEL);
}

bool MemoHooks::listShown() const
{
    return memo_->sci_->S(B::SCI_AUTOCACTIVE) != 0;
}

QString MemoHooks::listCurrent() const
{
    TMemo::Engine *s = memo_->sci_;
    if (!listShown())
        return {};
    const long n = s->S(B::SCI_AUTOCGETCURRENTTEXT, 0, 0);
    QByteArray bytes(n + 1, '\0');
    s->SendScintilla(B::SCI_AUTOCGETCURRENTTEXT, 0UL, bytes.data());
    bytes.resize(n);
    return QString::fromUtf8(bytes);
}

int MemoHooks::firstVisibleLine() const
{
    TMemo::Engine *s = memo_->sci_;
    return int(s->S(B::SCI_DOCLINEFROMVISIBLE, s->S(B::SCI_GETFIRSTVISIBLELINE)));
}

int MemoHooks::lastVisibleLine() const
{
    TMemo::Engine *s = memo_->sci_;
    const long last = s->S(B::SCI_GETFIRSTVISIBLELINE) + s->S(B::SCI_LINESONSCREEN);
    return int(std::min(s->S(B::SCI_DOCLINEFROMVISIBLE, last), s->S(B::SCI_GETLINECOUNT) - 1));
}

int MemoHooks::lineCount() const
{
    return int(memo_->sci_->S(B::SCI_GETLINECOUNT));
}

int MemoHooks::lineOf(int offset) const
{
    return int(memo_->sci_->S(B::SCI_LINEFROMPOSITION, memo_->bytePosOfOffset(offset)));
}

int MemoHooks::lineStart(int line) const
{
    return memo_->offsetOfBytePos(memo_->sci_->S(B::SCI_POSITIONFROMLINE, line));
}

int MemoHooks::lineEnd(int line) const
{
    return memo_->offsetOfBytePos(memo_->sci_->S(B::SCI_GETLINEENDPOSITION, line));
}

int MemoHooks::offsetAt(const QPoint &p) const
{
    const long pos = memo_->sci_->S(B::SCI_POSITIONFROMPOINTCLOSE, p.x(), p.y());
    return pos < 0 ? -1 : memo_->offsetOfBytePos(pos);
}

bool MemoHooks::eventFilter(QObject *watched, QEvent *e)
{
    // The engine's widgets still send events while the text area is being
    // destroyed, when it is no longer a TMemo: look at nothing else first.
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::ContextMenu)
        return false;
    TMemo::Engine *s = memo_->sci_;
    if (e->type() == QEvent::KeyPress && watched == s) {
        auto *ke = static_cast<QKeyEvent *>(e);
        if (listShown() && ke->modifiers() == Qt::NoModifier) {
            switch (ke->key()) {
            case Qt::Key_Tab:
            case Qt::Key_Return:
            case Qt::Key_Enter:
                s->S(B::SCI_AUTOCCOMPLETE);
                return true;
            case Qt::Key_Escape:
                hideList();
                return true;
            default:
                break;
            }
        }
        if (isTypedKey(ke)) {
            // The engine types the key first; then the aids see it in place.
            const QString text = ke->text();
            static_cast<QObject *>(s)->event(e);
            emit typed(text);
            return true;
        }
        return false;
    }
    if (e->type() == QEvent::ContextMenu && (watched == s || watched == s->viewport())) {
        auto *ce = static_cast<QContextMenuEvent *>(e);
        int offset = caret();
        if (ce->reason() == QContextMenuEvent::Mouse) {
            const QPoint p = watched == s ? s->viewport()->mapFrom(s, ce->pos()) : ce->pos();
            const int at = offsetAt(p);
            if (at >= 0)
                offset = at;
        }
        QMenu *menu = s->createStandardContextMenu();
        if (!menu)
            return false;
        emit contextMenu(offset, menu);
        menu->exec(ce->globalPos());
        delete menu;
        return true;
    }
    return QObject::eventFilter(watched, e);
}
