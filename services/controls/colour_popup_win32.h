// The colour picker's palette popup: shown under the picker button, it holds
// the mouse until the user chooses a colour (a cell, "透明" or the system
// colour dialog of "其它颜色...") or closes it (Esc, a click outside).
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>

namespace wrivo {

inline constexpr const char* colourPopupClassName = "WrivoColourPopup";

// The sixteen custom colours the system colour dialog offers and keeps: each
// colour picker has its own, for as long as it lives.
using CustomColours = std::array<COLORREF, 16>;

// Runs the popup with its top-left corner at the button's bottom-left corner
// (moved to stay on the screen) and the current colour marked. The chosen
// colour, or nothing when the popup was closed without a choice.
std::optional<std::uint32_t> runColourPopup(HWND button, std::uint32_t current, bool allowTransparent,
                                            CustomColours& customColours);

} // namespace wrivo
