#include "search/findinfiles.h"

#include "search/findtext.h"

#include <QRegularExpression>
#include <cstdio>
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
        while (offset > lineEnd_ && lineEnd_ < text_.size()) {
            lineStart_ = lineEnd_ + 1;
            lineEnd_ = findLf(lineStart_);
            ++line_;
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

// One allocation per result: a search that lists a line of every document
// builds many of them.
QString buildResultLine(QStringView fileName, int lineOffset, int lineNumber, QStringView lineText)
{
    char digits[2][12];
    const int offsetLength = std::snprintf(digits[0], sizeof digits[0], "%d", lineOffset);
    const int numberLength = std::snprintf(digits[1], sizeof digits[1], "%d", lineNumber);
    QString line;
    line.reserve(fileName.size() + 5 + offsetLength + 6 + numberLength + 3 + lineText.size());
    line.append(fileName);
    line.append(QLatin1String(":pos "));
    line.append(QLatin1String(digits[0], offsetLength));
    line.append(QLatin1String(":line "));
    line.append(QLatin1String(digits[1], numberLength));
    line.append(QLatin1String("..."));
    line.append(lineText);
    return line;
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

QString resultLine(const QString &fileName, int lineOffset, int lineNumber, const QString &lineText)
{
    return buildResultLine(fileName, lineOffset, lineNumber, lineText);
}

QStringList findLinesInDocument(const QString &searchText, const QString &fileName, bool matchCase,
                                bool wholeWord, const QString &text, const DisplayLineOf &displayLineOf)
{
    QStringList results;
    const FindOptions options{matchCase, wholeWord};
    const QString pattern = preparePattern(searchText, options);
    if (pattern.isEmpty())
        return results;
    const QString haystack = matchCase ? text : foldAsciiUpper(text);
    const int patternLength = int(pattern.size());

    // Rather than testing every line, look for the pattern in the whole text
    // and then work out the line of each hit; a hit counts only when it lies
    // inside one line, as a line-by-line test would see it. After a line has
    // been listed the search goes on at the next line.
    LineWalker lines(text);
    int from = 0;
    for (;;) {
        const int hit = SearchFrom(from, pattern, haystack);
        if (hit < 0)
            break;
        const int hitEnd = hit + patternLength;
        const int logicalLine = lines.lineOf(hit);
        const int contentEnd = lines.contentEnd();
        if (hitEnd > contentEnd) { // runs into the line break
            from = hit + 1;
            continue;
        }
        if (!displayLineOf) {
            results.append(buildResultLine(fileName, lines.lineStart(), logicalLine,
                                           QStringView(text).mid(lines.lineStart(),
                                                                 contentEnd - lines.lineStart())));
            from = lines.nextLineStart();
            continue;
        }
        // Wrapped lines: the display line must hold the whole hit.
        const int displayLine = displayLineOf(hit);
        if (displayLineOf(hitEnd - 1) != displayLine) {
            from = hit + 1;
            continue;
        }
        const int start = firstOffsetOfLine(displayLineOf, displayLine, lines.lineStart(), hit);
        const int end = firstOffsetAfterLine(displayLineOf, displayLine, hitEnd, contentEnd);
        results.append(buildResultLine(fileName, start, displayLine, QStringView(text).mid(start, end - start)));
        from = end < contentEnd ? end : lines.nextLineStart();
    }
    return results;
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
