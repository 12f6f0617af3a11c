// Scans sixteen bytes at a time with SSE2. nonSpaceLength where the processor has
// it: the same rule as the word-at-a-time scan of gbk_scan.h (spaces and
// full-width spaces counted only where a character starts), found with byte
// compares and the high-bit mask instead of word arithmetic. The 32-bit
// program is built for any x86, so the SSE2 code is compiled for that one
// function and chosen at run time.
#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

namespace wrivo::gbk {

// Bytes of `text` that are no spaces, or nothing when this processor has no
// SSE2 (the caller then scans a word at a time).
std::optional<std::size_t> nonSpaceLengthSse2(std::string_view text);

// The first byte equal to `wanted` among the n bytes at p (null when none),
// sixteen bytes at a time where the processor can: the C library's memchr
// goes a byte at a time on some systems.
const unsigned char* findByte(const unsigned char* p, unsigned char wanted, std::size_t n);

} // namespace wrivo::gbk
