#include "services/text/gbk_scan_sse2.h"

#include "services/text/gbk_scan.h"

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

// From `i`, a character start, one character at a time: the starts counted
// up to n (or until `index` of them are counted), and where the walk ended.
struct Walk {
    std::size_t at;
    std::size_t starts;
};
Walk walkCharacters(const unsigned char* p, std::size_t i, std::size_t n, std::size_t starts, std::size_t index)
{
    while (i < n && starts < index) {
        i += CountRule::leads(p[i]) ? 2 : 1;
        ++starts;
    }
    return {i, starts};
}

std::size_t bytewiseStarts(const unsigned char* p, std::size_t n, bool& cut)
{
    const Walk walk = walkCharacters(p, 0, n, 0, static_cast<std::size_t>(-1));
    cut = walk.at > n;
    return walk.starts;
}

std::size_t bytewiseStart(const unsigned char* p, std::size_t n, std::size_t index)
{
    const Walk walk = walkCharacters(p, 0, n, 0, index);
    return walk.at < n ? walk.at : n;
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

// The character starts among a block's sixteen bytes (bit j for byte j),
// from their high bits: `trail` says the first is a second byte; `nextTrail`
// says the same of the byte after the block.
__attribute__((target("sse2"))) unsigned blockStarts(__m128i block, unsigned trail, unsigned& nextTrail)
{
    const auto high = static_cast<unsigned>(_mm_movemask_epi8(block));
    const unsigned low8 = trailTable8.entries[trail << 8 | (high & 0xFF)];
    const unsigned high8 = trailTable8.entries[(low8 >> 8) << 8 | high >> 8];
    nextTrail = high8 >> 8;
    return ~((low8 & 0xFF) | (high8 & 0xFF) << 8) & 0xFFFF;
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
        const unsigned starts = blockStarts(block, trail, trail);
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

// The character starts of each sixteen-byte block from the high bits, with
// the state carried from the block before, as scan() finds them; `onBlock`
// answers false to stop at a block (before it counts). Answers where the
// blocks stopped, and whether a second byte comes first there.
template <typename OnBlock>
__attribute__((target("sse2"))) Walk startBlocks(const unsigned char* p, std::size_t n, unsigned& trail,
                                                 OnBlock&& onBlock)
{
    std::size_t i = 0;
    for (; n - i >= 16; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        unsigned next = 0;
        const unsigned starts = blockStarts(block, trail, next);
        if (!onBlock(i, starts)) break;
        trail = next;
    }
    return {i, 0};
}

std::size_t starts(const unsigned char* p, std::size_t n, bool& cut)
{
    unsigned trail = 0;
    std::size_t counted = 0;
    const Walk blocks = startBlocks(p, n, trail, [&](std::size_t, unsigned starts) {
        counted += bitsSet16(starts);
        return true;
    });
    const Walk rest = walkCharacters(p, blocks.at + trail, n, counted, static_cast<std::size_t>(-1));
    cut = rest.at > n;
    return rest.starts;
}

std::size_t startOf(const unsigned char* p, std::size_t n, std::size_t index)
{
    unsigned trail = 0;
    std::size_t counted = 0;
    unsigned found = 0;
    const Walk blocks = startBlocks(p, n, trail, [&](std::size_t, unsigned starts) {
        const unsigned here = bitsSet16(starts);
        if (counted + here > index) {
            found = starts;
            return false;
        }
        counted += here;
        return true;
    });
    if (found) {
        // The start wanted is among this block's: drop the ones before it.
        for (std::size_t k = counted; k < index; ++k) found &= found - 1;
        return blocks.at + static_cast<std::size_t>(__builtin_ctz(found));
    }
    const Walk rest = walkCharacters(p, blocks.at + trail, n, counted, index);
    return rest.at < n ? rest.at : n;
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

std::size_t characterStarts(const unsigned char* p, std::size_t n, bool& cut)
{
    return haveSse2() ? starts(p, n, cut) : bytewiseStarts(p, n, cut);
}

std::size_t characterStart(const unsigned char* p, std::size_t n, std::size_t index)
{
    return haveSse2() ? startOf(p, n, index) : bytewiseStart(p, n, index);
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

std::size_t characterStarts(const unsigned char* p, std::size_t n, bool& cut)
{
    return bytewiseStarts(p, n, cut);
}

std::size_t characterStart(const unsigned char* p, std::size_t n, std::size_t index)
{
    return bytewiseStart(p, n, index);
}

std::size_t equalSuffix(const unsigned char* aEnd, const unsigned char* bEnd, std::size_t n)
{
    return bytewiseSuffix(aEnd, bEnd, n);
}

#endif

} // namespace wrivo::gbk
