#include "search/matcher.h"

#include <algorithm>

namespace search {

namespace {

// Lines end in CR LF: "^", "$" and "." must take a CR LF (or a lone CR or
// LF) for one line break, which PCRE's default of LF alone does not.
const QString kLineBreaks = QStringLiteral("(*ANYCRLF)");
const QString kWordStart = QStringLiteral("\\b(?:");
const QString kWordEnd = QStringLiteral(")\\b");

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

Matcher::Matcher() = default;

Matcher::Matcher(const QString &findText, const FindOptions &options) : options_(options)
{
    if (!options.regularExpression) {
        // With whole word, even an empty search text is two blanks to find.
        const QString pattern = preparePattern(findText, options);
        if (!pattern.isEmpty())
            plain_ = std::make_shared<const PatternFinder>(pattern, options.matchCase);
        return;
    }
    if (findText.isEmpty())
        return;   // an empty expression would match everywhere and select nothing
    // Whole word is a word boundary on each side here: blanks would make a
    // pattern that must itself begin and end with one.
    const QString lead = options.wholeWord ? kLineBreaks + kWordStart : kLineBreaks;
    QRegularExpression::PatternOptions flags = QRegularExpression::MultilineOption |
                                               QRegularExpression::UseUnicodePropertiesOption;
    if (!options.matchCase)
        flags |= QRegularExpression::CaseInsensitiveOption;
    auto regex = std::make_shared<QRegularExpression>(lead + findText + (options.wholeWord ? kWordEnd : QString()),
                                                      flags);
    if (!regex->isValid()) {
        // Counted from 1 in what was typed; an error found at the very end
        // (a missing parenthesis) points at the last character.
        const qsizetype at =
            std::clamp<qsizetype>(regex->patternErrorOffset() - lead.size() + 1, 1, findText.size());
        error_ = QStringLiteral("Invalid regular expression: ") + regex->errorString() +
                 QStringLiteral(" (at character ") + QString::number(at) + QStringLiteral(")");
        return;
    }
    regex->optimize();
    regex_ = std::move(regex);
}

bool Matcher::findsNothing() const
{
    return !plain_ && !regex_;
}

int Matcher::fixedLength() const
{
    return plain_ ? plain_->size() : -1;
}

Match Matcher::find(QStringView text, int start) const
{
    start = std::max(start, 0);
    if (plain_) {
        const int at = plain_->find(text, start);
        return at >= 0 ? Match{at, plain_->size()} : Match{};
    }
    if (!regex_ || start > text.size())
        return {};
    const QRegularExpressionMatch m = regex_->match(text, start);
    if (!m.hasMatch())
        return {};
    return {int(m.capturedStart()), int(m.capturedLength())};
}

void Matcher::collect(QStringView text, int from, int to, std::vector<Match> &out) const
{
    from = std::max(from, 0);
    to = std::min<int>(to, int(text.size()));
    if (from >= to)
        return;
    if (plain_) {
        const int length = plain_->size();
        for (int at = plain_->find(text, from); at >= 0 && at < to; at = plain_->find(text, at + 1))
            out.push_back({at, length});
        return;
    }
    if (!regex_)
        return;
    QRegularExpressionMatchIterator it = regex_->globalMatch(text, from);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedStart() >= to)
            break;
        if (m.capturedLength() > 0)
            out.push_back({int(m.capturedStart()), int(m.capturedLength())});
    }
}

QString Matcher::replacementFor(QStringView text, const Match &m, const QString &replaceText) const
{
    if (!regex_)
        return replaceText;
    // The groups of the match again: the match at the same place, if the
    // selection is still it; otherwise the groups stand for nothing.
    const QRegularExpressionMatch again =
        m.offset >= 0 && m.offset <= text.size()
            ? regex_->match(text, m.offset, QRegularExpression::NormalMatch,
                            QRegularExpression::AnchorAtOffsetMatchOption)
            : QRegularExpressionMatch();
    if (again.hasMatch() && again.capturedLength() == m.length)
        return expandReplacement(replaceText, again);
    return expandReplacement(replaceText, QRegularExpressionMatch());
}

FindHit findNext(QStringView text, int selectionStart, const Matcher &matcher, bool wrapAround)
{
    FindHit hit;
    Match m = matcher.find(text, selectionStart + 1);
    if (!m.found() && wrapAround) {
        m = matcher.find(text, 0);
        hit.wrapped = m.found();
    }
    if (m.found()) {
        hit.offset = m.offset;
        hit.length = m.length;
    }
    return hit;
}

QString expandReplacement(const QString &replaceText, const QRegularExpressionMatch &match)
{
    const int groups = match.hasMatch() ? match.regularExpression().captureCount() : 0;
    auto group = [&](int n) { return n <= groups && match.hasMatch() ? match.captured(n) : QString(); };
    QString out;
    out.reserve(replaceText.size());
    const qsizetype n = replaceText.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = replaceText[i];
        const QChar next = i + 1 < n ? replaceText[i + 1] : QChar();
        if (c == u'\\' && i + 1 < n) {
            if (isDigit(next)) {
                out += group(next.unicode() - u'0');
            } else if (next == u'n') {
                out += QStringLiteral("\r\n");
            } else if (next == u't') {
                out += QLatin1Char('\t');
            } else if (next == u'\\' || next == u'$') {
                out += next;
            } else {
                out += c;   // not an escape: kept as typed
                continue;
            }
            ++i;
        } else if (c == u'$' && i + 1 < n) {
            if (next == u'$') {
                out += next;
                ++i;
            } else if (next == u'&') {
                out += group(0);
                ++i;
            } else if (isDigit(next)) {
                // Two digits when they name a group, as $10 with ten groups.
                int number = next.unicode() - u'0';
                qsizetype used = 1;
                if (i + 2 < n && isDigit(replaceText[i + 2])) {
                    const int two = number * 10 + (replaceText[i + 2].unicode() - u'0');
                    if (two <= groups) {
                        number = two;
                        used = 2;
                    }
                }
                out += group(number);
                i += used;
            } else if (next == u'{') {
                const qsizetype close = replaceText.indexOf(u'}', i + 2);
                const QString name = close > i + 2 ? replaceText.mid(i + 2, close - i - 2) : QString();
                if (name.isEmpty()) {
                    out += c;
                    continue;
                }
                bool numeric = false;
                const int number = name.toInt(&numeric);
                if (numeric)
                    out += group(number);
                else if (match.hasMatch())
                    out += match.captured(name);
                i = close;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return out;
}

ReplaceAllResult replaceAllMatches(const QString &text, int selectionStart, const Matcher &matcher,
                                   const QString &replaceText, bool wrapAround)
{
    ReplaceAllResult result;
    const int start = wrapAround ? 0 : std::max(selectionStart + 1, 0);
    if (!matcher.regex_ || start > text.size()) {
        result.text = text;
        return result;
    }
    result.text.reserve(text.size());
    qsizetype copiedUpTo = 0;
    QRegularExpressionMatchIterator it = matcher.regex_->globalMatch(text, start);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString with = expandReplacement(replaceText, m);
        result.text.append(QStringView(text).mid(copiedUpTo, m.capturedStart() - copiedUpTo));
        result.replacements.append({int(result.text.size()), int(m.capturedLength()), with});
        result.text.append(with);
        ++result.count;
        copiedUpTo = m.capturedEnd();
    }
    result.text.append(QStringView(text).mid(copiedUpTo));
    return result;
}

} // namespace search
