#include "documents/textruns.h"

namespace textruns {

namespace {

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

bool isSpace(Kind k)
{
    return k == Kind::Blank || k == Kind::Break;
}

} // namespace

Kind kindOf(unsigned char c)
{
    if (c == ' ' || c == '\t')
        return Kind::Blank;
    if (c == '\r' || c == '\n')
        return Kind::Break;
    if (c >= '0' && c <= '9')
        return Kind::Digit;
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80)
        return Kind::Word;
    return Kind::Mark;
}

Cut cutFor(long lineBytes, bool breaksAtRuns)
{
    if (!breaksAtRuns)
        return Cut::Fine;
    return lineBytes > kLongLine ? Cut::Long : Cut::Words;
}

bool Cutter::cuts(unsigned char c)
{
    const Kind k = kindOf(c);
    bool cut;
    if (isContinuation(c))
        cut = false;
    else if (isSpace(k))
        cut = length_ >= kLongestKept;
    else if (isSpace(previous_))
        cut = true;
    // Room is left for the longest UTF-8 character.
    else if (length_ > kLongestKept - 4)
        cut = true;
    else if (k != previous_)
        cut = cut_ == Cut::Fine || (cut_ == Cut::Long && length_ >= kShortestLongRun);
    else
        cut = k == Kind::Digit && cut_ == Cut::Fine;
    if (cut)
        length_ = 0;
    ++length_;
    if (!isContinuation(c))
        previous_ = k;
    return cut;
}

long restartPoint(const char *text, long pos, long floor, Cut cut)
{
    const long lowest = pos - kLookBack > floor ? pos - kLookBack : floor;
    for (long q = pos; q >= lowest; --q) {
        const auto c = static_cast<unsigned char>(text[q]);
        const Kind k = kindOf(c);
        if (isContinuation(c) || isSpace(k))
            continue;
        if (q == 0)
            return q;
        const Kind before = kindOf(static_cast<unsigned char>(text[q - 1]));
        if (isSpace(before) || (cut == Cut::Fine && (before != k || k == Kind::Digit)))
            return q;
    }
    return pos;
}

} // namespace textruns
