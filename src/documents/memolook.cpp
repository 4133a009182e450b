// How the text area looks: HTML colouring, or plain text styled word by word,
// in the editor's font and colours.
#include "documents/memo.h"
#include "documents/memoengine.h"

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
    // in turns by the words (each with the blanks after it). The engine
    // measures a line run of one style by run and remembers the widths only
    // of short runs, so a long line of plain text is otherwise measured
    // afresh in full after every key; split into words, its runs are mostly
    // remembered. Styles change only where a word begins, which is where
    // wrapping breaks lines anyway.
    if (lexing_)
        return;
    const long start = sci_->S(QsciScintillaBase::SCI_GETENDSTYLED);
    const long stop = std::min<long>(end, sci_->S(QsciScintillaBase::SCI_GETLENGTH));
    if (stop <= start)
        return;
    const long from = start > 0 ? start - 1 : 0;
    const auto *bytes = reinterpret_cast<const char *>(
        sci_->S(QsciScintillaBase::SCI_GETRANGEPOINTER, from, stop - from));
    if (!bytes)
        return;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    bool afterBlank = start == 0 || blank(bytes[0]);
    char style = start > 0 ? char(sci_->S(QsciScintillaBase::SCI_GETSTYLEAT, start - 1) & 1) : 0;
    QByteArray styles(int(stop - start), Qt::Uninitialized);
    const char *text = bytes + (start - from);
    for (long i = 0; i < stop - start; ++i) {
        const char c = text[i];
        const bool isBlank = blank(c);
        if (afterBlank && !isBlank)
            style = char(1 - style);
        styles[int(i)] = style;
        afterBlank = isBlank;
    }
    sci_->S(QsciScintillaBase::SCI_STARTSTYLING, start, 0xff);
    sci_->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, (unsigned long)styles.size(), styles.constData());
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
}
