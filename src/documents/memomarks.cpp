// The marks of "Highlight all" on the text area, and what the search that
// places them reads: stretches of the text, the lines around an offset, and
// the stretch edited since it last looked. All of it costs the stretch or a
// line lookup, never the whole document.
#include "documents/memo.h"
#include "documents/memoengine.h"

#include <algorithm>

namespace {

// The engine's indicator kept for the matches of a search; the numbers below
// it are the lexer's and other marks'.
constexpr int kMatchIndicator = 29;

} // namespace

void TMemo::useMatchIndicator() const
{
    using B = QsciScintillaBase;
    if (!matchIndicatorSet_) {
        matchIndicatorSet_ = true;
        // A filled box under the text, as a marker pen: the text keeps its
        // colours on light and dark backgrounds alike.
        sci_->S(B::SCI_INDICSETSTYLE, kMatchIndicator, B::INDIC_STRAIGHTBOX);
        sci_->S(B::SCI_INDICSETFORE, kMatchIndicator, 0x00C8FF);   // amber, as 0xBBGGRR
        sci_->S(B::SCI_INDICSETALPHA, kMatchIndicator, 110);
        sci_->S(B::SCI_INDICSETOUTLINEALPHA, kMatchIndicator, 200);
        sci_->S(B::SCI_INDICSETUNDER, kMatchIndicator, 1);
    }
    sci_->S(B::SCI_SETINDICATORCURRENT, kMatchIndicator);
}

void TMemo::clearMatchMarks(int from, int to)
{
    const long a = bytePosOfOffset(std::max(from, 0));
    const long b = bytePosOfOffset(std::max(to, from));
    if (b <= a)
        return;
    useMatchIndicator();
    sci_->S(QsciScintillaBase::SCI_INDICATORCLEARRANGE, a, b - a);
}

void TMemo::markMatch(int offset, int length)
{
    const long a = bytePosOfOffset(offset);
    const long b = bytePosOfOffset(offset + length);
    if (b <= a)
        return;
    useMatchIndicator();
    sci_->S(QsciScintillaBase::SCI_INDICATORFILLRANGE, a, b - a);
}

bool TMemo::matchMarkedAt(int offset) const
{
    return sci_->S(QsciScintillaBase::SCI_INDICATORVALUEAT, kMatchIndicator, bytePosOfOffset(offset)) != 0;
}

int TMemo::textStretch(int from, int to, QString &out) const
{
    const long a = bytePosOfOffset(std::max(from, 0));
    const long b = std::max(a, bytePosOfOffset(to));
    const auto *bytes = reinterpret_cast<const char *>(sci_->S(QsciScintillaBase::SCI_GETRANGEPOINTER, a, b - a));
    out = bytes ? QString::fromUtf8(bytes, b - a) : QString();
    return offsetOfBytePos(a);
}

int TMemo::textLineStart(int offset) const
{
    const long line = sci_->S(QsciScintillaBase::SCI_LINEFROMPOSITION, bytePosOfOffset(offset));
    return int(sci_->S(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, line, kUtf16));
}

int TMemo::textLineEnd(int offset) const
{
    const long line = sci_->S(QsciScintillaBase::SCI_LINEFROMPOSITION, bytePosOfOffset(offset));
    if (line + 1 >= sci_->S(QsciScintillaBase::SCI_GETLINECOUNT))
        return textLength();
    return int(sci_->S(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, line + 1, kUtf16));
}

void TMemo::noteEdit(long pos, bool inserting, long length)
{
    // One stretch that covers every edit, kept in the positions of the text
    // as it will be after this edit.
    if (inserting) {
        if (editedFrom_ < 0) {
            editedFrom_ = pos;
            editedTo_ = pos + length;
            return;
        }
        editedFrom_ = std::min(editedFrom_, pos);
        editedTo_ = std::max(editedTo_ >= pos ? editedTo_ + length : editedTo_, pos + length);
        return;
    }
    // Positions inside the deleted run close up on its start.
    auto after = [pos, length](long p) { return p <= pos ? p : p < pos + length ? pos : p - length; };
    if (editedFrom_ < 0) {
        editedFrom_ = editedTo_ = pos;
        return;
    }
    editedFrom_ = std::min(after(editedFrom_), pos);
    editedTo_ = std::max(after(editedTo_), pos);
}

bool TMemo::takeEditedStretch(int &from, int &to)
{
    if (editedFrom_ < 0)
        return false;
    const long length = sci_->S(QsciScintillaBase::SCI_GETLENGTH);
    from = offsetOfBytePos(std::clamp(editedFrom_, 0L, length));
    to = offsetOfBytePos(std::clamp(editedTo_, 0L, length));
    editedFrom_ = editedTo_ = -1;
    return true;
}
