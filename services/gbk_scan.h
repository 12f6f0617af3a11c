// Character boundaries in GBK byte strings, found quickly.
//
// A byte of 0x80 or above is a lead byte: it and the byte after it are one
// character, whatever that byte is. A lead byte that is the last byte of a text
// has no partner; it ends the scan and is left out of any text built from it.
//
// Two facts make fast scanning possible:
//  - a byte below 0x80 always ends a character (it is a character of its own or
//    the second byte of one), so the position after it is a boundary;
//  - from a boundary, a run of bytes all 0x80 or above pairs up two by two.
// So whether a position is a boundary depends only on the run of high bytes just
// before it, which lets the splitter jump with memchr and check afterwards.
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace wrivo::gbk {

static_assert(std::endian::native == std::endian::little, "word scanning assumes little-endian");

inline bool isLead(unsigned char c) { return c >= 0x80; }

inline const unsigned char* bytes(std::string_view s)
{
    return reinterpret_cast<const unsigned char*>(s.data());
}

constexpr std::uint64_t everyByte(unsigned char b) { return 0x0101010101010101ull * b; }
constexpr std::uint64_t highBits = everyByte(0x80);

inline std::uint64_t loadWord(const unsigned char* p)
{
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Start of the run of high bytes that ends just before pos, not going below
// `boundary` (a known character boundary).
inline std::size_t highRunStart(const unsigned char* p, std::size_t boundary, std::size_t pos)
{
    while (pos - boundary >= 8 && (loadWord(p + pos - 8) & highBits) == highBits) pos -= 8;
    while (pos > boundary && isLead(p[pos - 1])) --pos;
    return pos;
}

// Whether pos starts a character, given that `boundary` <= pos does.
inline bool isBoundary(const unsigned char* p, std::size_t boundary, std::size_t pos)
{
    return (pos - highRunStart(p, boundary, pos)) % 2 == 0;
}

// Length of s without a last lead byte that has no partner.
inline std::size_t wholeLength(std::string_view s)
{
    return isBoundary(bytes(s), 0, s.size()) ? s.size() : s.size() - 1;
}

// One bit (the high bit of each byte) for every byte of w that equals b.
inline std::uint64_t byteMatches(std::uint64_t w, unsigned char b)
{
    std::uint64_t x = w ^ everyByte(b);
    std::uint64_t nonZero = ((x & ~highBits) + ~highBits) | x;
    return ~nonZero & highBits;
}

// The high bits of the eight bytes of m gathered into one byte (byte j -> bit j).
inline unsigned gatherHighBits(std::uint64_t m)
{
    return static_cast<unsigned>((m & highBits) * 0x0002040810204081ull >> 56);
}

// For eight bytes: index (trailIn << 8 | high bits), where trailIn says the first
// byte is the second byte of a character. Entry bit j (0-7) says byte j is a
// second byte, bit 8 says the same of the byte after the eight.
inline constexpr auto trailTable = [] {
    struct Table { std::uint16_t entries[512]; } table{};
    for (unsigned index = 0; index < 512; ++index) {
        bool trail = index >> 8;
        unsigned bits = 0;
        for (unsigned j = 0; j < 8; ++j) {
            bits |= unsigned{trail} << j;
            trail = !trail && (index >> j & 1);
        }
        table.entries[index] = static_cast<std::uint16_t>(bits | unsigned{trail} << 8);
    }
    return table;
}();

// The last n - i (< 8) bytes of p[0, n), padded with zeros, which are no spaces.
inline std::uint64_t loadTail(const unsigned char* p, std::size_t i, std::size_t n)
{
    if (n >= 8) return loadWord(p + n - 8) >> 8 * (8 - (n - i));
    std::uint64_t w = 0;
    for (std::size_t j = n; j > i; --j) w = w << 8 | p[j - 1];
    return w;
}

// Number of set bits of a byte; a table, as the target may have no instruction for it.
inline constexpr auto bitCounts = [] {
    struct Table { std::uint8_t counts[256]; } table{};
    for (unsigned b = 0; b < 256; ++b) table.counts[b] = static_cast<std::uint8_t>(std::popcount(b));
    return table;
}();

// Walks s eight bytes at a time and calls onBlock(offset, single, wide) for each
// block: bit j of `single` marks a space (0x20) at offset + j, bit j of `wide` a
// full-width space (A1 A1) starting there; both only where a character starts.
// Returns the length of s without an unpartnered last lead byte.
//
// Character starts come from a table over the block's high bits and the state
// carried from the block before, so no byte is looked at twice.
template <class OnBlock>
std::size_t scanSpaceBlocks(std::string_view s, OnBlock&& onBlock)
{
    const unsigned char* p = bytes(s);
    const std::size_t n = s.size();
    unsigned trail = 0;
    for (std::size_t i = 0; i < n; i += 8) {
        std::size_t length = n - i < 8 ? n - i : 8;
        std::uint64_t w = length == 8 ? loadWord(p + i) : loadTail(p, i, n);
        unsigned entry = trailTable.entries[trail << 8 | gatherHighBits(w)];
        unsigned starts = ~entry & 0xFF;
        unsigned a1 = gatherHighBits(byteMatches(w, 0xA1));
        unsigned nextIsA1 = i + 8 < n && p[i + 8] == 0xA1;
        unsigned single = gatherHighBits(byteMatches(w, 0x20)) & starts;
        unsigned wide = a1 & (a1 >> 1 | nextIsA1 << 7) & starts;
        unsigned inBlock = (1u << length) - 1;
        trail = entry >> length & 1;
        onBlock(i, single & inBlock, wide & inBlock);
    }
    return trail ? n - 1 : n;
}

// Calls onSpace(offset, width) for every space character of s in order: the
// single-byte space (width 1) and the full-width space A1 A1 (width 2). Returns
// the length of s without an unpartnered last lead byte.
template <class OnSpace>
std::size_t scanSpaces(std::string_view s, OnSpace&& onSpace)
{
    return scanSpaceBlocks(s, [&](std::size_t offset, unsigned single, unsigned wide) {
        for (unsigned all = single | wide; all != 0; all &= all - 1) {
            unsigned j = static_cast<unsigned>(std::countr_zero(all));
            onSpace(offset + j, single >> j & 1 ? 1 : 2);
        }
    });
}

} // namespace wrivo::gbk
