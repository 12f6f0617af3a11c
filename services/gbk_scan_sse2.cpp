#include "services/gbk_scan_sse2.h"

#include "services/gbk_scan.h"

#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#define WRIVO_HAVE_SSE2_SCAN 1
#endif

namespace wrivo::gbk {

namespace {

std::size_t bytewisePrefix(const unsigned char* a, const unsigned char* b, std::size_t n)
{
    std::size_t i = 0;
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

std::size_t bytewiseSuffix(const unsigned char* aEnd, const unsigned char* bEnd, std::size_t n)
{
    std::size_t i = 0;
    while (i < n && *(aEnd - 1 - i) == *(bEnd - 1 - i)) ++i;
    return i;
}

} // namespace

#ifdef WRIVO_HAVE_SSE2_SCAN
namespace {

// Each sixteen-byte block is looked up as two halves of eight.
constexpr auto trailTable8 = makeTrailTable<8>();

unsigned bitsSet16(unsigned bits)
{
    return bitCounts.counts[bits & 0xFF] + bitCounts.counts[bits >> 8];
}

__attribute__((target("sse2"))) std::size_t scan(std::string_view text)
{
    const unsigned char* p = bytes(text);
    const std::size_t n = text.size();
    const __m128i space = _mm_set1_epi8(0x20);
    const __m128i ideographicHalf = _mm_set1_epi8(static_cast<char>(0xA1));
    std::size_t removed = 0;
    unsigned trail = 0; // the next block starts with the second byte of a character
    std::size_t i = 0;
    for (; n - i >= 16; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const auto high = static_cast<unsigned>(_mm_movemask_epi8(block));
        const unsigned low8 = trailTable8.entries[trail << 8 | (high & 0xFF)];
        const unsigned high8 = trailTable8.entries[(low8 >> 8) << 8 | high >> 8];
        const unsigned starts = ~((low8 & 0xFF) | (high8 & 0xFF) << 8) & 0xFFFF;
        trail = high8 >> 8;
        const auto spaces = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, space)));
        const auto a1 = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, ideographicHalf)));
        const unsigned nextIsA1 = n - i > 16 && p[i + 16] == 0xA1;
        const unsigned wide = a1 & (a1 >> 1 | nextIsA1 << 15) & starts;
        removed += bitsSet16(spaces & starts) + 2u * bitsSet16(wide);
    }
    if (!trail) return i - removed + nonSpaceLengthByWords(text.substr(i));
    // The block ended on a lead byte: with a partner after it both count;
    // without one it is left out like any unpartnered last lead byte.
    if (i == n) return n - 1 - removed;
    return i + 1 - removed + nonSpaceLengthByWords(text.substr(i + 1));
}

__attribute__((target("sse2"))) const unsigned char* find(const unsigned char* p, unsigned char wanted, std::size_t n)
{
    const __m128i pattern = _mm_set1_epi8(static_cast<char>(wanted));
    std::size_t i = 0;
    for (; n - i >= 16; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, pattern)));
        if (hits) return p + i + static_cast<std::size_t>(__builtin_ctz(hits));
    }
    for (; i < n; ++i)
        if (p[i] == wanted) return p + i;
    return nullptr;
}

__attribute__((target("sse2"))) std::size_t prefix(const unsigned char* a, const unsigned char* b, std::size_t n)
{
    std::size_t i = 0;
    for (; n - i >= 16; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const auto equal = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, y)));
        if (equal != 0xFFFF) return i + static_cast<std::size_t>(__builtin_ctz(~equal));
    }
    return i + bytewisePrefix(a + i, b + i, n - i);
}

__attribute__((target("sse2"))) std::size_t suffix(const unsigned char* aEnd, const unsigned char* bEnd, std::size_t n)
{
    std::size_t i = 0;
    for (; n - i >= 16; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(aEnd - i - 16));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bEnd - i - 16));
        const auto equal = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, y)));
        if (equal != 0xFFFF) return i + static_cast<std::size_t>(__builtin_clz(~equal << 16));
    }
    return i + bytewiseSuffix(aEnd - i, bEnd - i, n - i);
}

bool haveSse2()
{
    static const bool available = __builtin_cpu_supports("sse2");
    return available;
}

} // namespace

std::size_t nonSpaceLength(std::string_view text)
{
    return haveSse2() ? scan(text) : nonSpaceLengthByWords(text);
}

const unsigned char* findByte(const unsigned char* p, unsigned char wanted, std::size_t n)
{
    if (haveSse2()) return find(p, wanted, n);
    return static_cast<const unsigned char*>(std::memchr(p, wanted, n));
}

std::size_t equalPrefix(const unsigned char* a, const unsigned char* b, std::size_t n)
{
    return haveSse2() ? prefix(a, b, n) : bytewisePrefix(a, b, n);
}

std::size_t equalSuffix(const unsigned char* aEnd, const unsigned char* bEnd, std::size_t n)
{
    return haveSse2() ? suffix(aEnd, bEnd, n) : bytewiseSuffix(aEnd, bEnd, n);
}

#else

std::size_t nonSpaceLength(std::string_view text)
{
    return nonSpaceLengthByWords(text);
}

const unsigned char* findByte(const unsigned char* p, unsigned char wanted, std::size_t n)
{
    return static_cast<const unsigned char*>(std::memchr(p, wanted, n));
}

std::size_t equalPrefix(const unsigned char* a, const unsigned char* b, std::size_t n)
{
    return bytewisePrefix(a, b, n);
}

std::size_t equalSuffix(const unsigned char* aEnd, const unsigned char* bEnd, std::size_t n)
{
    return bytewiseSuffix(aEnd, bEnd, n);
}

#endif

} // namespace wrivo::gbk
