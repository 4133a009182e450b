#include "documents/rtftotext.h"

#include "documents/textfile.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <memory>

namespace {

// Groups whose content is not text of the document.
bool isSkippedDestination(QByteArrayView word)
{
    static const char *const kWords[] = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "objdata",
        "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf",
        "footnote", "listtable", "listoverridetable", "revtbl", "rsidtbl", "filetbl",
        "xmlnstbl", "themedata", "colorschememapping", "latentstyles", "datastore",
        "generator", "fldinst", "nonshppict", "bkmkstart", "bkmkend", "field-mod",
        "private", "template", "docvar", "userprops", "pgdsctbl", "mmathPr",
    };
    for (const char *w : kWords) {
        if (word == QByteArrayView(w))
            return true;
    }
    return false;
}

// Control words that stand for one character.
char16_t characterWord(QByteArrayView word)
{
    struct Entry { const char *word; char16_t ch; };
    static const Entry kEntries[] = {
        {"tab", u'\t'}, {"emdash", 0x2014}, {"endash", 0x2013}, {"emspace", 0x2003},
        {"enspace", 0x2002}, {"qmspace", 0x2005}, {"bullet", 0x2022}, {"lquote", 0x2018},
        {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
        {"zwj", 0x200D}, {"zwnj", 0x200C}, {"ltrmark", 0x200E}, {"rtlmark", 0x200F},
    };
    for (const Entry &e : kEntries) {
        if (word == QByteArrayView(e.word))
            return e.ch;
    }
    return 0;
}

constexpr qsizetype kMaxDepth = 10000;

struct GroupState {
    bool skip = false;   // inside a destination that holds no text
    int uc = 1;          // fallback characters that follow \uN
};

class Converter {
public:
    explicit Converter(const QByteArray &rtf) : in_(rtf) {}
    QString run();

private:
    void flushBytes();
    void appendChar(char16_t c);
    void lineBreak();
    void controlWord(QByteArrayView word, bool hasParam, qint64 param);
    void setCodePage(qint64 page);
    bool skippingFallback();

    const QByteArray &in_;
    qsizetype pos_ = 0;
    QList<GroupState> stack_;
    GroupState state_;
    QString out_;
    QByteArray pending_;                      // code-page bytes not yet decoded
    std::unique_ptr<QStringDecoder> codec_;   // null: windows-1252
    int fallbackLeft_ = 0;                    // characters still to drop after \uN
    qsizetype unsavedDepth_ = 0;              // groups opened beyond the kept depth
    bool lastWasCellTab_ = false;
};

void Converter::flushBytes()
{
    if (pending_.isEmpty())
        return;
    if (codec_)
        out_ += codec_->decode(pending_);
    else
        out_ += textfile::decodeWindows1252(pending_);
    pending_.clear();
}

void Converter::appendChar(char16_t c)
{
    flushBytes();
    out_ += QChar(c);
    lastWasCellTab_ = false;
}

void Converter::lineBreak()
{
    flushBytes();
    // The tab after a row's last cell would only trail at the end of the line.
    if (lastWasCellTab_ && out_.endsWith(QLatin1Char('\t')))
        out_.chop(1);
    out_ += QStringLiteral("\r\n");
    lastWasCellTab_ = false;
}

bool Converter::skippingFallback()
{
    if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return true;
    }
    return false;
}

void Converter::setCodePage(qint64 page)
{
    flushBytes();
    codec_.reset();
    if (page == 1252 || page <= 0 || page > 65535)
        return;
    for (const QByteArray &name : {"windows-" + QByteArray::number(page), "cp" + QByteArray::number(page)}) {
        auto decoder = std::make_unique<QStringDecoder>(name.constData(), QStringDecoder::Flag::Stateless);
        if (decoder->isValid()) {
            codec_ = std::move(decoder);
            return;
        }
    }
}

void Converter::controlWord(QByteArrayView word, bool hasParam, qint64 param)
{
    if (word == "bin") {
        // Binary data of the given length follows; it is never text.
        if (hasParam && param > 0)
            pos_ += std::min<qint64>(param, in_.size() - pos_);
        return;
    }
    if (state_.skip)
        return;
    if (isSkippedDestination(word)) {
        state_.skip = true;
        return;
    }
    if (word == "uc") {
        state_.uc = int(std::clamp<qint64>(hasParam ? param : 1, 0, 16));
        return;
    }
    if (word == "ansicpg") {
        if (hasParam)
            setCodePage(param);
        return;
    }
    if (word == "u") {
        if (!hasParam)
            return;
        qint64 n = param < 0 ? param + 65536 : param;
        fallbackLeft_ = 0;
        if (n > 0 && n <= 0xFFFF)
            appendChar(char16_t(n));
        fallbackLeft_ = state_.uc;
        return;
    }
    if (skippingFallback())
        return;
    if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row"
        || word == "nestrow") {
        lineBreak();
        return;
    }
    if (word == "cell" || word == "nestcell") {
        appendChar(u'\t');
        lastWasCellTab_ = true;
        return;
    }
    if (const char16_t c = characterWord(word))
        appendChar(c);
}

QString Converter::run()
{
    const qsizetype n = in_.size();
    const char *p = in_.constData();
    while (pos_ < n) {
        const char c = p[pos_++];
        if (c == '{') {
            // Past a sane depth the inner groups share their parent's state,
            // so a hostile file cannot make the stack grow without bound.
            if (stack_.size() < kMaxDepth)
                stack_.append(state_);
            else
                ++unsavedDepth_;
            fallbackLeft_ = 0;
            continue;
        }
        if (c == '}') {
            if (unsavedDepth_ > 0)
                --unsavedDepth_;
            else if (!stack_.isEmpty())
                state_ = stack_.takeLast();
            fallbackLeft_ = 0;
            continue;
        }
        if (c == '\r' || c == '\n')
            continue;
        if (c != '\\') {
            if (!state_.skip && !skippingFallback()) {
                pending_.append(c);
                lastWasCellTab_ = false;
            }
            continue;
        }
        if (pos_ >= n)
            break;
        const char d = p[pos_];
        if ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z')) {
            const qsizetype start = pos_;
            while (pos_ < n && ((p[pos_] >= 'a' && p[pos_] <= 'z') || (p[pos_] >= 'A' && p[pos_] <= 'Z')))
                ++pos_;
            // Real control words are short; a longer run is damage and is
            // compared by its first letters only.
            const QByteArrayView word(p + start, std::min<qsizetype>(pos_ - start, 32));
            bool negative = false;
            if (pos_ < n && p[pos_] == '-' && pos_ + 1 < n && p[pos_ + 1] >= '0' && p[pos_ + 1] <= '9') {
                negative = true;
                ++pos_;
            }
            bool hasParam = false;
            qint64 param = 0;
            while (pos_ < n && p[pos_] >= '0' && p[pos_] <= '9') {
                hasParam = true;
                param = std::min<qint64>(param * 10 + (p[pos_] - '0'), qint64(1) << 40);
                ++pos_;
            }
            if (negative)
                param = -param;
            if (pos_ < n && p[pos_] == ' ')
                ++pos_;
            controlWord(word, hasParam, param);
            continue;
        }
        ++pos_;
        if (d == '\'') {
            // \'hh: one byte in the document's code page.
            auto hex = [](char h) {
                if (h >= '0' && h <= '9') return h - '0';
                if (h >= 'a' && h <= 'f') return h - 'a' + 10;
                if (h >= 'A' && h <= 'F') return h - 'A' + 10;
                return -1;
            };
            const int hi = pos_ < n ? hex(p[pos_]) : -1;
            const int lo = pos_ + 1 < n ? hex(p[pos_ + 1]) : -1;
            if (hi < 0 || lo < 0)
                continue;
            pos_ += 2;
            if (!state_.skip && !skippingFallback()) {
                pending_.append(char(hi * 16 + lo));
                lastWasCellTab_ = false;
            }
            continue;
        }
        if (d == '*') {
            state_.skip = true;
            continue;
        }
        if (state_.skip || skippingFallback())
            continue;
        switch (d) {
        case '\\': case '{': case '}':
            pending_.append(d);
            lastWasCellTab_ = false;
            break;
        case '~': appendChar(0x00A0); break;
        case '_': appendChar(u'-'); break;
        case '-': break;                      // optional hyphen: not shown
        case '\r': case '\n': lineBreak(); break;
        case '\t': appendChar(u'\t'); break;
        default: break;                       // \| \: and unknown symbols
        }
    }
    flushBytes();
    return out_;
}

} // namespace

QString rtfToText(const QByteArray &rtf)
{
    // A file that only carries the extension is taken as plain text.
    qsizetype start = 0;
    while (start < rtf.size() && QChar::isSpace(uchar(rtf.at(start))))
        ++start;
    if (!QByteArrayView(rtf).sliced(start).startsWith("{\\rtf"))
        return textfile::decode(rtf).text;
    Converter converter(rtf);
    const QString text = converter.run();
    // A zero character would end the text when the document is next loaded.
    return textfile::normalizeLineBreaks(QString(text).remove(QChar(0)));
}
