// The text area's positions: character offsets (a line break counting as
// CR LF) to and from the engine's byte positions, and lines as the screen
// shows them, each wrapped screen line counting.
#include "documents/memo.h"
#include "documents/memoengine.h"

#include <algorithm>

// ------------------------------------------------------------------ offsets

long TMemo::bytePosOfOffset(int offset) const
{
    if (offset <= 0)
        return 0;
    const long lines = sci_->S(QsciScintillaBase::SCI_GETLINECOUNT);
    const long line = sci_->S(QsciScintillaBase::SCI_LINEFROMINDEXPOSITION, offset, kUtf16);
    const long lineStartIndex = sci_->S(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, line, kUtf16);
    const long lineStart = sci_->S(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    const long lineEnd = sci_->S(QsciScintillaBase::SCI_GETLINEENDPOSITION, line);
    const long within = offset - lineStartIndex;
    const long nextStart = line + 1 < lines ? sci_->S(QsciScintillaBase::SCI_POSITIONFROMLINE, line + 1)
                                            : sci_->S(QsciScintillaBase::SCI_GETLENGTH);
    const long nextIndex = line + 1 < lines
                               ? sci_->S(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, line + 1, kUtf16)
                               : textLength();
    // A line of single-byte characters needs no walk.
    if (nextIndex - lineStartIndex == nextStart - lineStart)
        return std::min(lineStart + within, lineEnd);   // on the CR or LF: the line's end
    const long contentUnits = nextIndex - lineStartIndex - (nextStart - lineEnd);
    if (within >= contentUnits)
        return lineEnd;
    // Walked from the line's start or from the last position converted on
    // this line, whichever is nearer: the caret mostly moves a little.
    long from = lineStart, fromUnits = 0;
    if (anchorLine_ == line && std::abs(within - anchorUnits_) < within) {
        from = anchorPos_;
        fromUnits = anchorUnits_;
    }
    const long pos = sci_->S(QsciScintillaBase::SCI_POSITIONRELATIVECODEUNITS, from, within - fromUnits);
    if (pos < lineStart)
        return sci_->S(QsciScintillaBase::SCI_POSITIONRELATIVECODEUNITS, lineStart, within);
    setAnchor(line, pos, within);
    return pos;
}

void TMemo::setAnchor(long line, long pos, long units) const
{
    anchorLine_ = line;
    anchorPos_ = pos;
    anchorUnits_ = units;
}

int TMemo::offsetOfBytePos(long pos) const
{
    const long line = sci_->S(QsciScintillaBase::SCI_LINEFROMPOSITION, pos);
    const long lineStart = sci_->S(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    const long index = sci_->S(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, line, kUtf16);
    if (pos == lineStart)
        return int(index);
    // A line of single-byte characters needs no count.
    const long lines = sci_->S(QsciScintillaBase::SCI_GETLINECOUNT);
    const long nextIndex = line + 1 < lines
                               ? sci_->S(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, line + 1, kUtf16)
                               : textLength();
    const long nextStart = line + 1 < lines ? sci_->S(QsciScintillaBase::SCI_POSITIONFROMLINE, line + 1)
                                            : sci_->S(QsciScintillaBase::SCI_GETLENGTH);
    if (nextIndex - index == nextStart - lineStart)
        return int(index + pos - lineStart);
    long units;
    if (anchorLine_ == line && std::abs(pos - anchorPos_) < pos - lineStart) {
        units = pos >= anchorPos_ ? anchorUnits_ + sci_->S(QsciScintillaBase::SCI_COUNTCODEUNITS, anchorPos_, pos)
                                  : anchorUnits_ - sci_->S(QsciScintillaBase::SCI_COUNTCODEUNITS, pos, anchorPos_);
    } else {
        units = sci_->S(QsciScintillaBase::SCI_COUNTCODEUNITS, lineStart, pos);
    }
    setAnchor(line, pos, units);
    return int(index + units);
}

int TMemo::positionOfOffset(int offset) const
{
    const long pos = bytePosOfOffset(std::min(offset, textLength()));
    return offsetOfBytePos(pos) - int(sci_->S(QsciScintillaBase::SCI_LINEFROMPOSITION, pos));
}

int TMemo::offsetOfPosition(int pos) const
{
    if (pos <= 0)
        return 0;
    // Last line whose start, counting one character per break, is not past pos.
    const long lines = sci_->S(QsciScintillaBase::SCI_GETLINECOUNT);
    long lo = 0, hi = lines - 1;
    while (lo < hi) {
        const long mid = (lo + hi + 1) / 2;
        if (sci_->S(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, mid, kUtf16) - mid <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const int lineEnd = offsetOfBytePos(sci_->S(QsciScintillaBase::SCI_GETLINEENDPOSITION, lo));
    return std::min(int(pos + lo), lineEnd);
}

// -------------------------------------------------------------------- lines

int TMemo::lineFromOffset(int offset) const
{
    const long pos = bytePosOfOffset(offset);
    const long line = sci_->S(QsciScintillaBase::SCI_LINEFROMPOSITION, pos);
    if (!wrap())
        return int(line);
    // A line still waiting for its wrap counts as one screen line, and so
    // would every such line before it. The very start of the text needs none.
    if (pos > 0 && !lineKnown(line))
        wrapEverything();
    return int(sci_->S(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, line)) + subline(pos);
}

long TMemo::startOfScreenLine(long displayLine) const
{
    // The engine has no call for it: the position at the left edge of that
    // screen line, wherever it is relative to the view.
    const long top = sci_->S(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE);
    const int h = std::max(1, lineHeight());
    return sci_->S(QsciScintillaBase::SCI_POSITIONFROMPOINT, 0, (displayLine - top) * h + h / 2);
}

int TMemo::lineIndex(int line) const
{
    const long lines = sci_->S(QsciScintillaBase::SCI_GETLINECOUNT);
    if (!wrap()) {
        const long doc = std::clamp<long>(line, 0, lines - 1);
        return int(sci_->S(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, doc, kUtf16));
    }
    const long doc = std::clamp<long>(sci_->S(QsciScintillaBase::SCI_DOCLINEFROMVISIBLE, std::max(line, 0)), 0,
                                      lines - 1);
    const long first = sci_->S(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, doc);
    const long next = sci_->S(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, doc + 1);
    if (line <= first || next - first <= 1)
        return int(sci_->S(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, doc, kUtf16));
    return offsetOfBytePos(startOfScreenLine(std::min<long>(line, next - 1)));
}

void TMemo::screenLines(int line, int &firstDisplayLine, std::vector<int> &starts) const
{
    starts.assign(1, 0);
    const long lines = sci_->S(QsciScintillaBase::SCI_GETLINECOUNT);
    if (line < 0 || line >= lines) {
        firstDisplayLine = lineCount();
        return;
    }
    if (!wrap()) {
        firstDisplayLine = line;
        return;
    }
    const long first = sci_->S(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, line);
    const long next = sci_->S(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, line + 1);
    firstDisplayLine = int(first);
    if (next - first <= 1)
        return;
    const int lineStart = int(sci_->S(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, line, kUtf16));
    for (long k = first + 1; k < next; ++k)
        starts.push_back(offsetOfBytePos(startOfScreenLine(k)) - lineStart);
}

int TMemo::firstVisibleLine() const
{
    return int(sci_->S(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE));
}

void TMemo::setFirstVisibleLine(int line)
{
    sci_->S(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, std::max(0, line));
}

int TMemo::firstLineTop() const
{
    // The first visible line is always drawn whole at the top.
    return 0;
}

int TMemo::lineHeight() const
{
    return int(sci_->S(QsciScintillaBase::SCI_TEXTHEIGHT, 0));
}

int TMemo::lineCount() const
{
    const long lines = sci_->S(QsciScintillaBase::SCI_GETLINECOUNT);
    long n = wrap() ? sci_->S(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, lines) : lines;
    if (lines > 1 && sci_->S(QsciScintillaBase::SCI_POSITIONFROMLINE, lines - 1) ==
                         sci_->S(QsciScintillaBase::SCI_GETLENGTH))
        --n;
    return int(std::max(n, 1L));
}
