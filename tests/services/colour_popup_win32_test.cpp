// The colour picker's palette popup, clicked as a person would: a helper
// thread waits for the popup and sends it the button release.
#include "services/controls/colour_popup_win32.h"

#include "services/controls/colour_palette.h"
#include "tests/support/dialog_driver_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace wrivo {
namespace {

HWND waitForPopup()
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        HWND popup = FindWindowA(colourPopupClassName, nullptr);
        if (popup && IsWindowVisible(popup)) return popup;
        Sleep(10); // polling for the popup to appear
    }
    return nullptr;
}

class ColourPopup : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner = CreateWindowExA(0, "STATIC", "picker owner", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 10, 10, 60, 22, owner, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(button, nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }

    // Runs the popup while `act` answers it from another thread.
    std::optional<std::uint32_t> run(std::uint32_t current, bool allowTransparent, std::function<void(HWND popup)> act)
    {
        std::thread helper([&] {
            popup = waitForPopup();
            if (popup) {
                GetWindowRect(popup, &popupRect);
                act(popup);
            }
        });
        const auto chosen = runColourPopup(button, current, allowTransparent, customColours);
        helper.join();
        return chosen;
    }

    // Where a palette cell is inside the popup, as laid out for this screen.
    POINT cellCentre(int index, bool allowTransparent) const
    {
        PaletteMetrics metrics;
        metrics.edge = GetSystemMetrics(SM_CXEDGE);
        // Only the vertical offset of the grid depends on the text height; it
        // is read back from the popup's size.
        PaletteLayout probe(metrics, allowTransparent);
        const int extra = (popupRect.bottom - popupRect.top) - probe.height();
        const int rows = allowTransparent ? 2 : 1;
        metrics.textHeight += extra / rows;
        PaletteLayout layout(metrics, allowTransparent);
        const PaletteRect cell = layout.cellRect(index);
        const int widthExtra = (popupRect.right - popupRect.left) - layout.width();
        return {cell.left + widthExtra / 2 + cell.width() / 2, cell.top + cell.height() / 2};
    }

    static void release(HWND popup, POINT at) { PostMessageA(popup, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y)); }

    HWND owner = nullptr;
    HWND button = nullptr;
    HWND popup = nullptr;
    CustomColours customColours{};
    RECT popupRect{};
};

TEST_F(ColourPopup, OpensUnderTheButtonAndAClickOnACellChoosesItsColour)
{
    const auto chosen = run(0, false, [&](HWND window) { release(window, cellCentre(12, false)); });
    ASSERT_NE(popup, nullptr) << "the popup did not appear";
    RECT buttonRect;
    GetWindowRect(button, &buttonRect);
    EXPECT_EQ(popupRect.left, buttonRect.left);
    EXPECT_EQ(popupRect.top, buttonRect.bottom);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, 0x0000FFu) << "红色";
    EXPECT_FALSE(IsWindow(popup)) << "the popup closes";
}

TEST_F(ColourPopup, EscapeOrAClickOutsideClosesWithoutAChoice)
{
    EXPECT_FALSE(run(0, false, [](HWND window) { PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0); }).has_value());
    EXPECT_FALSE(run(0, false, [](HWND window) { release(window, {-50, -50}); }).has_value());
}

TEST_F(ColourPopup, TransparentRowChoosesNoColour)
{
    const auto chosen = run(0, true, [&](HWND window) { release(window, {8, 8}); });
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, noColour);
}

TEST_F(ColourPopup, OtherColoursAsksTheSystemColourDialog)
{
    test::DialogDriver driver;
    driver.answer([](test::DialogWindow& dialog) {
        dialog.setColour(0x00204080);
        dialog.press("OK");
    });
    const auto chosen = run(0, false, [&](HWND window) {
        RECT client;
        GetClientRect(window, &client);
        release(window, {client.right / 2, client.bottom - 6});
    });
    ASSERT_TRUE(driver.finish()) << driver.report();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, 0x00204080u);
}

} // namespace
} // namespace wrivo
