// A value of any kind, as the services that accept "anything" take it:
// message-box content, toText/toInteger/toNumber/toBytes and writeToAddress.
//
//   Value{std::int32_t{5}}, Value{2.5}, Value{std::string{"文本"}},
//   Value{Logical{true}}, Value{DateTime{41400.5}}, Value{ByteBlock{1, 2}}
//
// Logical and date-time have their own types so that they are never taken for
// an integer or a double. A default-constructed Value holds no value at all
// (std::monostate), which every service treats as "any other kind".
#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace wrivo {

// A byte block (and a byte array): just the bytes, the length is the size.
using ByteBlock = std::vector<std::uint8_t>;

// Stored as 32 bits; any non-zero stored value is true.
struct Logical {
    bool value = false;
    friend bool operator==(Logical, Logical) = default;
};

// Days since midnight at the start of 1899-12-30; the fraction is the time of day.
struct DateTime {
    double days = 0;
    friend bool operator==(DateTime, DateTime) = default;
};

// The 32-bit address of a procedure.
struct ProcAddress {
    std::uint32_t address = 0;
    friend bool operator==(ProcAddress, ProcAddress) = default;
};

using Value =
    std::variant<std::monostate, Logical,
                 std::uint8_t, // byte
                 std::int16_t, // short integer
                 std::int32_t, // integer
                 std::int64_t, // long integer
                 float, double, DateTime,
                 std::string, // text (GBK bytes; the empty string is the missing text)
                 ByteBlock,   // byte block or byte array
                 ProcAddress,
                 std::vector<std::int16_t>, // arrays of numbers, taken as their raw bytes
                 std::vector<std::int32_t>, std::vector<std::int64_t>, std::vector<float>, std::vector<double>>;

} // namespace wrivo
