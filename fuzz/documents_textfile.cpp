// Feeds arbitrary bytes to the document loader (encoding detection, line
// breaks, the byte-order mark) and back through the save routine. Every byte
// must come back, with only the line breaks made CR LF, and the encoding must
// stay the one detected. Files holding a zero byte are not text and are only decoded.
#include "documents/textfile.h"
#include "fuzzsupport.h"

#include <cstdint>
#include <cstdlib>

using namespace textfile;

namespace {

// CR LF, lone LF and lone CR become CR LF; CR and LF are single bytes in
// both encodings, so this can be done on the bytes.
QByteArray crlfBytes(const QByteArray &in)
{
    QByteArray out;
    out.reserve(in.size() + in.size() / 8);
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in.at(i);
        if (c == '\r') {
            out.append("\r\n");
            if (i + 1 < in.size() && in.at(i + 1) == '\n')
                ++i;
        } else if (c == '\n') {
            out.append("\r\n");
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const Decoded decoded = decode(bytes);
    if (bytes.contains('\0'))
        return 0;

    const QByteArray expected = crlfBytes(bytes);
    Encoding used;
    // A leading byte-order mark is the file's, not the text's, and comes back.
    if (decoded.byteOrderMark != (decoded.encoding == Encoding::Utf8 && bytes.startsWith("\xEF\xBB\xBF")))
        abort();
    if (encode(decoded.text, decoded.encoding, &used, decoded.byteOrderMark) != expected || used != decoded.encoding)
        abort();

    // The same through the files the editor really reads and writes.
    static const QString in = fuzzsupport::scratchFolder() + QStringLiteral("in.htm");
    static const QString out = fuzzsupport::scratchFolder() + QStringLiteral("out.htm");
    fuzzsupport::writeFile(in, bytes);
    Decoded loaded;
    if (load(in, loaded) != LoadStatus::Ok || loaded.text != decoded.text || loaded.encoding != decoded.encoding
        || loaded.byteOrderMark != decoded.byteOrderMark)
        abort();
    if (!save(out, loaded.text, loaded.encoding, &used, loaded.byteOrderMark) || used != loaded.encoding
        || fuzzsupport::readFile(out) != expected)
        abort();
    return 0;
}
