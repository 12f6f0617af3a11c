// The colour picker control's behaviour on its native window: it paints the
// current colour beside a drop-down arrow, and a left-button release (from
// the mouse, or sent as a message) opens the palette popup.
#pragma once
#include <windows.h>

#include "services/controls/colour_popup_win32.h"

#include <cstdint>
#include <optional>

namespace wrivo {

// The colour the button shows: 0xFF000000 is white when transparency is
// offered and black when it is not.
std::uint32_t shownPickerColour(std::uint32_t colour, bool allowTransparent);

void paintColourPicker(HWND picker, std::uint32_t colour, bool allowTransparent);

// Handles the picker's own messages (paint and left-button release). Answers
// true when the message was handled; `chosen` receives a colour the user
// chose from the palette (the caller stores it and raises colour-chosen once).
bool handleColourPickerMessage(HWND picker, UINT message, std::uint32_t colour, bool allowTransparent,
                               CustomColours& customColours, std::optional<std::uint32_t>& chosen);

} // namespace wrivo
