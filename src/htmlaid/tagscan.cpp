#include "htmlaid/tagscan.h"

#include "htmlaid/htmldata.h"

#include <QHash>
#include <algorithm>

namespace htmlaid {

namespace {

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

bool isSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\r' || u == '\n' || u == '\f';
}

// "<script" or "<style" (or their end tags) at lt, followed by no more name.
enum class Raw { None, Script, Style };
Raw rawAt(const TextSource &src, int nameStart)
{
    if (src.startsWithAt(nameStart, QLatin1StringView("script")) && !isNameChar(src.at(nameStart + 6)))
        return Raw::Script;
    if (src.startsWithAt(nameStart, QLatin1StringView("style")) && !isNameChar(src.at(nameStart + 5)))
        return Raw::Style;
    return Raw::None;
}

// The first `needle` (ASCII, case folded) at or after from and before limit; -1 if none.
int findForward(const TextSource &src, int from, int limit, QLatin1StringView needle)
{
    const QChar first = QLatin1Char(needle.data()[0]);
    for (int i = from; i + int(needle.size()) <= limit; ++i) {
        const QChar c = src.at(i);
        if ((c == first || c.toLower() == first) && src.startsWithAt(i, needle))
            return i;
    }
    return -1;
}

// The last `needle` starting before `before` and at or after limit; -1 if none.
int findBackward(const TextSource &src, int before, int limit, QLatin1StringView needle)
{
    const QChar first = QLatin1Char(needle.data()[0]);
    for (int i = before - 1; i >= limit; --i) {
        const QChar c = src.at(i);
        if ((c == first || c.toLower() == first) && src.startsWithAt(i, needle))
            return i;
    }
    return -1;
}

// Walks the tags of a page in either direction, stepping over comments,
// declarations and the insides of scripts and styles.
class Walker {
public:
    Walker(const TextSource &src, int from, int limit) : src_(src), pos_(from), limit_(limit) {}

    // The next tag at or after the position, before the limit.
    Tag next()
    {
        while (pos_ < limit_) {
            const QChar c = src_.at(pos_);
            if (c != u'<') {
                ++pos_;
                continue;
            }
            if (src_.startsWithAt(pos_, QLatin1StringView("<!--"))) {
                const int close = findForward(src_, pos_ + 4, limit_, QLatin1StringView("-->"));
                if (close < 0)
                    break;
                pos_ = close + 3;
                continue;
            }
            Tag t = readTag(src_, pos_, limit_);
            if (!t.valid() || t.end < 0) {
                ++pos_;
                continue;
            }
            pos_ = t.end;
            if (!t.closing && !t.selfClosing) {
                const Raw raw = rawAt(src_, t.nameStart);
                if (raw != Raw::None) {
                    // The raw text holds no tags: on to its end tag.
                    const int close = findForward(src_, pos_, limit_,
                                                  raw == Raw::Script ? QLatin1StringView("</script")
                                                                     : QLatin1StringView("</style"));
                    pos_ = close < 0 ? limit_ : close;
                }
            }
            return t;
        }
        pos_ = limit_;
        return {};
    }

    // The previous tag wholly before the position, at or after the limit.
    Tag previous()
    {
        while (pos_ > limit_) {
            const int i = pos_ - 1;
            const QChar c = src_.at(i);
            if (c == u'>' && src_.at(i - 1) == u'-' && src_.at(i - 2) == u'-') {
                const int open = findBackward(src_, i - 2, limit_, QLatin1StringView("<!--"));
                if (open < 0)
                    break;
                pos_ = open;
                continue;
            }
            if (c != u'<') {
                --pos_;
                continue;
            }
            Tag t = readTag(src_, i, std::min(src_.length(), pos_ + kTagBound));
            pos_ = i;
            if (!t.valid() || t.end < 0)
                continue;
            if (t.closing) {
                const Raw raw = rawAt(src_, t.nameStart);
                if (raw != Raw::None) {
                    // Back over the raw text to its opening tag, which comes next.
                    const int open = findBackward(src_, i, limit_,
                                                  raw == Raw::Script ? QLatin1StringView("<script")
                                                                     : QLatin1StringView("<style"));
                    pos_ = open < 0 ? limit_ : open + 1;
                }
            }
            return t;
        }
        pos_ = limit_;
        return {};
    }

private:
    const TextSource &src_;
    int pos_;
    int limit_;
};

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool opensElement(const Tag &t, const HtmlData &data)
{
    return !t.closing && !t.selfClosing && !data.isVoid(t.name);
}

} // namespace

bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return isAsciiLetter(c) || (u >= '0' && u <= '9') || u == '-' || u == '_' || u == ':' || u == '.';
}

Tag readTag(const TextSource &src, int lt, int limit)
{
    Tag t;
    if (src.at(lt) != u'<')
        return t;
    int i = lt + 1;
    bool closing = false;
    if (src.at(i) == u'/') {
        closing = true;
        ++i;
    }
    if (!isAsciiLetter(src.at(i)))
        return t;
    t.start = lt;
    t.closing = closing;
    t.nameStart = i;
    while (i < limit && isNameChar(src.at(i)))
        ++i;
    t.nameEnd = i;
    t.name = src.mid(t.nameStart, t.nameEnd);
    QChar quote;
    QChar last;
    for (; i < limit; ++i) {
        const QChar c = src.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            t.end = i + 1;
            t.selfClosing = !closing && last == u'/';
            return t;
        } else if (c == u'<') {
            break;   // a tag left open; another begins
        }
        if (!isSpace(c))
            last = c;
    }
    return t;
}

Tag tagAround(const TextSource &src, int offset, int bound)
{
    const int limit = std::max(0, offset - bound);
    for (int i = offset - 1; i >= limit; --i) {
        const QChar c = src.at(i);
        if (c == u'>')
            return {};
        if (c == u'<') {
            Tag t = readTag(src, i, std::min(src.length(), i + bound));
            if (!t.valid() || (t.end >= 0 && offset >= t.end))
                return {};
            return t;
        }
    }
    return {};
}

Place placeAt(const TextSource &src, int offset, int bound)
{
    const int limit = std::max(0, offset - bound);
    QChar firstAngle;
    int firstAngleAt = -1;
    for (int i = offset - 1; i >= limit; --i) {
        const QChar c = src.at(i);
        if (c != u'<' && c != u'>')
            continue;
        if (firstAngle.isNull()) {
            firstAngle = c;
            firstAngleAt = i;
        }
        if (c == u'>') {
            if (src.at(i - 1) == u'-' && src.at(i - 2) == u'-')
                break;   // a comment ended: not in one
            continue;
        }
        if (src.startsWithAt(i, QLatin1StringView("<!--")))
            return Place::Comment;
        const bool closing = src.at(i + 1) == u'/';
        const Raw raw = rawAt(src, i + (closing ? 2 : 1));
        if (raw == Raw::None)
            continue;
        if (closing)
            break;   // a script or style ended
        const Tag t = readTag(src, i, offset);
        if (t.end < 0)
            return Place::Tag;   // still in the opening tag
        if (t.selfClosing)
            break;
        return raw == Raw::Script ? Place::Script : Place::Style;
    }
    if (firstAngle == u'<') {
        const QChar next = src.at(firstAngleAt + 1);
        if (next == u'!' || next == u'?')
            return Place::Other;
        if (isAsciiLetter(next) || (next == u'/' && isAsciiLetter(src.at(firstAngleAt + 2))))
            return Place::Tag;
    }
    return Place::Text;
}

Tag partnerOf(const TextSource &src, const Tag &tag, const HtmlData &data, int bound)
{
    if (!tag.valid() || tag.end < 0 || tag.selfClosing || data.isVoid(tag.name))
        return {};
    int depth = 0;
    if (!tag.closing) {
        Walker w(src, tag.end, std::min(src.length(), tag.end + bound));
        for (Tag t = w.next(); t.valid(); t = w.next()) {
            if (!sameName(t.name, tag.name))
                continue;
            if (t.closing) {
                if (depth == 0)
                    return t;
                --depth;
            } else if (!t.selfClosing) {
                ++depth;
            }
        }
        return {};
    }
    Walker w(src, tag.start, std::max(0, tag.start - bound));
    for (Tag t = w.previous(); t.valid(); t = w.previous()) {
        if (!sameName(t.name, tag.name))
            continue;
        if (t.closing) {
            ++depth;
        } else if (!t.selfClosing) {
            if (depth == 0)
                return t;
            --depth;
        }
    }
    return {};
}

bool closedAhead(const TextSource &src, const Tag &tag, const HtmlData &data, int bound)
{
    // Elements opened after the tag and closed again are stepped over; the
    // end tag of anything else means the element holding ours has ended.
    QList<QString> opened;
    int depth = 0;
    Walker w(src, tag.end, std::min(src.length(), tag.end + bound));
    for (Tag t = w.next(); t.valid(); t = w.next()) {
        if (!t.closing) {
            if (!opensElement(t, data))
                continue;
            if (sameName(t.name, tag.name))
                ++depth;
            else
                opened << t.name.toLower();
            continue;
        }
        if (sameName(t.name, tag.name)) {
            if (depth == 0)
                return true;
            --depth;
            continue;
        }
        const qsizetype at = opened.lastIndexOf(t.name.toLower());
        if (at < 0)
            return false;
        opened.resize(at);
    }
    return false;
}

QStringList openElements(const TextSource &src, int offset, const HtmlData &data, int bound, int most)
{
    QStringList open;
    QHash<QString, int> closedLater;
    Walker w(src, offset, std::max(0, offset - bound));
    for (Tag t = w.previous(); t.valid() && open.size() < most; t = w.previous()) {
        const QString key = t.name.toLower();
        if (t.closing) {
            ++closedLater[key];
            continue;
        }
        if (!opensElement(t, data))
            continue;
        int &later = closedLater[key];
        if (later > 0) {
            --later;
            continue;
        }
        bool listed = false;
        for (const QString &o : open)
            listed = listed || sameName(o, t.name);
        if (!listed)
            open << t.name;
    }
    return open;
}

QString closingTagFor(const TextSource &src, int gt, const HtmlData &data)
{
    if (src.at(gt) != u'>')
        return {};
    int lt = -1;
    for (int i = gt - 1; i >= std::max(0, gt - kTagBound); --i) {
        if (src.at(i) == u'<') {
            lt = i;
            break;
        }
    }
    if (lt < 0)
        return {};
    const Tag t = readTag(src, lt, gt + 1);
    if (!t.valid() || t.closing || t.end != gt + 1 || t.selfClosing || data.isVoid(t.name))
        return {};
    if (placeAt(src, lt, kPlaceBound) != Place::Text)
        return {};
    if (closedAhead(src, t, data, kPlaceBound))
        return {};
    return QStringLiteral("</") + t.name + QLatin1Char('>');
}

Completion completionAt(const TextSource &src, int caret)
{
    Completion c;
    int i = caret;
    while (i > 0 && caret - i < kTagBound && isNameChar(src.at(i - 1)))
        --i;
    const QString prefix = src.mid(i, caret);
    const QChar before = src.at(i - 1);
    if (i > 0 && before == u'&') {
        const Place place = placeAt(src, i - 1, kPlaceBound);
        if (place == Place::Text || place == Place::Tag) {
            c.kind = Completion::Entity;
            c.start = i;
            c.prefix = prefix;
        }
        return c;
    }
    if (!prefix.isEmpty() && !isAsciiLetter(prefix[0]))
        return c;
    if (i > 0 && before == u'<') {
        if (placeAt(src, i - 1, kPlaceBound) == Place::Text) {
            c.kind = Completion::Element;
            c.start = i;
            c.prefix = prefix;
        }
        return c;
    }
    if (i > 1 && before == u'/' && src.at(i - 2) == u'<') {
        if (placeAt(src, i - 2, kPlaceBound) == Place::Text) {
            c.kind = Completion::EndTag;
            c.start = i;
            c.prefix = prefix;
        }
        return c;
    }
    if (i > 0 && isSpace(before)) {
        const Tag t = tagAround(src, i, kTagBound);
        if (!t.valid() || t.closing || i <= t.nameEnd)
            return c;
        // Not inside a quoted value.
        QChar quote;
        for (int k = t.nameEnd; k < i; ++k) {
            const QChar ch = src.at(k);
            if (!quote.isNull()) {
                if (ch == quote)
                    quote = QChar();
            } else if (ch == u'"' || ch == u'\'') {
                quote = ch;
            }
        }
        if (!quote.isNull() || placeAt(src, t.start, kPlaceBound) != Place::Text)
            return c;
        c.kind = Completion::Attribute;
        c.start = i;
        c.prefix = prefix;
        c.element = t.name;
    }
    return c;
}

} // namespace htmlaid
