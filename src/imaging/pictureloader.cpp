#include "imaging/pictureloader.h"

#include "imaging/gifimage.h"
#include "imaging/gifreader.h"
#include "platform/fileio.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <new>

namespace {

PictureResult failure(const QString &message)
{
    return PictureResult::failure(message);
}

PictureResult decodeWithQt(const QByteArray &bytes, const QByteArray &format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (size.isValid()
        && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide
            || qint64(size.width()) * size.height() > kMaxPicturePixels))
        return failure(QStringLiteral("Picture too large: %1 x %2 pixels")
                           .arg(size.width())
                           .arg(size.height()));
    QImage image = reader.read();
    if (image.isNull())
        return failure(reader.errorString());
    return PictureResult::success(image);
}

} // namespace

PictureResult decodeGif(const QByteArray &bytes, qint64 maxPixels)
{
    try {
        TGifFile file;
        file.SetPixelLimits(maxPixels,
                            std::min(gif_limits::kMaxTotalPixels, maxPixels * 4));
        file.LoadFromBytes(bytes);
        QImage image = gifToPaletteImage(file);
        if (image.isNull()) {
            const TGifSubImage &first = file.SubImage(1);
            if (first.Width == 0 || first.Height == 0)
                return failure(QStringLiteral("The picture has no pixels (%1 x %2)")
                                   .arg(first.Width)
                                   .arg(first.Height));
            return failure(QStringLiteral("Not enough memory for the picture"));
        }
        return PictureResult::success(image);
    } catch (const EGifError &e) {
        return failure(e.message());
    } catch (const std::bad_alloc &) {
        return failure(QStringLiteral("Not enough memory for the picture"));
    }
}

PictureResult loadPicture(const QString &path)
{
    enum class Reader { Jpeg, Gif, Qt };
    const QString extension = QFileInfo(path).suffix();
    const QString lower = extension.toLower();
    Reader reader;
    if (lower == QLatin1String("jpg") || lower == QLatin1String("jpeg"))
        reader = Reader::Jpeg;
    else if (lower == QLatin1String("gif"))
        reader = Reader::Gif;
    else if (lower == QLatin1String("bmp") || lower == QLatin1String("ico")
             || lower == QLatin1String("png"))
        reader = Reader::Qt;
    else
        return failure(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));

    QFile file;
    if (!fileio::openRegularFile(path, file))
        return failure(QStringLiteral("Cannot open file %1").arg(path));
    if (file.size() > kMaxPictureFileBytes)
        return failure(QStringLiteral("Picture file too large: %1").arg(path));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(QStringLiteral("Cannot read file %1").arg(path));

    switch (reader) {
    case Reader::Jpeg:
        return decodeJpeg(bytes);
    case Reader::Gif:
        return decodeGif(bytes);
    case Reader::Qt:
        break;
    }
    return decodeWithQt(bytes, lower.toLatin1());
}
