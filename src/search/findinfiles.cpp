#include "search/findinfiles.h"

#include "search/findtext.h"
#include "search/matcher.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace search {

QString fileNamePart(const QString &title)
{
    return title.mid(title.lastIndexOf(QLatin1Char('/')) + 1);
}

QStringList findLinesInDocument(const QString &searchText, const QString &fileName, bool matchCase,
                                bool wholeWord, const QString &text, const WrapOf &wrapOf)
{
    ResultLines results(fileName);
    appendLinesInDocument(results, searchText, matchCase, wholeWord, text, wrapOf);
    return results.toStringList();
}

void appendLinesInDocument(ResultLines &results, const QString &searchText, bool matchCase, bool wholeWord,
                           const QString &text, const WrapOf &wrapOf)
{
    const FindOptions options{matchCase, wholeWord};
    // An empty pattern, or one holding an LF, lists no line.
    const PatternFinder finder(preparePattern(searchText, options), matchCase);
    const QStringView view(text);
    const std::vector<PatternFinder::LineWithHit> lines = finder.linesWithHits(view);
    qsizetype chars = 0;
    for (const PatternFinder::LineWithHit &l : lines)
        chars += l.contentEnd - l.start;
    results.reserve(qsizetype(lines.size()), chars);
    if (!wrapOf) {
        for (const PatternFinder::LineWithHit &l : lines)
            results.append(l.start, l.line, view.mid(l.start, l.contentEnd - l.start));
        return;
    }
    // Only a line with a hit can have a screen line with one: each of its
    // screen lines is searched on its own.
    WrappedLine wrapped;
    for (const PatternFinder::LineWithHit &l : lines) {
        wrapped.firstDisplayLine = l.line;
        wrapped.starts.clear();
        wrapOf(l.line, wrapped);
        const int length = l.contentEnd - l.start;
        const size_t count = wrapped.starts.size();
        if (count <= 1) {
            results.append(l.start, wrapped.firstDisplayLine, view.mid(l.start, length));
            continue;
        }
        for (size_t k = 0; k < count; ++k) {
            const int from = std::clamp(wrapped.starts[k], 0, length);
            const int to = k + 1 < count ? std::clamp(wrapped.starts[k + 1], from, length) : length;
            const QStringView screenLine = view.mid(l.start + from, to - from);
            if (finder.find(screenLine, 0) >= 0)
                results.append(l.start + from, wrapped.firstDisplayLine + int(k), screenLine);
        }
    }
}

void appendMatchingLines(ResultLines &results, const Matcher &matcher, const QString &text, const WrapOf &wrapOf)
{
    std::vector<Match> matches;
    matcher.collect(text, 0, int(text.size()), matches);
    const QStringView view(text);
    // The line of each match, found by walking the line breaks once from the
    // top, as the matches come in order.
    int line = 0;
    int lineStart = 0;
    int contentEnd = -1;   // of the current line, once needed
    int listedLine = -1;   // the last line (or screen line) listed
    WrappedLine wrapped;
    for (const Match &m : matches) {
        for (;;) {
            const qsizetype lf = view.indexOf(u'\n', lineStart);
            if (lf < 0 || lf >= m.offset)
                break;
            ++line;
            lineStart = int(lf) + 1;
            contentEnd = -1;
        }
        if (contentEnd < 0) {
            const qsizetype lf = view.indexOf(u'\n', lineStart);
            contentEnd = lf < 0 ? int(view.size()) : int(lf);
            if (contentEnd > lineStart && view[contentEnd - 1] == u'\r')
                --contentEnd;
            wrapped.firstDisplayLine = line;
            wrapped.starts.assign(1, 0);
            if (wrapOf) {
                wrapped.starts.clear();
                wrapOf(line, wrapped);
            }
        }
        const int length = contentEnd - lineStart;
        // The screen line the match starts on.
        size_t k = 0;
        while (k + 1 < wrapped.starts.size() && wrapped.starts[k + 1] <= m.offset - lineStart)
            ++k;
        const int shown = wrapped.firstDisplayLine + int(k);
        if (shown == listedLine)
            continue;
        listedLine = shown;
        const int from = std::clamp(wrapped.starts.empty() ? 0 : wrapped.starts[k], 0, length);
        const int to = k + 1 < wrapped.starts.size() ? std::clamp(wrapped.starts[k + 1], from, length) : length;
        results.append(lineStart + from, shown, view.mid(lineStart + from, to - from));
    }
}

ResultTarget parseResultLine(const QString &line)
{
    ResultTarget target;
    static const QRegularExpression shape(QStringLiteral(":pos (\\d+):line \\d+\\.\\.\\."));
    const QRegularExpressionMatch m = shape.match(line);
    QString digits;
    if (m.hasMatch()) {
        target.fileName = line.left(m.capturedStart());
        digits = m.captured(1);
    } else {
        const qsizetype firstColon = line.indexOf(QLatin1Char(':'));
        if (firstColon < 0)
            return target;
        target.fileName = line.left(firstColon);
        qsizetype secondColon = line.indexOf(QLatin1Char(':'), firstColon + 1);
        if (secondColon < 0)
            secondColon = line.size();
        qsizetype i = firstColon + 1;
        while (i < secondColon && !(line[i] >= u'0' && line[i] <= u'9'))
            ++i;
        while (i < secondColon && line[i] >= u'0' && line[i] <= u'9')
            digits.append(line[i++]);
    }
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    if (!ok || value > std::numeric_limits<int>::max())
        return target;
    target.offset = int(value);
    target.valid = true;
    return target;
}

int jumpTargetIndex(const QStringList &documentTitles, const QString &fileName)
{
    for (qsizetype i = documentTitles.size() - 1; i >= 0; --i) {
        if (fileNamePart(documentTitles[i]) == fileName)
            return int(i);
    }
    return -1;
}

int firstLineClearOf(int target, int first, const CoveredView &view)
{
    const int lh = std::max(view.lineHeight, 1);
    const int rows = std::max(view.viewHeight / lh, 1);   // whole lines in view
    // Rows touched by the band count as covered, even partly.
    const int bandTop = std::clamp(view.coveredTop, 0, view.viewHeight);
    const int bandBottom = std::clamp(view.coveredBottom, 0, view.viewHeight);
    const bool band = bandTop < bandBottom;
    const int coveredFrom = band ? bandTop / lh : rows;
    const int coveredTo = band ? std::min((bandBottom + lh - 1) / lh, rows) : rows;

    const int row = target - first;
    const bool clear = row >= 0 && row < rows && (row < coveredFrom || row >= coveredTo);
    if (clear)
        return first;
    int placed;
    if (coveredFrom > 0) {
        // Above the band: as low as it fits when coming from below, at the
        // top when coming from above.
        placed = row < 0 ? 0 : coveredFrom - 1;
    } else if (coveredTo < rows) {
        placed = row >= rows ? rows - 1 : coveredTo;
    } else {
        // Nothing is clear: only bring the line into view.
        placed = row < 0 ? 0 : (row >= rows ? rows - 1 : row);
    }
    return std::max(target - placed, 0);
}

} // namespace search
