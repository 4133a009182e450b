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

void TByteBuffer::AddBlock(QByteArrayView block)
{
    if (!IsCopied()) {
        Bytes();   // from here on the blocks are held as copies
        source_ = QByteArray();
        blockStarts_.clear();
    }
    data_.append(block.data(), block.size());
    blockEnds_.push_back(data_.size());
}

void TByteBuffer::AddSourceBlock(const QByteArray &source, qint64 start, qint64 length)
{
    if (blockEnds_.empty()) {
        source_ = source;
        data_.clear();
    }
    if (IsCopied() || source_.constData() != source.constData()) {
        AddBlock(QByteArrayView(source).sliced(start, length));
        return;
    }
    joined_ = false;
    blockStarts_.push_back(start);
    blockEnds_.push_back(Length() + length);
}

QByteArrayView TByteBuffer::Block(int index) const
{
    if (index < 0 || index >= BlockCount())
        throw EListError(index);
    const qint64 start = index == 0 ? 0 : blockEnds_[size_t(index) - 1];
    const qint64 length = blockEnds_[size_t(index)] - start;
    if (IsCopied())
        return QByteArrayView(data_).sliced(start, length);
    return QByteArrayView(source_).sliced(blockStarts_[size_t(index)], length);
}

void TByteBuffer::CopyTo(uint8_t *dst) const
{
    if (IsCopied()) {
        if (!data_.isEmpty())
            std::memcpy(dst, data_.constData(), size_t(data_.size()));
        return;
    }
    const char *src = source_.constData();
    qint64 at = 0;
    for (size_t i = 0; i < blockEnds_.size(); ++i) {
        const qint64 n = blockEnds_[i] - at;
        std::memcpy(dst + at, src + blockStarts_[i], size_t(n));
        at = blockEnds_[i];
    }
}

const QByteArray &TByteBuffer::Bytes() const
{
    if (!IsCopied() && !joined_) {
        data_.resize(Length());
        CopyTo(reinterpret_cast<uint8_t *>(data_.data()));
        joined_ = true;
    }
    return data_;
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

namespace {

// The decoder copies strings in 16-byte pieces and may write up to this many
// bytes past the end of the output; buffers it writes into have this much to
// spare.
constexpr qint64 kCopySlack = 16;

inline void copy16(uint8_t *dst, const uint8_t *src)
{
    uint8_t piece[16];
    std::memcpy(piece, src, 16);
    std::memcpy(dst, piece, 16);
}

// Watches the output grow: reports completed rows to the yield hook and
// stops the decoder when a whole row more than the picture holds arrives.
class OutputGuard {
public:
    OutputGuard(qint64 width, qint64 height, const TYieldHook &yield, int intervalMs)
        : width_(width), height_(height), limit_(width > 0 ? (height + 1) * width : INT64_MAX),
          yield_(yield), intervalMs_(intervalMs), mayYield_(yield && height > 200 && width > 0)
    {
        if (mayYield_)
            sinceYield_.start();
        setCheckpoint();
    }
    // The decoder calls passed() once its output would reach this length.
    qint64 checkpoint() const { return checkpoint_; }

    [[gnu::noinline]] void passed(qint64 length)
    {
        if (mayYield_) {
            const qint64 rows = std::min(length / width_, height_);
            while (rowsDone_ < rows) {
                ++rowsDone_;
                if (sinceYield_.elapsed() >= intervalMs_) {
                    yield_();
                    sinceYield_.restart();
                }
            }
        }
        if (length >= limit_)
            throw EIndexOutOfBounds();
        setCheckpoint();
    }

private:
    void setCheckpoint()
    {
        checkpoint_ = mayYield_ && rowsDone_ < height_ ? std::min((rowsDone_ + 1) * width_, limit_)
                                                       : limit_;
    }

    qint64 width_, height_, limit_;
    const TYieldHook &yield_;
    int intervalMs_;
    bool mayYield_;
    qint64 rowsDone_ = 0;
    qint64 checkpoint_ = 0;
    QElapsedTimer sinceYield_;
};

// LZW decoding of one image's data into a single run of output bytes,
// returning its length. Every code of the table stands for a string that
// was already written once: its offset and length are all the table keeps,
// and writing the code again is a copy of those earlier bytes. A new entry
// is the previous code's string and the first byte after it, so it starts
// where the previous code was written and is one byte longer.
// When Emit is false nothing is written (a picture without columns), but the
// codes are checked all the same.
template <bool Emit>
qint64 decodeLzw(const uint8_t *src, const uint8_t *const srcEnd, const int codeSize,
                 uint8_t *const out, OutputGuard &guard)
{
    const int clearCode = 1 << codeSize;
    const int endCode = clearCode + 1;
    uint32_t offsets[kMaxCodes];
    uint16_t lengths[kMaxCodes];

    // Codes are packed least significant bit first; the bit buffer is
    // refilled eight bytes at a time while that many remain.
    uint64_t bitBuf = 0;
    int bitCount = 0;
    int bits = codeSize + 1;
    uint32_t mask = 0;
    auto take = [&](int &code) {
        if (bitCount < bits) {
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
                if (bitCount < bits)
                    return false;   // data ended before the end code
            }
        }
        code = int(bitBuf & mask);
        bitBuf >>= bits;
        bitCount -= bits;
        return true;
    };

    qint64 pos = 0;          // output written so far
    qint64 checkpoint = guard.checkpoint();
    int code = 0;
    for (;;) {
        // Decoding starts as after a clear code.
        bits = codeSize + 1;
        mask = (1u << bits) - 1;
        int nextFree = clearCode + 2;
        int freeLimit = 1 << bits;   // where the code size grows
        do {
            if (!take(code))
                return pos;
        } while (code == clearCode);
        if (code == endCode)
            throw EGifException(QStringLiteral("Bad code"));
        if (code > endCode)
            code = 0;   // not in the table yet
        if (pos + 1 >= checkpoint) {
            guard.passed(pos + 1);
            checkpoint = guard.checkpoint();
        }
        if constexpr (Emit)
            out[pos] = uint8_t(code);
        qint64 prevPos = pos;
        uint32_t prevLength = 1;
        ++pos;

        for (;;) {
            if (!take(code))
                return pos;
            uint32_t n;
            qint64 from = 0;
            if (code < clearCode) {
                n = 1;
            } else if (code > endCode && code <= nextFree) {
                from = code == nextFree ? prevPos : offsets[code];
                n = code == nextFree ? prevLength + 1 : lengths[code];
            } else if (code == clearCode) {
                break;
            } else if (code == endCode) {
                return pos;
            } else {
                throw EGifException(QStringLiteral("Bad code"));
            }
            offsets[nextFree] = uint32_t(prevPos);
            lengths[nextFree] = uint16_t(prevLength + 1);

            const qint64 newPos = pos + n;
            if (newPos >= checkpoint) {
                guard.passed(newPos);
                checkpoint = guard.checkpoint();
            }
            if constexpr (Emit) {
                uint8_t *const dst = out + pos;
                if (code < clearCode) {
                    *dst = uint8_t(code);
                } else {
                    const uint8_t *const from8 = out + from;
                    const qint64 distance = pos - from;
                    if (n <= 16 && n <= distance) {
                        copy16(dst, from8);
                    } else if (distance >= 16) {
                        for (uint32_t i = 0; i < n; i += 16)
                            copy16(dst + i, from8 + i);
                    } else {
                        // Overlapping a short way back: byte by byte.
                        for (uint32_t i = 0; i < n; ++i)
                            dst[i] = from8[i];
                    }
                }
            }
            prevPos = pos;
            prevLength = n;
            pos = newPos;

            if (++nextFree == freeLimit) {
                if (bits < 12) {
                    ++bits;
                    mask = (1u << bits) - 1;
                    freeLimit = 1 << bits;
                } else {
                    // The table is full: only a clear or the end may follow.
                    if (!take(code))
                        return pos;
                    if (code == clearCode)
                        break;
                    if (code == endCode)
                        return pos;
                    throw EGifException(QStringLiteral("Code size overflow"));
                }
            }
        }
    }
}

// The picture row that the given stored row (0-based, in file order) is.
int interlacedRow(int stored, int height)
{
    static const int starts[4] = {0, 4, 2, 1};
    static const int steps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int inPass = starts[pass] < height ? (height - starts[pass] + steps[pass] - 1) / steps[pass] : 0;
        if (stored < inPass)
            return starts[pass] + stored * steps[pass];
        stored -= inPass;
    }
    return height;   // not reached for stored < height
}

} // namespace

void TGifSubImage::Decode(const TYieldHook &yield, int intervalMs)
{
    TGifDecodeBuffer buffer;
    Decode(yield, intervalMs, buffer);
}

void TGifSubImage::Decode(const TYieldHook &yield, int intervalMs, TGifDecodeBuffer &buffer)
{
    const int codeSize = LzwCodeSize;
    if (codeSize < 2 || codeSize > 9)
        throw EGifException(QStringLiteral("Bad code Size"));
    if (!Pixels)
        Pixels = std::make_unique<TByteArray2D>(Height, Width, TBigByteArray::Fill::AsAllocated,
                                                qint64(Width) + kCopySlack);

    const qint64 width = Pixels->columns();
    const qint64 height = Pixels->rows();
    // The blocks are gathered into the reusable buffer, unless they are
    // held back to back already.
    const uint8_t *src;
    if (CompressedData.IsCopied()) {
        src = reinterpret_cast<const uint8_t *>(CompressedData.Bytes().constData());
    } else {
        uint8_t *gathered = buffer.input.reserve(CompressedData.Length() + 1);
        CompressedData.CopyTo(gathered);
        src = gathered;
    }
    const uint8_t *const srcEnd = src + CompressedData.Length();
    OutputGuard guard(width, height, yield, intervalMs);
    if (width == 0) {
        decodeLzw<false>(src, srcEnd, codeSize, nullptr, guard);
        return;
    }

    // Output runs on past the last row by up to a row (more is an error).
    // Rows in file order are written straight into the picture; interlaced
    // ones go to the reusable buffer first and are then put in place.
    const qint64 needed = (height + 1) * width + kCopySlack;
    uint8_t *const pixels = Pixels->data();
    const bool inPlace = !Interlaced && Pixels->capacity() >= needed;
    uint8_t *out = pixels;
    if (!inPlace)
        out = buffer.output.reserve(needed);
    const qint64 length = decodeLzw<true>(src, srcEnd, codeSize, out, guard);

    // A row that was begun but not completed is not part of the picture;
    // rows never reached read as zero.
    const qint64 rowsDone = std::min(length / width, height);
    if (Interlaced) {
        for (qint64 stored = 0; stored < height; ++stored) {
            uint8_t *const row = pixels + interlacedRow(int(stored), int(height)) * width;
            if (stored < rowsDone)
                std::memcpy(row, out + stored * width, size_t(width));
            else
                std::memset(row, 0, size_t(width));
        }
    } else {
        if (!inPlace)
            std::memcpy(pixels, out, size_t(rowsDone * width));
        std::memset(pixels + rowsDone * width, 0, size_t((height - rowsDone) * width));
    }
}

// ------------------------------------------------------------------- TGifFile

// Reads from an in-memory copy of the stream. Reads past the end give zero
// bytes, as a short read into a zeroed buffer would.
class TGifFile::Reader {
public:
    explicit Reader(const QByteArray &bytes)
        : bytes_(bytes), data_(reinterpret_cast<const uint8_t *>(bytes.constData())), size_(bytes.size())
    {
    }
    const QByteArray &source() const { return bytes_; }
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
    const QByteArray &bytes_;
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
    // The decoder writes every byte of the picture; rows in file order are
    // decoded in place and need room for a row more.
    image.Pixels = std::make_unique<TByteArray2D>(
        image.Height, image.Width, TBigByteArray::Fill::AsAllocated,
        image.Interlaced ? 0 : qint64(image.Width) + kCopySlack);

    image.LzwCodeSize = in.byte();
    // The blocks stay in the file's bytes; the decoder gathers them.
    QByteArrayView block;
    while (in.subBlock(block))
        image.CompressedData.AddSourceBlock(in.source(), block.data() - in.source().constData(),
                                            block.size());
    image.Decode(yield_, yieldIntervalMs_, decodeBuffer_);
}
