// How the text area looks: HTML colouring, or plain text styled word by word,
// in the editor's font and colours.
#include "documents/memo.h"
#include "documents/memoengine.h"
#include "documents/textruns.h"

#include <QElapsedTimer>
#include <algorithm>

namespace {

// Scintilla colours are 0xBBGGRR.
long sciColour(const QColor &c)
{
    return long(c.red()) | (long(c.green()) << 8) | (long(c.blue()) << 16);
}

struct StyleColour {
    int style;
    int hue;     // -1: the text colour
    bool bold;
};

// Colours of the HTML styles, as hues; their lightness follows the background
// so that text stays readable on dark settings too.
constexpr StyleColour kHtmlStyles[] = {
    {QsciLexerHTML::Tag, 220, true},
    {QsciLexerHTML::UnknownTag, 220, false},
    {QsciLexerHTML::XMLTagEnd, 220, true},
    {QsciLexerHTML::XMLStart, 220, false},
    {QsciLexerHTML::XMLEnd, 220, false},
    {QsciLexerHTML::Attribute, 0, false},
    {QsciLexerHTML::UnknownAttribute, 0, false},
    {QsciLexerHTML::HTMLNumber, 290, false},
    {QsciLexerHTML::HTMLDoubleQuotedString, 290, false},
    {QsciLexerHTML::HTMLSingleQuotedString, 290, false},
    {QsciLexerHTML::HTMLValue, 290, false},
    {QsciLexerHTML::OtherInTag, 220, false},
    {QsciLexerHTML::HTMLComment, 120, false},
    {QsciLexerHTML::Entity, 30, false},
    {QsciLexerHTML::CDATA, 180, false},
    {QsciLexerHTML::SGMLDefault, 180, false},
    {QsciLexerHTML::SGMLCommand, 180, true},
    {QsciLexerHTML::SGMLComment, 120, false},
    {QsciLexerHTML::JavaScriptStart, 180, false},
    {QsciLexerHTML::JavaScriptComment, 120, false},
    {QsciLexerHTML::JavaScriptCommentLine, 120, false},
    {QsciLexerHTML::JavaScriptCommentDoc, 120, false},
    {QsciLexerHTML::JavaScriptNumber, 180, false},
    {QsciLexerHTML::JavaScriptKeyword, 220, true},
    {QsciLexerHTML::JavaScriptDoubleQuotedString, 290, false},
    {QsciLexerHTML::JavaScriptSingleQuotedString, 290, false},
    {QsciLexerHTML::JavaScriptUnclosedString, 290, false},
    {QsciLexerHTML::JavaScriptRegex, 30, false},
};

} // namespace

bool TMemo::htmlHighlighting() const
{
    return html_;
}

void TMemo::setHtmlHighlighting(bool on)
{
    if (on == html_)
        return;
    html_ = on;
    applyLook();
}

void TMemo::styleRuns(int end)
{
    // Text without colouring still gets styles: two that look alike, taken
    // in turns by short runs that recur (textruns.h), so that a line is
    // measured mostly from widths the engine already keeps; in one style a
    // long line is measured afresh in full after every key.
    if (lexing_)
        return;
    using B = QsciScintillaBase;
    const long start = sci_->S(B::SCI_GETENDSTYLED);
    const long stop = std::min<long>(end, sci_->S(B::SCI_GETLENGTH));
    if (stop <= start)
        return;
    cutIntoRuns(start, stop);
}

void TMemo::cutIntoRuns(long start, long stop)
{
    using B = QsciScintillaBase;
    const long styledTo = sci_->S(B::SCI_GETENDSTYLED);
    const long floor = std::max(0L, start - textruns::kLookBack);
    const auto *bytes = reinterpret_cast<const unsigned char *>(sci_->S(B::SCI_GETRANGEPOINTER, floor, stop - floor));
    if (!bytes)
        return;
    const bool breaks = breaksAtRuns();
    long line = sci_->S(B::SCI_LINEFROMPOSITION, start);
    textruns::Cut cut = textruns::cutFor(sci_->S(B::SCI_LINELENGTH, line), breaks);
    // Restarted where a run begins whatever came before, so that a styled
    // stretch continues the runs of the text before it.
    const long from = floor + textruns::restartPoint(reinterpret_cast<const char *>(bytes), start - floor, 0, cut);
    char style = from > 0 ? char(sci_->S(B::SCI_GETSTYLEAT, from - 1) & 1) : 1;
    QByteArray styles(int(stop - from), Qt::Uninitialized);
    textruns::Cutter cutter(cut);
    for (long i = from; i < stop; ++i) {
        const unsigned char c = bytes[i - floor];
        if (cutter.cuts(c))
            style = char(1 - style);
        styles[int(i - from)] = style;
        if (c == '\n' && i + 1 < stop && breaks) {
            // Each line is cut by its own length.
            const textruns::Cut next = textruns::cutFor(sci_->S(B::SCI_LINELENGTH, ++line), breaks);
            if (next != cut) {
                cut = next;
                cutter = textruns::Cutter(cut);
            }
        }
    }
    sci_->S(B::SCI_STARTSTYLING, from, 0xff);
    sci_->SendScintilla(B::SCI_SETSTYLINGEX, (unsigned long)styles.size(), styles.constData());
    if (styledTo > stop)
        sci_->S(B::SCI_STARTSTYLING, styledTo, 0xff);
}

void TMemo::alignViewRuns()
{
    // On a line of megabytes the engine's positions are off by up to a few
    // pixels at the far end (textruns.h), and each run is drawn from its own
    // rounded position: the short runs the line is cut into would draw with
    // uneven gaps there. The text in view is drawn as one run per screen
    // line instead, which starts exactly where the screen line does; it is
    // cut into short runs again once it leaves the view, so that laying out
    // the line stays cheap.
    using B = QsciScintillaBase;
    if (lexing_ || !breaksAtRuns())
        return;
    const long lines = sci_->S(B::SCI_GETLINECOUNT);
    const long top = sci_->S(B::SCI_GETFIRSTVISIBLELINE);
    const long rows = sci_->S(B::SCI_LINESONSCREEN) + 1;
    const int h = std::max(1, lineHeight());
    const int width = sci_->viewport()->width();
    // Longest run drawn in one piece: the engine cuts longer ones up.
    constexpr long kLongestPiece = 280;
    std::vector<std::pair<long, long>> spans;
    for (long d = top; d < top + rows; ++d) {
        const long doc = sci_->S(B::SCI_DOCLINEFROMVISIBLE, d);
        if (doc >= lines)
            break;
        if (sci_->S(B::SCI_LINELENGTH, doc) <= textruns::kLongLine)
            continue;
        const long y = (d - top) * h + h / 2;
        long from = sci_->S(B::SCI_POSITIONFROMPOINT, 0, y);
        long to;
        if (wrap()) {
            to = sci_->S(B::SCI_DOCLINEFROMVISIBLE, d + 1) == doc ? sci_->S(B::SCI_POSITIONFROMPOINT, 0, y + h)
                                                                  : sci_->S(B::SCI_GETLINEENDPOSITION, doc);
        } else {
            from = sci_->S(B::SCI_POSITIONBEFORE, from);
            to = sci_->S(B::SCI_POSITIONAFTER, sci_->S(B::SCI_POSITIONFROMPOINT, width, y));
        }
        to = std::min(to, from + kLongestPiece);
        if (to > from && (spans.empty() || from >= spans.back().second))
            spans.emplace_back(from, to);
    }
    if (spans == viewSpans_)
        return;
    // Restyled, a wrapped line of megabytes is wrapped again, and may gain
    // or lose screen lines above the caret: a caret in view stays there.
    const bool caretShown = wrap() && sci_->isVisible() && caretInView();
    const long styledTo = sci_->S(B::SCI_GETENDSTYLED);
    for (const auto &old : viewSpans_)
        if (std::find(spans.begin(), spans.end(), old) == spans.end() && old.second <= styledTo)
            cutIntoRuns(old.first, old.second);
    // Screen lines take the third and fourth style in turns, so that each
    // differs from the runs and screen lines beside it.
    for (size_t k = 0; k < spans.size(); ++k) {
        sci_->S(B::SCI_STARTSTYLING, spans[k].first, 0xff);
        sci_->S(B::SCI_SETSTYLING, spans[k].second - spans[k].first, 2 + long(k % 2));
    }
    if (styledTo > sci_->S(B::SCI_GETENDSTYLED))
        sci_->S(B::SCI_STARTSTYLING, styledTo, 0xff);
    viewSpans_ = std::move(spans);
    if (caretShown && !caretInView())
        bringCaretIntoView();
}

namespace {

// The engine's range of styled text: characters and their styles in turns.
struct StyledRange {
    long cpMin;
    long cpMax;
    char *text;
};

} // namespace

void TMemo::splitTextRuns(long from, long to)
{
    // The HTML lexer styles the text between tags as one run up to the next
    // tag, which the engine measures afresh whenever its line is laid out.
    // That text is cut into recurring runs, taken in turns by the text style
    // and its twin. Line ends keep the lexer's own style: the lexer reads it
    // back when it starts again at a line.
    using B = QsciScintillaBase;
    if (to <= from)
        return;
    const long styledTo = sci_->S(B::SCI_GETENDSTYLED);
    QByteArray pairs(int(2 * (to - from) + 2), Qt::Uninitialized);
    StyledRange range{from, to, pairs.data()};
    sci_->SendScintilla(B::SCI_GETSTYLEDTEXT, 0UL, &range);
    QByteArray styles(int(to - from), Qt::Uninitialized);
    // Lexed lines are under a megabyte: the longer runs are not needed.
    const textruns::Cut cut = breaksAtRuns() ? textruns::Cut::Words : textruns::Cut::Fine;
    textruns::Cutter cutter(cut);
    bool inText = false;
    bool twin = false;
    for (long i = 0; i < to - from; ++i) {
        const auto c = static_cast<unsigned char>(pairs[int(2 * i)]);
        const int style = static_cast<unsigned char>(pairs[int(2 * i + 1)]);
        const bool text = style == 0 || style == kTextTwin;
        if (text && c != '\r' && c != '\n') {
            if (!inText) {
                cutter = textruns::Cutter(cut);
                inText = true;
                twin = true;
            }
            if (cutter.cuts(c))
                twin = !twin;
            styles[int(i)] = char(twin ? kTextTwin : 0);
        } else {
            inText = false;
            styles[int(i)] = char(style == kTextTwin ? 0 : style);
        }
    }
    sci_->S(B::SCI_STARTSTYLING, from, 0xff);
    sci_->SendScintilla(B::SCI_SETSTYLINGEX, (unsigned long)styles.size(), styles.constData());
    // Restyling here leaves the engine's styled end at `to`; what the lexer
    // had coloured beyond stays coloured, or it would colour it all again.
    if (styledTo > to)
        sci_->S(B::SCI_STARTSTYLING, styledTo, 0xff);
}

void TMemo::styleAhead()
{
    // Colours the page ahead of the background wrap, slice by slice, and
    // cuts its text into runs before the wrap measures it; left to itself
    // the engine colours each stretch just before measuring it in the
    // lexer's long runs, and drawing lines far ahead (Ctrl+End) colours
    // everything between at once: the slices are large enough to be done
    // within a second of loading 20 MB.
    using B = QsciScintillaBase;
    if (!lexing_)
        return;
    const long length = sci_->S(B::SCI_GETLENGTH);
    QElapsedTimer clock;
    clock.start();
    constexpr long kSlice = 128 * 1024;
    while (styledAhead_ < length && clock.elapsed() < 30) {
        const long from = styledAhead_;
        long to = std::min(length, from + kSlice);
        const long lastLine = sci_->S(B::SCI_LINEFROMPOSITION, to);
        if (to < length)
            to = std::max(to, long(sci_->S(B::SCI_POSITIONFROMLINE, lastLine + 1)));
        to = std::min(to, length);
        const long styled = sci_->S(B::SCI_GETENDSTYLED);
        if (styled < to)
            sci_->S(B::SCI_COLOURISE, sci_->S(B::SCI_POSITIONFROMLINE, sci_->S(B::SCI_LINEFROMPOSITION, styled)), to);
        splitTextRuns(from, to);
        styledAhead_ = to;
    }
    if (styledAhead_ < length)
        styleAheadTimer_->start(0);
}

void TMemo::changeEvent(QEvent *e)
{
    QFrame::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange)
        applyLook();
}

void TMemo::applyLook()
{
    const QFont f = font();
    const QColor back = palette().color(QPalette::Base);
    const QColor fore = palette().color(QPalette::Text);
    lexing_ = lexing();
    if (lexing_) {
        if (!look_->lexer)
            look_->lexer = new QsciLexerHTML(sci_);
        QsciLexerHTML *lexer = look_->lexer;
        lexer->setDefaultFont(f);
        lexer->setDefaultPaper(back);
        lexer->setDefaultColor(fore);
        lexer->setFont(f, -1);
        lexer->setPaper(back, -1);
        lexer->setColor(fore, -1);
        const bool dark = back.lightness() < 128;
        for (const StyleColour &s : kHtmlStyles) {
            lexer->setColor(QColor::fromHsl(s.hue, 200, dark ? 175 : 75), s.style);
            if (s.bold) {
                QFont b = f;
                b.setBold(true);
                lexer->setFont(b, s.style);
            }
        }
        if (sci_->lexer() != lexer)
            sci_->setLexer(lexer);
        // The text style's twin looks as the engine shows the text style.
        using B = QsciScintillaBase;
        char family[256] = {};
        if (sci_->SendScintilla(B::SCI_STYLEGETFONT, 0UL, (long)nullptr) < long(sizeof family)) {
            sci_->SendScintilla(B::SCI_STYLEGETFONT, 0UL, family);
            sci_->SendScintilla(B::SCI_STYLESETFONT, (unsigned long)kTextTwin, family);
        }
        sci_->S(B::SCI_STYLESETSIZEFRACTIONAL, kTextTwin, sci_->S(B::SCI_STYLEGETSIZEFRACTIONAL, 0));
        sci_->S(B::SCI_STYLESETWEIGHT, kTextTwin, sci_->S(B::SCI_STYLEGETWEIGHT, 0));
        sci_->S(B::SCI_STYLESETITALIC, kTextTwin, sci_->S(B::SCI_STYLEGETITALIC, 0));
        sci_->S(B::SCI_STYLESETFORE, kTextTwin, sci_->S(B::SCI_STYLEGETFORE, 0));
        sci_->S(B::SCI_STYLESETBACK, kTextTwin, sci_->S(B::SCI_STYLEGETBACK, 0));
        sci_->S(B::SCI_STYLESETCHARACTERSET, kTextTwin, sci_->S(B::SCI_STYLEGETCHARACTERSET, 0));
        styledAhead_ = 0;
        styleAheadTimer_->start(0);
    } else {
        if (sci_->lexer())
            sci_->setLexer(nullptr);
        const QByteArray family = f.family().toUtf8();
        sci_->SendScintilla(QsciScintillaBase::SCI_STYLESETFONT, (unsigned long)QsciScintillaBase::STYLE_DEFAULT,
                            family.constData());
        sci_->S(QsciScintillaBase::SCI_STYLESETSIZEFRACTIONAL, QsciScintillaBase::STYLE_DEFAULT,
                long(f.pointSizeF() * 100));
        sci_->S(QsciScintillaBase::SCI_STYLESETBOLD, QsciScintillaBase::STYLE_DEFAULT, f.bold());
        sci_->S(QsciScintillaBase::SCI_STYLESETITALIC, QsciScintillaBase::STYLE_DEFAULT, f.italic());
        sci_->S(QsciScintillaBase::SCI_STYLESETFORE, QsciScintillaBase::STYLE_DEFAULT, sciColour(fore));
        sci_->S(QsciScintillaBase::SCI_STYLESETBACK, QsciScintillaBase::STYLE_DEFAULT, sciColour(back));
        sci_->S(QsciScintillaBase::SCI_STYLECLEARALL);
        // Styles left by colouring are restyled as words.
        sci_->S(QsciScintillaBase::SCI_STARTSTYLING, 0, 0xff);
    }
    sci_->S(QsciScintillaBase::SCI_SETCARETFORE, sciColour(fore));
    sci_->S(QsciScintillaBase::SCI_SETSELFORE, 1, sciColour(palette().color(QPalette::HighlightedText)));
    sci_->S(QsciScintillaBase::SCI_SETSELBACK, 1, sciColour(palette().color(QPalette::Highlight)));
    sci_->S(QsciScintillaBase::SCI_SETLAYOUTCACHE, QsciScintillaBase::SC_CACHE_PAGE);
    applyCurrentLine();
    // Other fonts, other widths: every line is wrapped again.
    restartNumbering(false);
}
