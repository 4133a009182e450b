#include "imaging/gifimage.h"

#include "imaging/gifreader.h"

#include <cstring>

QImage gifToPaletteImage(const TGifFile &file)
{
    const TGifSubImage &sub = file.SubImage(1);
    const TColorTable &table = sub.HasLocalColorTable ? sub.ColorTable : file.GlobalColorTable;
    const TByteArray2D &pixels = *sub.Pixels;

    QImage image(pixels.columns(), pixels.rows(), QImage::Format_Indexed8);
    if (image.isNull())
        return image;
    QList<QRgb> palette;
    palette.reserve(256);
    for (const TRgb &c : table.Entries())
        palette.append(qRgb(c.red, c.green, c.blue));
    image.setColorTable(palette);
    // QImage pads its rows to four bytes, so copy row by row.
    for (int y = 0; y < pixels.rows(); ++y)
        std::memcpy(image.scanLine(y), pixels.rowData(y + 1), size_t(pixels.columns()));
    return image;
}
