// writeToAddress and bytesFromAddress with values of every kind and any length:
// the bytes land in a buffer exactly as large as the write should be, so
// AddressSanitizer catches a single byte too many.
#include "services/text/bytes.h"
#include "services/text/text.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace wrivo;

namespace {

Value makeValue(fuzz::Input& input, std::uint8_t kind)
{
    switch (kind % 12) {
    case 0: return Value{Logical{(input.byte() & 1) != 0}};
    case 1: return Value{input.raw<std::uint8_t>()};
    case 2: return Value{input.raw<std::int16_t>()};
    case 3: return Value{input.raw<std::int32_t>()};
    case 4: return Value{input.raw<std::int64_t>()};
    case 5: return Value{input.raw<float>()};
    case 6: return Value{input.raw<double>()};
    case 7: return Value{DateTime{input.raw<double>()}};
    case 8: return Value{ProcAddress{input.raw<std::uint32_t>()}};
    case 9: {
        std::string bytes = input.text(input.byte());
        return Value{ByteBlock(bytes.begin(), bytes.end())};
    }
    case 10: return Value{std::vector<std::int32_t>(input.byte() % 5, input.raw<std::int32_t>())};
    default: return Value{input.text(input.byte())};
    }
}

// What writeToAddress should copy, before any length is applied.
ByteBlock sourceBytes(const Value& v)
{
    if (auto* text = std::get_if<std::string>(&v)) {
        ByteBlock bytes(text->begin(), text->end());
        bytes.push_back(0);
        return bytes;
    }
    if (auto* address = std::get_if<ProcAddress>(&v)) {
        std::uint32_t a = address->address;
        return {std::uint8_t(a), std::uint8_t(a >> 8), std::uint8_t(a >> 16), std::uint8_t(a >> 24)};
    }
    if (std::holds_alternative<std::vector<std::int32_t>>(v)) return {};
    return toBytes(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input input(data, size);
    std::uint8_t kind = input.byte();
    std::optional<std::int32_t> length;
    if (kind & 0x80) length = static_cast<std::int8_t>(input.byte());
    Value value = makeValue(input, kind);

    ByteBlock expected = sourceBytes(value);
    if (length && *length >= 0 && static_cast<std::size_t>(*length) <= expected.size()) expected.resize(*length);

    // Exactly the bytes to be written; one more would be outside the allocation.
    auto buffer = std::make_unique<std::uint8_t[]>(expected.size() + 1);
    std::uint8_t* target = buffer.get() + 1;
    writeToAddress(value, reinterpret_cast<std::uintptr_t>(target), length);
    FUZZ_CHECK(expected.empty() || std::memcmp(target, expected.data(), expected.size()) == 0);

    std::int32_t copyLength = length.value_or(static_cast<std::int32_t>(expected.size()));
    ByteBlock copied = bytesFromAddress(reinterpret_cast<std::uintptr_t>(target),
                                        copyLength <= static_cast<std::int32_t>(expected.size()) ? copyLength : 0);
    FUZZ_CHECK(copyLength <= 0 || copyLength > static_cast<std::int32_t>(expected.size()) ||
               copied == ByteBlock(expected.begin(), expected.begin() + copyLength));
    return 0;
}
