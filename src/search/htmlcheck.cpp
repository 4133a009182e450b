#include "search/htmlcheck.h"

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace search {

namespace {

struct Reported {
    LineColumn at;
    QString severity;
    QString message;
};

struct Collector {
    std::vector<Reported> reported;
    bool truncated = false;
};

QString severityName(TidyReportLevel level)
{
    switch (level) {
    case TidyWarning:
        return QStringLiteral("Warning");
    case TidyAccess:
        return QStringLiteral("Access");
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        return QStringLiteral("Error");
    default:
        return {};   // information, configuration and the summary are not problems of the page
    }
}

Bool TIDY_CALL collect(TidyMessage message)
{
    auto *c = static_cast<Collector *>(tidyGetAppData(tidyGetMessageDoc(message)));
    const QString severity = severityName(tidyGetMessageLevel(message));
    // Nothing is muted here; the library's muted flag is not always set, so
    // it is not asked.
    if (!c || severity.isEmpty())
        return no;
    if (int(c->reported.size()) >= kMaxHtmlFindings) {
        c->truncated = true;
        return no;
    }
    // The default text is the English one, whatever language the library
    // may have picked from the environment.
    c->reported.push_back({{tidyGetMessageLine(message), tidyGetMessageColumn(message)}, severity,
                           QString::fromUtf8(tidyGetMessageDefault(message))});
    return no;   // collected here, never printed
}

// Owns the checker's document and the buffer its reports would be written
// to, which keeps them off the standard error stream.
class TidySession {
public:
    TidySession() : doc_(tidyCreate()) { tidyBufInit(&errors_); }
    ~TidySession()
    {
        tidyRelease(doc_);
        tidyBufFree(&errors_);
    }
    TidySession(const TidySession &) = delete;
    TidySession &operator=(const TidySession &) = delete;

    // Negative when the checker failed.
    int run(QByteArray &utf8, Collector &collector)
    {
        tidySetErrorBuffer(doc_, &errors_);
        tidySetAppData(doc_, &collector);
        tidySetMessageCallback(doc_, collect);
        tidyOptSetBool(doc_, TidyQuiet, yes);
        tidyOptSetBool(doc_, TidyShowWarnings, yes);
        tidyOptSetBool(doc_, TidyShowInfo, no);
        // Every error is wanted, not the first few.
        tidyOptSetInt(doc_, TidyShowErrors, kMaxHtmlFindings + 1);
        // A tab is one character of its line, as in the editor's offsets.
        tidyOptSetInt(doc_, TidyTabSize, 0);
        tidySetInCharEncoding(doc_, "utf8");

        TidyBuffer in;
        tidyBufInit(&in);
        tidyBufAttach(&in, reinterpret_cast<byte *>(utf8.data()), uint(utf8.size()));
        int rc = tidyParseBuffer(doc_, &in);
        if (rc >= 0)
            rc = tidyCleanAndRepair(doc_);
        if (rc >= 0)
            rc = tidyRunDiagnostics(doc_);
        tidyBufDetach(&in);
        return rc;
    }

private:
    TidyDoc doc_;
    TidyBuffer errors_;
};

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isNameChar(QChar c)
{
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u':' || c == u'_' || c == u'.';
}

// Elements that never hold others, and those whose end tag may be left out
// (the next one of its kind closes them), lower case.
bool opensNoLevel(const QString &name)
{
    static const QStringList names{
        QStringLiteral("area"), QStringLiteral("base"), QStringLiteral("basefont"), QStringLiteral("bgsound"),
        QStringLiteral("br"), QStringLiteral("col"), QStringLiteral("embed"), QStringLiteral("frame"),
        QStringLiteral("hr"), QStringLiteral("img"), QStringLiteral("input"), QStringLiteral("isindex"),
        QStringLiteral("keygen"), QStringLiteral("link"), QStringLiteral("meta"), QStringLiteral("param"),
        QStringLiteral("source"), QStringLiteral("spacer"), QStringLiteral("track"), QStringLiteral("wbr"),
        QStringLiteral("p"), QStringLiteral("li"), QStringLiteral("dt"), QStringLiteral("dd"),
        QStringLiteral("tr"), QStringLiteral("td"), QStringLiteral("th"), QStringLiteral("option"),
        QStringLiteral("optgroup"), QStringLiteral("thead"), QStringLiteral("tbody"), QStringLiteral("tfoot"),
        QStringLiteral("colgroup"), QStringLiteral("caption"), QStringLiteral("rb"), QStringLiteral("rt"),
        QStringLiteral("rp"), QStringLiteral("rtc"), QStringLiteral("html"), QStringLiteral("head"),
        QStringLiteral("body"),
    };
    return names.contains(name);
}

// Elements whose content the checker reads as text up to their own end tag.
bool holdsRawText(const QString &name)
{
    return name == u"script" || name == u"style";
}

qsizetype indexOfNoCase(QStringView text, QStringView what, qsizetype from)
{
    const qsizetype at = text.indexOf(what, from, Qt::CaseInsensitive);
    return at < 0 ? text.size() : at;
}

} // namespace

QString noProblemsText()
{
    return QStringLiteral("No problems found.");
}

QString truncatedText()
{
    return QStringLiteral("Only the first %1 problems are listed.").arg(kMaxHtmlFindings);
}

int nestingDepth(QStringView text)
{
    const qsizetype n = text.size();
    int depth = 0;
    int deepest = 0;
    qsizetype i = 0;
    while (i < n) {
        i = text.indexOf(u'<', i);
        if (i < 0)
            break;
        ++i;
        if (i >= n)
            break;
        if (text.mid(i).startsWith(u"!--")) {
            const qsizetype end = text.indexOf(u"-->", i + 3);
            i = end < 0 ? n : end + 3;
            continue;
        }
        if (text[i] == u'!' || text[i] == u'?') {
            const qsizetype end = text.indexOf(u'>', i);
            i = end < 0 ? n : end + 1;
            continue;
        }
        const bool closing = text[i] == u'/';
        if (closing)
            ++i;
        if (i >= n || !isAsciiLetter(text[i]))
            continue;   // a lone "<" of the text
        const qsizetype nameStart = i;
        while (i < n && isNameChar(text[i]))
            ++i;
        const QString name = text.mid(nameStart, i - nameStart).toString().toLower();
        const qsizetype gt = text.indexOf(u'>', i);
        const qsizetype tagEnd = gt < 0 ? n : gt;
        i = gt < 0 ? n : gt + 1;
        if (closing) {
            depth = std::max(0, depth - 1);
            continue;
        }
        const bool selfClosed = tagEnd > nameStart && text[tagEnd - 1] == u'/';
        if (!selfClosed && !opensNoLevel(name))
            deepest = std::max(deepest, ++depth);
        if (holdsRawText(name) && !selfClosed) {
            // "<" inside a script or style is text, not a tag.
            const qsizetype end = indexOfNoCase(text, QString(QStringLiteral("</") + name), i);
            i = end;
        }
    }
    return deepest;
}

QList<int> offsetsOf(QStringView text, const QList<LineColumn> &positions)
{
    QList<int> result(positions.size(), 0);
    std::vector<int> order(size_t(positions.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&positions](int a, int b) {
        const LineColumn &x = positions[a];
        const LineColumn &y = positions[b];
        return x.line != y.line ? x.line < y.line : x.column < y.column;
    });

    const qsizetype n = text.size();
    const auto isBreak = [&text](qsizetype i) { return text[i] == u'\r' || text[i] == u'\n'; };
    qsizetype pos = 0;   // the character at (line, column)
    int line = 1;
    int column = 1;
    for (const int idx : order) {
        const int wantLine = std::max(1, positions[idx].line);
        const int wantColumn = std::max(1, positions[idx].column);
        while (line < wantLine) {
            while (pos < n && !isBreak(pos))
                ++pos;
            if (pos >= n)
                break;
            pos += text[pos] == u'\r' && pos + 1 < n && text[pos + 1] == u'\n' ? 2 : 1;
            ++line;
            column = 1;
        }
        if (line < wantLine) {
            result[idx] = int(n);
            continue;
        }
        while (column < wantColumn && pos < n && !isBreak(pos)) {
            const bool pair = text[pos].isHighSurrogate() && pos + 1 < n && text[pos + 1].isLowSurrogate();
            pos += pair ? 2 : 1;
            ++column;
        }
        result[idx] = int(pos);
    }
    return result;
}

HtmlCheck checkHtml(const QString &text)
{
    HtmlCheck check;
    if (text.size() > kMaxHtmlCheckChars) {
        check.refusal = QStringLiteral("The page is too large to be checked.");
        return check;
    }
    // The checker skips a byte-order mark without counting it.
    QStringView body(text);
    const int shift = body.startsWith(QChar(0xFEFF)) ? 1 : 0;
    body = body.mid(shift);
    if (nestingDepth(body) > kMaxHtmlCheckDepth) {
        check.refusal = QStringLiteral("The page nests its tags too deeply to be checked.");
        return check;
    }
    // A zero character would end the checker's reading there; a stand-in of
    // the same length keeps every later position.
    QString copy = body.toString();
    copy.replace(QChar(0), QChar(0xFFFD));
    QByteArray utf8 = copy.toUtf8();

    Collector collector;
    {
        TidySession session;
        if (session.run(utf8, collector) < 0) {
            check.refusal = QStringLiteral("The page could not be checked.");
            return check;
        }
    }

    QList<LineColumn> positions;
    positions.reserve(qsizetype(collector.reported.size()));
    for (const Reported &r : collector.reported)
        positions.append(r.at);
    const QList<int> offsets = offsetsOf(copy, positions);
    check.findings.reserve(offsets.size());
    for (qsizetype i = 0; i < offsets.size(); ++i) {
        Reported &r = collector.reported[size_t(i)];
        check.findings.append({offsets[i] + shift, std::move(r.severity), std::move(r.message)});
    }
    // The checker reports in passes (structure, then attributes); the list
    // reads down the page.
    std::stable_sort(check.findings.begin(), check.findings.end(),
                     [](const HtmlFinding &a, const HtmlFinding &b) { return a.offset < b.offset; });
    check.truncated = collector.truncated;
    return check;
}

} // namespace search
