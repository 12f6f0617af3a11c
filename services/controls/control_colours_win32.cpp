#include "services/controls/control_colours.h"

#include <utility>

#include "host/unit_access.h"

namespace wrivo {

using layout::defaultColour;

void ControlPaint::setFont(HWND control, const Bytes& block)
{
    ScopedFont font(createFontFromBlock(block));
    HGDIOBJ applied = font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(applied), TRUE);
    // The control has the new font now: the old one may go.
    font_ = std::move(font);
}

COLORREF backgroundColourOf(std::uint32_t colour)
{
    return colour == defaultColour ? GetSysColor(COLOR_BTNFACE) : (colour & 0xFFFFFF);
}

void ControlPaint::setBackground(std::uint32_t colour)
{
    COLORREF wanted = backgroundColourOf(colour);
    if (brush_ && brushColour_ == wanted) return;
    brush_.reset(CreateSolidBrush(wanted));
    brushColour_ = wanted;
}

HBRUSH ControlPaint::paint(HDC dc, std::uint32_t textColour, std::uint32_t backgroundColour)
{
    setBackground(backgroundColour);
    SetTextColor(dc, textColour == defaultColour ? GetSysColor(COLOR_WINDOWTEXT) : (textColour & 0xFFFFFF));
    SetBkColor(dc, brushColour_);
    return brush_.get();
}

} // namespace wrivo
