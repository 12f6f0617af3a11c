#include "services/controls/colour_picker_win32.h"

#include "services/controls/colour_palette.h"
#include "services/controls/colour_popup_win32.h"

#include "host/unit_access.h"

namespace wrivo {

std::uint32_t shownPickerColour(std::uint32_t colour, bool allowTransparent)
{
    if (colour == noColour) return allowTransparent ? 0xFFFFFF : 0x000000;
    return colour & 0xFFFFFF;
}

void paintColourPicker(HWND picker, std::uint32_t colour, bool allowTransparent)
{
    const ScopedPaint paint(picker);
    const HDC dc = paint.dc();
    RECT client;
    GetClientRect(picker, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT frame = client;
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT | BF_ADJUST);

    // The arrow takes a square at the right; the colour fills the rest.
    const int arrowWidth = GetSystemMetrics(SM_CXVSCROLL);
    RECT swatch = frame;
    swatch.right -= arrowWidth;
    InflateRect(&swatch, -2, -2);
    FillRect(dc, &swatch, ScopedBrush(CreateSolidBrush(shownPickerColour(colour, allowTransparent))).get());
    FrameRect(dc, &swatch, GetSysColorBrush(COLOR_BTNSHADOW));

    const int centreX = frame.right - arrowWidth / 2 - 1;
    const int centreY = (frame.top + frame.bottom) / 2;
    POINT arrow[3] = {{centreX - 4, centreY - 2}, {centreX + 4, centreY - 2}, {centreX, centreY + 2}};
    {
        const ScopedSelection brush(dc, GetSysColorBrush(COLOR_BTNTEXT));
        const ScopedSelection pen(dc, GetStockObject(NULL_PEN));
        Polygon(dc, arrow, 3);
    }
}

bool handleColourPickerMessage(HWND picker, UINT message, std::uint32_t colour, bool allowTransparent,
                               CustomColours& customColours, std::optional<std::uint32_t>& chosen)
{
    switch (message) {
    case WM_PAINT: paintColourPicker(picker, colour, allowTransparent); return true;
    case WM_LBUTTONUP:
        chosen = runColourPopup(picker, colour, allowTransparent, customColours);
        if (chosen) InvalidateRect(picker, nullptr, TRUE);
        return true;
    default: return false;
    }
}

} // namespace wrivo
