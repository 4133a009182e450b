#include "documents/memo.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// Qt keeps one paragraph separator per line break; the program counts two.
// One pass each way: these run on whole documents when loading and saving.
QString toQtText(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString out(text.size(), Qt::Uninitialized);
    const QChar *src = text.constData();
    const QChar *end = src + text.size();
    QChar *dst = out.data();
    while (src < end) {
        const QChar c = *src++;
        if (c == QLatin1Char('\r')) {
            *dst++ = QLatin1Char('\n');
            if (src < end && *src == QLatin1Char('\n'))
                ++src;
        } else {
            *dst++ = c;
        }
    }
    out.truncate(dst - out.constData());
    return out;
}

QString fromQtSelection(QString s)
{
    // Selected text uses U+2029 between paragraphs.
    s.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    s.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return s;
}

} // namespace

TMemo::TMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
    setTabChangesFocus(false);
    viewport()->setMouseTracking(true);
    setMouseTracking(true);
    // The selection stays visible when the window loses the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
}

QString TMemo::text() const
{
    // Built block by block straight into its final size: cheaper than the
    // document's plain text followed by a second pass for the breaks.
    QString out;
    out.reserve(textLength());
    const QTextDocument *d = document();
    for (QTextBlock b = d->begin(); b.isValid(); b = b.next()) {
        if (b != d->begin())
            out += QStringLiteral("\r\n");
        out += b.text();
    }
    return out;
}

void TMemo::setText(const QString &text)
{
    setPlainText(toQtText(text));
}

int TMemo::textLength() const
{
    const QTextDocument *d = document();
    return d->characterCount() - 1 + (d->blockCount() - 1);
}

int TMemo::offsetOfPosition(int pos) const
{
    const QTextBlock b = document()->findBlock(pos);
    if (!b.isValid())
        return textLength();
    return pos + b.blockNumber();
}

int TMemo::blockStartOffset(int blockNumber) const
{
    return document()->findBlockByNumber(blockNumber).position() + blockNumber;
}

int TMemo::positionOfOffset(int offset) const
{
    if (offset <= 0)
        return 0;
    const QTextDocument *d = document();
    // Last block whose start offset is not past the offset.
    int lo = 0, hi = d->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (blockStartOffset(mid) <= offset)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = d->findBlockByNumber(lo);
    const int within = offset - (b.position() + lo);
    // An offset on the CR or LF of a break maps to the end of that line.
    return b.position() + std::min(within, b.length() - 1);
}

int TMemo::selStart() const
{
    return offsetOfPosition(textCursor().selectionStart());
}

int TMemo::selLength() const
{
    const QTextCursor c = textCursor();
    return offsetOfPosition(c.selectionEnd()) - offsetOfPosition(c.selectionStart());
}

QString TMemo::selText() const
{
    return fromQtSelection(textCursor().selectedText());
}

void TMemo::setSelection(int start, int length)
{
    QTextCursor c = textCursor();
    const int from = positionOfOffset(start);
    c.setPosition(from);
    if (length > 0)
        c.setPosition(positionOfOffset(start + length), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void TMemo::replaceSelection(const QString &text)
{
    QTextCursor c = textCursor();
    c.beginEditBlock();
    c.insertText(toQtText(text));
    c.endEditBlock();
    c.clearSelection();
    setTextCursor(c);
}

int TMemo::lineFromOffset(int offset) const
{
    const int pos = positionOfOffset(offset);
    const QTextBlock b = document()->findBlock(pos);
    if (!b.isValid())
        return 0;
    if (!wrap())
        return b.blockNumber();
    // Make sure the block is laid out so its screen lines are known.
    document()->documentLayout()->blockBoundingRect(b);
    const QTextLayout *lay = b.layout();
    int inBlock = 0;
    if (lay && lay->lineCount() > 0) {
        const QTextLine line = lay->lineForTextPosition(pos - b.position());
        if (line.isValid())
            inBlock = line.lineNumber();
    }
    return b.firstLineNumber() + inBlock;
}

int TMemo::lineIndex(int line) const
{
    const QTextDocument *d = document();
    if (!wrap()) {
        const QTextBlock b = d->findBlockByNumber(std::clamp(line, 0, d->blockCount() - 1));
        return b.position() + b.blockNumber();
    }
    QTextBlock b = d->findBlockByLineNumber(line);
    if (!b.isValid())
        b = d->lastBlock();
    d->documentLayout()->blockBoundingRect(b);
    int pos = b.position();
    const QTextLayout *lay = b.layout();
    const int inBlock = line - b.firstLineNumber();
    if (lay && inBlock > 0 && inBlock < lay->lineCount())
        pos += lay->lineAt(inBlock).textStart();
    return pos + b.blockNumber();
}

void TMemo::screenLines(int line, int &firstDisplayLine, std::vector<int> &starts) const
{
    starts.assign(1, 0);
    const QTextBlock b = document()->findBlockByNumber(line);
    if (!b.isValid()) {
        firstDisplayLine = lineCount();
        return;
    }
    if (!wrap()) {
        firstDisplayLine = b.blockNumber();
        return;
    }
    // Lays the block out if a change of width has cleared its layout; until
    // then its stored screen line count is only a placeholder.
    document()->documentLayout()->blockBoundingRect(b);
    firstDisplayLine = b.firstLineNumber();
    const QTextLayout *lay = b.layout();
    for (int i = 1, n = lay ? lay->lineCount() : 0; i < n; ++i)
        starts.push_back(lay->lineAt(i).textStart());
}

int TMemo::firstVisibleLine() const
{
    // The vertical scroll bar counts display lines.
    return verticalScrollBar()->value();
}

void TMemo::setFirstVisibleLine(int line)
{
    verticalScrollBar()->setValue(line);
}

int TMemo::lineHeight() const
{
    return QFontMetrics(font()).lineSpacing();
}

int TMemo::firstLineTop() const
{
    const QTextBlock b = firstVisibleBlock();
    const QRectF r = blockBoundingGeometry(b).translated(contentOffset());
    int top = int(r.top());
    if (wrap()) {
        document()->documentLayout()->blockBoundingRect(b);
        const QTextLayout *lay = b.layout();
        const int inBlock = firstVisibleLine() - b.firstLineNumber();
        if (lay && inBlock > 0 && inBlock < lay->lineCount())
            top += int(lay->lineAt(inBlock).y());
    }
    return top;
}

int TMemo::lineCount() const
{
    const QTextDocument *d = document();
    int n = wrap() ? d->lineCount() : d->blockCount();
    if (d->blockCount() > 1 && d->lastBlock().length() <= 1)
        --n;
    return std::max(n, 1);
}

bool TMemo::modified() const
{
    return document()->isModified();
}

void TMemo::setModified(bool on)
{
    document()->setModified(on);
}

bool TMemo::wrap() const
{
    return lineWrapMode() != QPlainTextEdit::NoWrap;
}

void TMemo::setWrap(bool on)
{
    setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

bool TMemo::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride && isCommandShortcut) {
        auto *ke = static_cast<QKeyEvent *>(e);
        const QKeySequence seq(ke->keyCombination());
        if (isCommandShortcut(seq)) {
            // Leave the key to the window's command of that shortcut.
            e->ignore();
            return false;
        }
    }
    return QPlainTextEdit::event(e);
}

void TMemo::mouseReleaseEvent(QMouseEvent *e)
{
    QPlainTextEdit::mouseReleaseEvent(e);
    emit mouseReleased();
}

void TMemo::keyReleaseEvent(QKeyEvent *e)
{
    QPlainTextEdit::keyReleaseEvent(e);
    emit keyReleased();
}

void TMemo::mouseMoveEvent(QMouseEvent *e)
{
    QPlainTextEdit::mouseMoveEvent(e);
    emit mouseMoved();
}

void TMemo::insertFromMimeData(const QMimeData *source)
{
    // Only plain text enters a document.
    if (source && source->hasText())
        textCursor().insertText(toQtText(source->text()));
}
