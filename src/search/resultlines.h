#pragma once
// The lines of the Search Results list. A search that lists a line of every
// document adds hundreds of thousands of them, so each document's lines are
// kept together: the line texts in one buffer and per line its two numbers;
// the full text of a line is put together when it is shown.
#include <QAbstractListModel>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace search {

// One line of the results list:
// fileName + ":pos " + lineOffset + ":line " + lineNumber + "..." + lineText.
QString resultLine(QStringView fileName, int lineOffset, int lineNumber, QStringView lineText);

// The lines found in one document.
class ResultLines {
public:
    explicit ResultLines(const QString &fileName = QString()) : fileName_(fileName) {}

    const QString &fileName() const { return fileName_; }
    qsizetype size() const { return qsizetype(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }
    QString at(qsizetype i) const;
    QStringList toStringList() const;

    void append(int lineOffset, int lineNumber, QStringView lineText);
    // A line of its own text that points nowhere ("No problems found.").
    void appendNote(QStringView text);
    // Room for `lines` more lines holding `chars` characters in all.
    void reserve(qsizetype lines, qsizetype chars);

private:
    struct Entry {
        int offset;
        int line;         // -1 for a note
        qsizetype end; // where the line's text ends in texts_
    };
    QString fileName_;
    QString texts_;
    std::vector<Entry> entries_;
};

// The list as the results window shows it: one row per line, its text as
// the display role.
class ResultListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    QString line(int row) const;
    void append(ResultLines &&lines);
    void clear();

private:
    std::vector<ResultLines> parts_;
    std::vector<int> firstRows_; // the row of each part's first line
    int rows_ = 0;
};

} // namespace search
