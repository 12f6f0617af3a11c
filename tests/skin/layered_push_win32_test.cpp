// What a push really puts on the screen: a splash frame on a layered window
// over a plain blue window, read back from the screen.
#include "host/scoped_win32.h"
#include "skin/image_memory_win32.h"
#include "skin/png_skin_window_win32.h"
#include "skin/skin_module_win32.h"
#include "skin/splash_frames.h"
#include "tests/skin/gdiplus_pixels_win32.h"

#include <gtest/gtest.h>
#include <cstdlib>

namespace wrivo {
namespace {

using testing::Pixels;
using testing::readPixels;

constexpr COLORREF backdrop = RGB(0, 0, 255);

void pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

COLORREF screenPixel(int x, int y)
{
    return GetPixel(ScopedGetDC(nullptr).get(), x, y);
}

bool looksLike(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Waits (pumping messages) until the screen shows `expected` at (x, y).
bool waitForScreen(int x, int y, COLORREF expected, int tolerance)
{
    const DWORD deadline = GetTickCount() + 5000;
    do {
        pump();
        if (looksLike(screenPixel(x, y), expected, tolerance)) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    } while (GetTickCount() < deadline);
    return false;
}

TEST(LayeredPush, TheFrameIsOnScreenAndTheRestOfTheWindowLetsTheDesktopThrough)
{
    startSkinModule();
    HWND below = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    RECT all{0, 0, 700, 500};
    const ScopedBrush blue(CreateSolidBrush(backdrop));
    FillRect(ScopedGetDC(below).get(), &all, blue.get());
    ValidateRect(below, nullptr);

    HWND window = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP, 100, 80, 495, 354, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    PngSkinWindow skin;
    ASSERT_TRUE(skin.attach(window));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(waitForScreen(300, 200, backdrop, 8)) << "nothing is shown before the first push";

    ASSERT_TRUE(skin.setBackImageBytes(splashFrame(12)));
    GpImage* frame = loadImageFromBytes(splashFrame(12));
    const Pixels pixels = readPixels(frame);
    disposeImage(frame);
    // The brightest, most opaque pixel of the frame.
    int bestX = 0, bestY = 0;
    std::uint32_t best = 0;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t p = pixels.at(x, y);
            const std::uint32_t score = (p >> 24) * 4 + ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF);
            if (score > best) {
                best = score;
                bestX = x;
                bestY = y;
            }
        }
    }
    const std::uint32_t p = pixels.at(bestX, bestY);
    ASSERT_GE(p >> 24, 200u);
    // Per-pixel alpha over blue (a screen without compositing shows it over black; both pass).
    const int alpha = static_cast<int>(p >> 24);
    const COLORREF over = RGB(((p >> 16) & 0xFF) * alpha / 255, ((p >> 8) & 0xFF) * alpha / 255,
                              (p & 0xFF) * alpha / 255 + 255 * (255 - alpha) / 255);
    const COLORREF overBlack =
        RGB(((p >> 16) & 0xFF) * alpha / 255, ((p >> 8) & 0xFF) * alpha / 255, (p & 0xFF) * alpha / 255);
    const int sx = 100 + bestX, sy = 80 + bestY;
    EXPECT_TRUE(waitForScreen(sx, sy, over, 24) || looksLike(screenPixel(sx, sy), overBlack, 24))
        << std::hex << screenPixel(sx, sy) << " at " << std::dec << sx << "," << sy;
    // Right of the 464-pixel frame and below it the window is fully transparent.
    EXPECT_TRUE(looksLike(screenPixel(100 + 480, 80 + 100), backdrop, 8));
    EXPECT_TRUE(looksLike(screenPixel(100 + 200, 80 + 300), backdrop, 8));

    DestroyWindow(window);
    DestroyWindow(below);
}

} // namespace
} // namespace wrivo
