#include "imaging/gifarrays.h"

#include <cstdlib>
#include <cstring>

EGifError::EGifError(QString message)
    : message_(std::move(message)), utf8_(message_.toUtf8())
{
}

ENotEnoughMemory::ENotEnoughMemory(qint64 requestedBytes)
    : EGifError(QStringLiteral("error in TBigByteArray.create: Not enough contiguous memory "
                               "available\r\n requested memory block: %1 bytes")
                    .arg(requestedBytes))
{
}

EIndexOutOfBounds::EIndexOutOfBounds()
    : EGifError(QStringLiteral("Dynamic array index out of bounds"))
{
}

EListError::EListError(qint64 index)
    : EGifError(QStringLiteral("List index out of bounds (%1)").arg(index))
{
}

TBigByteArray::TBigByteArray(qint64 size, Fill fill, qint64 spare)
{
    if (size < 0 || spare < 0 || spare > (qint64(1) << 40))
        throw ENotEnoughMemory(size);
    const qint64 total = size + spare;
    const size_t bytes = total > 0 ? size_t(total) : 1;
    // calloc: large blocks come zeroed from the system without being touched.
    // An owner that writes every byte itself skips even the clearing of
    // reused memory.
    data_ = static_cast<uint8_t *>(fill == Fill::Zero ? std::calloc(bytes, 1) : std::malloc(bytes));
    if (!data_)
        throw ENotEnoughMemory(size);
    size_ = size;
    capacity_ = total;
}

TBigByteArray::~TBigByteArray()
{
    std::free(data_);
}

void TBigByteArray::check(qint64 index) const
{
    if (index < 1 || index > size_)
        throw EIndexOutOfBounds();
}

uint8_t TBigByteArray::Get(qint64 index) const
{
    check(index);
    return data_[index - 1];
}

void TBigByteArray::Set(qint64 index, uint8_t value)
{
    check(index);
    data_[index - 1] = value;
}

TByteArray2D::TByteArray2D(int rows, int columns, TBigByteArray::Fill fill, qint64 spare)
    : rows_(rows < 0 ? 0 : rows),
      columns_(columns < 0 ? 0 : columns),
      bytes_(qint64(rows_) * columns_, fill, spare)
{
}

void TByteArray2D::checkRow(int row) const
{
    if (row < 1 || row > rows_)
        throw EIndexOutOfBounds();
}

QByteArray TByteArray2D::GetRow(int row) const
{
    return QByteArray(reinterpret_cast<const char *>(rowData(row)), columns_);
}

void TByteArray2D::SetRow(int row, QByteArrayView bytes)
{
    checkRow(row);
    if (bytes.size() != columns_)
        throw EIndexOutOfBounds(
            QStringLiteral("Row doesn't have equal number of elements as Matrix row"));
    if (columns_ > 0)
        std::memcpy(rowData(row), bytes.data(), size_t(columns_));
}

uint8_t TByteArray2D::Get(int row, int column) const
{
    checkRow(row);
    if (column < 1 || column > columns_)
        throw EIndexOutOfBounds();
    return rowData(row)[column - 1];
}

uint8_t *TByteArray2D::rowData(int row)
{
    checkRow(row);
    return bytes_.data() + qint64(row - 1) * columns_;
}

const uint8_t *TByteArray2D::rowData(int row) const
{
    checkRow(row);
    return bytes_.data() + qint64(row - 1) * columns_;
}
