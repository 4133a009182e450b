#include "search/linescan.h"

#include "search/linescan_impl.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace search::linescan {

#ifdef MIVOR_AVX2_LINE_SEARCH
// In linescan_avx2.cpp.
std::vector<LineWithHit> linesWithHitsAvx2(const Pattern &pattern, QStringView text);
qsizetype findAvx2(const Pattern &pattern, QStringView text, qsizetype start);
#endif

namespace {

#ifdef __SSE2__
inline __m128i load8(const char16_t *at)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
}

struct Sse2 {
    static constexpr int Width = 16;

    struct Probes {
        explicit Probes(const Pattern &p)
            : a(p.probeA), b(p.probeB), valueA(_mm_set1_epi16(short(p.value[a]))),
              maskA(_mm_set1_epi16(short(p.mask[a]))), valueB(_mm_set1_epi16(short(p.value[b]))),
              maskB(_mm_set1_epi16(short(p.mask[b])))
        {
            alignas(16) std::uint16_t value[8];
            alignas(16) std::uint16_t mask[8];
            headLanes(p, 8, value, mask);
            headValue = _mm_load_si128(reinterpret_cast<const __m128i *>(value));
            headMask = _mm_load_si128(reinterpret_cast<const __m128i *>(mask));
        }
        bool matchesHead(const char16_t *at) const
        {
            return _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_or_si128(load8(at), headMask), headValue)) == 0xffff;
        }
        __m128i eight(const char16_t *at) const
        {
            return _mm_and_si128(_mm_cmpeq_epi16(_mm_or_si128(load8(at + a), maskA), valueA),
                                 _mm_cmpeq_epi16(_mm_or_si128(load8(at + b), maskB), valueB));
        }
        size_t a, b;
        __m128i valueA, maskA, valueB, maskB, headValue, headMask;
    };

    static std::uint32_t bits(__m128i lo, __m128i hi)
    {
        return std::uint32_t(_mm_movemask_epi8(_mm_packs_epi16(lo, hi)));
    }
    static std::uint32_t candidates(const Probes &probes, const char16_t *at)
    {
        return bits(probes.eight(at), probes.eight(at + 8));
    }
    static __m128i lf() { return _mm_set1_epi16(short(u'\n')); }
    static std::uint32_t lineFeedBits(const char16_t *at)
    {
        return bits(_mm_cmpeq_epi16(load8(at), lf()), _mm_cmpeq_epi16(load8(at + 8), lf()));
    }
    using Lanes = __m128i;
    static Lanes zero() { return _mm_setzero_si128(); }
    static Lanes add(Lanes lanes, const char16_t *at)
    {
        lanes = _mm_sub_epi16(lanes, _mm_cmpeq_epi16(load8(at), lf()));
        return _mm_sub_epi16(lanes, _mm_cmpeq_epi16(load8(at + 8), lf()));
    }
    static int drain(Lanes lanes)
    {
        alignas(16) std::uint16_t sums[8];
        _mm_store_si128(reinterpret_cast<__m128i *>(sums), lanes);
        int total = 0;
        for (const std::uint16_t sum : sums)
            total += sum;
        return total;
    }
};
using Baseline = Sse2;
#else
using Baseline = Scalar;
#endif

#ifdef MIVOR_AVX2_LINE_SEARCH
bool haveAvx2()
{
    static const bool yes = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    return yes;
}
#endif

} // namespace

std::vector<LineWithHit> linesWithHits(const Pattern &pattern, QStringView text)
{
#ifdef MIVOR_AVX2_LINE_SEARCH
    if (haveAvx2())
        return linesWithHitsAvx2(pattern, text);
#endif
    return LineScanner<Baseline>(pattern, text).run();
}

qsizetype find(const Pattern &pattern, QStringView text, qsizetype start)
{
#ifdef MIVOR_AVX2_LINE_SEARCH
    if (haveAvx2())
        return findAvx2(pattern, text, start);
#endif
    return LineScanner<Baseline>(pattern, text).find(start);
}

std::vector<LineWithHit> linesWithHitsScalar(const Pattern &pattern, QStringView text)
{
    return LineScanner<Scalar>(pattern, text).run();
}

std::vector<LineWithHit> linesWithHitsBaseline(const Pattern &pattern, QStringView text)
{
    return LineScanner<Baseline>(pattern, text).run();
}

} // namespace search::linescan
