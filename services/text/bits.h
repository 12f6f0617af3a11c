// Integer bit operations and the absolute value the skin uses when it builds
// structures for the graphics and windowing interfaces.
#pragma once
#include <cstdint>
#include <initializer_list>

namespace wrivo {

// Bitwise OR of all values, first to last.
std::int32_t bitOr(std::initializer_list<std::int32_t> values);

// Shifts left by (count AND 31): bits shifted out are lost, so a count of 32
// leaves the value as it is.
std::int32_t shiftLeft(std::int32_t value, std::int32_t count);

double absValue(double value);

} // namespace wrivo
