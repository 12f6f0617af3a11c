// Scanning sixteen bytes at a time with SSE2, where the processor has it;
// elsewhere the functions fall back to the word-at-a-time scan of gbk_scan.h
// or the C library. The rule is the count's (host/gbk_rules.h; spaces and
// full-width spaces count only where a character starts); the blocks are read with byte
// compares and the high-bit mask instead of word arithmetic. The 32-bit
// program is built for any x86, so only these functions are compiled for
// SSE2, and which way they go is chosen at run time.
#pragma once
#include <cstddef>
#include <string_view>

namespace wrivo::gbk {

// Bytes of `text` that are no spaces (wrivo::nonSpaceLength).
std::size_t nonSpaceLength(std::string_view text);

// The first byte equal to `wanted` among the n bytes at p (null when none),
// sixteen bytes at a time where the processor can: the C library's memchr
// goes a byte at a time on some systems.
const unsigned char* findByte(const unsigned char* p, unsigned char wanted, std::size_t n);

// How many characters start in the n bytes at p, a lead byte pairing with
// whatever byte follows it; `cut` tells whether the last one started runs past
// the n bytes (the byte at p + n is its second).
std::size_t characterStarts(const unsigned char* p, std::size_t n, bool& cut);
// Where character number `index` (from 0) starts among the n bytes at p; n
// when fewer characters start there.
std::size_t characterStart(const unsigned char* p, std::size_t n, std::size_t index);

// How many of the first n bytes of a and b are equal before the first that
// differs (n when none does), and the same counted back from a + n and b + n.
std::size_t equalPrefix(const unsigned char* a, const unsigned char* b, std::size_t n);
std::size_t equalSuffix(const unsigned char* aEnd, const unsigned char* bEnd, std::size_t n);

} // namespace wrivo::gbk
