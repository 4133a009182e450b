#include "htmlaid/pagewords.h"

#include "htmlaid/htmldata.h"

namespace htmlaid {

namespace {

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\r' || u == '\n' || u == '\f' || u == 0xA0;
}

bool isLetterAt(QStringView t, qsizetype i)
{
    return i >= 0 && i < t.size() && t[i].isLetter();
}

bool startsWithCi(QStringView t, qsizetype i, QLatin1StringView w)
{
    return t.mid(i).startsWith(w, Qt::CaseInsensitive);
}

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == QChar(0x2019);
}

} // namespace

PageWords::PageWords(const HtmlData &data, bool html, Place start) : data_(data), html_(html), place_(start)
{
}

qsizetype PageWords::reference(QStringView t, qsizetype i, QString &out) const
{
    // t[i] is '&'. Returns the length of a reference to a letter, minus the
    // length of one to another character, or 0 when there is none.
    qsizetype k = i + 1;
    if (k < t.size() && t[k] == u'#') {
        ++k;
        const bool hex = k < t.size() && (t[k] == u'x' || t[k] == u'X');
        if (hex)
            ++k;
        const qsizetype digits = k;
        while (k < t.size() && (hex ? t[k].isLetterOrNumber() : t[k].isDigit()))
            ++k;
        if (k == digits || k >= t.size() || t[k] != u';')
            return 0;
        bool ok = false;
        const uint cp = t.mid(digits, k - digits).toString().toUInt(&ok, hex ? 16 : 10);
        if (!ok || cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return 0;
        const char32_t c = cp;
        out = QString::fromUcs4(&c, 1);
    } else {
        while (k < t.size() && t[k].isLetterOrNumber() && t[k].unicode() < 128)
            ++k;
        if (k == i + 1 || k >= t.size() || t[k] != u';')
            return 0;
        out = data_.entityText(t.mid(i + 1, k - i - 1).toString());
    }
    if (out.isEmpty())
        return 0;
    // A reference to anything but a letter is no part of a word.
    return out[0].isLetter() ? k + 1 - i : -(k + 1 - i);
}

void PageWords::wordAt(QStringView t, qsizetype &i, int offset, const std::function<void(const Word &)> &word)
{
    // A token: letters, digits, underscores, apostrophes between letters and
    // references to letters.
    const qsizetype start = i;
    QString read;
    bool countable = true;
    while (i < t.size()) {
        const QChar c = t[i];
        if (c.isLetter() || c.isMark()) {
            read += c;
            ++i;
        } else if (c.isDigit() || c == u'_') {
            countable = false;
            ++i;
        } else if (isApostrophe(c) && isLetterAt(t, i - 1) && isLetterAt(t, i + 1)) {
            read += QLatin1Char('\'');
            ++i;
        } else if (c == u'&' && html_) {
            QString ch;
            const qsizetype n = reference(t, i, ch);
            if (n <= 0) {
                if (n < 0 && i == start)
                    i -= n;   // "&amp;", "&nbsp;": stepped over whole
                break;
            }
            read += ch;
            i += n;
        } else {
            break;
        }
    }
    if (i == start) {
        ++i;
        return;
    }
    if (read.isEmpty())
        return;
    // Names of files, hosts, paths and addresses, and words run into them.
    auto joins = [&](qsizetype at) {
        if (at < 0 || at >= t.size())
            return false;
        const QChar c = t[at];
        if (c == u'@' || c == u'/' || c == u'\\')
            return true;
        if (c == u':' && at == i && at + 1 < t.size() && t[at + 1] == u'/')
            return true;
        if (c == u'.' || c == u':') {
            const qsizetype beyond = at == start - 1 ? at - 1 : at + 1;
            return beyond >= 0 && beyond < t.size() && t[beyond].isLetterOrNumber();
        }
        return false;
    };
    if (joins(start - 1) || joins(i))
        countable = false;
    // Runs of letters longer than any word are no words either.
    constexpr qsizetype kLongestWord = 48;
    if (countable && read.size() > 1 && read.size() <= kLongestWord)
        word(Word{offset + int(start), int(i - start), read});
}

void PageWords::feed(QStringView t, int offset, const std::function<void(const Word &)> &word)
{
    qsizetype i = 0;
    if (!html_) {
        while (i < t.size()) {
            if (t[i].isLetterOrNumber() || t[i] == u'_')
                wordAt(t, i, offset, word);
            else
                ++i;
        }
        return;
    }
    while (i < t.size()) {
        const QChar c = t[i];
        switch (place_) {
        case Place::Text:
            if (c == u'<') {
                if (startsWithCi(t, i, QLatin1StringView("<!--"))) {
                    place_ = Place::Comment;
                    i += 4;
                } else if (i + 1 < t.size() && (t[i + 1] == u'!' || t[i + 1] == u'?')) {
                    place_ = Place::Other;
                    i += 2;
                } else if (isLetterAt(t, i + 1) || (i + 2 < t.size() && t[i + 1] == u'/' && isLetterAt(t, i + 2))) {
                    const bool closing = t[i + 1] == u'/';
                    const qsizetype name = i + (closing ? 2 : 1);
                    raw_ = Place::Text;
                    if (!closing && startsWithCi(t, name, QLatin1StringView("script")) &&
                        !(name + 6 < t.size() && isNameChar(t[name + 6])))
                        raw_ = Place::Script;
                    else if (!closing && startsWithCi(t, name, QLatin1StringView("style")) &&
                             !(name + 5 < t.size() && isNameChar(t[name + 5])))
                        raw_ = Place::Style;
                    rawAfterTag_ = raw_ != Place::Text;
                    place_ = Place::Tag;
                    quote_ = QChar();
                    i = name;
                } else {
                    ++i;
                }
            } else if (c.isLetterOrNumber() || c == u'_' || c == u'&') {
                wordAt(t, i, offset, word);
            } else {
                ++i;
            }
            break;
        case Place::Tag:
            if (!quote_.isNull()) {
                if (c == quote_)
                    quote_ = QChar();
            } else if (c == u'"' || c == u'\'') {
                quote_ = c;
            } else if (c == u'>') {
                const bool selfClosing = i > 0 && t[i - 1] == u'/';
                place_ = rawAfterTag_ && !selfClosing ? raw_ : Place::Text;
                rawAfterTag_ = false;
            }
            ++i;
            break;
        case Place::Comment:
            if (c == u'-' && startsWithCi(t, i, QLatin1StringView("-->"))) {
                place_ = Place::Text;
                i += 3;
            } else {
                ++i;
            }
            break;
        case Place::Script:
        case Place::Style:
            if (c == u'<' && startsWithCi(t, i, place_ == Place::Script ? QLatin1StringView("</script")
                                                                         : QLatin1StringView("</style"))) {
                place_ = Place::Tag;
                rawAfterTag_ = false;
                quote_ = QChar();
                i += 2;
            } else {
                ++i;
            }
            break;
        case Place::Other:
            if (c == u'>')
                place_ = Place::Text;
            ++i;
            break;
        }
    }
}

int stretchEnd(const TextSource &src, int from, int to)
{
    if (to >= src.length())
        return src.length();
    for (int i = to; i > from; --i)
        if (isBlank(src.at(i - 1)))
            return i;
    return to;
}

} // namespace htmlaid
