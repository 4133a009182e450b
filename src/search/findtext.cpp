#include "search/findtext.h"

#include "search/linescan.h"
#include "search/matcher.h"

#include <algorithm>
#include <cstdint>

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

namespace {

// How common a character is in HTML and English text, roughly in letters per
// thousand; letters of either case rank alike. Characters beyond ASCII are
// taken as rare.
int commonness(char16_t c)
{
    static constexpr unsigned char LetterRanks[26] = {
        65, 12, 23, 35, 100, 18, 16, 50, 58, 1, 6, 33, 20, 57, 62, 15, 1, 50, 53, 75, 23, 8, 19, 1, 16, 1};
    if (c >= u'a' && c <= u'z')
        return LetterRanks[c - u'a'];
    if (c >= u'A' && c <= u'Z')
        return LetterRanks[c - u'A'];
    switch (c) {
    case u' ':
        return 180;
    case u'<':
    case u'>':
    case u'\r':
        return 15;
    case u'"':
        return 10;
    case u'/':
    case u'=':
    case u'.':
    case u',':
        return 8;
    default:
        return c >= u'0' && c <= u'9' ? 5 : c < 0x80 ? 3 : 1;
    }
}

} // namespace

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
    // The probes are the two characters least likely to occur in page text,
    // so that few offsets pass them without being a hit.
    const int n = int(value_.size());
    for (int k = 1; k < n; ++k) {
        const int rank = commonness(value_[size_t(k)]);
        if (rank < commonness(value_[size_t(probeA_)])) {
            probeB_ = probeA_;
            probeA_ = k;
        } else if (probeB_ == probeA_ || rank < commonness(value_[size_t(probeB_)])) {
            probeB_ = k;
        }
    }
}

linescan::Pattern PatternFinder::pattern() const
{
    return {value_.data(), mask_.data(), qsizetype(value_.size()), size_t(probeA_), size_t(probeB_)};
}

int PatternFinder::find(QStringView text, int start) const
{
    if (value_.empty() || start > text.size() - 1)
        return -1;
    return int(linescan::find(pattern(), text, start));
}

std::vector<PatternFinder::LineWithHit> PatternFinder::linesWithHits(QStringView text) const
{
    // A hit holding an LF never lies inside one line.
    if (value_.empty() || std::find(value_.begin(), value_.end(), u'\n') != value_.end())
        return {};
    return linescan::linesWithHits(pattern(), text);
}

FindHit findNext(const QString &text, int selectionStart, const QString &findText,
                 const FindOptions &options)
{
    return findNext(text, selectionStart, Matcher(findText, options), options.wrapAround);
}

ReplaceAllResult replaceAll(const QString &text, int selectionStart, const QString &findText,
                            const QString &replaceText, const FindOptions &options)
{
    if (options.regularExpression)
        return replaceAllMatches(text, selectionStart, Matcher(findText, options), replaceText,
                                 options.wrapAround);
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
    int hit = SearchFrom(options.wrapAround ? 0 : selectionStart + 1, pattern, haystack);
    while (hit >= 0) {
        result.text.append(QStringView(text).mid(copiedUpTo, hit - copiedUpTo));
        result.replacements.append({int(result.text.size()), patternLength, replaceText});
        result.text.append(replaceText);
        ++result.count;
        copiedUpTo = hit + patternLength;
        hit = SearchFrom(copiedUpTo, pattern, haystack);
    }
    result.text.append(QStringView(text).mid(copiedUpTo));
    return result;
}

} // namespace search
