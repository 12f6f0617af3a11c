// Conversions between values and texts: toText, toInteger, toNumber, toBytes.
#include "services/text/bytes.h"
#include "services/text/datetime.h"
#include "services/text/gbk_scan.h"
#include "services/text/overloaded.h"
#include "services/text/text.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <type_traits>

namespace wrivo {

namespace {

template <class T>
constexpr bool isNumberArray =
    std::is_same_v<T, ByteBlock> || std::is_same_v<T, std::vector<std::int16_t>> ||
    std::is_same_v<T, std::vector<std::int32_t>> || std::is_same_v<T, std::vector<std::int64_t>> ||
    std::is_same_v<T, std::vector<float>> || std::is_same_v<T, std::vector<double>>;

template <class Array>
std::string_view rawBytes(const Array& array)
{
    return {reinterpret_cast<const char*>(array.data()), array.size() * sizeof(array[0])};
}

std::string printed(const char* format, double value)
{
    char buffer[64];
    int n = std::snprintf(buffer, sizeof buffer, format, value);
    return std::string(buffer, n < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer - 1));
}

bool isCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Like the C library's decimal integer parse, but saturating at the 32-bit
// range instead of overflowing.
std::int32_t parseInteger(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && isCSpace(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::int64_t limit = negative ? -std::int64_t{INT32_MIN} : INT32_MAX;
    std::int64_t magnitude = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (s[i] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

// Truncates toward zero; NaN gives 0 and values beyond the range saturate.
std::int32_t truncatedInteger(double v)
{
    if (std::isnan(v)) return 0;
    if (v <= double(INT32_MIN)) return INT32_MIN;
    if (v >= double(INT32_MAX)) return INT32_MAX;
    return static_cast<std::int32_t>(v);
}

} // namespace

std::string normaliseFullWidth(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    const unsigned char* p = gbk::bytes(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = p[i];
        if (!gbk::CountRule::leads(c)) {
            out += static_cast<char>(c);
            continue;
        }
        if (i + 1 >= text.size()) break; // an unpartnered lead byte is dropped
        unsigned char trail = p[++i];
        if (c == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            out += static_cast<char>(trail & 0x7F);
        } else if (c == 0xA1 && trail == 0xA1) {
            out += ' ';
        } else if (c == 0xA1 && trail == 0xAB) {
            out += '~';
        } else if (c == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            out += '*';
        } else {
            out += static_cast<char>(c);
            out += static_cast<char>(trail);
        }
    }
    return out;
}

std::string toText(const Value& value)
{
    return std::visit(Overloaded{
                          [](std::int32_t v) { return std::to_string(v); },
                          [](std::int16_t v) { return std::to_string(v); },
                          [](std::uint8_t v) { return std::to_string(v); },
                          [](std::int64_t v) { return std::to_string(v); },
                          [](float v) { return printed("%.6g", v); },
                          [](double v) { return printed("%.13g", v); },
                          [](Logical v) { return std::string(v.value ? "真" : "假"); },
                          [](DateTime v) { return dateTimeText(v); },
                          [](const std::string& v) { return v; },
                          [](const auto& v) {
                              using T = std::decay_t<decltype(v)>;
                              if constexpr (isNumberArray<T>) {
                                  std::string_view bytes = rawBytes(v);
                                  return std::string(bytes.substr(0, bytes.find('\0')));
                              } else {
                                  return std::string();
                              }
                          },
                      },
                      value);
}

std::int32_t toInteger(const Value& value)
{
    return std::visit(Overloaded{
                          [](const std::string& v) { return parseInteger(normaliseFullWidth(v)); },
                          [](Logical v) { return std::int32_t{v.value}; },
                          [](std::uint8_t v) { return std::int32_t{v}; },
                          [](std::int16_t v) { return std::int32_t{v}; },
                          [](std::int32_t v) { return v; },
                          [](std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); },
                          [](ProcAddress v) { return static_cast<std::int32_t>(v.address); },
                          [](float v) { return truncatedInteger(v); },
                          [](double v) { return truncatedInteger(v); },
                          [](const auto&) { return std::int32_t{0}; },
                      },
                      value);
}

double toNumber(const Value& value)
{
    return std::visit(Overloaded{
                          [](const std::string& v) {
                              std::string normal = normaliseFullWidth(v);
                              return std::strtod(normal.c_str(), nullptr);
                          },
                          [](Logical v) { return v.value ? 1.0 : 0.0; },
                          [](std::uint8_t v) { return double(v); },
                          [](std::int16_t v) { return double(v); },
                          [](std::int32_t v) { return double(v); },
                          [](std::int64_t v) { return double(v); },
                          [](float v) { return double(v); },
                          [](double v) { return v; },
                          [](ProcAddress v) { return double(v.address); },
                          [](const auto&) { return 0.0; },
                      },
                      value);
}

ByteBlock toBytes(const Value& value)
{
    ByteBlock bytes;
    std::visit(Overloaded{
                   [&](const std::string& v) { bytes.assign(v.begin(), v.end()); },
                   [&](ProcAddress) {},
                   [&](const auto& v) {
                       using T = std::decay_t<decltype(v)>;
                       if constexpr (isNumberArray<T>) {
                           std::string_view raw = rawBytes(v);
                           bytes.assign(raw.begin(), raw.end());
                       } else {
                           appendStoredBytes(v, bytes);
                       }
                   },
               },
               value);
    return bytes;
}

} // namespace wrivo
