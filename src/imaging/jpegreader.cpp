// JPEG decoding through libjpeg, from memory.
#include "imaging/pictureloader.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// Progressive files may hold any number of scans, each of which walks the
// whole picture; beyond this a file is treated as damaged.
constexpr int kMaxScans = 500;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX + 64];
};

[[noreturn]] void failWith(j_common_ptr cinfo, const char *text)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "%s", text);
    std::longjmp(err->jump, 1);
}

// libjpeg's default would print and exit the program.
[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    failWith(cinfo, text);
}

// Warnings are ignored, except a file that ends early: libjpeg would fill
// the rest with grey and call it a picture.
void emitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        errorExit(cinfo);
}

void outputMessage(j_common_ptr) {}

void progressMonitor(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor
        && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        failWith(cinfo, "Too many scans in the JPEG file");
}

// Everything that must survive a longjmp lives here, in the caller's frame,
// and is only reached through a pointer.
struct DecodeState {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    const QByteArray *bytes;
    qint64 maxPixels;
    QImage image;
    std::vector<JSAMPLE> cmykRow;
};

void cmykToRgb(const JSAMPLE *cmyk, uchar *rgb, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgb[0] = uchar(c * k / 255);
        rgb[1] = uchar(m * k / 255);
        rgb[2] = uchar(y * k / 255);
    }
}

// Only trivially destructible locals here: a longjmp lands in this frame.
bool runDecode(DecodeState *st)
{
    j_decompress_ptr cinfo = &st->cinfo;
    cinfo->err = jpeg_std_error(&st->err.pub);
    st->err.pub.error_exit = errorExit;
    st->err.pub.emit_message = emitMessage;
    st->err.pub.output_message = outputMessage;
    st->err.message[0] = '\0';
    if (setjmp(st->err.jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    jpeg_create_decompress(cinfo);
    st->progress.progress_monitor = progressMonitor;
    cinfo->progress = &st->progress;
    cinfo->mem->max_memory_to_use = 1024L * 1024 * 1024;
    jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char *>(st->bytes->constData()),
                 static_cast<unsigned long>(st->bytes->size()));
    jpeg_read_header(cinfo, TRUE);

    const qint64 w = cinfo->image_width, h = cinfo->image_height;
    if (w > kMaxPictureSide || h > kMaxPictureSide || w * h > st->maxPixels) {
        std::snprintf(st->err.message, sizeof st->err.message,
                      "Picture too large: %lld x %lld pixels", static_cast<long long>(w),
                      static_cast<long long>(h));
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    QImage::Format format = QImage::Format_RGB888;
    switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo->out_color_space = JCS_GRAYSCALE;
        format = QImage::Format_Grayscale8;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo->out_color_space = JCS_CMYK;
        break;
    default:
        cinfo->out_color_space = JCS_RGB;
        break;
    }
    jpeg_start_decompress(cinfo);

    const int width = int(cinfo->output_width);
    st->image = QImage(width, int(cinfo->output_height), format);
    if (st->image.isNull())
        failWith(reinterpret_cast<j_common_ptr>(cinfo), "Not enough memory for the picture");
    const bool cmyk = cinfo->out_color_space == JCS_CMYK;
    if (cmyk)
        st->cmykRow.resize(size_t(width) * 4);
    while (cinfo->output_scanline < cinfo->output_height) {
        uchar *line = st->image.scanLine(int(cinfo->output_scanline));
        JSAMPROW row = cmyk ? st->cmykRow.data() : line;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1)
            failWith(reinterpret_cast<j_common_ptr>(cinfo), "Premature end of JPEG file");
        if (cmyk)
            cmykToRgb(st->cmykRow.data(), line, width, cinfo->saw_Adobe_marker);
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return true;
}

} // namespace

PictureResult decodeJpeg(const QByteArray &bytes, qint64 maxPixels)
{
    auto st = std::make_unique<DecodeState>();
    std::memset(&st->cinfo, 0, sizeof st->cinfo);
    st->bytes = &bytes;
    st->maxPixels = maxPixels;
    if (!runDecode(st.get()))
        return PictureResult::failure(QString::fromLocal8Bit(st->err.message));
    return PictureResult::success(std::move(st->image));
}
