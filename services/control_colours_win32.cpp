#include "services/control_colours.h"

#include "host/unit_kind.h"

namespace wrivo {

using layout::defaultColour;

ControlPaint::~ControlPaint()
{
    if (font_) DeleteObject(font_);
    if (brush_) DeleteObject(brush_);
}

void ControlPaint::setFont(HWND control, const Bytes& block)
{
    HFONT font = createFontFromBlock(block);
    HGDIOBJ applied = font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(applied), TRUE);
    if (font_) DeleteObject(font_);
    font_ = font;
}

COLORREF backgroundColourOf(std::uint32_t colour)
{
    return colour == defaultColour ? GetSysColor(COLOR_BTNFACE) : (colour & 0xFFFFFF);
}

void ControlPaint::setBackground(std::uint32_t colour)
{
    COLORREF wanted = backgroundColourOf(colour);
    if (brush_ && brushColour_ == wanted) return;
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(wanted);
    brushColour_ = wanted;
}

HBRUSH ControlPaint::paint(HDC dc, std::uint32_t textColour, std::uint32_t backgroundColour)
{
    setBackground(backgroundColour);
    SetTextColor(dc, textColour == defaultColour ? GetSysColor(COLOR_WINDOWTEXT) : (textColour & 0xFFFFFF));
    SetBkColor(dc, brushColour_);
    return brush_;
}

} // namespace wrivo
