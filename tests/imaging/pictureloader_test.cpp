#include "gifwriter.h"
#include "imaging/pictureloader.h"
#include "support/fifofeeder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

// Left half red, right half blue, with a green bar along the top.
QImage testPicture(int w = 64, int h = 48)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, y < 8 ? qRgb(0, 200, 0) : x < w / 2 ? qRgb(220, 20, 20)
                                                                     : qRgb(20, 20, 220));
    return image;
}

QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes;
}

// A CMYK JPEG written the way most layout programs write it: an Adobe
// marker and inverted ink values.
QByteArray cmykJpeg(int w, int h, const uint8_t cmyk[4])
{
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = JDIMENSION(w);
    c.image_height = JDIMENSION(h);
    c.input_components = 4;
    c.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(size_t(w) * 4);
    for (int x = 0; x < w; ++x)
        for (int k = 0; k < 4; ++k)
            row[size_t(x) * 4 + size_t(k)] = JSAMPLE(255 - cmyk[k]);
    while (c.next_scanline < c.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray bytes(reinterpret_cast<const char *>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

bool near(QRgb a, QRgb b, int tolerance = 24)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

// ------------------------------------------------------------------ JPEG

TEST(JpegDecoder, DecodesBaselineAndProgressiveWithTheirColours)
{
    for (bool progressive : {false, true}) {
        const PictureResult r = decodeJpeg(encoded(testPicture(), "jpg", progressive));
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_EQ(r.value.size(), QSize(64, 48));
        EXPECT_TRUE(near(r.value.pixel(10, 30), qRgb(220, 20, 20)));
        EXPECT_TRUE(near(r.value.pixel(50, 30), qRgb(20, 20, 220)));
        EXPECT_TRUE(near(r.value.pixel(30, 2), qRgb(0, 200, 0)));
    }
}

TEST(JpegDecoder, GreyPicturesStayGrey)
{
    QImage grey(20, 10, QImage::Format_Grayscale8);
    grey.fill(qRgb(90, 90, 90));
    const PictureResult r = decodeJpeg(encoded(grey, "jpg"));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.value.format(), QImage::Format_Grayscale8);
    EXPECT_TRUE(near(r.value.pixel(5, 5), qRgb(90, 90, 90), 4));
}

TEST(JpegDecoder, CmykPicturesBecomeRgb)
{
    const uint8_t cyan[4] = {255, 0, 0, 0};
    const PictureResult r = decodeJpeg(cmykJpeg(16, 16, cyan));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_TRUE(near(r.value.pixel(8, 8), qRgb(0, 255, 255)));
}

TEST(JpegDecoder, DamagedDataGivesAMessageNotACrash)
{
    const QByteArray good = encoded(testPicture(200, 150), "jpg");
    const PictureResult truncated = decodeJpeg(good.left(good.size() / 2));
    EXPECT_FALSE(truncated.ok);
    EXPECT_TRUE(truncated.value.isNull());
    EXPECT_EQ(truncated.message, "Premature end of JPEG file");

    EXPECT_FALSE(decodeJpeg(good.left(100)).ok);
    EXPECT_FALSE(decodeJpeg(QByteArray()).ok);
    const PictureResult notJpeg = decodeJpeg("GIF89a and so on");
    EXPECT_TRUE(notJpeg.message.startsWith("Not a JPEG file")) << notJpeg.message.toStdString();
}

TEST(JpegDecoder, RefusesPicturesLargerThanTheLimit)
{
    const PictureResult r = decodeJpeg(encoded(testPicture(100, 100), "jpg"), 9999);
    EXPECT_EQ(r.message, "Picture too large: 100 x 100 pixels");
}

// ----------------------------------------------------------------- loader

TEST(PictureLoader, ChoosesTheReaderByExtensionInAnyCase)
{
    QTemporaryDir dir;
    const QByteArray gif = testgif::simple(30, 20);
    const QByteArray jpg = encoded(testPicture(), "jpg");

    for (const char *name : {"a.gif", "b.GIF", "c.Gif"}) {
        const PictureResult r = loadPicture(writeFile(dir, name, gif));
        ASSERT_TRUE(r.ok) << name << r.message.toStdString();
        EXPECT_EQ(r.value.format(), QImage::Format_Indexed8);
        EXPECT_EQ(r.value.size(), QSize(30, 20));
    }
    for (const char *name : {"d.jpg", "e.JPEG", "f.Jpg"}) {
        const PictureResult r = loadPicture(writeFile(dir, name, jpg));
        ASSERT_TRUE(r.ok) << name << r.message.toStdString();
        EXPECT_EQ(r.value.size(), QSize(64, 48));
    }
    // The extension decides: GIF bytes under a .jpg name are a JPEG error.
    EXPECT_FALSE(loadPicture(writeFile(dir, "g.jpg", gif)).ok);
    EXPECT_EQ(loadPicture(writeFile(dir, "h.gif", jpg)).message, "Gif Version must be 87a or 89a");
}

TEST(PictureLoader, PngBmpAndIcoGoThroughQt)
{
    QTemporaryDir dir;
    for (const char *format : {"png", "bmp", "ico"}) {
        const QString path = writeFile(dir, QStringLiteral("p.%1").arg(format).toUpper(),
                                       encoded(testPicture(32, 32), format));
        const PictureResult r = loadPicture(path);
        ASSERT_TRUE(r.ok) << format << r.message.toStdString();
        EXPECT_EQ(r.value.size(), QSize(32, 32));
        EXPECT_TRUE(near(r.value.pixel(5, 20), qRgb(220, 20, 20), 0));
    }
    EXPECT_FALSE(loadPicture(writeFile(dir, "broken.png", "\x89PNG nothing")).ok);
}

TEST(PictureLoader, UnknownExtensionsAreRefusedByName)
{
    QTemporaryDir dir;
    const QString tif = writeFile(dir, "scan.TIF", "II*");
    EXPECT_EQ(loadPicture(tif).message, "Unknown picture file extension (.TIF)");
    EXPECT_EQ(loadPicture(dir.filePath("noextension")).message,
              "Unknown picture file extension (.)");
    EXPECT_EQ(loadPicture(dir.filePath("missing.webp")).message,
              "Unknown picture file extension (.webp)");
}

TEST(PictureLoader, FilesThatCannotBeOpenedAreNamed)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.gif");
    EXPECT_EQ(loadPicture(missing).message, "Cannot open file " + missing);
    QDir(dir.path()).mkdir("folder.png");
    EXPECT_EQ(loadPicture(dir.filePath("folder.png")).message,
              "Cannot open file " + dir.filePath("folder.png"));
}

TEST(PictureLoader, GifFailuresAndEmptyPicturesAreMessages)
{
    EXPECT_EQ(decodeGif(QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14)).message,
              "List index out of bounds (0)");
    testgif::Gif g;
    testgif::Frame f;
    f.width = 0;
    f.height = 3;
    testgif::CodeWriter w(2);
    for (int c : {4, 1, 5})
        w.put(c);
    f.lzw = w.finish();
    f.codeSize = 2;
    g.frames.append(f);
    EXPECT_EQ(decodeGif(testgif::make(g)).message, "The picture has no pixels (0 x 3)");
}

// Writes small valid pictures into $MIVOR_IMAGING_SEEDS for the fuzzers.
TEST(PictureLoader, WritesFuzzSeedsWhenAsked)
{
    const QString folder = qEnvironmentVariable("MIVOR_IMAGING_SEEDS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set MIVOR_IMAGING_SEEDS to a folder to write the seed corpus";
    QDir().mkpath(folder + "/gif");
    QDir().mkpath(folder + "/jpeg");
    auto put = [&](const QString &name, const QByteArray &bytes) {
        QFile out(folder + "/" + name);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    };
    using namespace testgif;
    put("gif/plain.gif", simple(17, 9));
    put("gif/interlaced.gif", simple(11, 13, true));
    Gif g;
    g.width = 8;
    g.height = 8;
    g.globalTable = colorTable(4);
    for (int i = 0; i < 3; ++i) {
        Frame f;
        f.width = 4 + i;
        f.height = 5;
        f.codeSize = 2;
        f.pixels = pattern(f.width, 5, 4, unsigned(i + 1));
        f.before = graphicControl(i << 2 | 1, 5, 1) + comment("frame");
        if (i == 1)
            f.localTable = colorTable(8);
        g.frames.append(f);
    }
    g.beforeTrailer = application("NETSCAPE2.0", QByteArray("\x01\x00\x00", 3)) + plainText("t");
    put("gif/animated.gif", make(g));
    Gif big = g;
    big.frames = {g.frames[0]};
    big.frames[0].width = 70;
    big.frames[0].height = 70;
    big.frames[0].codeSize = 8;
    big.frames[0].pixels = pattern(70, 70, 256, 9);
    big.globalTable = colorTable(256);
    put("gif/tablefill.gif", make(big));
    put("jpeg/baseline.jpg", encoded(testPicture(24, 16), "jpg"));
    put("jpeg/progressive.jpg", encoded(testPicture(24, 16), "jpg", true));
    QImage grey(9, 7, QImage::Format_Grayscale8);
    grey.fill(120);
    put("jpeg/grey.jpg", encoded(grey, "jpg"));
    const uint8_t ink[4] = {10, 200, 30, 40};
    put("jpeg/cmyk.jpg", cmykJpeg(8, 8, ink));
}

TEST(PictureLoader, AFifoIsRefusedWithoutWaitingForAWriter)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("photo.gif"));
    FifoFeeder feeder(fifo, "GIF89a");
    ASSERT_TRUE(feeder.made());
    EXPECT_EQ(loadPicture(fifo).message, QStringLiteral("Cannot open file ") + fifo);
}
