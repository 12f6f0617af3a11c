// The rules every visual unit's common properties follow, whatever its kind:
// positions and sizes are kept inside the 16-bit range the platform can draw,
// and the numbers of the properties themselves.
#pragma once
#include <cstdint>

namespace wrivo {

// Properties 0 to 7 of every visual unit.
namespace CommonProperty {
inline constexpr int left = 0;
inline constexpr int top = 1;
inline constexpr int width = 2;
inline constexpr int height = 3;
inline constexpr int tag = 4;
inline constexpr int visible = 5;
inline constexpr int disabled = 6;
inline constexpr int mousePointer = 7;
inline constexpr int firstKindProperty = 8;
} // namespace CommonProperty

// A menu entry has its own four.
namespace MenuProperty {
inline constexpr int caption = 0;
inline constexpr int ticked = 1;
inline constexpr int disabled = 2;
inline constexpr int visible = 3;
} // namespace MenuProperty

inline constexpr std::int32_t largestCoordinate = 32627;

// Left and top: kept within -32627 .. 32627.
std::int32_t clampPosition(std::int64_t value);

// Width and height: negative becomes 0, above 32627 becomes 32627.
std::int32_t clampSize(std::int64_t value);

// Shift state of keyboard and mouse events: Ctrl 1, Shift 2, Alt 4.
inline constexpr std::int32_t shiftStateCtrl = 1;
inline constexpr std::int32_t shiftStateShift = 2;
inline constexpr std::int32_t shiftStateAlt = 4;

// The key code an event reports for a virtual key: the keypad digits count as
// the main digits, keypad minus, decimal point and divide as 189, 190 and 191.
std::int32_t eventKeyCode(std::uint32_t virtualKey);

// Signed wheel notches from the high word of a wheel message's first argument.
std::int32_t wheelNotches(std::uint32_t wParam);

// Signed client coordinates from the low and high 16 bits of a mouse message.
std::int32_t lowSigned16(std::uint32_t value);
std::int32_t highSigned16(std::uint32_t value);

} // namespace wrivo
