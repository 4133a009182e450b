#include "search/resultlines.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace search {

namespace {

// Writes value in decimal so that it ends just before `end`; returns where
// it starts.
char16_t *writeDecimalBefore(char16_t *end, int value)
{
    long long v = value;
    const bool negative = v < 0;
    if (negative)
        v = -v;
    do {
        *--end = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v);
    if (negative)
        *--end = u'-';
    return end;
}

char16_t *put(char16_t *out, QStringView text)
{
    std::memcpy(out, text.utf16(), size_t(text.size()) * sizeof(char16_t));
    return out + text.size();
}

} // namespace

// One allocation per line and no other work than copying.
QString resultLine(QStringView fileName, int lineOffset, int lineNumber, QStringView lineText)
{
    char16_t offsetBuffer[12];
    char16_t numberBuffer[12];
    char16_t *const offsetEnd = offsetBuffer + 12;
    char16_t *const numberEnd = numberBuffer + 12;
    const QStringView offsetDigits(writeDecimalBefore(offsetEnd, lineOffset), offsetEnd);
    const QStringView numberDigits(writeDecimalBefore(numberEnd, lineNumber), numberEnd);
    QString line(fileName.size() + 5 + offsetDigits.size() + 6 + numberDigits.size() + 3 + lineText.size(),
                 Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(line.data());
    out = put(out, fileName);
    out = put(out, u":pos ");
    out = put(out, offsetDigits);
    out = put(out, u":line ");
    out = put(out, numberDigits);
    out = put(out, u"...");
    put(out, lineText);
    return line;
}

QString ResultLines::at(qsizetype i) const
{
    const Entry &e = entries_[size_t(i)];
    const qsizetype start = i > 0 ? entries_[size_t(i - 1)].end : 0;
    return resultLine(fileName_, e.offset, e.line, QStringView(texts_).mid(start, e.end - start));
}

QStringList ResultLines::toStringList() const
{
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        out.append(at(i));
    return out;
}

void ResultLines::reserve(qsizetype lines, qsizetype chars)
{
    entries_.reserve(entries_.size() + size_t(lines));
    const qsizetype needed = texts_.size() + chars;
    if (needed > texts_.capacity())
        texts_.reserve(std::max(needed, texts_.capacity() + texts_.capacity() / 2));
}

void ResultLines::append(int lineOffset, int lineNumber, QStringView lineText)
{
    texts_.append(lineText);
    entries_.push_back({lineOffset, lineNumber, texts_.size()});
}

int ResultListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

QString ResultListModel::line(int row) const
{
    if (row < 0 || row >= rows_)
        return {};
    const size_t part = size_t(std::upper_bound(firstRows_.begin(), firstRows_.end(), row) - firstRows_.begin()) - 1;
    return parts_[part].at(row - firstRows_[part]);
}

QVariant ResultListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_ || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return line(index.row());
}

void ResultListModel::append(ResultLines &&lines)
{
    if (lines.isEmpty())
        return;
    // A list view counts rows in int; lines beyond that could not be shown.
    const qsizetype room = qsizetype(std::numeric_limits<int>::max()) - rows_;
    if (lines.size() > room)
        return;
    beginInsertRows(QModelIndex(), rows_, rows_ + int(lines.size()) - 1);
    firstRows_.push_back(rows_);
    rows_ += int(lines.size());
    parts_.push_back(std::move(lines));
    endInsertRows();
}

void ResultListModel::clear()
{
    beginResetModel();
    parts_.clear();
    firstRows_.clear();
    rows_ = 0;
    endResetModel();
}

} // namespace search
