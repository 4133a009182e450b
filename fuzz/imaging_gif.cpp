// Feeds arbitrary bytes to our GIF reader and the palette conversion.
#include "imaging/pictureloader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     qsizetype(size));
    // A smaller pixel budget keeps each run fast; the code paths are the same.
    const PictureResult result = decodeGif(bytes, 4'000'000);
    if (result.ok && result.value.isNull())
        __builtin_trap();   // success must come with a picture
    return 0;
}
