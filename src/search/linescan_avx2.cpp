// The line search for processors with AVX2; this file alone is built with
// -mavx2 and is only called after the processor has been asked.
#include "search/linescan.h"

#include "search/linescan_impl.h"

#if defined(__AVX2__)
#include <immintrin.h>

namespace search::linescan {

namespace {

inline __m256i load16(const char16_t *at)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(at));
}

struct Avx2 {
    static constexpr int Width = 32;

    struct Probes {
        explicit Probes(const Pattern &p)
            : a(p.probeA), b(p.probeB), valueA(_mm256_set1_epi16(short(p.value[a]))),
              maskA(_mm256_set1_epi16(short(p.mask[a]))), valueB(_mm256_set1_epi16(short(p.value[b]))),
              maskB(_mm256_set1_epi16(short(p.mask[b])))
        {
            alignas(32) std::uint16_t value[16];
            alignas(32) std::uint16_t mask[16];
            headLanes(p, 16, value, mask);
            headValue = _mm256_load_si256(reinterpret_cast<const __m256i *>(value));
            headMask = _mm256_load_si256(reinterpret_cast<const __m256i *>(mask));
        }
        bool matchesHead(const char16_t *at) const
        {
            return unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi16(_mm256_or_si256(load16(at), headMask), headValue)))
                   == 0xffffffffu;
        }
        __m256i sixteen(const char16_t *at) const
        {
            return _mm256_and_si256(_mm256_cmpeq_epi16(_mm256_or_si256(load16(at + a), maskA), valueA),
                                    _mm256_cmpeq_epi16(_mm256_or_si256(load16(at + b), maskB), valueB));
        }
        size_t a, b;
        __m256i valueA, maskA, valueB, maskB, headValue, headMask;
    };

    // The pack works within 128-bit halves; the permute puts the 32
    // characters back in order before their bits are taken.
    static std::uint32_t bits(__m256i lo, __m256i hi)
    {
        return std::uint32_t(
            _mm256_movemask_epi8(_mm256_permute4x64_epi64(_mm256_packs_epi16(lo, hi), 0xD8)));
    }
    static std::uint32_t candidates(const Probes &probes, const char16_t *at)
    {
        return bits(probes.sixteen(at), probes.sixteen(at + 16));
    }
    static __m256i lf() { return _mm256_set1_epi16(short(u'\n')); }
    static std::uint32_t lineFeedBits(const char16_t *at)
    {
        return bits(_mm256_cmpeq_epi16(load16(at), lf()), _mm256_cmpeq_epi16(load16(at + 16), lf()));
    }
    using Lanes = __m256i;
    static Lanes zero() { return _mm256_setzero_si256(); }
    static Lanes add(Lanes lanes, const char16_t *at)
    {
        lanes = _mm256_sub_epi16(lanes, _mm256_cmpeq_epi16(load16(at), lf()));
        return _mm256_sub_epi16(lanes, _mm256_cmpeq_epi16(load16(at + 16), lf()));
    }
    static int drain(Lanes lanes)
    {
        const __m256i pairs = _mm256_madd_epi16(lanes, _mm256_set1_epi16(1));
        __m128i sums = _mm_add_epi32(_mm256_castsi256_si128(pairs), _mm256_extracti128_si256(pairs, 1));
        sums = _mm_add_epi32(sums, _mm_shuffle_epi32(sums, 0x4e));
        sums = _mm_add_epi32(sums, _mm_shuffle_epi32(sums, 0xb1));
        return _mm_cvtsi128_si32(sums);
    }
};

} // namespace

std::vector<LineWithHit> linesWithHitsAvx2(const Pattern &pattern, QStringView text)
{
    return LineScanner<Avx2>(pattern, text).run();
}

qsizetype findAvx2(const Pattern &pattern, QStringView text, qsizetype start)
{
    return LineScanner<Avx2>(pattern, text).find(start);
}

} // namespace search::linescan
#endif
