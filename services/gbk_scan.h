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

// True when some byte of w equals b.
inline bool hasByte(std::uint64_t w, unsigned char b)
{
    std::uint64_t x = w ^ everyByte(b);
    return ((x - everyByte(1)) & ~x & highBits) != 0;
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

// Calls onSpace(offset, width) for every space character of s in order: the
// single-byte space (width 1) and the full-width space A1 A1 (width 2). Returns
// the length of s without an unpartnered last lead byte.
template <class OnSpace>
std::size_t scanSpaces(std::string_view s, OnSpace&& onSpace)
{
    const unsigned char* p = bytes(s);
    const std::size_t n = s.size();
    std::size_t i = 0;
    bool trail = false;  // the byte at i is the second byte of a character
    while (i < n) {
        if (n - i >= 8) {
            std::uint64_t w = loadWord(p + i);
            if (!hasByte(w, 0x20) && !hasByte(w, 0xA1)) {
                // No space can start here; only the boundary state moves on. The
                // run of high bytes at the word's end decides whether its last
                // byte is a lead (an odd run after a low byte); a word of high
                // bytes only keeps the state it found.
                std::uint64_t low = ~w & highBits;
                if (low != 0) {
                    int run = std::countl_zero(low) / 8;
                    trail = run % 2 == 1;
                }
                i += 8;
                continue;
            }
        }
        std::size_t end = n - i >= 8 ? i + 8 : n;
        for (; i < end; ++i) {
            if (trail) {
                trail = false;
                continue;
            }
            unsigned char c = p[i];
            if (c == 0x20) {
                onSpace(i, 1);
            } else if (isLead(c)) {
                trail = true;
                if (c == 0xA1 && i + 1 < n && p[i + 1] == 0xA1) onSpace(i, 2);
            }
        }
    }
    return trail ? n - 1 : n;
}

} // namespace wrivo::gbk
