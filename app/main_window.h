// The main window's own handlers: keeping its controls laid out.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "host/host_types.h"

namespace wrivo {

extern const UnitRef editBoxRef;
extern const UnitRef listBoxRef;
extern const UnitRef commonDialogRef;

// The key code of Esc in key-down events.
inline constexpr std::int32_t escapeKey = 27;

// Handlers live apart from the layout's HandlerIndex names they are bound by.
namespace handlers {
// Size changed: the edit box fills the window but for the frame, the menu bar
// and the count strip, which sits under it at the window's full width.
std::optional<std::int32_t> layoutOnResize(const EventArguments& arguments);
} // namespace handlers

} // namespace wrivo
