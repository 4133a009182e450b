#pragma once
// Errors of the picture readers and the byte arrays that hold decoded pixels.
// Qt Core only.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <exception>

// Common base so that a loader can catch every reader failure in one place
// and show its text.
class EGifError : public std::exception {
public:
    explicit EGifError(QString message);
    const QString &message() const { return message_; }
    const char *what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// A malformed GIF stream.
class EGifException : public EGifError {
public:
    using EGifError::EGifError;
};

// Memory for an array could not be had in one block.
class ENotEnoughMemory : public EGifError {
public:
    explicit ENotEnoughMemory(qint64 requestedBytes);
};

// An array index or matrix row out of range, or a row of the wrong length.
class EIndexOutOfBounds : public EGifError {
public:
    EIndexOutOfBounds();
    using EGifError::EGifError;
};

// A list asked for an item it does not have (index is 0-based).
class EListError : public EGifError {
public:
    explicit EListError(qint64 index);
};

// A fixed-size byte array in one contiguous block, indexed from 1.
// New memory reads as zero unless the owner asks for it as it comes (when it
// writes every byte itself). Spare bytes past the end may be asked for too:
// they are not part of the array but give a writer room to work in.
class TBigByteArray {
public:
    enum class Fill { Zero, AsAllocated };
    explicit TBigByteArray(qint64 size, Fill fill = Fill::Zero, qint64 spare = 0);
    ~TBigByteArray();
    TBigByteArray(const TBigByteArray &) = delete;
    TBigByteArray &operator=(const TBigByteArray &) = delete;

    qint64 size() const { return size_; }
    uint8_t Get(qint64 index) const;           // 1-based
    void Set(qint64 index, uint8_t value);     // 1-based
    uint8_t *data() { return data_; }
    const uint8_t *data() const { return data_; }
    qint64 capacity() const { return capacity_; }   // size plus the spare bytes

private:
    void check(qint64 index) const;
    uint8_t *data_ = nullptr;
    qint64 size_ = 0;
    qint64 capacity_ = 0;
};

// rows x columns bytes in one TBigByteArray; rows are read and written
// whole and numbered from 1.
class TByteArray2D {
public:
    TByteArray2D(int rows, int columns, TBigByteArray::Fill fill = TBigByteArray::Fill::Zero,
                 qint64 spare = 0);

    int rows() const { return rows_; }
    int columns() const { return columns_; }
    QByteArray GetRow(int row) const;
    void SetRow(int row, QByteArrayView bytes);
    uint8_t Get(int row, int column) const;   // both 1-based

    // Direct access for the decoder, which writes straight into the rows.
    uint8_t *rowData(int row);                 // 1-based, checked
    const uint8_t *rowData(int row) const;
    // All rows back to back, followed by any spare bytes.
    uint8_t *data() { return bytes_.data(); }
    qint64 capacity() const { return bytes_.capacity(); }

private:
    void checkRow(int row) const;
    int rows_;
    int columns_;
    TBigByteArray bytes_;
};
