#include "imaging/gifreader.h"

#include <algorithm>
#include <cstring>

namespace {

const TRgb kStandardSixteen[16] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
    {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

constexpr int kMaxCodes = 4096;   // 12-bit codes

} // namespace

// ---------------------------------------------------------------- TColorTable

TColorTable::TColorTable(int count) : count_(count)
{
    switch (count) {
    case 0:
    case 2:
        entries_[1] = {255, 255, 255};
        break;
    case 16:
        std::copy(std::begin(kStandardSixteen), std::end(kStandardSixteen), entries_.begin());
        break;
    case 256:
        for (int i = 0; i < 256; ++i)
            entries_[size_t(i)] = {uint8_t(i), uint8_t(i), uint8_t(i)};
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- TByteBuffer

void TByteBuffer::Reserve(qint64 bytes)
{
    data_.reserve(bytes);
    blockEnds_.reserve(size_t(bytes / 255 + 1));
}

void TByteBuffer::AddBlock(QByteArrayView block)
{
    data_.append(block.data(), block.size());
    blockEnds_.push_back(data_.size());
}

QByteArrayView TByteBuffer::Block(int index) const
{
    if (index < 0 || index >= BlockCount())
        throw EListError(index);
    const qint64 start = index == 0 ? 0 : blockEnds_[size_t(index) - 1];
    return QByteArrayView(data_).sliced(start, blockEnds_[size_t(index)] - start);
}

// --------------------------------------------------------------- TGifSubImage

TGifSubImage::TGifSubImage(int colorCount)
{
    int bits = 0;
    while (bits < 8 && (1 << (bits + 1)) <= colorCount)
        ++bits;
    if (bits < 1 || colorCount != (1 << bits))
        throw EGifException(
            QStringLiteral("Number of colors (%1) wrong; must be a power of 2").arg(colorCount));
    BitsPerPixel = bits;
    CodeSize = bits == 1 ? 2 : bits;
    ColorTable = TColorTable(colorCount);
}

void TGifSubImage::SetExtensions(TExtensionList extensions)
{
    Extensions = std::move(extensions);
    DisposalMethod = 0;
    Transparent = false;
    for (int i = 0; i < Extensions.Count(); ++i) {
        const TExtension &ext = Extensions.Item(i);
        if (ext.kind == TExtension::GraphicControl && ext.fixedBytes.size() >= 2) {
            const auto packed = uint8_t(ext.fixedBytes[1]);
            DisposalMethod = (packed >> 2) & 7;
            Transparent = packed & 1;
        }
    }
}

void TGifSubImage::Decode(const TYieldHook &yield, int intervalMs)
{
    const int codeSize = LzwCodeSize;
    if (codeSize < 2 || codeSize > 9)
        throw EGifException(QStringLiteral("Bad code Size"));
    if (!Pixels)
        Pixels = std::make_unique<TByteArray2D>(Height, Width);

    const int width = Pixels->columns();
    const int height = Pixels->rows();
    const int clearCode = 1 << codeSize;
    const int endCode = clearCode + 1;

    // Flat string table: each entry is its prefix entry plus one byte.
    uint16_t prefix[kMaxCodes];
    uint8_t suffix[kMaxCodes];
    uint8_t first[kMaxCodes];
    uint16_t length[kMaxCodes];
    for (int i = 0; i < clearCode; ++i) {
        prefix[i] = 0;
        suffix[i] = first[i] = uint8_t(i);
        length[i] = 1;
    }

    // Row order: rows follow one another, or the four interlace passes.
    std::vector<int> order;
    if (Interlaced) {
        order.reserve(size_t(height));
        static const int starts[4] = {0, 4, 2, 1};
        static const int steps[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int row = starts[pass]; row < height; row += steps[pass])
                order.push_back(row);
    }
    auto rowStart = [&](int stored) {
        return Pixels->rowData((Interlaced ? order[size_t(stored)] : stored) + 1);
    };

    // Output goes straight into the pixel rows. Bytes beyond the last row go
    // to a spare row so that completing it can be reported as an error.
    std::vector<uint8_t> spareRow(size_t(width) + 1);
    int stored = 0;              // rows completed
    bool pastLastRow = height == 0;
    uint8_t *dst = pastLastRow ? spareRow.data() : (width > 0 ? rowStart(0) : nullptr);
    int rowLeft = width;

    const bool mayYield = yield && height > 200;
    QElapsedTimer sinceYield;
    if (mayYield)
        sinceYield.start();

    auto nextRow = [&] {
        if (pastLastRow)
            throw EIndexOutOfBounds();
        ++stored;
        if (mayYield && sinceYield.elapsed() >= intervalMs) {
            yield();
            sinceYield.restart();
        }
        if (stored < height) {
            dst = rowStart(stored);
        } else {
            dst = spareRow.data();
            pastLastRow = true;
        }
        rowLeft = width;
    };

    // A string that does not fit the rest of the row is unpacked into a
    // small buffer and copied row piece by row piece.
    auto emitSplit = [&](int code) {
        if (width == 0)
            return;
        uint8_t buffer[kMaxCodes + 1];
        int n = length[code];
        for (uint8_t *p = buffer + n; p > buffer;) {
            *--p = suffix[code];
            code = prefix[code];
        }
        const uint8_t *src = buffer;
        while (n > 0) {
            const int k = std::min(n, rowLeft);
            std::memcpy(dst, src, size_t(k));
            dst += k;
            src += k;
            n -= k;
            rowLeft -= k;
            if (rowLeft == 0)
                nextRow();
        }
    };
    auto emitCode = [&](int code) {
        const int n = length[code];
        if (n < rowLeft) {
            // Locals, so the byte stores cannot be taken to alias them.
            uint8_t *const begin = dst;
            uint8_t *p = begin + n;
            dst = p;
            rowLeft -= n;
            do {
                *--p = suffix[code];
                code = prefix[code];
            } while (p > begin);
        } else {
            emitSplit(code);
        }
    };

    // Codes are packed least significant bit first; the bit buffer is
    // refilled eight bytes at a time while that many remain.
    const auto *src = reinterpret_cast<const uint8_t *>(CompressedData.Bytes().constData());
    const uint8_t *const srcEnd = src + CompressedData.Length();
    uint64_t bitBuf = 0;
    int bitCount = 0;
    auto refill = [&] {
        if (srcEnd - src >= 8) {
            uint64_t v;
            std::memcpy(&v, src, 8);
            bitBuf |= v << bitCount;
            src += (63 - bitCount) >> 3;
            bitCount |= 56;
        } else {
            while (bitCount <= 56 && src < srcEnd) {
                bitBuf |= uint64_t(*src++) << bitCount;
                bitCount += 8;
            }
        }
    };

    int bits = codeSize + 1;
    uint32_t mask = (1u << bits) - 1;
    int nextFree = clearCode + 2;
    bool afterClear = true;   // decoding starts as after a clear code
    int prev = 0;

    for (;;) {
        if (bitCount < bits) {
            refill();
            if (bitCount < bits)
                break;   // data ended before the end code: keep what we have
        }
        int code = int(bitBuf & mask);
        bitBuf >>= bits;
        bitCount -= bits;

        if (code == clearCode) {
            bits = codeSize + 1;
            mask = (1u << bits) - 1;
            nextFree = clearCode + 2;
            afterClear = true;
            continue;
        }
        if (afterClear) {
            if (code == endCode)
                throw EGifException(QStringLiteral("Bad code"));
            if (code > endCode)
                code = 0;   // not in the table yet
            emitCode(code);
            prev = code;
            afterClear = false;
            continue;
        }
        if (code == endCode)
            break;
        if (nextFree >= kMaxCodes)
            throw EGifException(QStringLiteral("Code size overflow"));
        if (code > nextFree)
            throw EGifException(QStringLiteral("Bad code"));

        // New entry: the previous string plus the first byte of this one
        // (which, for the entry being defined, is the previous string's).
        suffix[nextFree] = code == nextFree ? first[prev] : first[code];
        prefix[nextFree] = uint16_t(prev);
        first[nextFree] = first[prev];
        length[nextFree] = uint16_t(length[prev] + 1);
        ++nextFree;
        if (nextFree == (1 << bits) && bits < 12) {
            ++bits;
            mask = (1u << bits) - 1;
        }
        emitCode(code);
        prev = code;
    }

    // A row that was begun but not completed is not part of the picture.
    if (!pastLastRow && width > 0 && rowLeft != width)
        std::memset(dst - (width - rowLeft), 0, size_t(width - rowLeft));
}

// ------------------------------------------------------------------- TGifFile

// Reads from an in-memory copy of the stream. Reads past the end give zero
// bytes, as a short read into a zeroed buffer would.
class TGifFile::Reader {
public:
    explicit Reader(const QByteArray &bytes)
        : data_(reinterpret_cast<const uint8_t *>(bytes.constData())), size_(bytes.size())
    {
    }
    bool atEnd() const { return pos_ >= size_; }
    qint64 pos() const { return pos_; }
    uint8_t byte()
    {
        return pos_ < size_ ? data_[pos_++] : 0;
    }
    QByteArray bytes(qint64 n)
    {
        QByteArray out(n, '\0');
        const qint64 have = std::min(n, size_ - pos_);
        if (have > 0) {
            std::memcpy(out.data(), data_ + pos_, size_t(have));
            pos_ += have;
        }
        return out;
    }
    // Total length of the data sub-blocks from here, without moving, so
    // they can be gathered into one buffer allocated once.
    qint64 subBlocksLength() const
    {
        qint64 total = 0;
        for (qint64 at = pos_; at < size_ && data_[at] != 0; at += 1 + data_[at])
            total += std::min<qint64>(data_[at], size_ - at - 1);
        return total;
    }
    // One data sub-block: returns false at the terminator or the end.
    bool subBlock(QByteArrayView &block)
    {
        if (atEnd())
            return false;
        const int n = byte();
        if (n == 0)
            return false;
        const qint64 have = std::min<qint64>(n, size_ - pos_);
        block = QByteArrayView(data_ + pos_, have);
        pos_ += have;
        return true;
    }

private:
    const uint8_t *data_;
    qint64 size_;
    qint64 pos_ = 0;
};

namespace {

void readColorTable(QByteArray bytes, TColorTable &table)
{
    for (int i = 0; i < table.Count(); ++i)
        table.SetEntry(i, {uint8_t(bytes[3 * i]), uint8_t(bytes[3 * i + 1]),
                           uint8_t(bytes[3 * i + 2])});
}

int word(const QByteArray &b, int at)
{
    return uint8_t(b[at]) | (uint8_t(b[at + 1]) << 8);
}

} // namespace

TGifFile::TGifFile() = default;

void TGifFile::SetPixelLimits(qint64 perImage, qint64 total)
{
    maxPixels_ = perImage;
    maxTotalPixels_ = total;
}

TGifSubImage &TGifFile::SubImage(int number)
{
    if (number < 1 || number > SubImageCount())
        throw EListError(number - 1);
    return *images_[size_t(number) - 1];
}

const TGifSubImage &TGifFile::SubImage(int number) const
{
    return const_cast<TGifFile *>(this)->SubImage(number);
}

void TGifFile::LoadFromStream(QIODevice &stream)
{
    if (!stream.isSequential())
        stream.seek(0);
    LoadFromBytes(stream.readAll());
}

void TGifFile::LoadFromBytes(const QByteArray &bytes)
{
    images_.clear();
    totalPixels_ = 0;
    Reader in(bytes);

    const QByteArray header = in.bytes(6);
    Signature = header.left(3);
    Version = header.mid(3, 3);
    if (Version != "87a" && Version != "89a" && Version != "87A" && Version != "89A")
        throw EGifException(QStringLiteral("Gif Version must be 87a or 89a"));

    const QByteArray screen = in.bytes(7);
    ScreenWidth = word(screen, 0);
    ScreenHeight = word(screen, 2);
    ScreenPacked = uint8_t(screen[4]);
    BackgroundIndex = uint8_t(screen[5]);
    AspectByte = uint8_t(screen[6]);
    HasGlobalColorTable = ScreenPacked & 0x80;
    BitsPerPixel = (ScreenPacked & 7) + 1;
    GlobalColorTable = TColorTable(0);
    GlobalColorTable.SetCount(1 << BitsPerPixel);
    if (HasGlobalColorTable)
        readColorTable(in.bytes(3 * GlobalColorTable.Count()), GlobalColorTable);

    uint8_t introducer = in.byte();
    qint64 lastPos = -1;
    while (introducer != ';') {
        if (in.atEnd() || in.pos() == lastPos)
            break;
        lastPos = in.pos();
        TExtensionList extensions;
        while (introducer == '!' && !in.atEnd()) {
            readExtension(in, extensions);
            introducer = in.byte();
        }
        if (introducer == ',') {
            auto image = std::make_unique<TGifSubImage>(GlobalColorTable.Count());
            image->SetExtensions(std::move(extensions));
            readImage(in, *image);
            images_.push_back(std::move(image));
            introducer = in.atEnd() ? uint8_t(';') : in.byte();
        }
    }
}

void TGifFile::readExtension(Reader &in, TExtensionList &list)
{
    const uint8_t label = in.byte();
    TExtension ext;
    int fixed = 0;
    bool hasBlocks = true;
    switch (label) {
    case 0xF9:
        ext.kind = TExtension::GraphicControl;
        fixed = 6;
        hasBlocks = false;
        break;
    case 0x01:
        ext.kind = TExtension::PlainText;
        fixed = 13;
        break;
    case 0xFE:
        ext.kind = TExtension::Comment;
        break;
    case 0xFF:
        ext.kind = TExtension::Application;
        fixed = 12;
        break;
    default:
        throw EGifException(QStringLiteral("Unrecognized extension block.\r\nCode = $")
                            + QStringLiteral("%1").arg(label, 2, 16, QLatin1Char('0')).toUpper());
    }
    ext.fixedBytes = in.bytes(fixed);
    QByteArrayView block;
    while (hasBlocks && in.subBlock(block))
        ext.subBlocks.append(block.toByteArray());
    list.Add(std::move(ext));
}

void TGifFile::readImage(Reader &in, TGifSubImage &image)
{
    const QByteArray descriptor = in.bytes(9);
    image.Left = word(descriptor, 0);
    image.Top = word(descriptor, 2);
    image.Width = word(descriptor, 4);
    image.Height = word(descriptor, 6);
    image.Packed = uint8_t(descriptor[8]);
    image.HasLocalColorTable = image.Packed & 0x80;
    image.Interlaced = image.Packed & 0x40;
    image.BitsPerPixel = (image.Packed & 7) + 1;
    image.ColorTable.SetCount(1 << image.BitsPerPixel);
    if (image.HasLocalColorTable)
        readColorTable(in.bytes(3 * image.ColorTable.Count()), image.ColorTable);

    const qint64 pixels = qint64(image.Width) * image.Height;
    if (image.Width > gif_limits::kMaxSide || image.Height > gif_limits::kMaxSide
        || pixels > maxPixels_)
        throw EGifException(QStringLiteral("Picture too large: %1 x %2 pixels").arg(image.Width).arg(image.Height));
    if (totalPixels_ + pixels > maxTotalPixels_)
        throw EGifException(QStringLiteral("Animation too large: its images hold more than %1 pixels")
                                .arg(maxTotalPixels_));
    totalPixels_ += pixels;
    image.Pixels = std::make_unique<TByteArray2D>(image.Height, image.Width);

    image.LzwCodeSize = in.byte();
    image.CompressedData.Reserve(in.subBlocksLength());
    QByteArrayView block;
    while (in.subBlock(block))
        image.CompressedData.AddBlock(block);
    image.Decode(yield_, yieldIntervalMs_);
}
