// What the application and the services see of the host: references to units,
// events with their arguments and handlers, and property values. Free of the
// platform's types.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace wrivo {

// (window identifier, unit identifier, kind code) as the application names a
// window, a control or a menu entry. A unit identifier of 0 means the window's
// own unit.
struct UnitRef {
    std::uint32_t window = 0;
    std::uint32_t unit = 0;
    std::uint32_t kind = 0;
    friend bool operator==(const UnitRef&, const UnitRef&) = default;
};

struct EventArguments {
    std::int32_t count = 0;
    std::array<std::int32_t, 5> values{};
    std::int32_t operator[](int i) const { return i < count ? values[i] : 0; }
};

// A handler returns its result, or nothing (then the event counts as unhandled).
using EventHandler = std::optional<std::int32_t> (*)(const EventArguments&);
using HandlerTable = std::span<const EventHandler>;

struct EventOutcome {
    bool handled = false;
    std::int32_t result = 0;
};

// Events of the window unit.
namespace WindowEvent {
inline constexpr int created = 0;
inline constexpr int mayClose = 1;
inline constexpr int willBeDestroyed = 2;
inline constexpr int moved = 3;
inline constexpr int sizeChanged = 4;
inline constexpr int activated = 5;
inline constexpr int deactivated = 6;
inline constexpr int idle = 7;
inline constexpr int firstActivation = 8;
inline constexpr int notificationIcon = 9;
inline constexpr int shown = 10;
inline constexpr int hidden = 11;
// Files dropped on a window that binds this event (it then accepts drops);
// argument 0 is their count, the names are droppedFiles().
inline constexpr int filesDropped = 12;
} // namespace WindowEvent

// Events of every windowed unit, the window included.
namespace UnitEvent {
inline constexpr int leftButtonDown = -1;
inline constexpr int leftButtonUp = -2;
inline constexpr int leftDoubleClick = -3;
inline constexpr int rightButtonDown = -4;
inline constexpr int rightButtonUp = -5;
inline constexpr int mouseMove = -6;
inline constexpr int gotFocus = -7;
inline constexpr int lostFocus = -8;
inline constexpr int keyDown = -9;
inline constexpr int keyUp = -10;
inline constexpr int character = -11;
inline constexpr int wheel = -12;
// The default event of a control: content changed, selection changed, colour
// chosen, timer tick, menu entry chosen.
inline constexpr int primary = 0;
inline constexpr int listBoxDoubleClick = 1;
// The edit box was asked for its own undo (WM_UNDO, as its context menu's
// undo sends): the editor's history answers it instead of the control.
inline constexpr int editBoxUndo = 1;
} // namespace UnitEvent

// A property value: integers, logicals and colours as a number; texts; byte
// blocks (fonts are 60-byte LOGFONTA blocks when read or written whole).
using PropertyValue = std::variant<std::int64_t, std::string, std::vector<std::uint8_t>>;

std::int64_t propertyNumber(const PropertyValue& value);
std::string propertyText(const PropertyValue& value);
std::vector<std::uint8_t> propertyBytes(const PropertyValue& value);

} // namespace wrivo
