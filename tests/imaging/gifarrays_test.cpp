#include "imaging/gifarrays.h"
#include "imaging/gifreader.h"

#include <gtest/gtest.h>

namespace {
template <typename F>
QString messageOf(F f)
{
    try {
        f();
    } catch (const EGifError &e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}
} // namespace

TEST(TBigByteArray, IsZeroedAndIndexedFromOne)
{
    TBigByteArray a(5);
    EXPECT_EQ(a.Get(1), 0);
    a.Set(5, 9);
    EXPECT_EQ(a.Get(5), 9);
    EXPECT_EQ(a.data()[4], 9);
    EXPECT_EQ(messageOf([&] { a.Get(0); }), "Dynamic array index out of bounds");
    EXPECT_EQ(messageOf([&] { a.Set(6, 1); }), "Dynamic array index out of bounds");
}

TEST(TBigByteArray, ImpossibleSizeIsReportedNotThrownAsBadAlloc)
{
    const qint64 huge = qint64(1) << 60;
    EXPECT_EQ(messageOf([&] { TBigByteArray a(huge); }),
              "error in TBigByteArray.create: Not enough contiguous memory available\r\n"
              " requested memory block: 1152921504606846976 bytes");
    EXPECT_THROW(TBigByteArray(-1), ENotEnoughMemory);
}

TEST(TByteArray2D, RowsAreReadAndWrittenWhole)
{
    TByteArray2D m(3, 4);
    m.SetRow(2, "abcd");
    EXPECT_EQ(m.GetRow(2), "abcd");
    EXPECT_EQ(m.GetRow(1), QByteArray(4, '\0'));
    EXPECT_EQ(m.Get(2, 4), 'd');
    EXPECT_EQ(messageOf([&] { m.SetRow(4, "abcd"); }), "Dynamic array index out of bounds");
    EXPECT_EQ(messageOf([&] { m.GetRow(0); }), "Dynamic array index out of bounds");
    EXPECT_EQ(messageOf([&] { m.Get(1, 5); }), "Dynamic array index out of bounds");
    EXPECT_EQ(messageOf([&] { m.SetRow(1, "abc"); }),
              "Row doesn't have equal number of elements as Matrix row");
}

TEST(TColorTable, StartsWithTheTableForItsCount)
{
    TColorTable two(2);
    EXPECT_EQ(two.Entry(0), (TRgb{0, 0, 0}));
    EXPECT_EQ(two.Entry(1), (TRgb{255, 255, 255}));

    TColorTable sixteen(16);
    const TRgb expected[16] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                               {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
                               {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                               {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(sixteen.Entry(i), expected[i]) << i;
    EXPECT_EQ(sixteen.Entry(16), (TRgb{0, 0, 0}));

    TColorTable grey(256);
    EXPECT_EQ(grey.Entry(77), (TRgb{77, 77, 77}));

    TColorTable none(0);
    EXPECT_EQ(none.Count(), 0);
    EXPECT_EQ(none.Entry(1), (TRgb{255, 255, 255}));

    TColorTable four(4);
    EXPECT_EQ(four.Entry(1), (TRgb{0, 0, 0}));
}

TEST(TGifSubImage, ColourCountMustBeAPowerOfTwoUpTo256)
{
    for (int bad : {0, 1, 3, 6, 100, 512, -2})
        EXPECT_EQ(messageOf([&] { TGifSubImage s(bad); }),
                  QStringLiteral("Number of colors (%1) wrong; must be a power of 2").arg(bad));
    TGifSubImage mono(2);
    EXPECT_EQ(mono.BitsPerPixel, 1);
    EXPECT_EQ(mono.CodeSize, 2);
    TGifSubImage full(256);
    EXPECT_EQ(full.BitsPerPixel, 8);
    EXPECT_EQ(full.CodeSize, 8);
    EXPECT_EQ(full.ColorTable.Entry(200), (TRgb{200, 200, 200}));
}
