#include "host/property_rules.h"

namespace wrivo {

std::int32_t clampPosition(std::int64_t value)
{
    if (value > largestCoordinate) return largestCoordinate;
    if (value < -largestCoordinate) return -largestCoordinate;
    return static_cast<std::int32_t>(value);
}

std::int32_t clampSize(std::int64_t value)
{
    if (value > largestCoordinate) return largestCoordinate;
    if (value < 0) return 0;
    return static_cast<std::int32_t>(value);
}

std::int32_t eventKeyCode(std::uint32_t virtualKey)
{
    constexpr std::uint32_t numpad0 = 0x60, numpad9 = 0x69;
    constexpr std::uint32_t subtract = 0x6D, decimal = 0x6E, divide = 0x6F;
    if (virtualKey >= numpad0 && virtualKey <= numpad9) return static_cast<std::int32_t>('0' + (virtualKey - numpad0));
    if (virtualKey == subtract) return 189;
    if (virtualKey == decimal) return 190;
    if (virtualKey == divide) return 191;
    return static_cast<std::int32_t>(virtualKey);
}

std::int32_t wheelNotches(std::uint32_t wParam)
{
    return highSigned16(wParam) / 120;
}

std::int32_t lowSigned16(std::uint32_t value)
{
    return static_cast<std::int16_t>(value & 0xFFFFu);
}

std::int32_t highSigned16(std::uint32_t value)
{
    return static_cast<std::int16_t>((value >> 16) & 0xFFFFu);
}

} // namespace wrivo
