#pragma once
// Our own GIF reader: parses a whole GIF stream (87a/89a) into its
// sub-images and decodes each one's LZW data into a matrix of colour
// indices. Qt Core only; conversion to a QImage is in imaging/gifimage.h.
#include "imaging/gifarrays.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QIODevice>
#include <QList>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

// Largest picture we decode. The size fields of a GIF allow 65535 x 65535,
// which a damaged or hostile file would turn into gigabytes of pixels.
namespace gif_limits {
constexpr int kMaxSide = 16384;
constexpr qint64 kMaxPixels = 100'000'000;
// All sub-images of one file together (an animation keeps every frame).
constexpr qint64 kMaxTotalPixels = 400'000'000;
}

struct TRgb {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const TRgb &) const = default;
};

// Up to 256 colours and a count. The initial contents depend on the count
// given at creation: 2 = black and white, 16 = the standard sixteen colours,
// 256 = a grey ramp, 0 = black and white in the first two entries, anything
// else all black.
class TColorTable {
public:
    explicit TColorTable(int count = 0);
    int Count() const { return count_; }
    void SetCount(int count) { count_ = count; }
    const TRgb &Entry(int index) const { return entries_[size_t(index) & 255]; }
    void SetEntry(int index, TRgb rgb) { entries_[size_t(index) & 255] = rgb; }
    const std::array<TRgb, 256> &Entries() const { return entries_; }

private:
    int count_ = 0;
    std::array<TRgb, 256> entries_{};
};

class TExtension {
public:
    enum Kind { GraphicControl = 0, PlainText = 1, Application = 2, Comment = 3 };
    Kind kind = Comment;
    QByteArray fixedBytes;         // the bytes that follow the label
    QList<QByteArray> subBlocks;   // plain text, application and comment only
};

class TExtensionList {
public:
    void Add(TExtension extension) { items_.push_back(std::move(extension)); }
    int Count() const { return int(items_.size()); }
    const TExtension &Item(int index) const { return items_.at(size_t(index)); } // 0-based
    bool isEmpty() const { return items_.empty(); }

private:
    std::vector<TExtension> items_;
};

// The compressed data of one image: its data sub-blocks. Blocks read from a
// file stay where they are in the file's bytes (of which a shallow copy is
// kept); Bytes() puts them back to back on first use.
class TByteBuffer {
public:
    void AddBlock(QByteArrayView block);   // copies the bytes
    // A block at start in source, which must be the same array every time.
    void AddSourceBlock(const QByteArray &source, qint64 start, qint64 length);
    int BlockCount() const { return int(blockEnds_.size()); }
    QByteArrayView Block(int index) const;   // 0-based
    qint64 Length() const { return blockEnds_.empty() ? 0 : blockEnds_.back(); }
    const QByteArray &Bytes() const;
    // Copies all blocks back to back to dst (Length() bytes).
    void CopyTo(uint8_t *dst) const;
    bool IsCopied() const { return source_.isNull(); }

private:
    mutable QByteArray data_;        // copied blocks, or the joined source blocks
    mutable bool joined_ = false;
    QByteArray source_;
    std::vector<qint64> blockStarts_;   // in source_, when blocks stay there
    std::vector<qint64> blockEnds_;     // running total of the lengths
};

using TYieldHook = std::function<void()>;

// Working memory of the decoder, kept from one image to the next so that
// the frames of an animation reuse it. Its contents are not initialised.
class TGifDecodeSlot {
public:
    uint8_t *reserve(qint64 bytes)
    {
        if (bytes > capacity_) {
            data_.reset();
            capacity_ = 0;
            data_.reset(static_cast<uint8_t *>(std::malloc(size_t(bytes))));
            if (!data_)
                throw ENotEnoughMemory(bytes);
            capacity_ = bytes;
        }
        return data_.get();
    }

private:
    struct Free {
        void operator()(uint8_t *p) const { std::free(p); }
    };
    std::unique_ptr<uint8_t, Free> data_;
    qint64 capacity_ = 0;
};

class TGifDecodeBuffer {
public:
    TGifDecodeSlot input;    // compressed data, back to back
    TGifDecodeSlot output;   // interlaced rows in file order
};

class TGifSubImage {
public:
    // colorCount must be 2, 4, ..., 256.
    explicit TGifSubImage(int colorCount);

    // Image descriptor
    int Left = 0, Top = 0, Width = 0, Height = 0;
    uint8_t Packed = 0;
    bool HasLocalColorTable = false;
    bool Interlaced = false;
    int BitsPerPixel = 1;
    int CodeSize = 2;
    TColorTable ColorTable;
    uint8_t LzwCodeSize = 0;
    TByteBuffer CompressedData;
    TExtensionList Extensions;
    int DisposalMethod = 0;
    bool Transparent = false;
    std::unique_ptr<TByteArray2D> Pixels;

    // Takes the extensions that came before this image, and the disposal
    // method and transparency flag of the last graphic control among them.
    void SetExtensions(TExtensionList extensions);

    // Decodes CompressedData into Pixels (which must be allocated).
    // The hook, when set and the image is more than 200 rows high, is called
    // between rows once at least intervalMs have passed since the last call.
    void Decode(const TYieldHook &yield = {}, int intervalMs = 15);
    void Decode(const TYieldHook &yield, int intervalMs, TGifDecodeBuffer &buffer);
};

class TGifFile {
public:
    TGifFile();

    // Header and logical screen descriptor
    QByteArray Signature;   // 3 bytes, not examined
    QByteArray Version;     // 3 bytes
    int ScreenWidth = 0, ScreenHeight = 0;
    uint8_t ScreenPacked = 0;
    uint8_t BackgroundIndex = 0;
    uint8_t AspectByte = 0;
    bool HasGlobalColorTable = false;
    int BitsPerPixel = 1;
    TColorTable GlobalColorTable{0};

    // Called while tall images (more than 200 rows) decode, between rows,
    // when at least intervalMs have passed since the last call.
    void SetYieldHook(TYieldHook hook, int intervalMs = 15)
    {
        yield_ = std::move(hook);
        yieldIntervalMs_ = intervalMs;
    }
    // Lower the pixel limits (the fuzzers use this to stay fast).
    void SetPixelLimits(qint64 perImage, qint64 total);

    void LoadFromBytes(const QByteArray &bytes);

    int SubImageCount() const { return int(images_.size()); }
    TGifSubImage &SubImage(int number);       // from 1
    const TGifSubImage &SubImage(int number) const;

private:
    class Reader;
    void readExtension(Reader &in, TExtensionList &list);
    void readImage(Reader &in, TGifSubImage &image);

    std::vector<std::unique_ptr<TGifSubImage>> images_;
    TYieldHook yield_;
    int yieldIntervalMs_ = 15;
    qint64 maxPixels_ = gif_limits::kMaxPixels;
    qint64 maxTotalPixels_ = gif_limits::kMaxTotalPixels;
    qint64 totalPixels_ = 0;
    TGifDecodeBuffer decodeBuffer_;
};
