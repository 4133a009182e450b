#include "gifwriter.h"
#include "imaging/gifimage.h"
#include "imaging/gifreader.h"

#include <gtest/gtest.h>

#include <memory>

using namespace testgif;

namespace {

std::unique_ptr<TGifFile> load(const QByteArray &bytes)
{
    auto file = std::make_unique<TGifFile>();
    file->LoadFromBytes(bytes);
    return file;
}

QString errorOf(const QByteArray &bytes)
{
    try {
        TGifFile file;
        file.LoadFromBytes(bytes);
        file.SubImage(1);
    } catch (const EGifError &e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

QByteArray pixelsOf(const TGifSubImage &image)
{
    QByteArray out;
    for (int row = 1; row <= image.Pixels->rows(); ++row)
        out.append(image.Pixels->GetRow(row));
    return out;
}

Gif oneFrame(int width, int height, const QByteArray &pixels, int codeSize = 8)
{
    Gif g;
    g.width = width;
    g.height = height;
    g.globalTable = colorTable(256);
    Frame f;
    f.width = width;
    f.height = height;
    f.pixels = pixels;
    f.codeSize = codeSize;
    g.frames.append(f);
    return g;
}

// A frame whose compressed data is the given code stream.
QByteArray withCodes(int width, int height, int codeSize, const QList<int> &codes)
{
    CodeWriter w(codeSize);
    for (int c : codes)
        w.put(c);
    Gif g = oneFrame(width, height, {}, codeSize);
    g.frames[0].lzw = w.finish();
    return make(g);
}

} // namespace

// ------------------------------------------------------------ round trips

struct RoundTrip {
    int width, height, colours, codeSize;
    bool interlaced;
};

class GifRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(GifRoundTrip, DecodesWhatWasEncoded)
{
    const RoundTrip p = GetParam();
    Gif g = oneFrame(p.width, p.height, pattern(p.width, p.height, p.colours), p.codeSize);
    g.frames[0].interlaced = p.interlaced;
    auto file = load(make(g));
    ASSERT_EQ(file->SubImageCount(), 1);
    const TGifSubImage &img = file->SubImage(1);
    EXPECT_EQ(img.Width, p.width);
    EXPECT_EQ(img.Height, p.height);
    EXPECT_EQ(img.Interlaced, p.interlaced);
    EXPECT_EQ(pixelsOf(img), g.frames[0].pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, GifRoundTrip,
    ::testing::Values(RoundTrip{1, 1, 2, 2, false}, RoundTrip{7, 3, 4, 2, false},
                      RoundTrip{5, 9, 4, 2, true}, RoundTrip{3, 1, 8, 3, true},
                      RoundTrip{2, 2, 16, 4, true}, RoundTrip{1, 300, 256, 8, false},
                      RoundTrip{300, 211, 256, 8, false}, RoundTrip{300, 211, 256, 8, true},
                      RoundTrip{641, 17, 32, 5, true}, RoundTrip{1000, 400, 2, 2, false},
                      RoundTrip{13, 13, 256, 9, false}));

TEST(GifReader, RepeatedRunsUseTheCodeBeingDefined)
{
    // A single colour makes every string the one just being defined.
    const QByteArray flat(120 * 90, '\x05');
    auto file = load(make(oneFrame(120, 90, flat)));
    EXPECT_EQ(pixelsOf(file->SubImage(1)), flat);
}

TEST(GifReader, InterlacedRowsComeOutInPictureOrder)
{
    // Every row holds its own number, so any misplaced row shows.
    const int h = 19, w = 4;
    QByteArray pixels;
    for (int y = 0; y < h; ++y)
        pixels.append(QByteArray(w, char(y)));
    Gif g = oneFrame(w, h, pixels);
    g.frames[0].interlaced = true;
    auto file = load(make(g));
    for (int y = 0; y < h; ++y)
        EXPECT_EQ(file->SubImage(1).Pixels->GetRow(y + 1), QByteArray(w, char(y))) << y;
}

// ------------------------------------------------------- header and stream

TEST(GifReader, AcceptsBothVersionsInEitherCase)
{
    for (const char *v : {"87a", "89a", "87A", "89A"}) {
        Gif g = oneFrame(3, 2, pattern(3, 2));
        g.version = v;
        auto file = load(make(g));
        EXPECT_EQ(file->Version, QByteArray(v));
        EXPECT_EQ(file->SubImageCount(), 1);
    }
}

TEST(GifReader, RefusesOtherVersions)
{
    for (const char *v : {"90a", "89b", "88a", "\0\0\0"}) {
        Gif g = oneFrame(3, 2, pattern(3, 2));
        g.version = QByteArray(v, 3);
        EXPECT_EQ(errorOf(make(g)), "Gif Version must be 87a or 89a");
    }
    EXPECT_EQ(errorOf(QByteArray()), "Gif Version must be 87a or 89a");
}

TEST(GifReader, SignatureIsNotExamined)
{
    Gif g = oneFrame(4, 4, pattern(4, 4));
    g.signature = "PNG";
    auto file = load(make(g));
    EXPECT_EQ(file->Signature, QByteArray("PNG"));
    EXPECT_EQ(pixelsOf(file->SubImage(1)), g.frames[0].pixels);
}

TEST(GifReader, ReadsTheScreenDescriptorAndGlobalTable)
{
    Gif g = oneFrame(2, 2, QByteArray("\x00\x01\x02\x07", 4));
    g.width = 640;
    g.height = 480;
    g.globalTable = colorTable(8);
    auto file = load(make(g));
    EXPECT_EQ(file->ScreenWidth, 640);
    EXPECT_EQ(file->ScreenHeight, 480);
    EXPECT_TRUE(file->HasGlobalColorTable);
    EXPECT_EQ(file->BitsPerPixel, 3);
    EXPECT_EQ(file->GlobalColorTable.Count(), 8);
    EXPECT_EQ(file->GlobalColorTable.Entry(7), (TRgb{7, 248, 49}));
    // Entries past the count keep their initial black.
    EXPECT_EQ(file->GlobalColorTable.Entry(8), (TRgb{0, 0, 0}));
}

TEST(GifReader, CountFollowsTheDescriptorEvenWithoutATable)
{
    Gif g = oneFrame(2, 1, QByteArray("\x00\x01", 2));
    g.globalTable.clear();
    g.globalBits = 4;
    auto file = load(make(g));
    EXPECT_FALSE(file->HasGlobalColorTable);
    EXPECT_EQ(file->GlobalColorTable.Count(), 16);
    EXPECT_EQ(file->GlobalColorTable.Entry(0), (TRgb{0, 0, 0}));
    EXPECT_EQ(file->GlobalColorTable.Entry(1), (TRgb{255, 255, 255}));
    EXPECT_EQ(file->GlobalColorTable.Entry(2), (TRgb{0, 0, 0}));
    // The sub-image was created with the global count, so its table
    // started as the sixteen standard colours.
    EXPECT_EQ(file->SubImage(1).ColorTable.Entry(12), (TRgb{0, 0, 255}));
}

TEST(GifReader, MissingTrailerAndTerminatorAreTolerated)
{
    Gif g = oneFrame(6, 5, pattern(6, 5));
    g.trailer = false;
    g.frames[0].terminate = false;
    auto file = load(make(g));
    EXPECT_EQ(pixelsOf(file->SubImage(1)), g.frames[0].pixels);
}

TEST(GifReader, StrayByteEndsTheStreamKeepingEarlierImages)
{
    Gif g = oneFrame(3, 3, pattern(3, 3));
    g.beforeTrailer = QByteArray("\x99,junk", 6);
    auto file = load(make(g));
    EXPECT_EQ(file->SubImageCount(), 1);
}

TEST(GifReader, FileWithoutImagesHasNoFirstSubImage)
{
    Gif g;
    g.globalTable = colorTable(2);
    g.beforeTrailer = comment("just words");
    EXPECT_EQ(load(make(g))->SubImageCount(), 0);
    EXPECT_EQ(errorOf(make(g)), "List index out of bounds (0)");
    TGifFile empty;
    EXPECT_THROW(empty.SubImage(0), EListError);
}

TEST(GifReader, AnimationKeepsEveryFrameInOrder)
{
    Gif g = oneFrame(4, 3, pattern(4, 3, 256, 1));
    for (unsigned seed = 2; seed <= 3; ++seed) {
        Frame f = g.frames[0];
        f.pixels = pattern(4, 3, 256, seed * 77);
        f.left = int(seed);
        f.before = graphicControl(int(seed) << 2, 10) + application("NETSCAPE2.0", "\x01\x00\x00");
        g.frames.append(f);
    }
    auto file = load(make(g));
    ASSERT_EQ(file->SubImageCount(), 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(pixelsOf(file->SubImage(i)), g.frames[i - 1].pixels);
    EXPECT_EQ(file->SubImage(3).Left, 3);
    EXPECT_EQ(file->SubImage(3).DisposalMethod, 3);
    EXPECT_EQ(gifToPaletteImage(*file).pixelIndex(1, 1), uint8_t(g.frames[0].pixels[5]));
}

// -------------------------------------------------------------- extensions

TEST(GifReader, ExtensionsBelongToTheImageThatFollows)
{
    Gif g = oneFrame(2, 2, pattern(2, 2));
    g.frames[0].before = graphicControl(0x09, 300, 4) + comment("hello")
        + plainText("shown") + graphicControl(0x04 << 2 | 0x01, 0, 0)
        + application("NETSCAPE2.0", QByteArray("\x01\x05\x00", 3));
    auto file = load(make(g));
    const TGifSubImage &img = file->SubImage(1);
    ASSERT_EQ(img.Extensions.Count(), 5);
    EXPECT_EQ(img.Extensions.Item(0).kind, TExtension::GraphicControl);
    EXPECT_EQ(img.Extensions.Item(0).fixedBytes, QByteArray("\x04\x09\x2C\x01\x04\x00", 6));
    EXPECT_EQ(img.Extensions.Item(1).kind, TExtension::Comment);
    EXPECT_EQ(img.Extensions.Item(1).subBlocks, QList<QByteArray>{"hello"});
    EXPECT_EQ(img.Extensions.Item(2).kind, TExtension::PlainText);
    EXPECT_EQ(img.Extensions.Item(2).fixedBytes.size(), 13);
    EXPECT_EQ(img.Extensions.Item(4).kind, TExtension::Application);
    EXPECT_EQ(img.Extensions.Item(4).fixedBytes, QByteArray("\x0BNETSCAPE2.0"));
    EXPECT_EQ(img.Extensions.Item(4).subBlocks.value(0), QByteArray("\x01\x05\x00", 3));
    // The last graphic control wins.
    EXPECT_EQ(img.DisposalMethod, 4);
    EXPECT_TRUE(img.Transparent);
}

TEST(GifReader, NoGraphicControlMeansNoDisposalOrTransparency)
{
    Gif g = oneFrame(2, 2, pattern(2, 2));
    g.frames[0].before = comment("x");
    auto file = load(make(g));
    EXPECT_EQ(file->SubImage(1).DisposalMethod, 0);
    EXPECT_FALSE(file->SubImage(1).Transparent);
}

TEST(GifReader, UnknownExtensionLabelIsRefusedWithItsHexCode)
{
    Gif g = oneFrame(2, 2, pattern(2, 2));
    g.frames[0].before = QByteArray("\x21\x02\x00", 3);
    EXPECT_EQ(errorOf(make(g)), "Unrecognized extension block.\r\nCode = $02");
    g.frames[0].before = QByteArray("\x21\xAB\x00", 3);
    EXPECT_EQ(errorOf(make(g)), "Unrecognized extension block.\r\nCode = $AB");
}

TEST(GifReader, CommentAfterTheLastImageIsReadAndDropped)
{
    Gif g = oneFrame(5, 4, pattern(5, 4));
    g.beforeTrailer = comment(QByteArray(600, 'c'));
    auto file = load(make(g));
    EXPECT_EQ(file->SubImageCount(), 1);
    EXPECT_EQ(pixelsOf(file->SubImage(1)), g.frames[0].pixels);
}

TEST(GifReader, ExtensionCutShortAtTheEndIsNotAnError)
{
    Gif g = oneFrame(2, 2, pattern(2, 2));
    g.trailer = false;
    g.beforeTrailer = "!";
    EXPECT_EQ(load(make(g))->SubImageCount(), 1);
    g.beforeTrailer = QByteArray("\x21\xFE\x09shor", 7);
    EXPECT_EQ(load(make(g))->SubImageCount(), 1);
}

TEST(GifReader, CompressedDataKeepsItsSubBlocks)
{
    Gif g = oneFrame(40, 40, pattern(40, 40));
    const QByteArray lzw = lzwEncode(g.frames[0].pixels, 8);
    QByteArray bytes = make(g);
    auto file = load(bytes);
    const TByteBuffer &data = file->SubImage(1).CompressedData;
    EXPECT_EQ(data.Length(), lzw.size());
    EXPECT_EQ(data.Bytes(), lzw);
    ASSERT_EQ(data.BlockCount(), int((lzw.size() + 254) / 255));
    EXPECT_EQ(data.Block(0), QByteArrayView(lzw).first(255));
    EXPECT_THROW(data.Block(data.BlockCount()), EListError);
}

// -------------------------------------------------------------- LZW rules

TEST(GifLzw, CodeSizeMustBeTwoToNine)
{
    for (int size : {0, 1, 10, 12, 255}) {
        Gif g = oneFrame(2, 2, pattern(2, 2));
        g.frames[0].codeSize = size;
        g.frames[0].lzw = QByteArray("\x00\x00", 2);
        EXPECT_EQ(errorOf(make(g)), "Bad code Size") << size;
    }
}

TEST(GifLzw, EndCodeRightAfterAClearIsABadCode)
{
    EXPECT_EQ(errorOf(withCodes(2, 1, 2, {4, 5})), "Bad code");
    EXPECT_EQ(errorOf(withCodes(2, 1, 2, {4, 4, 4, 5})), "Bad code");
    // Decoding starts as if a clear code had been seen.
    EXPECT_EQ(errorOf(withCodes(2, 1, 2, {5})), "Bad code");
}

TEST(GifLzw, CodeBeyondTheNextFreeEntryIsABadCode)
{
    // After clear, 1, 2, 3 the next free entry is 8; 9 is beyond it.
    EXPECT_EQ(errorOf(withCodes(4, 1, 2, {4, 1, 2, 3, 9})), "Bad code");
    // 7 itself is the string being defined: 2 2.
    auto file = load(withCodes(4, 1, 2, {4, 1, 2, 7, 5}));
    EXPECT_EQ(pixelsOf(file->SubImage(1)), QByteArray("\x01\x02\x02\x02", 4));
}

TEST(GifLzw, CodeNotInTheTableAfterAClearCountsAsZero)
{
    auto file = load(withCodes(2, 1, 2, {4, 4, 6, 3, 5}));
    EXPECT_EQ(pixelsOf(file->SubImage(1)), QByteArray("\x00\x03", 2));
}

TEST(GifLzw, WorksWithoutALeadingClearCode)
{
    auto file = load(withCodes(3, 1, 2, {1, 2, 3, 5}));
    EXPECT_EQ(pixelsOf(file->SubImage(1)), QByteArray("\x01\x02\x03", 3));
}

namespace {
// Clear, then literals until the table is full (4096 entries).
QList<int> fillTable(int codeSize)
{
    CodeWriter sim(codeSize);
    QList<int> codes{sim.clearCode()};
    sim.put(sim.clearCode());
    while (sim.nextFree() < 4096) {
        codes.append(codes.size() % 3);
        sim.put(codes.last());
    }
    return codes;
}
} // namespace

TEST(GifLzw, FullTableMustBeFollowedByAClearCode)
{
    QList<int> codes = fillTable(8);
    const int pixels = int(codes.size()) - 1;
    QList<int> overflow = codes;
    overflow.append(1);
    EXPECT_EQ(errorOf(withCodes(pixels + 1, 1, 8, overflow)), "Code size overflow");

    QList<int> cleared = codes;
    cleared.append({256, 1, 257});
    auto file = load(withCodes(pixels + 1, 1, 8, cleared));
    EXPECT_EQ(uint8_t(pixelsOf(file->SubImage(1)).back()), 1);
}

TEST(GifLzw, EndCodeIsAcceptedWhenTheTableIsFull)
{
    QList<int> codes = fillTable(8);
    const int pixels = int(codes.size()) - 1;
    codes.append(257);
    auto file = load(withCodes(pixels, 1, 8, codes));
    EXPECT_EQ(pixelsOf(file->SubImage(1)).size(), pixels);
}

TEST(GifLzw, DataEndingEarlyKeepsCompletedRowsAndZeroBelow)
{
    const int w = 50, h = 40;
    QByteArray pixels = pattern(w, h, 255);
    for (char &c : pixels)
        c = char(uint8_t(c) + 1);   // no zero anywhere in the picture
    Gif g = oneFrame(w, h, pixels);
    const QByteArray full = lzwEncode(pixels, 8);
    g.frames[0].lzw = full.left(full.size() / 2);
    auto file = load(make(g));
    const TGifSubImage &img = file->SubImage(1);
    int firstBlank = -1;
    for (int y = 1; y <= h; ++y) {
        const QByteArray row = img.Pixels->GetRow(y);
        if (row == QByteArray(w, '\0')) {
            if (firstBlank < 0)
                firstBlank = y;
        } else {
            EXPECT_LT(firstBlank, 0) << "row " << y << " after a blank row";
            EXPECT_EQ(row, pixels.mid(qsizetype(y - 1) * w, w)) << "row " << y;
        }
    }
    EXPECT_GT(firstBlank, 1);
    EXPECT_LT(firstBlank, h);
}

TEST(GifLzw, EndCodeInMidRowLeavesThatRowBlank)
{
    auto file = load(withCodes(2, 2, 2, {4, 1, 2, 3, 5}));
    EXPECT_EQ(pixelsOf(file->SubImage(1)), QByteArray("\x01\x02\x00\x00", 4));
}

TEST(GifLzw, TooMuchPixelDataIsAnIndexError)
{
    Gif g = oneFrame(3, 2, pattern(3, 3));
    g.frames[0].pixels = pattern(3, 3);   // one row more than the image
    EXPECT_EQ(errorOf(make(g)), "Dynamic array index out of bounds");
    g.frames[0].pixels = pattern(3, 3).left(8);   // only part of an extra row
    auto file = load(make(g));
    EXPECT_EQ(pixelsOf(file->SubImage(1)), pattern(3, 3).left(6));
    // A zero-high image has no room for any row.
    Gif flat = oneFrame(3, 0, pattern(3, 1));
    EXPECT_EQ(errorOf(make(flat)), "Dynamic array index out of bounds");
}

TEST(GifLzw, ZeroWidthImageDecodesToNothing)
{
    auto file = load(withCodes(0, 5, 2, {4, 1, 2, 6, 5}));
    EXPECT_EQ(file->SubImage(1).Pixels->columns(), 0);
}

// -------------------------------------------------------------- limits

TEST(GifReader, RefusesPicturesTooLargeToHold)
{
    Gif g = oneFrame(20000, 2, {});
    g.frames[0].lzw = lzwEncode("\x01", 8);
    EXPECT_EQ(errorOf(make(g)), "Picture too large: 20000 x 2 pixels");
    g.frames[0].width = 12000;
    g.frames[0].height = 12000;
    EXPECT_EQ(errorOf(make(g)), "Picture too large: 12000 x 12000 pixels");
}

TEST(GifReader, RefusesAnimationsHoldingTooManyPixelsInAll)
{
    Gif g = oneFrame(100, 100, {});
    g.frames[0].lzw = lzwEncode("\x01", 8);
    for (int i = 0; i < 4; ++i)
        g.frames.append(g.frames[0]);
    TGifFile file;
    file.SetPixelLimits(10000, 40000);
    try {
        file.LoadFromBytes(make(g));
        FAIL() << "accepted";
    } catch (const EGifException &e) {
        EXPECT_EQ(e.message(), "Animation too large: its images hold more than 40000 pixels");
    }
}

// -------------------------------------------------------------- yielding

TEST(GifReader, TallImagesCallTheYieldHookBetweenRows)
{
    int calls = 0;
    TGifFile tall;
    tall.SetYieldHook([&] { ++calls; }, 0);
    tall.LoadFromBytes(simple(3, 201));
    EXPECT_EQ(calls, 201);

    calls = 0;
    TGifFile shortOne;
    shortOne.SetYieldHook([&] { ++calls; }, 0);
    shortOne.LoadFromBytes(simple(3, 200));
    EXPECT_EQ(calls, 0);

    // With the normal interval a fast decode yields rarely, not per row.
    calls = 0;
    TGifFile paced;
    paced.SetYieldHook([&] { ++calls; });
    paced.LoadFromBytes(simple(3, 300));
    EXPECT_LT(calls, 10);
}

// ------------------------------------------------------- palette picture

TEST(GifImage, UsesTheLocalTableWhenPresentElseTheGlobal)
{
    Gif g = oneFrame(3, 2, QByteArray("\x00\x01\x02\x03\x04\x07", 6));
    g.globalTable = colorTable(8);
    QImage global = gifToPaletteImage(*load(make(g)));
    ASSERT_EQ(global.format(), QImage::Format_Indexed8);
    EXPECT_EQ(global.size(), QSize(3, 2));
    EXPECT_EQ(global.colorCount(), 256);
    EXPECT_EQ(global.pixelIndex(2, 1), 7);
    EXPECT_EQ(global.pixel(2, 1), qRgb(7, 248, 49));

    QByteArray local;
    for (int i = 0; i < 8; ++i)
        local.append(QByteArray(3, char(200 + i)));
    g.frames[0].localTable = local;
    QImage withLocal = gifToPaletteImage(*load(make(g)));
    EXPECT_EQ(withLocal.pixel(2, 1), qRgb(207, 207, 207));
    EXPECT_EQ(withLocal.pixel(0, 0), qRgb(200, 200, 200));
    // Indices past the table's count show the table's storage: black.
    EXPECT_EQ(withLocal.color(8), qRgb(0, 0, 0));
}

TEST(GifImage, OffsetsAndScreenSizePlayNoPart)
{
    Gif g = oneFrame(4, 3, pattern(4, 3));
    g.width = 100;
    g.height = 1;
    g.frames[0].left = 50;
    g.frames[0].top = 7;
    QImage image = gifToPaletteImage(*load(make(g)));
    EXPECT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(image.pixelIndex(3, 2), uint8_t(g.frames[0].pixels[11]));
}
