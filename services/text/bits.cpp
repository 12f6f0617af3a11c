#include "services/text/bits.h"

namespace wrivo {

std::int32_t bitOr(std::initializer_list<std::int32_t> values)
{
    std::uint32_t result = 0;
    for (std::int32_t v : values) result |= static_cast<std::uint32_t>(v);
    return static_cast<std::int32_t>(result);
}

std::int32_t shiftLeft(std::int32_t value, std::int32_t count)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) << (count & 31));
}

double absValue(double value)
{
    return value >= 0 ? value : -value;
}

} // namespace wrivo
