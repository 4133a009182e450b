// Decoding speed of our GIF reader against giflib's DGifSlurp on the same
// files: a large noisy gradient, its interlaced twin, and an animation.
// The files are written with giflib's encoder, so they are also a check that
// we read another encoder's output exactly as giflib does.
#include "imaging/gifreader.h"

#include <gif_lib.h>

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

namespace {

struct MemoryOut {
    QByteArray bytes;
};

int writeToMemory(GifFileType *gif, const GifByteType *data, int n)
{
    static_cast<MemoryOut *>(gif->UserData)->bytes.append(reinterpret_cast<const char *>(data), n);
    return n;
}

struct MemoryIn {
    const QByteArray *bytes;
    qsizetype pos = 0;
};

int readFromMemory(GifFileType *gif, GifByteType *data, int n)
{
    auto *in = static_cast<MemoryIn *>(gif->UserData);
    const int k = int(std::min<qsizetype>(n, in->bytes->size() - in->pos));
    std::memcpy(data, in->bytes->constData() + in->pos, size_t(k));
    in->pos += k;
    return k;
}

std::vector<uint8_t> noisyGradient(int w, int h, unsigned seed)
{
    std::vector<uint8_t> px(size_t(w) * size_t(h));
    unsigned s = seed;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            s = s * 1664525u + 1013904223u;
            px[size_t(y) * size_t(w) + size_t(x)] = uint8_t(((x + y) * 255 / (w + h)) + ((s >> 24) & 15));
        }
    return px;
}

// Frames all w x h; interlaced frames are written in pass order.
QByteArray encodeGif(int w, int h, const std::vector<std::vector<uint8_t>> &frames, bool interlaced)
{
    MemoryOut out;
    int err = 0;
    GifFileType *gif = EGifOpen(&out, writeToMemory, &err);
    EGifSetGifVersion(gif, true);
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {GifByteType(i), GifByteType(255 - i), GifByteType(i / 2)};
    ColorMapObject *map = GifMakeMapObject(256, colours);
    EGifPutScreenDesc(gif, w, h, 8, 0, map);
    for (const auto &px : frames) {
        EGifPutImageDesc(gif, 0, 0, w, h, interlaced, nullptr);
        std::vector<int> rows;
        if (interlaced) {
            const int starts[4] = {0, 4, 2, 1}, steps[4] = {8, 8, 4, 2};
            for (int p = 0; p < 4; ++p)
                for (int r = starts[p]; r < h; r += steps[p])
                    rows.push_back(r);
        } else {
            for (int r = 0; r < h; ++r)
                rows.push_back(r);
        }
        for (int r : rows)
            EGifPutLine(gif, const_cast<GifByteType *>(px.data() + size_t(r) * size_t(w)), w);
    }
    GifFreeMapObject(map);
    EGifCloseFile(gif, &err);
    return out.bytes;
}

// CPU time of this thread: the figures stay meaningful on a busy machine.
double threadSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double bestSeconds(int runs, const std::function<void()> &f)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = threadSeconds();
        f();
        best = std::min(best, threadSeconds() - start);
    }
    return best;
}

bool sameAsGiflib(const QByteArray &bytes)
{
    TGifFile ours;
    ours.LoadFromBytes(bytes);
    MemoryIn in{&bytes};
    int err = 0;
    GifFileType *gif = DGifOpen(&in, readFromMemory, &err);
    bool same = gif && DGifSlurp(gif) == GIF_OK && gif->ImageCount == ours.SubImageCount();
    for (int i = 0; same && i < gif->ImageCount; ++i) {
        const SavedImage &s = gif->SavedImages[i];
        const TGifSubImage &o = ours.SubImage(i + 1);
        for (int y = 0; same && y < o.Height; ++y)
            same = std::memcmp(o.Pixels->rowData(y + 1), s.RasterBits + size_t(y) * size_t(o.Width),
                               size_t(o.Width)) == 0;
    }
    if (gif)
        DGifCloseFile(gif, &err);
    return same;
}

void compare(const char *name, const QByteArray &bytes, double megapixels, int runs)
{
    // GIF_BENCH_SAVE=folder keeps the files for profiling one decoder alone.
    if (const char *folder = std::getenv("GIF_BENCH_SAVE")) {
        QFile out(QString::fromLocal8Bit(folder) + "/" + QString::fromLatin1(name).replace(' ', '_') + ".gif");
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }
    const double ours = bestSeconds(runs, [&] {
        TGifFile file;
        file.LoadFromBytes(bytes);
    });
    const double giflib = bestSeconds(runs, [&] {
        MemoryIn in{&bytes};
        int err = 0;
        GifFileType *gif = DGifOpen(&in, readFromMemory, &err);
        if (!gif || DGifSlurp(gif) != GIF_OK)
            std::fprintf(stderr, "giflib failed on %s\n", name);
        DGifCloseFile(gif, &err);
    });
    std::printf("%-26s %7.1f KB  ours %8.1f MP/s  giflib %8.1f MP/s  ratio %.2f  %s\n", name,
                bytes.size() / 1024.0, megapixels / ours, megapixels / giflib, giflib / ours,
                sameAsGiflib(bytes) ? "identical" : "PIXELS DIFFER");
}

} // namespace

int main()
{
    std::printf("thread CPU time, best of several runs; ratio = giflib time / our time (>= 1.0: ours is as fast)\n");
    const std::vector<std::vector<uint8_t>> big{noisyGradient(4000, 4000, 7)};
    compare("4000x4000", encodeGif(4000, 4000, big, false), 16.0, 5);
    compare("4000x4000 interlaced", encodeGif(4000, 4000, big, true), 16.0, 5);

    std::vector<std::vector<uint8_t>> frames;
    for (unsigned i = 0; i < 100; ++i)
        frames.push_back(noisyGradient(500, 500, i + 1));
    compare("100 x 500x500 animation", encodeGif(500, 500, frames, false), 25.0, 5);
    return 0;
}
