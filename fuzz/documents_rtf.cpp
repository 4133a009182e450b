// Feeds arbitrary bytes to the rich-text converter. It must never fail, and
// what it gives is plain text whose lines end in CR LF.
#include "documents/rtftotext.h"
#include "documents/textfile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray rtf = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = rtfToText(rtf);
    if (textfile::normalizeLineBreaks(text) != text)
        abort();
    return 0;
}
