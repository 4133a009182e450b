// Holds the vector widths of the line search to the one-character-at-a-time
// search on arbitrary texts and patterns, and the finder to the plain search
// over upper-cased copies. Any disagreement aborts.
#include "search/findtext.h"
#include "search/linescan.h"

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Few distinct characters, so that patterns are found often and line breaks
// fall everywhere.
constexpr char16_t Alphabet[] = u"aAbBxx \r\n\u00e9\u00c9zZ<>";

QString decode(const uint8_t *data, size_t size)
{
    QString out;
    out.reserve(qsizetype(size));
    for (size_t i = 0; i < size; ++i)
        out.append(QChar(Alphabet[data[i] % (sizeof Alphabet / sizeof *Alphabet - 1)]));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    const bool matchCase = data[0] & 1;
    const size_t patternLength = 1 + data[1] % 40;
    if (size - 4 < patternLength)
        return 0;
    QString pattern = decode(data + 4, patternLength);
    pattern.remove(QLatin1Char('\n'));
    if (pattern.isEmpty())
        return 0;
    const QString text = decode(data + 4 + patternLength, size - 4 - patternLength);

    std::vector<char16_t> value;
    std::vector<char16_t> mask;
    for (const QChar ch : pattern) {
        const char16_t c = ch.unicode();
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        value.push_back(!matchCase && letter ? char16_t(c | 0x20) : c);
        mask.push_back(!matchCase && letter ? 0x20 : 0);
    }
    const search::linescan::Pattern p{value.data(), mask.data(), qsizetype(value.size()),
                                      size_t(data[2]) % value.size(), size_t(data[3]) % value.size()};
    const auto expected = search::linescan::linesWithHitsScalar(p, text);
    if (search::linescan::linesWithHitsBaseline(p, text) != expected
        || search::linescan::linesWithHits(p, text) != expected)
        std::abort();

    const search::PatternFinder finder(pattern, matchCase);
    const QString foldedPattern = matchCase ? pattern : search::foldAsciiUpper(pattern);
    const QString foldedText = matchCase ? text : search::foldAsciiUpper(text);
    for (int start = 0; start <= text.size(); start += 1 + start / 4) {
        if (finder.find(text, start) != search::SearchFrom(start, foldedPattern, foldedText))
            std::abort();
    }
    return 0;
}
