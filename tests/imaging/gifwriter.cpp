#include "gifwriter.h"

#include <vector>

namespace testgif {

CodeWriter::CodeWriter(int codeSize)
    : codeSize_(codeSize), bits_(codeSize + 1), next_((1 << codeSize) + 2)
{
}

void CodeWriter::put(int code)
{
    acc_ |= quint64(code) << accBits_;
    accBits_ += bits_;
    while (accBits_ >= 8) {
        out_.append(char(acc_ & 0xFF));
        acc_ >>= 8;
        accBits_ -= 8;
    }
    if (code == clearCode()) {
        bits_ = codeSize_ + 1;
        next_ = clearCode() + 2;
        afterClear_ = true;
    } else if (code == endCode()) {
    } else if (afterClear_) {
        afterClear_ = false;
    } else if (next_ < 4096) {
        ++next_;
        if (next_ == (1 << bits_) && bits_ < 12)
            ++bits_;
    }
}

QByteArray CodeWriter::finish()
{
    if (accBits_ > 0)
        out_.append(char(acc_ & 0xFF));
    acc_ = 0;
    accBits_ = 0;
    return out_;
}

QByteArray lzwEncode(const QByteArray &pixels, int codeSize, bool withEnd)
{
    CodeWriter w(codeSize);
    const int clear = w.clearCode();
    std::vector<int16_t> child(4096 * 256, 0);
    int next = clear + 2;
    w.put(clear);
    int cur = -1;
    for (char c : pixels) {
        const int b = uint8_t(c);
        if (cur < 0) {
            cur = b;
            continue;
        }
        const int k = child[size_t(cur) * 256 + size_t(b)];
        if (k) {
            cur = k;
            continue;
        }
        w.put(cur);
        child[size_t(cur) * 256 + size_t(b)] = int16_t(next++);
        if (next == 4096) {
            w.put(clear);
            std::fill(child.begin(), child.end(), 0);
            next = clear + 2;
        }
        cur = b;
    }
    if (cur >= 0)
        w.put(cur);
    if (withEnd)
        w.put(w.endCode());
    return w.finish();
}

QByteArray subBlocks(const QByteArray &data, int blockSize, bool terminate)
{
    QByteArray out;
    for (qsizetype i = 0; i < data.size(); i += blockSize) {
        const QByteArray block = data.mid(i, blockSize);
        out.append(char(block.size()));
        out.append(block);
    }
    if (terminate)
        out.append('\0');
    return out;
}

QByteArray graphicControl(int packed, int delay, int transparentIndex)
{
    QByteArray out("\x21\xF9\x04", 3);
    out.append(char(packed));
    out.append(char(delay & 0xFF));
    out.append(char(delay >> 8));
    out.append(char(transparentIndex));
    out.append('\0');
    return out;
}

QByteArray comment(const QByteArray &text)
{
    return QByteArray("\x21\xFE", 2) + subBlocks(text);
}

QByteArray application(const QByteArray &id11, const QByteArray &data)
{
    return QByteArray("\x21\xFF\x0B", 3) + id11.left(11).leftJustified(11, ' ') + subBlocks(data);
}

QByteArray plainText(const QByteArray &text)
{
    return QByteArray("\x21\x01\x0C", 3) + QByteArray(12, '\x01') + subBlocks(text);
}

QByteArray colorTable(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i) {
        out.append(char(i));
        out.append(char(255 - i));
        out.append(char((i * 7) & 255));
    }
    return out;
}

namespace {

int sizeBits(const QByteArray &table)
{
    const int count = int(table.size() / 3);
    int bits = 1;
    while ((1 << bits) < count)
        ++bits;
    return bits - 1;
}

void word(QByteArray &out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

QByteArray interlaceRows(const QByteArray &pixels, int width, int height)
{
    QByteArray out;
    static const int starts[4] = {0, 4, 2, 1};
    static const int steps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int row = starts[pass]; row < height; row += steps[pass])
            out.append(pixels.mid(qsizetype(row) * width, width));
    return out;
}

} // namespace

QByteArray make(const Gif &gif)
{
    QByteArray out = gif.signature + gif.version;
    word(out, gif.width);
    word(out, gif.height);
    if (!gif.globalTable.isEmpty())
        out.append(char(0x80 | 0x70 | sizeBits(gif.globalTable)));
    else
        out.append(char(0x70 | (gif.globalBits - 1)));
    out.append('\0');   // background
    out.append('\0');   // aspect
    out.append(gif.globalTable);
    for (const Frame &f : gif.frames) {
        out.append(f.before);
        out.append(',');
        word(out, f.left);
        word(out, f.top);
        word(out, f.width);
        word(out, f.height);
        int packed = f.interlaced ? 0x40 : 0;
        if (!f.localTable.isEmpty())
            packed |= 0x80 | sizeBits(f.localTable);
        out.append(char(packed));
        out.append(f.localTable);
        out.append(char(f.codeSize));
        QByteArray data;
        if (f.lzw)
            data = *f.lzw;
        else
            data = lzwEncode(f.interlaced ? interlaceRows(f.pixels, f.width, f.height) : f.pixels,
                             f.codeSize);
        out.append(subBlocks(data, 255, f.terminate));
    }
    out.append(gif.beforeTrailer);
    if (gif.trailer)
        out.append(';');
    return out;
}

QByteArray pattern(int width, int height, int colours, unsigned seed)
{
    QByteArray out(qsizetype(width) * height, '\0');
    unsigned s = seed;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            s = s * 1103515245u + 12345u;
            const int noise = int((s >> 16) & 7);
            out[qsizetype(y) * width + x] = char(((x + 2 * y) / 3 + noise) % colours);
        }
    return out;
}

QByteArray simple(int width, int height, bool interlaced)
{
    Gif g;
    g.width = width;
    g.height = height;
    g.globalTable = colorTable(256);
    Frame f;
    f.width = width;
    f.height = height;
    f.pixels = pattern(width, height);
    f.interlaced = interlaced;
    g.frames.append(f);
    return make(g);
}

} // namespace testgif
