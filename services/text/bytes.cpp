#include "services/text/bytes.h"
#include "services/text/overloaded.h"

#include <bit>
#include <cstring>
#include <type_traits>

namespace wrivo {

namespace {

template <class T>
void appendLittleEndian(T value, ByteBlock& out)
{
    using Bits =
        std::conditional_t<sizeof(T) == 8, std::uint64_t,
                           std::conditional_t<sizeof(T) == 4, std::uint32_t,
                                              std::conditional_t<sizeof(T) == 2, std::uint16_t, std::uint8_t>>>;
    auto bits = std::bit_cast<Bits>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

} // namespace

bool appendStoredBytes(const Value& value, ByteBlock& out)
{
    return std::visit(Overloaded{
                          [&](Logical v) {
                              appendLittleEndian(std::int32_t{v.value}, out);
                              return true;
                          },
                          [&](DateTime v) {
                              appendLittleEndian(v.days, out);
                              return true;
                          },
                          [&](ProcAddress v) {
                              appendLittleEndian(v.address, out);
                              return true;
                          },
                          [&](const auto& v) {
                              if constexpr (std::is_arithmetic_v<std::decay_t<decltype(v)>>) {
                                  appendLittleEndian(v, out);
                                  return true;
                              } else {
                                  return false;
                              }
                          },
                      },
                      value);
}

ByteBlock zeroBytes(std::int32_t n)
{
    return n <= 0 ? ByteBlock() : ByteBlock(static_cast<std::size_t>(n), 0);
}

std::int32_t bytesLength(const ByteBlock& block)
{
    return static_cast<std::int32_t>(block.size());
}

ByteBlock bytesFromAddress(std::uintptr_t address, std::int32_t length)
{
    if (length <= 0) return {};
    auto* start = reinterpret_cast<const std::uint8_t*>(address);
    return ByteBlock(start, start + length);
}

void writeToAddress(const Value& data, std::uintptr_t address, std::optional<std::int32_t> length)
{
    ByteBlock scalar;
    const std::uint8_t* source = nullptr;
    std::size_t size = 0;
    if (auto* block = std::get_if<ByteBlock>(&data)) {
        source = block->data();
        size = block->size();
    } else if (auto* text = std::get_if<std::string>(&data)) {
        source = reinterpret_cast<const std::uint8_t*>(text->c_str());
        size = text->size() + 1; // with its terminating zero
    } else if (appendStoredBytes(data, scalar)) {
        source = scalar.data();
        size = scalar.size();
    }
    if (length && *length >= 0 && static_cast<std::size_t>(*length) <= size) size = static_cast<std::size_t>(*length);
    if (size != 0) std::memmove(reinterpret_cast<void*>(address), source, size);
}

} // namespace wrivo
