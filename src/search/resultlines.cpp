#include "search/resultlines.h"

#include <algorithm>
#include <limits>

namespace search {

QString resultLine(QStringView fileName, int lineOffset, int lineNumber, QStringView lineText)
{
    QString line = fileName.toString();
    line.reserve(fileName.size() + 40 + lineText.size());
    line += QStringLiteral(":pos ") + QString::number(lineOffset) + QStringLiteral(":line ")
            + QString::number(lineNumber) + QStringLiteral("...");
    line += lineText;
    return line;
}

QString ResultLines::at(qsizetype i) const
{
    const Entry &e = entries_[size_t(i)];
    const qsizetype start = i > 0 ? entries_[size_t(i - 1)].end : 0;
    if (e.line < 0)
        return texts_.mid(start, e.end - start);
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

void ResultLines::appendNote(QStringView text)
{
    texts_.append(text);
    entries_.push_back({0, -1, texts_.size()});
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
