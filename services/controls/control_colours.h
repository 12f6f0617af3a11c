// The colours and font a control paints with, owned per control: a solid
// brush for the background (remade only when the colour changes) and the
// font made from its LOGFONTA block.
#pragma once
#include <windows.h>

#include <cstdint>

#include "host/unit_access.h"

namespace wrivo {

// The colour a control's background setting paints: the colour itself, or
// the system button-face colour for 0xFF000000 ("default").
COLORREF backgroundColourOf(std::uint32_t colour);

class ControlPaint {
public:
    ControlPaint() = default;
    ControlPaint(const ControlPaint&) = delete;
    ControlPaint& operator=(const ControlPaint&) = delete;

    // Applies the font to the control; an empty block means the GUI font.
    void setFont(HWND control, const Bytes& block);
    // The background brush; 0xFF000000 is the button-face colour, for every
    // control alike (see backgroundColourOf).
    void setBackground(std::uint32_t colour);
    // WM_CTLCOLOR*: text and background colours; answers the brush.
    HBRUSH paint(HDC dc, std::uint32_t textColour, std::uint32_t backgroundColour);

private:
    ScopedFont font_;
    ScopedBrush brush_;
    std::uint32_t brushColour_ = 0;
};

} // namespace wrivo
