// Outside bytes that decide what leaves the machine: a page's references,
// resolved against a folder tree with links leading in and out of it, and a
// server's answer stored as a download under a size cap. Whatever the bytes,
// an allowed reference is a file inside the page's tree and its remote name
// cannot climb; a download either stores exactly what came, within the cap,
// or leaves the target as it was.
#include "transfer/download.h"
#include "transfer/imagerefs.h"
#include "fuzzsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdlib>

using fuzzsupport::readFile;
using fuzzsupport::scratchFolder;
using fuzzsupport::writeFile;

namespace {

const QString &site()
{
    static const QString folder = [] {
        const QString root = scratchFolder() + QStringLiteral("refs/");
        QDir().mkpath(root + QStringLiteral("site/img/deep"));
        QDir().mkpath(root + QStringLiteral("secret"));
        writeFile(root + QStringLiteral("secret/key"), "secret");
        writeFile(root + QStringLiteral("site/a.gif"), "GIF89a");
        writeFile(root + QStringLiteral("site/img/b.png"), "png");
        QFile::link(root + QStringLiteral("secret/key"), root + QStringLiteral("site/img/key.gif"));
        QFile::link(root + QStringLiteral("secret"), root + QStringLiteral("site/out"));
        QFile::link(root + QStringLiteral("site/img"), root + QStringLiteral("site/in"));
        return QFileInfo(root + QStringLiteral("site")).canonicalFilePath();
    }();
    return folder;
}

void references(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QStringList candidates = transfer::scanImageReferences(text);
    // The raw lines too: the scan lower-cases and needs a ".", names need not.
    candidates << text.split(QLatin1Char('\n'));
    for (const QString &reference : candidates) {
        const transfer::ReferenceTarget t = transfer::resolveReference(reference, site());
        if (!t.allowed())
            continue;
        const QString real = QFileInfo(t.localFile).exists() ? QFileInfo(t.localFile).canonicalFilePath()
                                                             : t.localFile;
        if (!real.startsWith(site() + QLatin1Char('/')))
            abort();
        if (t.remoteName.isEmpty() || t.remoteName.startsWith(QLatin1Char('/')))
            abort();
        for (const QString &step : t.remoteName.split(QLatin1Char('/')))
            if (step == QLatin1String(".."))
                abort();
    }
}

void download(const QByteArray &bytes)
{
    // The first bytes choose the cap, the announced length and the sizes of
    // the pieces the "server" hands out; the rest is the answer.
    if (bytes.size() < 4)
        return;
    const qint64 limit = qint64(uchar(bytes[0])) * 16;
    const qint64 announced = bytes[1] & 1 ? qint64(uchar(bytes[2])) * 16 : -1;
    const int piece = 1 + uchar(bytes[3]) % 64;
    const bool failAtEnd = bytes[1] & 2;
    const QByteArray answer = bytes.mid(4);
    const QString target = scratchFolder() + QStringLiteral("download.htm");
    writeFile(target, "old");
    qsizetype at = 0;
    const Result r = transfer::storeDownload(
        [&](char *buffer, qint64 max) -> qint64 {
            if (at >= answer.size())
                return failAtEnd ? -1 : 0;
            const qint64 n = std::min<qint64>({max, piece, answer.size() - at});
            memcpy(buffer, answer.constData() + at, size_t(n));
            at += n;
            return n;
        },
        announced, target, limit, [] { return QStringLiteral("broken"); });
    const bool fits = answer.size() <= limit && announced <= limit && !failAtEnd;
    if (bool(r) != fits)
        abort();
    if (readFile(target) != (fits ? answer : QByteArray("old")))
        abort();
    if (QDir(scratchFolder()).entryList({QStringLiteral("*download*")}, QDir::Files | QDir::Hidden).size() != 1)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    references(bytes);
    download(bytes);
    return 0;
}
