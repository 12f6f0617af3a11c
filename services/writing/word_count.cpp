#include "services/writing/word_count.h"
#include "host/gbk_rules.h"

#include <array>
#include <cstddef>
#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#define WRIVO_HAVE_SSE2_COUNT 1
#endif

namespace wrivo {

namespace {

enum ByteClass : unsigned char {
    blank,
    runSymbol,
    runAlnum,
    lead
};

constexpr std::array<unsigned char, 256> byteClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (unsigned b = 0x21; b <= 0x7E; ++b) {
        const bool alnum = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        classes[b] = alnum ? runAlnum : runSymbol;
    }
    classes[0x80] = runSymbol;
    for (unsigned b = 0x80; b < 256; ++b)
        if (gbk::CodePageRule::leads(static_cast<unsigned char>(b))) classes[b] = lead;
    return classes;
}();

// The second byte of a code page 936 character.
constexpr std::array<bool, 256> trailBytes = [] {
    std::array<bool, 256> trail{};
    for (unsigned b = 0; b < 256; ++b) trail[b] = gbk::CodePageRule::trails(static_cast<unsigned char>(b));
    return trail;
}();

// A double-byte character of rows A1-A9 (lead - 0xA1 < 9): symbols, but for
// the full-width space, the full-width digits and letters and 〇.
void countSymbolRow(unsigned leadByte, unsigned trail, WordCount& count)
{
    if (leadByte == 0xA1 && trail == 0xA1) return;
    ++count.words;
    if (leadByte == 0xA3 &&
        ((trail >= 0xB0 && trail <= 0xB9) || (trail >= 0xC1 && trail <= 0xDA) || (trail >= 0xE1 && trail <= 0xFA)))
        ++count.latinAndDigits;
    else if (leadByte == 0xA9 && trail == 0x96)
        ++count.hanzi;
    else
        ++count.punctuation;
}

} // namespace

WordCount& operator+=(WordCount& total, const WordCount& part)
{
    total.words += part.words;
    total.hanzi += part.hanzi;
    total.latinAndDigits += part.latinAndDigits;
    total.punctuation += part.punctuation;
    return total;
}

WordCount countWordsByCharacters(std::string_view gbk)
{
    const auto* p = reinterpret_cast<const unsigned char*>(gbk.data());
    const std::size_t n = gbk.size();
    WordCount count;
    // Kept apart from `count` so the commonest case adds to a register.
    std::int64_t hanzi = 0, runs = 0;
    std::size_t i = 0;
    while (i < n) {
        const unsigned c = p[i];
        const unsigned cls = byteClasses[c];
        if (cls == lead) {
            if (i + 1 < n && trailBytes[p[i + 1]]) {
                if (c - 0xA1 > 8)
                    ++hanzi;
                else
                    countSymbolRow(c, p[i + 1], count);
                i += 2;
            } else {
                ++count.words;
                ++count.punctuation;
                ++i;
            }
        } else if (cls == blank) {
            ++i;
        } else {
            // A run: runSymbol and runAlnum are distinct bits.
            unsigned seen = 0;
            unsigned next = cls;
            do {
                seen |= next;
                next = ++i < n ? byteClasses[p[i]] : unsigned{blank};
            } while (next == runSymbol || next == runAlnum);
            runs += (seen & runAlnum) != 0;
        }
    }
    count.words += hanzi + runs;
    count.hanzi += hanzi;
    count.latinAndDigits += runs;
    return count;
}

#ifdef WRIVO_HAVE_SSE2_COUNT
namespace {

// Sixty-four bytes at a time: each byte's classes become bit j of a mask, and
// the character starts, the pairs and the runs are found with word arithmetic,
// carrying what crosses a block's end into the next.
struct BlockMasks {
    std::uint64_t lead, trail, run, alnum, row, a1, a3, a9, wideAlnumTrail, b96;
};

// Of the byte after a block, only what it says as a second byte matters.
struct NextByte {
    std::uint64_t trail = 0, a1 = 0, wideAlnumTrail = 0, b96 = 0;
};

constexpr bool isWideAlnumTrail(unsigned b)
{
    return (b >= 0xB0 && b <= 0xB9) || (b >= 0xC1 && b <= 0xDA) || (b >= 0xE1 && b <= 0xFA);
}

NextByte nextByte(const unsigned char* p, std::size_t i, std::size_t n)
{
    if (i >= n) return {};
    const unsigned b = p[i];
    return {trailBytes[b], b == 0xA1, isWideAlnumTrail(b), b == 0x96};
}

__attribute__((target("sse2"))) std::uint64_t mask64(const __m128i (&bits)[4])
{
    std::uint64_t mask = 0;
    for (int k = 3; k >= 0; --k) mask = mask << 16 | static_cast<unsigned>(_mm_movemask_epi8(bits[k]));
    return mask;
}

__attribute__((target("sse2"))) __m128i is(__m128i v, int b)
{
    return _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(b)));
}

// lo <= v <= hi, unsigned: v - lo is at most hi - lo.
__attribute__((target("sse2"))) __m128i within(__m128i v, int lo, int hi)
{
    const __m128i d = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(lo)));
    return _mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(static_cast<char>(hi - lo))), d);
}

// The lead and second bytes by the code page's rule, in its vector form.
__attribute__((target("sse2"))) BlockMasks blockMasks(const unsigned char* p)
{
    using Rule = gbk::CodePageRule;
    __m128i lead[4], trail[4], run[4], alnum[4], row[4], a1[4], a3[4], a9[4], wide[4], b96[4];
    for (int k = 0; k < 4; ++k) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        lead[k] = within(x, Rule::firstLead, Rule::lastLead);
        trail[k] = _mm_andnot_si128(is(x, Rule::notTrail), within(x, Rule::firstTrail, Rule::lastTrail));
        run[k] = _mm_or_si128(within(x, 0x21, 0x7E), is(x, 0x80));
        alnum[k] = _mm_or_si128(within(x, '0', '9'), within(_mm_or_si128(x, _mm_set1_epi8(0x20)), 'a', 'z'));
        row[k] = within(x, 0xA1, 0xA9);
        a1[k] = is(x, 0xA1);
        a3[k] = is(x, 0xA3);
        a9[k] = is(x, 0xA9);
        wide[k] = _mm_or_si128(_mm_or_si128(within(x, 0xB0, 0xB9), within(x, 0xC1, 0xDA)), within(x, 0xE1, 0xFA));
        b96[k] = is(x, 0x96);
    }
    return {mask64(lead), mask64(trail), mask64(run), mask64(alnum), mask64(row),
            mask64(a1),   mask64(a3),    mask64(a9),  mask64(wide),  mask64(b96)};
}

// Set bits, without relying on an instruction the processor may lack.
std::int64_t bitCount(std::uint64_t x)
{
    x -= x >> 1 & 0x5555555555555555ull;
    x = (x & 0x3333333333333333ull) + (x >> 2 & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<std::int64_t>(x * 0x0101010101010101ull >> 56);
}

struct BlockCounter {
    WordCount count;
    std::uint64_t secondByte = 0; // bit 0: the block's first byte ends a pair begun before it
    std::uint64_t openRun = 0;    // 1: a run with a letter or digit goes on into the block

    void add(const BlockMasks& m, const NextByte& next)
    {
        constexpr std::uint64_t evenBits = 0x5555555555555555ull, oddBits = ~evenBits;
        auto following = [](std::uint64_t mask, std::uint64_t nextBit) { return mask >> 1 | nextBit << 63; };
        // Lead bytes that a second byte follows. In a run of them, starting
        // where a character starts, every other one begins a pair: the pairs'
        // second bytes are the odd steps from the run's start.
        const std::uint64_t pairable = m.lead & following(m.trail, next.trail) & ~secondByte;
        const std::uint64_t runStarts = pairable & ~(pairable << 1);
        const std::uint64_t evenRuns = pairable & ~(pairable + (runStarts & evenBits));
        const std::uint64_t oddRuns = pairable & ~evenRuns;
        const std::uint64_t seconds = (evenRuns << 1 & oddBits) | (oddRuns << 1 & evenBits) | secondByte;
        const std::uint64_t pairs = pairable & ~seconds;
        secondByte = pairable >> 63 & ~(seconds >> 63);

        const std::uint64_t space = pairs & m.a1 & following(m.a1, next.a1);
        const std::uint64_t wideAlnum = pairs & m.a3 & following(m.wideAlnumTrail, next.wideAlnumTrail);
        const std::uint64_t ling = pairs & m.a9 & following(m.b96, next.b96);
        const std::int64_t hanzi = bitCount(pairs & (~m.row | ling));
        const std::int64_t marks =
            bitCount((pairs & m.row & ~(space | wideAlnum | ling)) | (m.lead & ~pairable & ~seconds));

        // Runs: a carry from just after each letter or digit runs through the
        // run's other bytes and stops at the next letter or digit, or after
        // the run, where the run is counted.
        const std::uint64_t run = m.run & ~seconds, alnum = m.alnum & ~seconds, other = run & ~alnum;
        const std::uint64_t sum = other + (alnum << 1 | openRun);
        const std::int64_t runs = bitCount(sum & ~other & ~run);
        openRun = alnum >> 63 | std::uint64_t{sum < other};

        const std::int64_t latin = bitCount(wideAlnum) + runs;
        count.words += hanzi + latin + marks;
        count.hanzi += hanzi;
        count.latinAndDigits += latin;
        count.punctuation += marks;
    }
};

__attribute__((target("sse2"))) WordCount countByBlocks(std::string_view gbk)
{
    const auto* p = reinterpret_cast<const unsigned char*>(gbk.data());
    const std::size_t n = gbk.size();
    BlockCounter counter;
    std::size_t i = 0;
    for (; i + 64 <= n; i += 64) counter.add(blockMasks(p + i), nextByte(p, i + 64, n));
    if (i < n) {
        // The rest, padded with zero bytes, which are blanks and no second bytes.
        unsigned char last[64] = {};
        std::memcpy(last, p + i, n - i);
        counter.add(blockMasks(last), {});
    }
    counter.count.words += static_cast<std::int64_t>(counter.openRun);
    counter.count.latinAndDigits += static_cast<std::int64_t>(counter.openRun);
    return counter.count;
}

bool haveSse2()
{
    static const bool available = __builtin_cpu_supports("sse2");
    return available;
}

} // namespace
#endif

WordCount countWords(std::string_view gbk)
{
#ifdef WRIVO_HAVE_SSE2_COUNT
    if (haveSse2()) return countByBlocks(gbk);
#endif
    return countWordsByCharacters(gbk);
}

} // namespace wrivo
