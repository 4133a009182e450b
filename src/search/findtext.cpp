#include "search/findtext.h"

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
