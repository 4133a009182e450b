#pragma once
// The one-pass line search behind Find in Files, in the widest vector width
// the processor offers. Internal to the search library.
#include <QStringView>
#include <vector>

namespace search::linescan {

// A pattern as PatternFinder holds it: text character t matches pattern
// character k when (t | mask[k]) == value[k]; probeA and probeB are the two
// positions tested first.
struct Pattern {
    const char16_t *value;
    const char16_t *mask;
    qsizetype size;
    size_t probeA;
    size_t probeB;
};

struct LineWithHit {
    int start = 0;
    int line = 0;
    int contentEnd = 0;
    bool operator==(const LineWithHit &) const = default;
};

// The pattern must not be empty nor hold an LF.
std::vector<LineWithHit> linesWithHits(const Pattern &pattern, QStringView text);

// The first offset at or after start (0 when negative) where the pattern
// matches, or -1. The pattern must not be empty.
qsizetype find(const Pattern &pattern, QStringView text, qsizetype start);

// The same search one character at a time and in the width every processor
// of this kind has, to hold the wide one to.
std::vector<LineWithHit> linesWithHitsScalar(const Pattern &pattern, QStringView text);
std::vector<LineWithHit> linesWithHitsBaseline(const Pattern &pattern, QStringView text);

} // namespace search::linescan
