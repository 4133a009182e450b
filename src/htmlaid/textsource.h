#pragma once
// Characters of a document read piece by piece, so that the scans of the
// writing aids look only at the text near the caret and never build the
// whole text. Offsets are the program's: UTF-16 characters, a line break
// counting as its CR and LF.
#include <QString>

namespace htmlaid {

class TextSource {
public:
    virtual ~TextSource() = default;
    virtual int length() const = 0;
    // The character at offset; '\0' outside the text.
    QChar at(int offset) const
    {
        if (offset < chunkStart_ || offset >= chunkStart_ + int(chunk_.size()))
            load(offset);
        const int i = offset - chunkStart_;
        return i >= 0 && i < int(chunk_.size()) ? chunk_[i] : QChar();
    }
    // Text of [from, to), clipped to the text.
    QString mid(int from, int to) const;
    // Whether the text at offset starts with `word`, ASCII case folded.
    bool startsWithAt(int offset, QLatin1StringView word) const;

protected:
    // The text of [from, to) (already clipped to the text).
    virtual QString fetch(int from, int to) const = 0;
    // Forget what was read (after an edit).
    void forget() const { chunk_.clear(); chunkStart_ = 0; }

private:
    void load(int offset) const;
    mutable QString chunk_;
    mutable int chunkStart_ = 0;
};

// A text held in memory, for tests and whole-text callers.
class StringSource : public TextSource {
public:
    explicit StringSource(QString text) : text_(std::move(text)) {}
    int length() const override { return int(text_.size()); }

protected:
    QString fetch(int from, int to) const override { return text_.mid(from, to - from); }

private:
    QString text_;
};

} // namespace htmlaid
