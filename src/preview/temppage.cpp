#include "preview/temppage.h"

namespace temppage {

namespace {

bool untitled(const QString &caption)
{
    return caption.startsWith(QLatin1Char('~'));
}

} // namespace

QString panePagePath(const QString &caption)
{
    const QString name = QString::fromLatin1(kName);
    if (untitled(caption))
        return name;
    const qsizetype slash = caption.lastIndexOf(QLatin1Char('/'));
    return caption.left(slash + 1) + name;
}

ExternalPage externalPage(const QString &caption)
{
    const QString name = QString::fromLatin1(kName);
    const qsizetype slash = caption.lastIndexOf(QLatin1Char('/'));
    ExternalPage out;
    if (slash < 0) {
        out.page = name;
        return out;
    }
    out.dir = slash == 0 ? QStringLiteral("/") : caption.left(slash);
    out.page = out.dir.endsWith(QLatin1Char('/')) ? out.dir + name : out.dir + QLatin1Char('/') + name;
    return out;
}

Result write(const QString &path, const QString &caption, const QString &text, textfile::Encoding enc,
             bool byteOrderMark)
{
    const QString model = untitled(caption) ? QString() : caption;
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() > 0x7f) {
            ascii = false;
            break;
        }
    }
    const bool utf8 = enc == textfile::Encoding::Utf8 || !textfile::fitsWindows1252(text);
    const bool mark = (byteOrderMark && utf8) || (utf8 && !ascii && !text.startsWith(QChar(0xFEFF)));
    const Result written = textfile::saveSideFile(path, model, text, enc, mark);
    if (!written)
        return Result::failure(QStringLiteral("Cannot create file ") + path + QStringLiteral(": ") + written.message);
    return Result::success();
}

} // namespace temppage
