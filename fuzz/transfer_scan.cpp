// The FTP listing parser and the image-reference scan read bytes from
// servers and documents: neither may crash, hang or hand out names that
// break the folder list.
#include "transfer/ftplogic.h"
#include "transfer/imagerefs.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<transfer::FolderEntry> entries = transfer::parseListing(bytes);
    for (const QString &item : transfer::folderListItems(entries))
        if (item.isEmpty() || item.contains(QLatin1Char(':')))
            abort();
    const QStringList refs = transfer::scanImageReferences(QString::fromLatin1(bytes));
    for (qsizetype i = 0; i < refs.size(); ++i) {
        if (!refs[i].contains(QLatin1Char('.')) || refs[i].contains(QLatin1Char('"')))
            abort();
        // Strictly ascending with only the ASCII letters folded: no two
        // entries alike, and no order left to chance.
        if (i > 0 && transfer::compareAsciiFolded(refs[i - 1], refs[i]) >= 0)
            abort();
    }
    return 0;
}
