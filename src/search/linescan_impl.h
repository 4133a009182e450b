#pragma once
// The line search written once over a vector width. Each source that
// includes this gets its own copy (anonymous namespace), so one can be built
// for a wider instruction set than the rest of the program.
#include "search/linescan.h"

#include <cstdint>

namespace search::linescan {
namespace {

// The first `lanes` pattern characters as vector lanes for matchesHead;
// lanes past the pattern match anything (all ones either way).
inline void headLanes(const Pattern &p, int lanes, std::uint16_t *value, std::uint16_t *mask)
{
    for (qsizetype k = 0; k < lanes; ++k) {
        value[k] = k < p.size ? p.value[k] : 0xffff;
        mask[k] = k < p.size ? p.mask[k] : 0xffff;
    }
}

// Simd supplies:
//   Width                       characters per block (at most 32)
//   Probes(const Pattern &)     the probe characters in vector registers;
//                               matchesHead(at): a pattern of at most
//                               Width / 2 characters matches at `at`, which
//                               has that many characters readable
//   candidates(probes, at)      bit i: offset at + i passes both probes
//   lineFeedBits(at)            bit i: at[i] is an LF
//   Lanes, zero(), add(lanes, at), drain(lanes)
//                               LF counts in 16-bit lanes, two a block at
//                               most; drained before a lane reaches 0x8000
template <class Simd>
class LineScanner {
public:
    LineScanner(const Pattern &pattern, QStringView text)
        : pattern_(pattern), t_(text.utf16()), n_(text.size()), m_(pattern.size)
    {
    }

    std::vector<LineWithHit> run()
    {
        if (m_ > n_)
            return std::move(lines_);
        const qsizetype lastStart = n_ - m_;
        qsizetype p = 0;
        const typename Simd::Probes &probes = probes_;
        for (;;) {
            // The blocks without a candidate only have their LFs counted, in
            // lanes kept in a register.
            typename Simd::Lanes lanes = Simd::zero();
            std::uint32_t candidates = 0;
            for (int blocks = 0; p + Simd::Width - 1 <= lastStart; p += Simd::Width) {
                candidates = Simd::candidates(probes, t_ + p);
                if (candidates)
                    break;
                lanes = Simd::add(lanes, t_ + p);
                if (++blocks == 0x3fff) {
                    line_ += Simd::drain(lanes);
                    lanes = Simd::zero();
                    blocks = 0;
                }
            }
            line_ += Simd::drain(lanes);
            if (!candidates)
                break;
            p = candidatesAt(p, candidates, Simd::lineFeedBits(t_ + p));
        }
        while (p < n_) {
            if (p <= lastStart && hitAt(p)) {
                p = listLine(p, line_);
                continue;
            }
            line_ += t_[p] == u'\n';
            ++p;
        }
        return std::move(lines_);
    }

    // The first offset at or after start where the pattern matches, or -1.
    qsizetype find(qsizetype start) const
    {
        const qsizetype lastStart = n_ - m_;
        qsizetype p = start < 0 ? 0 : start;
        for (; p + Simd::Width - 1 <= lastStart; p += Simd::Width) {
            for (std::uint32_t bits = Simd::candidates(probes_, t_ + p); bits; bits &= bits - 1) {
                const int i = __builtin_ctz(bits);
                if (matchesAt(t_ + p + i))
                    return p + i;
            }
        }
        for (; p <= lastStart; ++p) {
            if (matchesAt(t_ + p))
                return p;
        }
        return -1;
    }

private:
    // A block at p with candidates: lists the line of the first hit among
    // them and returns where the search goes on, or counts the block's LFs
    // and returns the next block when none is a hit.
    qsizetype candidatesAt(qsizetype p, std::uint32_t candidates, std::uint32_t lineFeeds)
    {
        for (; candidates; candidates &= candidates - 1) {
            const int i = __builtin_ctz(candidates);
            if (hitAt(p + i))
                return listLine(p + i, line_ + __builtin_popcount(lineFeeds & ((std::uint32_t(1) << i) - 1)));
        }
        line_ += __builtin_popcount(lineFeeds);
        return p + Simd::Width;
    }

    bool matchesAt(const char16_t *at) const
    {
        if constexpr (Simd::Width > 1) {
            if (m_ <= Simd::Width / 2 && at + Simd::Width / 2 <= t_ + n_)
                return probes_.matchesHead(at);
        }
        for (qsizetype k = 0; k < m_; ++k) {
            if (char16_t(at[k] | pattern_.mask[k]) != pattern_.value[k])
                return false;
        }
        return true;
    }

    // A pattern without LF runs into a line break only when it ends on the
    // CR of a CR LF.
    bool hitAt(qsizetype at) const
    {
        if (!matchesAt(t_ + at))
            return false;
        const qsizetype end = at + m_;
        return !(t_[end - 1] == u'\r' && end < n_ && t_[end] == u'\n');
    }

    qsizetype nextLineFeed(qsizetype q) const
    {
        for (; q + Simd::Width <= n_; q += Simd::Width) {
            if (const std::uint32_t bits = Simd::lineFeedBits(t_ + q))
                return q + __builtin_ctz(bits);
        }
        for (; q < n_; ++q) {
            if (t_[q] == u'\n')
                return q;
        }
        return -1;
    }

    // Where the line holding offset q starts; floor_ is a line start at or
    // before it.
    qsizetype lineStart(qsizetype q) const
    {
        for (; q - Simd::Width >= floor_; q -= Simd::Width) {
            if (const std::uint32_t bits = Simd::lineFeedBits(t_ + q - Simd::Width))
                return q - Simd::Width + (31 - __builtin_clz(bits)) + 1;
        }
        while (q > floor_ && t_[q - 1] != u'\n')
            --q;
        return q;
    }

    // Lists the line of a hit on line `hitLine` and moves past it; returns
    // where the search goes on (n_ when the text is done).
    qsizetype listLine(qsizetype hit, int hitLine)
    {
        const qsizetype start = lineStart(hit);
        const qsizetype lf = nextLineFeed(hit + m_);
        if (lf < 0) {
            lines_.push_back({int(start), hitLine, int(n_)});
            return n_;
        }
        const qsizetype contentEnd = lf > start && t_[lf - 1] == u'\r' ? lf - 1 : lf;
        lines_.push_back({int(start), hitLine, int(contentEnd)});
        line_ = hitLine + 1;
        floor_ = lf + 1;
        return floor_;
    }

    const Pattern &pattern_;
    const typename Simd::Probes probes_{pattern_};
    const char16_t *const t_;
    const qsizetype n_;
    const qsizetype m_;
    int line_ = 0;        // the line number at the search position, less LFs still in lanes
    qsizetype floor_ = 0; // the start of the line after the last listed one
    std::vector<LineWithHit> lines_;
};

// Scalar fallback: also the reference the vector widths are tested against.
struct Scalar {
    static constexpr int Width = 1;
    struct Probes {
        explicit Probes(const Pattern &p) : pattern(p) {}
        const Pattern &pattern;
    };
    static std::uint32_t candidates(const Probes &pr, const char16_t *at)
    {
        const Pattern &p = pr.pattern;
        return char16_t(at[p.probeA] | p.mask[p.probeA]) == p.value[p.probeA]
               && char16_t(at[p.probeB] | p.mask[p.probeB]) == p.value[p.probeB];
    }
    static std::uint32_t lineFeedBits(const char16_t *at) { return *at == u'\n'; }
    using Lanes = int;
    static Lanes zero() { return 0; }
    static Lanes add(Lanes lanes, const char16_t *at) { return lanes + (*at == u'\n'); }
    static int drain(Lanes lanes) { return lanes; }
};

} // namespace
} // namespace search::linescan
