#pragma once
// Loading a picture file for the previews. Every failure comes back as a
// message; the caller keeps its previous picture.
#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

struct PictureResult {
    QImage image;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Largest picture any reader here hands out.
constexpr qint64 kMaxPicturePixels = 100'000'000;
constexpr int kMaxPictureSide = 16384;
// Picture files are read whole; anything larger is refused unread.
constexpr qint64 kMaxPictureFileBytes = 512ll * 1024 * 1024;

// Chooses the reader by the file's extension (any case): .jpg/.jpeg through
// libjpeg, .gif through our GIF reader, .bmp/.ico/.png through Qt. The hook
// is given to the GIF reader for tall pictures (see TGifFile).
PictureResult loadPicture(const QString &path, const std::function<void()> &yield = {});

// The first image of a GIF as an 8-bit palette image.
PictureResult decodeGif(const QByteArray &bytes, const std::function<void()> &yield = {},
                        qint64 maxPixels = kMaxPicturePixels);
// A JPEG (baseline or progressive; grey, colour or CMYK) as an RGB image.
PictureResult decodeJpeg(const QByteArray &bytes, qint64 maxPixels = kMaxPicturePixels);
