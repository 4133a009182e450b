// Feeds arbitrary bytes to the libjpeg decoder wrapper.
#include "imaging/pictureloader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     qsizetype(size));
    const PictureResult result = decodeJpeg(bytes, 4'000'000);
    if (result.ok && result.value.isNull())
        __builtin_trap();
    return 0;
}
