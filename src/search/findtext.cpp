#include "search/findtext.h"

#include <algorithm>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace search {

QString replacementsMadeMessage(int count)
{
    return QString::number(count) + QStringLiteral(" replacements made.");
}

QString foldAsciiUpper(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        dst[i] = QChar(c >= u'a' && c <= u'z' ? char16_t(c - 32) : c);
    }
    return out;
}

QString preparePattern(const QString &findText, const FindOptions &options)
{
    QString pattern = options.wholeWord ? QLatin1Char(' ') + findText + QLatin1Char(' ') : findText;
    return options.matchCase ? pattern : foldAsciiUpper(pattern);
}

int SearchFrom(int start, QStringView pattern, QStringView text)
{
    if (pattern.isEmpty() || start > text.size() - 1)
        return -1;
    if (start < 0)
        start = 0;
    return int(text.indexOf(pattern, start, Qt::CaseSensitive));
}

PatternFinder::PatternFinder(QStringView pattern, bool matchCase)
{
    value_.reserve(size_t(pattern.size()));
    mask_.reserve(size_t(pattern.size()));
    for (const QChar ch : pattern) {
        const char16_t c = ch.unicode();
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        if (!matchCase && letter) {
            value_.push_back(char16_t(c | 0x20));
            mask_.push_back(0x20);
        } else {
            value_.push_back(c);
            mask_.push_back(0);
        }
    }
    const int n = int(value_.size());
    probeA_ = 0;
    while (probeA_ < n && value_[size_t(probeA_)] == u' ')
        ++probeA_;
    if (probeA_ == n)
        probeA_ = 0;
    probeB_ = n - 1;
    while (probeB_ > probeA_ && value_[size_t(probeB_)] == u' ')
        --probeB_;
    if (probeB_ < 0)
        probeB_ = 0;
}

bool PatternFinder::matchesAt(const char16_t *at) const
{
    const char16_t *value = value_.data();
    const char16_t *mask = mask_.data();
    for (size_t k = 0, n = value_.size(); k < n; ++k) {
        if (char16_t(at[k] | mask[k]) != value[k])
            return false;
    }
    return true;
}

int PatternFinder::find(QStringView text, int start) const
{
    const qsizetype n = text.size();
    const qsizetype m = qsizetype(value_.size());
    if (m == 0 || start > n - 1)
        return -1;
    if (start < 0)
        start = 0;
    const qsizetype lastStart = n - m; // the last offset a hit can start at
    const char16_t *t = text.utf16();
    qsizetype p = start;
#ifdef __SSE2__
    const size_t a = size_t(probeA_);
    const size_t b = size_t(probeB_);
    const __m128i valueA = _mm_set1_epi16(short(value_[a]));
    const __m128i maskA = _mm_set1_epi16(short(mask_[a]));
    const __m128i valueB = _mm_set1_epi16(short(value_[b]));
    const __m128i maskB = _mm_set1_epi16(short(mask_[b]));
    auto candidates = [&](qsizetype at) {
        const __m128i atA = _mm_loadu_si128(reinterpret_cast<const __m128i *>(t + at + a));
        const __m128i atB = _mm_loadu_si128(reinterpret_cast<const __m128i *>(t + at + b));
        return unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(_mm_or_si128(atA, maskA), valueA),
                                                        _mm_cmpeq_epi16(_mm_or_si128(atB, maskB), valueB))));
    };
    // Sixteen candidate offsets p..p+15 at a time, then eight, all of which
    // leave room for the whole pattern.
    for (; p + 15 <= lastStart; p += 16) {
        unsigned bits = candidates(p) | (candidates(p + 8) << 16);
        while (bits) {
            const int byte = __builtin_ctz(bits);
            if (matchesAt(t + p + byte / 2))
                return int(p + byte / 2);
            bits &= ~(3u << byte);
        }
    }
    for (; p + 7 <= lastStart; p += 8) {
        const __m128i atA = _mm_loadu_si128(reinterpret_cast<const __m128i *>(t + p + a));
        const __m128i atB = _mm_loadu_si128(reinterpret_cast<const __m128i *>(t + p + b));
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi16(_mm_or_si128(atA, maskA), valueA),
                                           _mm_cmpeq_epi16(_mm_or_si128(atB, maskB), valueB));
        unsigned bits = unsigned(_mm_movemask_epi8(both));
        while (bits) {
            const int byte = __builtin_ctz(bits);
            if (matchesAt(t + p + byte / 2))
                return int(p + byte / 2);
            bits &= ~(3u << byte);
        }
    }
#endif
    for (; p <= lastStart; ++p) {
        if (matchesAt(t + p))
            return int(p);
    }
    return -1;
}

qsizetype countLineFeeds(QStringView text, qsizetype from, qsizetype to, qsizetype &lastLf)
{
    from = std::max<qsizetype>(from, 0);
    to = std::min(to, text.size());
    if (from >= to)
        return 0;
    const char16_t *t = text.utf16();
    qsizetype count = 0;
    qsizetype p = from;
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi16(short(u'\n'));
    while (to - p >= 8) {
        // Each 16-bit lane counts its LFs; emptied before it can overflow.
        const qsizetype blocks = std::min<qsizetype>((to - p) / 8, 0x8000);
        __m128i lanes = _mm_setzero_si128();
        for (qsizetype i = 0; i < blocks; ++i, p += 8) {
            const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(t + p));
            lanes = _mm_sub_epi16(lanes, _mm_cmpeq_epi16(chars, lf));
        }
        alignas(16) std::uint16_t sums[8];
        _mm_store_si128(reinterpret_cast<__m128i *>(sums), lanes);
        for (const std::uint16_t sum : sums)
            count += sum;
    }
#endif
    for (; p < to; ++p)
        count += t[p] == u'\n';
    if (count == 0)
        return 0;
    // The last LF is usually near the end: look back for it.
    qsizetype q = to;
#ifdef __SSE2__
    while (q - 8 >= from) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(t + q - 8));
        const unsigned bits = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(chars, lf)));
        if (bits) {
            lastLf = q - 8 + (31 - __builtin_clz(bits)) / 2;
            return count;
        }
        q -= 8;
    }
#endif
    while (t[--q] != u'\n') {
    }
    lastLf = q;
    return count;
}

FindHit findNext(const QString &text, int selectionStart, const QString &findText,
                 const FindOptions &options)
{
    const QString pattern = preparePattern(findText, options);
    const QString haystack = options.matchCase ? text : foldAsciiUpper(text);
    FindHit hit;
    hit.offset = SearchFrom(selectionStart + 1, pattern, haystack);
    if (hit.found())
        hit.length = int(pattern.size());
    return hit;
}

ReplaceAllResult replaceAll(const QString &text, int selectionStart, const QString &findText,
                            const QString &replaceText, const FindOptions &options)
{
    const QString pattern = preparePattern(findText, options);
    const QString haystack = options.matchCase ? text : foldAsciiUpper(text);
    const int patternLength = int(pattern.size());

    // Each search after a replacement starts right after the inserted text,
    // and what follows it is still the original text. So every search can
    // run over the original text, from the end of the previous hit there,
    // and the whole run is one pass.
    ReplaceAllResult result;
    result.text.reserve(text.size());
    int copiedUpTo = 0; // original text before this is already in result.text
    int hit = SearchFrom(selectionStart + 1, pattern, haystack);
    while (hit >= 0) {
        result.text.append(QStringView(text).mid(copiedUpTo, hit - copiedUpTo));
        result.replacements.append({int(result.text.size()), patternLength});
        result.text.append(replaceText);
        ++result.count;
        copiedUpTo = hit + patternLength;
        hit = SearchFrom(copiedUpTo, pattern, haystack);
    }
    result.text.append(QStringView(text).mid(copiedUpTo));
    return result;
}

} // namespace search
