// The LZW decoder against a plain prefix-chain decoder written here, on
// random code streams, and the cases where copying earlier output could go
// wrong: long and overlapping strings, strings that run across rows,
// reuse of the table after a clear, interlaced pictures cut short, and a
// decode buffer shared by images of different sizes.
#include "gifwriter.h"
#include "imaging/gifreader.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace testgif;

namespace {

// The reading rules written out slowly: returns the output bytes, or the
// error text. Decoding stops at the end code or where the data runs out.
struct Reference {
    QByteArray output;
    QString error;
};

Reference referenceDecode(const QByteArray &data, int codeSize)
{
    const int clear = 1 << codeSize, end = clear + 1;
    std::vector<QByteArray> table;
    int bits = codeSize + 1;
    auto reset = [&] {
        table.assign(size_t(clear) + 2, QByteArray());
        for (int i = 0; i < clear; ++i)
            table[size_t(i)] = QByteArray(1, char(uint8_t(i)));
        bits = codeSize + 1;
    };
    reset();
    qint64 bitPos = 0;
    auto next = [&](int &code) {
        if (bitPos + bits > data.size() * 8)
            return false;
        code = 0;
        for (int i = 0; i < bits; ++i, ++bitPos)
            code |= ((uint8_t(data[bitPos / 8]) >> (bitPos % 8)) & 1) << i;
        return true;
    };
    Reference r;
    bool afterClear = true;
    QByteArray prev;
    int code;
    while (next(code)) {
        if (code == clear) {
            reset();
            afterClear = true;
            continue;
        }
        if (afterClear) {
            if (code == end) {
                r.error = "Bad code";
                return r;
            }
            prev = code > end ? QByteArray(1, '\0') : table[size_t(code)];
            r.output += prev;
            afterClear = false;
            continue;
        }
        if (code == end)
            return r;
        if (table.size() >= 4096) {
            r.error = "Code size overflow";
            return r;
        }
        if (code > int(table.size())) {
            r.error = "Bad code";
            return r;
        }
        const QByteArray cur = code == int(table.size()) ? prev + prev.left(1) : table[size_t(code)];
        table.push_back(prev + cur.left(1));
        if (int(table.size()) == (1 << bits) && bits < 12)
            ++bits;
        r.output += cur;
        prev = cur;
    }
    return r;
}

QByteArray encodeCodes(const QList<int> &codes, int codeSize)
{
    CodeWriter w(codeSize);
    for (int c : codes)
        w.put(c);
    return w.finish();
}

// One row of the given width holding the whole output (so no row errors).
Gif oneRowGif(int width, int codeSize, const QByteArray &lzw, bool interlaced = false,
              int height = 1)
{
    Gif g;
    g.width = width;
    g.height = height;
    g.globalTable = colorTable(256);
    Frame f;
    f.width = width;
    f.height = height;
    f.codeSize = codeSize;
    f.interlaced = interlaced;
    f.lzw = lzw;
    g.frames.append(f);
    return g;
}

QByteArray pixelsOf(const TGifSubImage &image)
{
    QByteArray out;
    for (int row = 1; row <= image.Pixels->rows(); ++row)
        out.append(image.Pixels->GetRow(row));
    return out;
}

// Random codes, mostly valid: known table codes, the code being defined,
// clears now and then, and at the end perhaps something wrong.
QList<int> randomCodes(std::mt19937 &rng, int codeSize, int count)
{
    CodeWriter sim(codeSize);
    QList<int> codes;
    for (int i = 0; i < count; ++i) {
        int code;
        const unsigned pick = rng() % 100;
        if (sim.nextFree() >= 4096 || pick < 1)
            code = sim.clearCode();
        else if (pick < 40)
            code = int(rng() % unsigned(sim.clearCode()));
        else if (pick < 50 && sim.nextFree() > sim.endCode() + 1)
            code = sim.nextFree();
        else if (sim.nextFree() > sim.endCode() + 1)
            code = sim.endCode() + 1 + int(rng() % unsigned(sim.nextFree() - sim.endCode()));
        else
            code = int(rng() % unsigned(sim.clearCode()));
        codes.append(code);
        sim.put(code);
    }
    switch (rng() % 4) {
    case 0:
        codes.append(sim.endCode());
        break;
    case 1:
        if (sim.nextFree() + 1 < (1 << sim.bits()))
            codes.append(sim.nextFree() + 1);   // beyond the table, yet fits the code size
        break;
    default:
        break;   // data just stops
    }
    return codes;
}

QString errorOf(const QByteArray &bytes, QByteArray *pixels = nullptr)
{
    try {
        TGifFile file;
        file.LoadFromBytes(bytes);
        if (pixels)
            *pixels = pixelsOf(file.SubImage(1));
    } catch (const EGifError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(GifLzwCopy, AgreesWithAPrefixChainDecoderOnRandomStreams)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        const int codeSize = 2 + round % 8;
        const QList<int> codes = randomCodes(rng, codeSize, 50 + int(rng() % 6000));
        const QByteArray lzw = encodeCodes(codes, codeSize);
        const Reference want = referenceDecode(lzw, codeSize);
        // Wide enough for everything, so only the code rules can fail.
        const int width = int(want.output.size()) + 1 + int(rng() % 40);
        QByteArray got;
        const QString error = errorOf(make(oneRowGif(width, codeSize, lzw)), &got);
        ASSERT_EQ(error, want.error) << "round " << round;
        if (want.error.isEmpty()) {
            // The one row is begun but never completed, so it reads as zero;
            // as a picture of many rows the output shows.
            EXPECT_EQ(got, QByteArray(width, '\0')) << "round " << round;
            const int w = 7;
            const int h = int(want.output.size() / w);
            if (h == 0)
                continue;
            QByteArray rows;
            ASSERT_EQ(errorOf(make(oneRowGif(w, codeSize, lzw, false, h + 1)), &rows),
                      QString()) << "round " << round;
            EXPECT_EQ(rows.left(h * w), want.output.left(h * w)) << "round " << round;
            EXPECT_EQ(rows.mid(h * w), QByteArray(w, '\0')) << "round " << round;
        }
    }
}

TEST(GifLzwCopy, LongRunsOfOneColourCrossManyNarrowRows)
{
    // A single colour gives strings 1, 2, 3, ... long, each the code just
    // being defined, copied from a short way back and then from far back.
    for (int width : {1, 3, 15, 16, 17, 33, 1000}) {
        const int height = 4000 / width + 3;
        const QByteArray flat(width * height, '\x07');
        Gif g = oneRowGif(width, 8, lzwEncode(flat, 8), false, height);
        QByteArray got;
        ASSERT_EQ(errorOf(make(g), &got), QString()) << width;
        EXPECT_EQ(got, flat) << width;
        g.frames[0].interlaced = true;
        g.frames[0].lzw = lzwEncode(flat, 8);
        ASSERT_EQ(errorOf(make(g), &got), QString()) << width;
        EXPECT_EQ(got, flat) << width;
    }
}

TEST(GifLzwCopy, RepeatingPatternsOfEveryShortPeriod)
{
    // Periods below and above the 16-byte copy pieces.
    for (int period = 1; period <= 40; ++period) {
        QByteArray pixels;
        for (int i = 0; i < 9000; ++i)
            pixels.append(char((i % period) * 5 + 1));
        const int width = 90;
        Gif g = oneRowGif(width, 8, lzwEncode(pixels, 8), false, 100);
        QByteArray got;
        ASSERT_EQ(errorOf(make(g), &got), QString()) << period;
        EXPECT_EQ(got, pixels) << period;
    }
}

TEST(GifLzwCopy, TableIsBuiltAfreshAfterEveryClear)
{
    // Enough varied data for the encoder to fill and clear its table
    // several times; codes after each clear mean new strings.
    const int w = 257, h = 300;
    const QByteArray pixels = pattern(w, h, 7, 99);
    for (int codeSize : {3, 8, 9}) {
        Gif g = oneRowGif(w, codeSize, lzwEncode(pixels, codeSize), false, h);
        QByteArray got;
        ASSERT_EQ(errorOf(make(g), &got), QString()) << codeSize;
        EXPECT_EQ(got, pixels) << codeSize;
    }
}

TEST(GifLzwCopy, InterlacedPictureCutShortKeepsTheRowsItReached)
{
    const int w = 30, h = 37;
    QByteArray pixels;
    for (int y = 0; y < h; ++y)
        pixels.append(QByteArray(w, char(y + 1)));
    // Pass order of the rows, as the file holds them.
    QList<int> order;
    for (int pass = 0; pass < 4; ++pass)
        for (int y = QList<int>{0, 4, 2, 1}[pass]; y < h; y += QList<int>{8, 8, 4, 2}[pass])
            order.append(y);
    QByteArray stored;
    for (int y : order)
        stored.append(QByteArray(w, char(y + 1)));
    const int keep = 11;   // rows in full, then part of the next
    const QByteArray lzw = lzwEncode(stored.left(keep * w + w / 2), 8, false);
    QByteArray got;
    ASSERT_EQ(errorOf(make(oneRowGif(w, 8, lzw, true, h)), &got), QString());
    for (int i = 0; i < h; ++i) {
        const int y = order[i];
        const QByteArray want = i < keep ? QByteArray(w, char(y + 1)) : QByteArray(w, '\0');
        EXPECT_EQ(got.mid(qsizetype(y) * w, w), want) << "row " << y;
    }
}

TEST(GifLzwCopy, DecodeOverwritesWhateverThePixelsHeld)
{
    // Decode into rows that already hold something: rows decoded take the
    // picture, the rest become zero.
    const int w = 9, h = 6;
    const QByteArray pixels = pattern(w, h, 16, 3);
    for (bool interlaced : {false, true}) {
        TGifSubImage image(256);
        image.Width = w;
        image.Height = h;
        image.Interlaced = interlaced;
        image.LzwCodeSize = 8;
        QByteArray part = pixels.left(3 * w);
        if (interlaced) {
            part = pixels.mid(0, w) + pixels.mid(qsizetype(4) * w, w) + pixels.mid(qsizetype(2) * w, w);
        }
        image.CompressedData.AddBlock(lzwEncode(part, 8));
        image.Pixels = std::make_unique<TByteArray2D>(h, w);
        for (int row = 1; row <= h; ++row)
            image.Pixels->SetRow(row, QByteArray(w, '\x55'));
        image.Decode();
        for (int y = 0; y < h; ++y) {
            const bool decoded = interlaced ? (y == 0 || y == 4 || y == 2) : y < 3;
            EXPECT_EQ(image.Pixels->GetRow(y + 1),
                      decoded ? pixels.mid(qsizetype(y) * w, w) : QByteArray(w, '\0'))
                << interlaced << " row " << y;
        }
    }
}

TEST(GifLzwCopy, OneDecodeBufferServesImagesOfEverySize)
{
    TGifDecodeBuffer buffer;
    for (int side : {40, 5, 120, 1, 64}) {
        const QByteArray pixels = pattern(side, side + 1, 256, unsigned(side));
        TGifSubImage image(256);
        image.Width = side;
        image.Height = side + 1;
        image.Interlaced = true;
        image.LzwCodeSize = 8;
        QByteArray stored;
        for (int pass = 0; pass < 4; ++pass)
            for (int y = QList<int>{0, 4, 2, 1}[pass]; y < side + 1; y += QList<int>{8, 8, 4, 2}[pass])
                stored.append(pixels.mid(qsizetype(y) * side, side));
        image.CompressedData.AddBlock(lzwEncode(stored, 8));
        image.Decode({}, 15, buffer);
        EXPECT_EQ(pixelsOf(image), pixels) << side;
    }
}

TEST(GifLzwCopy, AnimationFramesAreEachDecodedWhole)
{
    Gif g;
    g.width = 33;
    g.height = 20;
    g.globalTable = colorTable(256);
    for (unsigned i = 0; i < 6; ++i) {
        Frame f;
        f.width = 33 - int(i) * 3;
        f.height = 20 - int(i);
        f.interlaced = i % 2;
        f.pixels = pattern(f.width, f.height, 256, i + 5);
        g.frames.append(f);
    }
    TGifFile file;
    file.LoadFromBytes(make(g));
    ASSERT_EQ(file.SubImageCount(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(pixelsOf(file.SubImage(i + 1)), g.frames[i].pixels) << i;
}

TEST(GifLzwCopy, BlocksLeftInTheFileReadAsCopiedOnes)
{
    const QByteArray file("..abc.de..fgh", 13);
    TByteBuffer kept;
    kept.AddSourceBlock(file, 2, 3);
    kept.AddSourceBlock(file, 6, 2);
    EXPECT_FALSE(kept.IsCopied());
    EXPECT_EQ(kept.Length(), 5);
    EXPECT_EQ(kept.BlockCount(), 2);
    EXPECT_EQ(kept.Block(1), QByteArrayView("de"));
    EXPECT_EQ(kept.Bytes(), QByteArray("abcde"));
    uint8_t joined[5];
    kept.CopyTo(joined);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(joined), 5), QByteArray("abcde"));
    // A later block from elsewhere turns the whole into copies.
    kept.AddSourceBlock(QByteArray("xyz"), 1, 2);
    kept.AddBlock("!");
    EXPECT_TRUE(kept.IsCopied());
    EXPECT_EQ(kept.Bytes(), QByteArray("abcdeyz!"));
    EXPECT_EQ(kept.Block(0), QByteArrayView("abc"));
    EXPECT_EQ(kept.Block(2), QByteArrayView("yz"));
    EXPECT_THROW(kept.Block(4), EListError);
}
