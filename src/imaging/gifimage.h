#pragma once
// Turns the first image of a GIF file into an 8-bit palette QImage.
#include <QImage>

class TGifFile;

// Palette: the image's local table when it has one, else the file's global
// table, all 256 entries of the table. Screen size, offsets, transparency
// and background play no part. Throws EListError when the file holds no
// image.
QImage gifToPaletteImage(const TGifFile &file);
