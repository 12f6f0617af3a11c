#include "services/controls/colour_popup_win32.h"

#include "services/controls/colour_palette.h"

#include <commctrl.h>
#include <commdlg.h>

#include <memory>
#include <string>

#include "host/unit_access.h"

namespace wrivo {

namespace {

struct Popup {
    Popup(const PaletteLayout& palette, std::uint32_t colour) : layout(palette), current(colour) { }

    PaletteLayout layout;
    std::uint32_t current;
    HFONT font = nullptr;
    HWND tooltips = nullptr;
    int hot = -1;
    bool done = false;
    bool askOther = false;
    std::optional<std::uint32_t> chosen;
};

HFONT messageFont()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

SIZE textSize(HFONT font, std::string_view text)
{
    ScopedGetDC screen(nullptr);
    ScopedSelection selected(screen.get(), font);
    SIZE size{};
    GetTextExtentPoint32A(screen.get(), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

RECT toRect(const PaletteRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

void fillRect(HDC dc, RECT rect, COLORREF colour)
{
    FillRect(dc, &rect, ScopedBrush(CreateSolidBrush(colour)).get());
}

void paintPopup(HWND window, Popup& popup)
{
    const ScopedPaint paint(window);
    const HDC dc = paint.dc();
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    const auto& colours = paletteColours();
    for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
        RECT cell = toRect(popup.layout.cellRect(i));
        if (colours[i].colour == popup.current)
            DrawEdge(dc, &cell, EDGE_SUNKEN, BF_RECT);
        else if (i == popup.hot)
            DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT);
        InflateRect(&cell, -3, -3);
        fillRect(dc, cell, colours[i].colour);
        FrameRect(dc, &cell, GetSysColorBrush(COLOR_BTNSHADOW));
    }
    {
        const ScopedSelection font(dc, popup.font); // deselected before EndPaint
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
        const auto drawRow = [&](const PaletteRect& row, std::string_view text, bool marked) {
            if (row.height() == 0) return;
            RECT rect = toRect(row);
            if (marked) DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
            DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        };
        drawRow(popup.layout.transparentRect(), transparentEntryText, popup.current == noColour);
        drawRow(popup.layout.otherRect(), otherColoursEntryText, false);
    }
}

void choose(Popup& popup, int x, int y)
{
    const PaletteChoice choice = popup.layout.hitTest(x, y);
    switch (choice.kind) {
    case PaletteChoice::cell: popup.chosen = paletteColours()[static_cast<std::size_t>(choice.index)].colour; break;
    case PaletteChoice::transparent: popup.chosen = noColour; break;
    case PaletteChoice::other: popup.askOther = true; break;
    case PaletteChoice::none: {
        RECT client{0, 0, popup.layout.width(), popup.layout.height()};
        if (PtInRect(&client, POINT{x, y})) return; // the margin: keep waiting
        break;                                      // outside: close without a choice
    }
    }
    popup.done = true;
}

LRESULT CALLBACK popupProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* popup = reinterpret_cast<Popup*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        break;
    case WM_PAINT:
        if (popup) {
            paintPopup(window, *popup);
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (popup) {
            const PaletteChoice over =
                popup->layout.hitTest(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            const int hot = over.kind == PaletteChoice::cell ? over.index : -1;
            if (hot != popup->hot) {
                popup->hot = hot;
                InvalidateRect(window, nullptr, FALSE);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (popup) choose(*popup, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_KEYDOWN:
        if (popup && wParam == VK_ESCAPE) popup->done = true;
        return 0;
    case WM_CAPTURECHANGED:
        if (popup && reinterpret_cast<HWND>(lParam) != window)
            popup->done = true; // another window took the mouse: close
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerPopupClass()
{
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.style = CS_SAVEBITS | CS_DROPSHADOW;
        windowClass.lpfnWndProc = popupProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = colourPopupClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}

void addTooltips(HWND window, Popup& popup)
{
    popup.tooltips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                     window, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!popup.tooltips) return;
    const auto& colours = paletteColours();
    for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
        std::string name(colours[i].name);
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = window;
        tool.uId = static_cast<UINT_PTR>(i + 1);
        tool.rect = toRect(popup.layout.cellRect(i));
        tool.lpszText = name.data();
        SendMessageA(popup.tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

std::optional<std::uint32_t> askSystemColourDialog(HWND owner, std::uint32_t current, CustomColours& custom)
{
    CHOOSECOLORA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.rgbResult = current == noColour ? 0 : current;
    request.lpCustColors = custom.data();
    request.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&request)) return std::nullopt;
    return request.rgbResult;
}

} // namespace

std::optional<std::uint32_t> runColourPopup(HWND button, std::uint32_t current, bool allowTransparent,
                                            CustomColours& customColours)
{
    registerPopupClass();
    // Freed after the popup window is gone, on every path out.
    const ScopedFont font(messageFont());
    const SIZE transparentSize = textSize(font.get(), transparentEntryText);
    const SIZE otherSize = textSize(font.get(), otherColoursEntryText);
    PaletteMetrics metrics;
    metrics.edge = GetSystemMetrics(SM_CXEDGE);
    metrics.textHeight = otherSize.cy;
    metrics.transparentWidth = transparentSize.cx;
    metrics.otherWidth = otherSize.cx;
    auto popup = std::make_unique<Popup>(PaletteLayout(metrics, allowTransparent), current);
    popup->font = font.get();

    RECT buttonRect{};
    GetWindowRect(button, &buttonRect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&buttonRect, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const PaletteRect place = placePopup(buttonRect.left, buttonRect.bottom, buttonRect.top, popup->layout.width(),
                                         popup->layout.height(), {work.left, work.top, work.right, work.bottom});

    HWND window =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, colourPopupClassName, "", WS_POPUP, place.left, place.top,
                        place.width(), place.height(), button, nullptr, GetModuleHandleA(nullptr), popup.get());
    if (!window) return std::nullopt;
    addTooltips(window, *popup);
    ShowWindow(window, SW_SHOWNA);
    SetCapture(window);

    MSG message;
    while (!popup->done) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for the outer loop
            break;
        }
        if (got < 0) break;
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE)
            popup->done = true;
        else
            DispatchMessageA(&message);
    }
    if (GetCapture() == window) ReleaseCapture();
    const bool askOther = popup->askOther;
    std::optional<std::uint32_t> chosen = popup->chosen;
    DestroyWindow(window);
    if (askOther) chosen = askSystemColourDialog(GetAncestor(button, GA_ROOT), current, customColours);
    return chosen;
}

} // namespace wrivo
