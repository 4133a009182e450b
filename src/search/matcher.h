#pragma once
// One search as the find windows' options describe it: the search text
// compared as it is (ASCII letters folded unless Match Case, whole word as
// one literal blank on each side), or a Perl regular expression. A matcher
// finds the next match from an offset and lists the matches in a stretch of
// a text, which is what "Highlight all" marks.
#include "search/findtext.h"

#include <QRegularExpression>
#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

namespace search {

class Matcher;
ReplaceAllResult replaceAllMatches(const QString &text, int selectionStart, const Matcher &matcher,
                                   const QString &replaceText, bool wrapAround);

struct Match {
    int offset = -1;
    int length = 0;
    bool found() const { return offset >= 0; }
    bool operator==(const Match &) const = default;
};

class Matcher {
public:
    // Finds nothing.
    Matcher();
    Matcher(const QString &findText, const FindOptions &options);

    // An expression that does not parse finds nothing; the message says why.
    bool valid() const { return error_.isEmpty(); }
    const QString &errorMessage() const { return error_; }
    // Nothing can be found: an empty search text, or an invalid expression.
    bool findsNothing() const;
    bool isRegularExpression() const { return regex_ != nullptr; }
    // The length of every match of a plain search text; -1 for an
    // expression, whose matches may be of any length (even empty).
    int fixedLength() const;

    // The first match that starts at or after `start` (0 when negative).
    // The characters before `start` are still seen by an expression's
    // look-behind and its "^". No match: offset -1.
    Match find(QStringView text, int start) const;

    // Appends every match of at least one character that starts in
    // [from, to) of text, in order; matches may overlap. The text beyond
    // the stretch is context: an expression's match may run past `to`.
    void collect(QStringView text, int from, int to, std::vector<Match> &out) const;

    // What replaces the match `m` of `text`: the replacement text as typed
    // for a plain search; for an expression, with \1 or $1 (up to 99, or
    // ${n}) standing for a group, \0 $0 $& for the whole match, \n a line
    // break, \t a tab, \\ and $$ for "\" and "$".
    QString replacementFor(QStringView text, const Match &m, const QString &replaceText) const;

private:
    friend ReplaceAllResult replaceAllMatches(const QString &, int, const Matcher &, const QString &, bool);

    FindOptions options_;
    QString error_;
    std::shared_ptr<const PatternFinder> plain_;
    std::shared_ptr<const QRegularExpression> regex_;
};

// Find Next with a matcher made already: as findNext in findtext.h.
FindHit findNext(QStringView text, int selectionStart, const Matcher &matcher, bool wrapAround);

// The replacement text with the groups of `match` put in (see
// Matcher::replacementFor). A group the expression does not have, or one
// that took no part in the match, stands for nothing.
QString expandReplacement(const QString &replaceText, const QRegularExpressionMatch &match);

// Replace All with an expression: as replaceAll (findtext.h), each match
// replaced by its own expansion. An empty match is replaced too (so "^" by
// "> " quotes every line) and the search then goes on one character later.
ReplaceAllResult replaceAllMatches(const QString &text, int selectionStart, const Matcher &matcher,
                                   const QString &replaceText, bool wrapAround);

} // namespace search
