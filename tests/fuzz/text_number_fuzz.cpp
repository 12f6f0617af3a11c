// Conversions of texts and raw numbers: no crash, no undefined behaviour (NaN,
// infinities and huge values among the doubles), and the documented results.
#include "services/text/text.h"
#include "tests/fuzz/fuzz_input.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace wrivo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input input(data, size);
    double d = input.raw<double>();
    float f = input.raw<float>();
    std::int64_t l = input.raw<std::int64_t>();
    std::string text = input.rest();

    std::string normal = normaliseFullWidth(text);
    FUZZ_CHECK(normal.size() <= text.size());
    // Parsing follows the C library on the normalised text, saturated to 32 bits.
    long long parsed = std::strtoll(normal.c_str(), nullptr, 10);
    long long saturated = parsed < INT32_MIN ? INT32_MIN : parsed > INT32_MAX ? INT32_MAX : parsed;
    FUZZ_CHECK(toInteger(Value{text}) == saturated);
    double number = toNumber(Value{text});
    double expected = std::strtod(normal.c_str(), nullptr);
    FUZZ_CHECK(number == expected || (std::isnan(number) && std::isnan(expected)));

    for (const Value& v : {Value{d}, Value{f}, Value{l}}) {
        std::string written = toText(v);
        FUZZ_CHECK(!written.empty() && written.size() < 64);
        (void)toInteger(v);
        (void)toNumber(v);
    }
    std::int32_t i = toInteger(Value{d});
    if (std::isnan(d))
        FUZZ_CHECK(i == 0);
    else if (d >= 2147483647.0)
        FUZZ_CHECK(i == INT32_MAX);
    else if (d <= -2147483648.0)
        FUZZ_CHECK(i == INT32_MIN);
    else
        FUZZ_CHECK(std::fabs(d - i) < 1 && std::fabs(double(i)) <= std::fabs(d));
    FUZZ_CHECK(toInteger(Value{l}) == static_cast<std::int32_t>(static_cast<std::uint32_t>(l)));

    ByteBlock bytes = toBytes(Value{d});
    FUZZ_CHECK(bytes.size() == 8 && std::memcmp(bytes.data(), &d, 8) == 0);
    FUZZ_CHECK(toText(Value{ByteBlock(text.begin(), text.end())}) == text.substr(0, text.find('\0')));
    return 0;
}
