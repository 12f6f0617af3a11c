// Byte blocks and raw memory.
//
// Raw addresses are plain integers the caller got from the platform or from
// another service; they are trusted, not checked.
#pragma once
#include "services/text/value.h"

#include <cstdint>
#include <optional>

namespace wrivo {

// n zero bytes; empty for n of 0 or less.
ByteBlock zeroBytes(std::int32_t n);

std::int32_t bytesLength(const ByteBlock& block);

// A copy of `length` bytes starting at `address`; empty for a length of 0 or
// less (a negative length is the caller's error and copies nothing).
ByteBlock bytesFromAddress(std::uintptr_t address, std::int32_t length);

// Copies the data's bytes to `address` (the areas may overlap): a byte block's
// bytes, a text's bytes and its terminating zero, a scalar's stored bytes in
// little-endian order. Arrays of numbers wider than a byte, and values without
// stored bytes, write nothing. A length from 0 up to the source's size writes
// only that many bytes; any other length writes the whole source.
void writeToAddress(const Value& data, std::uintptr_t address, std::optional<std::int32_t> length = std::nullopt);

// Appends the stored little-endian bytes of a scalar value (logical 4, byte 1,
// short 2, integer 4, long integer 8, float 4, double 8, date-time 8, procedure
// address 4) and returns true; returns false for any other kind.
bool appendStoredBytes(const Value& value, ByteBlock& out);

} // namespace wrivo
