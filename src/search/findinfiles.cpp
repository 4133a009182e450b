#include "search/findinfiles.h"

#include "search/findtext.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

namespace search {

namespace {

// Walks the CR LF lines of a text in either direction, remembering the line
// it stands on. A line covers its characters and its line break, so
// [start, lf] where lf is the index of the LF ending it (or the text's end).
class LineWalker {
public:
    explicit LineWalker(QStringView text) : text_(text) { lineEnd_ = findLf(0); }

    int lineOf(int offset)
    {
        if (offset < 0)
            offset = 0;
        if (offset > lineEnd_ && lineEnd_ < text_.size()) {
            // Past the LF ending this line: count the LFs up to the offset at
            // once rather than walking them line by line.
            qsizetype lastLf = lineEnd_;
            line_ += 1 + int(countLineFeeds(text_, lineEnd_ + 1, offset, lastLf));
            lineStart_ = int(lastLf + 1);
            lineEnd_ = findLf(std::min(offset, int(text_.size())));
        }
        while (offset < lineStart_) {
            lineEnd_ = lineStart_ - 1;
            const qsizetype prev = lineEnd_ > 0 ? text_.lastIndexOf(u'\n', lineEnd_ - 1) : -1;
            lineStart_ = int(prev + 1);
            --line_;
        }
        return line_;
    }

    int lineStart() const { return lineStart_; }
    // Where the line's own characters end: before its CR LF (or lone LF).
    int contentEnd() const
    {
        if (lineEnd_ >= text_.size())
            return int(text_.size());
        return lineEnd_ > lineStart_ && text_[lineEnd_ - 1] == u'\r' ? lineEnd_ - 1 : lineEnd_;
    }
    // Where the next line starts (the text's size after the last line).
    int nextLineStart() const { return lineEnd_ >= text_.size() ? int(text_.size()) : lineEnd_ + 1; }

private:
    int findLf(int from) const
    {
        const qsizetype lf = text_.indexOf(u'\n', from);
        return lf < 0 ? int(text_.size()) : int(lf);
    }

    QStringView text_;
    int line_ = 0;
    int lineStart_ = 0;
    int lineEnd_ = 0;
};

// The first offset in [from, to) whose display line is above `line`, or `to`.
int firstOffsetAfterLine(const DisplayLineOf &displayLineOf, int line, int from, int to)
{
    while (from < to) {
        const int mid = from + (to - from) / 2;
        if (displayLineOf(mid) > line)
            to = mid;
        else
            from = mid + 1;
    }
    return from;
}

// The first offset in [from, to] whose display line is `line` or more.
int firstOffsetOfLine(const DisplayLineOf &displayLineOf, int line, int from, int to)
{
    while (from < to) {
        const int mid = from + (to - from) / 2;
        if (displayLineOf(mid) >= line)
            to = mid;
        else
            from = mid + 1;
    }
    return from;
}

} // namespace

DisplayLineOf crlfLineOf(const QString &text)
{
    auto walker = std::make_shared<LineWalker>(QStringView(text));
    return [walker](int offset) { return walker->lineOf(offset); };
}

QString fileNamePart(const QString &title)
{
    return title.mid(title.lastIndexOf(QLatin1Char('/')) + 1);
}

QStringList findLinesInDocument(const QString &searchText, const QString &fileName, bool matchCase,
                                bool wholeWord, const QString &text, const DisplayLineOf &displayLineOf)
{
    ResultLines results(fileName);
    appendLinesInDocument(results, searchText, matchCase, wholeWord, text, displayLineOf);
    return results.toStringList();
}

void appendLinesInDocument(ResultLines &results, const QString &searchText, bool matchCase, bool wholeWord,
                           const QString &text, const DisplayLineOf &displayLineOf)
{
    const FindOptions options{matchCase, wholeWord};
    const QString pattern = preparePattern(searchText, options);
    // A hit holding an LF never lies inside one line.
    if (pattern.isEmpty() || pattern.contains(QLatin1Char('\n')))
        return;
    const PatternFinder finder(pattern, matchCase);
    const QStringView view(text);

    if (!displayLineOf) {
        const std::vector<PatternFinder::LineWithHit> lines = finder.linesWithHits(view);
        qsizetype chars = 0;
        for (const PatternFinder::LineWithHit &l : lines)
            chars += l.contentEnd - l.start;
        results.reserve(qsizetype(lines.size()), chars);
        for (const PatternFinder::LineWithHit &l : lines)
            results.append(l.start, l.line, view.mid(l.start, l.contentEnd - l.start));
        return;
    }

    // Wrapped lines: look for the pattern in the whole text and work out the
    // CR LF line of each hit, then its display line, which must hold the
    // whole hit. After a display line has been listed the search goes on
    // after it.
    const int patternLength = finder.size();
    const int size = int(view.size());
    int line = 0;      // the CR LF line that holds offset `counted`
    int lineStart = 0; // where that line starts
    int counted = 0;
    int from = 0;
    for (;;) {
        const int hit = finder.find(view, from);
        if (hit < 0)
            break;
        qsizetype lastLf = -1;
        const qsizetype lineFeeds = countLineFeeds(view, counted, hit, lastLf);
        if (lineFeeds > 0) {
            line += int(lineFeeds);
            lineStart = int(lastLf + 1);
        }
        counted = hit;
        const int hitEnd = hit + patternLength;
        const qsizetype lf = view.indexOf(u'\n', hitEnd); // none inside the hit
        const int lineEnd = lf < 0 ? size : int(lf);
        const int contentEnd =
            lf >= 0 && lineEnd > lineStart && view[lineEnd - 1] == u'\r' ? lineEnd - 1 : lineEnd;
        const int nextLineStart = lf < 0 ? size : lineEnd + 1;
        if (hitEnd > contentEnd) { // runs into the line break
            from = hit + 1;
            continue;
        }
        const int displayLine = displayLineOf(hit);
        if (displayLineOf(hitEnd - 1) != displayLine) {
            from = hit + 1;
            continue;
        }
        const int start = firstOffsetOfLine(displayLineOf, displayLine, lineStart, hit);
        const int end = firstOffsetAfterLine(displayLineOf, displayLine, hitEnd, contentEnd);
        results.append(start, displayLine, view.mid(start, end - start));
        from = end < contentEnd ? end : nextLineStart;
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

} // namespace search
