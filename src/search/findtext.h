#pragma once
// Find and replace in one document's text. The text is the document's whole
// text with CR LF line breaks; every offset is an index into that string, the
// same number the text area uses for its caret and selection start.
#include "search/linescan.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <vector>

namespace search {

inline constexpr char EndOfSearchMessage[] = "End of Search";
// Said in the status bar when a search went on from the start of the text.
inline constexpr char WrappedMessage[] = "Search wrapped to the top";

// The message shown after Replace All: the count followed by
// " replacements made.".
QString replacementsMadeMessage(int count);

// Upper-cases the ASCII letters a..z only; every other character, accented
// letters included, is kept as it is.
QString foldAsciiUpper(QStringView text);

struct FindOptions {
    bool matchCase = false;
    bool wholeWord = false;
    // The search text is a Perl regular expression (search/matcher.h).
    bool regularExpression = false;
    // A search that finds nothing after the caret goes on once from the
    // start of the text; Replace All then covers the whole text.
    bool wrapAround = false;
};

// The search text as it is looked for: with whole word on, one blank on each
// side (the blanks are literal, so a word at the start or end of the text or
// of a line is never found this way); upper-cased when match case is off.
QString preparePattern(const QString &findText, const FindOptions &options);

// The first offset p >= start at which pattern occurs in text (exact
// comparison of characters), or -1. An empty pattern, or a start past the
// last character, gives -1. A negative start searches from 0.
int SearchFrom(int start, QStringView pattern, QStringView text);

// Looks for one pattern in a text as it is, without an upper-cased copy:
// find(text, start) gives what SearchFrom(start, P, T) gives, where P and T
// are the pattern and the text, both upper-cased by foldAsciiUpper when match
// case is off (so only the ASCII letters are compared without case).
class PatternFinder {
public:
    PatternFinder(QStringView pattern, bool matchCase);

    int find(QStringView text, int start) const;
    int size() const { return int(value_.size()); }

    // A line of the text that holds a hit lying wholly inside it: where the
    // line starts, its number (zero-based) and where its own characters end,
    // before its CR LF or lone LF. Lines are ended by LF.
    using LineWithHit = linescan::LineWithHit;

    // Every line holding a hit, top to bottom, in one pass over the text that
    // looks for hits and line breaks together. A pattern holding an LF finds
    // no line.
    std::vector<LineWithHit> linesWithHits(QStringView text) const;

private:
    linescan::Pattern pattern() const;

    // A text character t matches pattern character k when
    // (t | mask_[k]) == value_[k]; the mask is 0x20 for a letter compared
    // without case (t | 0x20 is 'a' only for 'a' and 'A').
    std::vector<char16_t> value_;
    std::vector<char16_t> mask_;
    // Two pattern positions tested first, over a block of candidates at
    // once: the pattern's two least common characters.
    int probeA_ = 0;
    int probeB_ = 0;
};

// A hit to be selected: offset and length of the selection. offset is -1
// when nothing was found.
struct FindHit {
    int offset = -1;
    int length = 0;
    // Found only by going on from the start of the text (wrap around).
    bool wrapped = false;
    bool found() const { return offset >= 0; }
};

// Find Next: searches from one character after the selection start, so the
// character at the caret never starts a hit and hits may overlap. Without
// wrap around, nothing before that is searched; with it, a search that
// finds nothing there goes on once from offset 0 (inclusive). The hit's
// length is the prepared pattern's (two more with whole word, so the
// selection includes the blanks), or the expression's match (maybe empty).
// An invalid expression finds nothing.
FindHit findNext(const QString &text, int selectionStart, const QString &findText,
                 const FindOptions &options);

// One replacement of Replace All, to be applied by selecting `length`
// characters at `offset` and typing the replacement over them. The offsets
// are into the text as it stands after the earlier replacements of the list
// have been applied, so the list must be applied in order.
struct Replacement {
    int offset = 0;
    int length = 0;
    QString text;   // what replaces the characters
    bool operator==(const Replacement &) const = default;
};

struct ReplaceAllResult {
    QString text;                    // the text after every replacement
    int count = 0;                   // the number of replacements made
    QList<Replacement> replacements; // in the order they are applied
};

// Replace All from the caret: the first hit starts after the selection
// start; after each replacement the search goes on right after the inserted
// replacement text, so a replacement that itself contains the search text
// ('a' by 'aa') is never searched again and the run always ends. Text
// before the caret and the character at it are never replaced, unless wrap
// around is on: then the whole text is, from offset 0. With a regular
// expression each match gets its own expansion of the replacement text.
ReplaceAllResult replaceAll(const QString &text, int selectionStart, const QString &findText,
                            const QString &replaceText, const FindOptions &options);

} // namespace search
