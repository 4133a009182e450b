#pragma once
// Loading a picture file for the previews. Every failure comes back as a
// message; the caller keeps its previous picture. Nothing here touches a
// window, so a load may run on any thread.
#include "platform/result.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The picture, or why it could not be had (the image is then null).
using PictureResult = ResultOf<QImage>;

// Largest picture any reader here hands out.
constexpr qint64 kMaxPicturePixels = 100'000'000;
constexpr int kMaxPictureSide = 16384;
// Picture files are read whole; anything larger is refused unread.
constexpr qint64 kMaxPictureFileBytes = 512ll * 1024 * 1024;

// Chooses the reader by the file's extension (any case): .jpg/.jpeg through
// libjpeg, .gif through our GIF reader, .bmp/.ico/.png through Qt.
PictureResult loadPicture(const QString &path);

// The first image of a GIF as an 8-bit palette image.
PictureResult decodeGif(const QByteArray &bytes, qint64 maxPixels = kMaxPicturePixels);
// A JPEG (baseline or progressive; grey, colour or CMYK) as an RGB image.
PictureResult decodeJpeg(const QByteArray &bytes, qint64 maxPixels = kMaxPicturePixels);
