#include "spike/spikeclips.h"

#include <algorithm>

namespace spike {

namespace {

bool isBreak(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::ParagraphSeparator
        || c == QChar::LineSeparator;
}

QList<int> sortedUniqueRows(QList<int> rows, qsizetype count)
{
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [count](int r) { return r < 0 || r >= count; }),
               rows.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace

QStringList splitIntoClips(const QString &selectionText)
{
    QStringList clips;
    const qsizetype n = selectionText.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = selectionText.at(i);
        if (!isBreak(c)) {
            ++i;
            continue;
        }
        clips << selectionText.mid(start, i - start);
        // CR LF is one break, not two.
        if (c == QLatin1Char('\r') && i + 1 < n && selectionText.at(i + 1) == QLatin1Char('\n'))
            ++i;
        ++i;
        start = i;
    }
    if (start < n)
        clips << selectionText.mid(start);
    return clips;
}

QString insertText(const QStringList &clips, const QList<int> &selectedRows)
{
    QString text;
    for (int row : sortedUniqueRows(selectedRows, clips.size()))
        text += clips.at(row) + QStringLiteral("\r\n");
    return text;
}

QStringList withoutRows(const QStringList &clips, const QList<int> &rows)
{
    const QList<int> gone = sortedUniqueRows(rows, clips.size());
    QStringList kept;
    kept.reserve(clips.size() - gone.size());
    auto next = gone.cbegin();
    for (int i = 0; i < clips.size(); ++i) {
        if (next != gone.cend() && *next == i) {
            ++next;
            continue;
        }
        kept << clips.at(i);
    }
    return kept;
}

QStringList clipsFromStoredLines(const QStringList &lines)
{
    QStringList clips;
    for (const QString &line : lines) {
        if (!line.isEmpty())
            clips << line;
    }
    return clips;
}

ButtonState buttonsFor(int selectedCount)
{
    const bool any = selectedCount > 0;
    return {any, any};
}

} // namespace spike
