// Character boundaries in GBK byte strings, found quickly, by the rules of
// host/gbk_rules.h (CountRule, CodePageRule), which this header passes on.
// A lead byte that is the last byte of a text has no partner; it ends the
// scan and is left out of any text built from it.
//
// Two facts make fast scanning possible:
//  - a byte that does not lead always ends a character (it is a character of
//    its own or the second byte of one), so the position after it is a boundary;
//  - from a boundary, a run of lead bytes pairs up two by two.
// So whether a position is a boundary depends only on the run of lead bytes just
// before it, which lets the splitter jump with memchr and check afterwards.
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "host/gbk_rules.h"

namespace wrivo::gbk {

static_assert(std::endian::native == std::endian::little, "word scanning assumes little-endian");

inline const unsigned char* bytes(std::string_view s)
{
    return reinterpret_cast<const unsigned char*>(s.data());
}

// Scanning goes a machine word at a time: eight bytes on 64-bit builds, four
// on the 32-bit program, where wider arithmetic would cost several instructions.
using Word = std::size_t;
constexpr unsigned wordBytes = sizeof(Word);
static_assert(wordBytes == 8 || wordBytes == 4);

constexpr Word everyByte(unsigned char b)
{
    return Word(~Word(0)) / 0xFF * b;
}
constexpr Word highBits = everyByte(0x80);

inline Word loadWord(const unsigned char* p)
{
    Word w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// One bit (the high bit of each byte) for every byte of w that equals b.
inline Word byteMatches(Word w, unsigned char b)
{
    Word x = w ^ everyByte(b);
    Word nonZero = ((x & ~highBits) + ~highBits) | x;
    return ~nonZero & highBits;
}

// Whether every byte of w leads by the rule: all lead bytes have their high
// bit set, and a rule leaves out at most 0x80 and 0xFF.
template <class Rule>
bool allLead(Word w)
{
    static_assert(Rule::firstLead >= 0x80 && Rule::firstLead <= 0x81 && Rule::lastLead >= 0xFE);
    Word outside = 0;
    if constexpr (Rule::firstLead > 0x80) outside |= byteMatches(w, 0x80);
    if constexpr (Rule::lastLead < 0xFF) outside |= byteMatches(w, 0xFF);
    return (w & highBits) == highBits && outside == 0;
}

// Start of the run of lead bytes that ends just before pos, not going below
// `boundary` (a known character boundary).
template <class Rule>
std::size_t leadRunStart(const unsigned char* p, std::size_t boundary, std::size_t pos)
{
    while (pos - boundary >= wordBytes && allLead<Rule>(loadWord(p + pos - wordBytes))) pos -= wordBytes;
    while (pos > boundary && Rule::leads(p[pos - 1])) --pos;
    return pos;
}

// Whether pos starts a character, given that `boundary` <= pos does.
template <class Rule>
bool isBoundary(const unsigned char* p, std::size_t boundary, std::size_t pos)
{
    return (pos - leadRunStart<Rule>(p, boundary, pos)) % 2 == 0;
}

// Length of s without a last lead byte that has no partner.
template <class Rule>
std::size_t wholeLength(std::string_view s)
{
    return isBoundary<Rule>(bytes(s), 0, s.size()) ? s.size() : s.size() - 1;
}

// The high bits of the bytes of m gathered into the low bits (byte j -> bit j):
// the multiplier's bit 7k moves byte (wordBytes - 1 - k)'s high bit to the top
// byte, where no other product lands.
inline unsigned gatherHighBits(Word m)
{
    constexpr Word multiplier = wordBytes == 8 ? Word(0x0002040810204081ull) : Word(0x00204081u);
    return static_cast<unsigned>((m & highBits) * multiplier >> (8 * wordBytes - wordBytes));
}

// For a block of `width` bytes: index (trailIn << width | their high bits),
// where trailIn says the first byte is the second byte of a character. Entry
// bit j (below width) says byte j is a second byte; bit width says the same
// of the byte after the block. The high bits are the count's lead bytes.
static_assert(CountRule::firstLead == 0x80 && CountRule::lastLead == 0xFF);
template <unsigned width>
struct TrailTable {
    std::uint16_t entries[2u << width];
};

template <unsigned width>
constexpr TrailTable<width> makeTrailTable()
{
    TrailTable<width> table{};
    for (unsigned index = 0; index < (2u << width); ++index) {
        bool trail = index >> width;
        unsigned bits = 0;
        for (unsigned j = 0; j < width; ++j) {
            bits |= unsigned{trail} << j;
            trail = !trail && (index >> j & 1);
        }
        table.entries[index] = static_cast<std::uint16_t>(bits | unsigned{trail} << width);
    }
    return table;
}

// For one word.
inline constexpr auto trailTable = makeTrailTable<wordBytes>();

// The last n - i (< wordBytes) bytes of p[0, n), padded with zeros, which are no spaces.
inline Word loadTail(const unsigned char* p, std::size_t i, std::size_t n)
{
    if (n >= wordBytes) return loadWord(p + n - wordBytes) >> 8 * (wordBytes - (n - i));
    Word w = 0;
    for (std::size_t j = n; j > i; --j) w = w << 8 | p[j - 1];
    return w;
}

// Number of set bits of a byte; a table, as the target may have no instruction for it.
inline constexpr auto bitCounts = [] {
    struct Table {
        std::uint8_t counts[256];
    } table{};
    for (unsigned b = 0; b < 256; ++b) table.counts[b] = static_cast<std::uint8_t>(std::popcount(b));
    return table;
}();

// Walks s a word at a time and calls onBlock(offset, single, wide) for each
// block of wordBytes bytes (fewer at the end): bit j of `single` marks a space
// (0x20) at offset + j, bit j of `wide` a full-width space (A1 A1) starting
// there; both only where a character starts by the count's rule. Returns the length of s without
// an unpartnered last lead byte.
//
// Character starts come from a table over the block's high bits and the state
// carried from the block before, so no byte is looked at twice.
template <class OnBlock>
std::size_t scanSpaceBlocks(std::string_view s, OnBlock&& onBlock)
{
    const unsigned char* p = bytes(s);
    const std::size_t n = s.size();
    unsigned trail = 0;
    for (std::size_t i = 0; i < n; i += wordBytes) {
        std::size_t length = n - i < wordBytes ? n - i : wordBytes;
        Word w = length == wordBytes ? loadWord(p + i) : loadTail(p, i, n);
        unsigned entry = trailTable.entries[trail << wordBytes | gatherHighBits(w)];
        unsigned starts = ~entry & ((1u << wordBytes) - 1);
        unsigned a1 = gatherHighBits(byteMatches(w, 0xA1));
        unsigned nextIsA1 = i + wordBytes < n && p[i + wordBytes] == 0xA1;
        unsigned single = gatherHighBits(byteMatches(w, 0x20)) & starts;
        unsigned wide = a1 & (a1 >> 1 | nextIsA1 << (wordBytes - 1)) & starts;
        unsigned inBlock = (1u << length) - 1;
        trail = entry >> length & 1;
        onBlock(i, single & inBlock, wide & inBlock);
    }
    return trail ? n - 1 : n;
}

// Bytes of s that are no spaces, a word at a time (see also
// gbk_scan_sse2.h, which goes sixteen bytes at a time where it can).
inline std::size_t nonSpaceLengthByWords(std::string_view s)
{
    std::size_t removed = 0;
    const std::size_t end = scanSpaceBlocks(s, [&](std::size_t, unsigned single, unsigned wide) {
        removed += bitCounts.counts[single] + 2u * bitCounts.counts[wide];
    });
    return end - removed;
}

} // namespace wrivo::gbk
