#include "documents/textfile.h"

#include "platform/fileio.h"
#include "platform/windows1252.h"

#include <QFileInfo>
#include <QStringDecoder>


namespace textfile {

namespace {

inline char16_t char1252(uchar b)
{
    return cp1252::charOf(b);
}

inline int byte1252(char16_t c)
{
    return cp1252::byteOf(c);
}

// How many characters turning lone CRs and lone LFs into CR LF adds.
template <typename Ch>
qsizetype missingBreakChars(const Ch *p, qsizetype n)
{
    qsizetype extra = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == Ch('\r')) {
            if (i + 1 < n && p[i + 1] == Ch('\n'))
                ++i;
            else
                ++extra;
        } else if (p[i] == Ch('\n')) {
            ++extra;
        }
    }
    return extra;
}

// Copies n units through map() into out, writing every break as CR LF.
template <typename Ch, typename Map>
void copyWithBreaks(const Ch *p, qsizetype n, char16_t *out, Map map)
{
    for (qsizetype i = 0; i < n; ++i) {
        const Ch c = p[i];
        if (c == Ch('\r') || c == Ch('\n')) {
            *out++ = u'\r';
            *out++ = u'\n';
            if (c == Ch('\r') && i + 1 < n && p[i + 1] == Ch('\n'))
                ++i;
        } else {
            *out++ = map(c);
        }
    }
}

// Turns the len characters at p into CR LF form in place, walking from the
// end; the buffer must have room for the extra characters after len.
void expandBreaksInPlace(char16_t *p, qsizetype len, qsizetype extra)
{
    qsizetype i = len - 1;
    qsizetype j = len + extra - 1;
    while (i >= 0 && j > i) {
        const char16_t c = p[i];
        if (c == u'\n' || c == u'\r') {
            p[j--] = u'\n';
            p[j--] = u'\r';
            i -= (c == u'\n' && i > 0 && p[i - 1] == u'\r') ? 2 : 1;
        } else {
            p[j--] = c;
            --i;
        }
    }
}

} // namespace

QString normalizeLineBreaks(const QString &text)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype n = text.size();
    const qsizetype extra = missingBreakChars(p, n);
    if (extra == 0)
        return text;
    QString out(n + extra, Qt::Uninitialized);
    copyWithBreaks(p, n, reinterpret_cast<char16_t *>(out.data()), [](char16_t c) { return c; });
    return out;
}

QString decodeWindows1252(const QByteArray &bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const uchar *p = reinterpret_cast<const uchar *>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        o[i] = char1252(p[i]);
    return out;
}

Decoded decode(const QByteArray &bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    const QByteArray body = zero >= 0 ? bytes.left(zero) : bytes;
    const uchar *p = reinterpret_cast<const uchar *>(body.constData());
    const qsizetype n = body.size();
    // CR and LF are single bytes in both encodings, so the count taken on the
    // bytes holds for the characters too. The text is built in one buffer of
    // its final size: large files are common and memory is slow to touch.
    const qsizetype extra = missingBreakChars(p, n);

    Decoded result;
    if (body.isValidUtf8()) {
        // The mark is taken off by hand: a second U+FEFF after it is text.
        const bool mark = body.startsWith("\xEF\xBB\xBF");
        const QByteArrayView rest = QByteArrayView(body).sliced(mark ? 3 : 0);
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QString out(utf8.requiredSpace(rest.size()) + extra, Qt::Uninitialized);
        const qsizetype len = utf8.appendToBuffer(out.data(), rest) - out.constData();
        expandBreaksInPlace(reinterpret_cast<char16_t *>(out.data()), len, extra);
        out.truncate(len + extra);
        result.text = std::move(out);
        result.encoding = Encoding::Utf8;
        result.byteOrderMark = mark;
        return result;
    }

    QString out(n + extra, Qt::Uninitialized);
    copyWithBreaks(p, n, reinterpret_cast<char16_t *>(out.data()), char1252);
    result.text = std::move(out);
    result.encoding = Encoding::Windows1252;
    return result;
}

QString saveFormatName(Encoding enc, bool byteOrderMark)
{
    if (enc == Encoding::Windows1252)
        return QStringLiteral("windows-1252, CR LF");
    return byteOrderMark ? QStringLiteral("UTF-8 with BOM, CR LF") : QStringLiteral("UTF-8, CR LF");
}

bool fitsWindows1252(const QString &text)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(text.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (p[i] >= 0x80 && byte1252(p[i]) < 0)
            return false;
    }
    return true;
}

QByteArray encode(const QString &text, Encoding enc, Encoding *used, bool byteOrderMark)
{
    if (enc == Encoding::Windows1252) {
        const char16_t *p = reinterpret_cast<const char16_t *>(text.constData());
        const qsizetype n = text.size();
        QByteArray out(n, Qt::Uninitialized);
        char *o = out.data();
        qsizetype i = 0;
        for (; i < n; ++i) {
            const int b = byte1252(p[i]);
            if (b < 0)
                break;
            o[i] = char(b);
        }
        if (i == n) {
            if (used)
                *used = Encoding::Windows1252;
            return out;
        }
    }
    if (used)
        *used = Encoding::Utf8;
    if (byteOrderMark)
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    return text.toUtf8();
}

LoadStatus load(const QString &path, Decoded &out)
{
    const fileio::FileRead bytes = fileio::readRegularFile(path, kMaxDocumentBytes);
    if (!bytes)
        return bytes.tooLarge ? LoadStatus::TooLarge : LoadStatus::CannotOpen;
    if (bytes.value.contains('\0'))
        return LoadStatus::ZeroBytes;
    out = decode(bytes.value);
    return LoadStatus::Ok;
}

QString loadFailureMessage(LoadStatus status, const QString &path)
{
    switch (status) {
    case LoadStatus::Ok:
        break;
    case LoadStatus::CannotOpen:
        return QStringLiteral("Cannot open file ") + path;
    case LoadStatus::TooLarge:
        return QStringLiteral("Text exceeds memo capacity");
    case LoadStatus::ZeroBytes:
        return path + QStringLiteral(" contains NUL bytes and cannot be edited as text");
    }
    return {};
}

Result save(const QString &path, const QString &text, Encoding enc, Encoding *used, bool byteOrderMark)
{
    return fileio::writeFile(path, encode(text, enc, used, byteOrderMark));
}

Result saveSideFile(const QString &path, const QString &modelFile, const QString &text, Encoding enc,
                    bool byteOrderMark)
{
    fileio::WriteOptions options;
    options.sideFile = true;
    options.modelFile = modelFile;
    if (!modelFile.isEmpty())
        options.origin = QFileInfo(modelFile).absoluteFilePath();
    return fileio::writeFile(path, encode(text, enc, nullptr, byteOrderMark), options);
}

CopyResult copyFile(const QString &from, const QString &to)
{
    auto failed = [](CopyFailed side, const QString &reason) {
        CopyResult r;
        r.ok = false;
        r.message = reason;
        r.failed = side;
        return r;
    };
    const fileio::FileRead read = fileio::readRegularFile(from, kMaxDocumentBytes);
    if (!read)
        return failed(CopyFailed::Source, read.message);
    fileio::WriteOptions options;
    options.sideFile = true;
    options.modelFile = from;
    options.origin = QFileInfo(from).absoluteFilePath();
    if (const Result written = fileio::writeFile(to, read.value, options); !written)
        return failed(CopyFailed::Target, written.message);
    return {};
}

} // namespace textfile
