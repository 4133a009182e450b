#pragma once
// A small GIF writer for the tests: LZW encoder, interlacing, local tables,
// extensions, and ways to damage the result.
#include <QByteArray>
#include <QList>

#include <optional>

namespace testgif {

// Writes codes least significant bit first, widening the code size exactly
// as a decoder does, so hand-made code streams stay in step with it.
class CodeWriter {
public:
    explicit CodeWriter(int codeSize);
    void put(int code);
    int clearCode() const { return 1 << codeSize_; }
    int endCode() const { return clearCode() + 1; }
    int nextFree() const { return next_; }
    int bits() const { return bits_; }
    QByteArray finish();

private:
    int codeSize_;
    int bits_;
    int next_;
    bool afterClear_ = true;
    quint64 acc_ = 0;
    int accBits_ = 0;
    QByteArray out_;
};

// LZW stream of the bytes: clear code first, clear again whenever the
// table fills, the end code last (unless withEnd is false).
QByteArray lzwEncode(const QByteArray &pixels, int codeSize, bool withEnd = true);

// Splits data into sub-blocks of at most 255 bytes and adds the terminator.
QByteArray subBlocks(const QByteArray &data, int blockSize = 255, bool terminate = true);

QByteArray graphicControl(int packed, int delay = 0, int transparentIndex = 0);
QByteArray comment(const QByteArray &text);
QByteArray application(const QByteArray &id11, const QByteArray &data);
QByteArray plainText(const QByteArray &text);

// A colour table of count entries (a power of two): colour i is
// (i, 255 - i, (i * 7) & 255) unless given.
QByteArray colorTable(int count);

struct Frame {
    int left = 0, top = 0, width = 1, height = 1;
    QByteArray pixels;              // width * height, top row first
    bool interlaced = false;
    QByteArray localTable;          // rgb triples; empty = none
    int codeSize = 8;
    QByteArray before;              // raw extension bytes before the image
    std::optional<QByteArray> lzw;  // replaces the encoded data
    bool terminate = true;          // the zero-length block after the data
};

struct Gif {
    QByteArray signature = "GIF";
    QByteArray version = "89a";
    int width = 1, height = 1;
    QByteArray globalTable;         // rgb triples; empty = none
    int globalBits = 8;             // bits per pixel when there is no table
    QList<Frame> frames;
    QByteArray beforeTrailer;       // raw bytes after the last image
    bool trailer = true;
};

QByteArray make(const Gif &gif);

// width*height pixels with a pattern that compresses into many codes.
QByteArray pattern(int width, int height, int colours = 256, unsigned seed = 1);

// A plain one-frame GIF of the pattern.
QByteArray simple(int width, int height, bool interlaced = false);

} // namespace testgif
