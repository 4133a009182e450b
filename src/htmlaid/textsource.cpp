#include "htmlaid/textsource.h"

#include <algorithm>
#include <cctype>

namespace htmlaid {

namespace {
// Pieces of 4096 characters, read around the offset asked for so that a
// scan in either direction finds its next characters in the same piece.
constexpr int kChunk = 4096;
} // namespace

void TextSource::load(int offset) const
{
    const int len = length();
    if (offset < 0 || offset >= len) {
        chunk_.clear();
        chunkStart_ = 0;
        return;
    }
    const int from = std::max(0, offset - kChunk / 2);
    const int to = std::min(len, from + kChunk);
    chunk_ = fetch(from, to);
    chunkStart_ = from;
}

QString TextSource::mid(int from, int to) const
{
    from = std::max(0, from);
    to = std::min(length(), to);
    return to > from ? fetch(from, to) : QString();
}

bool TextSource::startsWithAt(int offset, QLatin1StringView word) const
{
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = at(offset + int(i));
        const char w = word.data()[i];
        const char16_t lower = c.unicode() < 128 ? char16_t(std::tolower(c.unicode())) : c.unicode();
        if (lower != char16_t(std::tolower(static_cast<unsigned char>(w))))
            return false;
    }
    return true;
}

} // namespace htmlaid
