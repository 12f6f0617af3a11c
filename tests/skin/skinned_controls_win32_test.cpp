// Skinned child controls, the skin caret and the load dialog class on real
// windows: state images follow the mouse, text controls draw their text, the
// caret blinks with the skin timer.
#include "host/scoped_win32.h"
#include "skin/caret_win32.h"
#include "skin/png_skin_window_win32.h"
#include "skin/skin_module_win32.h"
#include "skin/skin_state_win32.h"
#include "skin/skin_text_win32.h"
#include "skin/skinned_controls_win32.h"
#include "tests/skin/gdiplus_pixels_win32.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace wrivo {
namespace {

using testing::disposeTestImage;
using testing::Pixels;
using testing::readPixels;
using testing::solidImage;

constexpr std::uint32_t red = 0xFFFF0000, blue = 0xFF0000FF, green = 0xFF00FF00, white = 0xFFFFFFFF;

int commandsSeen = 0;
LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wordParameter, LPARAM longParameter)
{
    if (message == WM_COMMAND && HIWORD(wordParameter) == BN_CLICKED) ++commandsSeen;
    return DefWindowProcA(window, message, wordParameter, longParameter);
}

struct ControlsTest : ::testing::Test {
    static void SetUpTestSuite()
    {
        startSkinModule();
        WNDCLASSA record{};
        record.lpfnWndProc = parentProc;
        record.hInstance = GetModuleHandleA(nullptr);
        record.lpszClassName = "SkinTestParent";
        RegisterClassA(&record);
    }
    void SetUp() override
    {
        parent = CreateWindowExA(0, "SkinTestParent", "", WS_POPUP, 50, 50, 300, 200, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(skin.attach(parent));
        commandsSeen = 0;
    }
    void TearDown() override
    {
        DestroyWindow(parent);
        for (GpImage* image : images) disposeTestImage(image);
        fonts.clear();
        skinState().caret.window = skinState().caret.control = nullptr;
    }
    HWND child(const char* className, const char* text, int x, int y, int width, int height, int type)
    {
        HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                                       reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr), nullptr);
        setSkinProperty(control, "PngControl_Type", static_cast<std::uintptr_t>(type));
        return control;
    }
    std::uintptr_t image(std::uint32_t argb)
    {
        images.push_back(solidImage(40, 20, argb));
        return reinterpret_cast<std::uintptr_t>(images.back());
    }
    // A face GDI+ knows here (Wine's prefix may lack Tahoma; the system's
    // own fonts are there).
    static const char* knownFace()
    {
        for (const char* face : {"Tahoma", "Arial", "DejaVu Sans", "Liberation Sans"}) {
            SkinFontFamily family;
            if (family.fromName(face) == gdipOk) return face;
        }
        return "Tahoma";
    }
    HFONT font(int weight)
    {
        fonts.emplace_back(CreateFontA(-12, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, knownFace()));
        return fonts.back().get();
    }
    Pixels compose()
    {
        GpImage* picture = composeWindow(parent, true);
        Pixels pixels = readPixels(picture);
        disposeTestImage(picture);
        return pixels;
    }
    std::uintptr_t state(HWND control) { return skinProperty(control, "Zaded_DrawState"); }

    HWND parent = nullptr;
    PngSkinWindow skin;
    std::vector<GpImage*> images;
    std::vector<ScopedFont> fonts;
};

TEST_F(ControlsTest, SkinChildrenSubclassesStateAndTextControlsOnce)
{
    HWND button = child("BUTTON", "", 10, 10, 40, 20, 3);
    HWND text = child("EDIT", "", 10, 40, 100, 20, 4);
    HWND picture = child("STATIC", "", 10, 70, 40, 20, 2);
    const LONG ownButton = GetWindowLongA(button, GWL_WNDPROC);
    const LONG ownPicture = GetWindowLongA(picture, GWL_WNDPROC);
    const std::uint32_t before = compositionCount();
    skin.skinChildren();
    EXPECT_EQ(compositionCount(), before + 1);
    EXPECT_EQ(GetWindowLongA(button, GWL_WNDPROC), reinterpret_cast<LONG>(&stateControlProc));
    EXPECT_EQ(GetWindowLongA(text, GWL_WNDPROC), reinterpret_cast<LONG>(&textControlProc));
    EXPECT_EQ(GetWindowLongA(picture, GWL_WNDPROC), ownPicture);
    EXPECT_EQ(skinProperty(button, "PngControl_ChildWndProc"), static_cast<std::uintptr_t>(ownButton));
    skin.skinChildren();
    EXPECT_EQ(skinProperty(button, "PngControl_ChildWndProc"), static_cast<std::uintptr_t>(ownButton));
    EXPECT_EQ(GetWindowLongA(button, GWL_WNDPROC), reinterpret_cast<LONG>(&stateControlProc));
}

TEST_F(ControlsTest, AStateControlShowsTheImageOfItsStateAndStillClicks)
{
    HWND button = child("BUTTON", "", 20, 30, 40, 20, 3);
    setSkinProperty(button, "PngControl_NormalImage", image(red));
    setSkinProperty(button, "PngControl_OverlImage", image(blue));
    setSkinProperty(button, "PngControl_DownImage", image(green));
    setSkinProperty(button, "PngControl_DisableImage", image(white));
    skin.skinChildren();
    EXPECT_EQ(compose().at(30, 35), red);

    std::uint32_t count = compositionCount();
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(state(button), 1u);
    EXPECT_EQ(compositionCount(), count + 1);
    EXPECT_EQ(compose().at(30, 35), blue);
    count = compositionCount();
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5)); // already over: no redraw
    EXPECT_EQ(compositionCount(), count);

    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(state(button), 2u);
    EXPECT_EQ(compose().at(30, 35), green);
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(state(button), 1u);
    EXPECT_EQ(commandsSeen, 1); // the button's own procedure still notifies

    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(state(button), 0u);
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); // not pressed: back to normal
    EXPECT_EQ(state(button), 0u);

    EnableWindow(button, FALSE);
    EXPECT_EQ(state(button), 3u);
    EXPECT_EQ(compose().at(30, 35), white);
    EnableWindow(button, TRUE);
    EXPECT_EQ(state(button), 0u);
    EXPECT_EQ(compose().at(30, 35), red);
}

TEST_F(ControlsTest, AMissingStateImageFallsBackToTheNormalImage)
{
    HWND button = child("BUTTON", "", 20, 30, 40, 20, 3);
    setSkinProperty(button, "PngControl_NormalImage", image(red));
    skin.skinChildren();
    const std::uint32_t count = compositionCount();
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(stateImage(button), reinterpret_cast<GpImage*>(skinProperty(button, "PngControl_NormalImage")));
    EXPECT_EQ(compose().at(30, 35), red);
    EXPECT_GT(compositionCount(), count); // still recomposed on the change
}

// Text pixels: opaque-ish black over the white fill.
struct Ink {
    int left = 10000, right = -1, top = 10000, bottom = -1, count = 0;
    std::uint32_t darkest = 255;
};
Ink inkIn(const Pixels& pixels, int x0, int y0, int width, int height)
{
    Ink ink;
    for (int y = y0 + 1; y < y0 + height - 1; ++y) {
        for (int x = x0 + 1; x < x0 + width - 1; ++x) {
            const std::uint32_t level = (pixels.at(x, y) >> 8) & 0xFF; // the green channel
            ink.darkest = std::min(ink.darkest, level);
            if (level < 128) {
                ++ink.count;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
        }
    }
    return ink;
}

TEST_F(ControlsTest, ATextControlDrawsItsTextLeftAlignedAndCentredInItsOwnFont)
{
    HWND bold = child("STATIC", "abc", 10, 10, 120, 40, 4);
    HWND regular = child("STATIC", "abc", 10, 100, 120, 40, 4);
    for (HWND control : {bold, regular}) {
        setSkinProperty(control, "PngControl_BackColor", 0x00FFFFFF);
        setSkinProperty(control, "PngControl_BackAlpha", 255);
        setSkinProperty(control, "PngControl_OrderColor", 0xFFFFFFFF);
        setSkinProperty(control, "PngControl_TextColor", 0x00000000);
    }
    SendMessageA(bold, WM_SETFONT, reinterpret_cast<WPARAM>(font(700)), FALSE);
    SendMessageA(regular, WM_SETFONT, reinterpret_cast<WPARAM>(font(400)), FALSE);

    SkinFont probe;
    probe.fromWindow(bold);
    ASSERT_NE(probe.handle(), nullptr);
    EXPECT_EQ(probe.style(), 1);
    EXPECT_FLOAT_EQ(probe.size(), 12.0f);
    EXPECT_EQ(probe.unit(), unitPixel);

    const Pixels picture = compose();
    const Ink boldInk = inkIn(picture, 10, 10, 120, 40);
    const Ink regularInk = inkIn(picture, 10, 100, 120, 40);
    ASSERT_GT(boldInk.count, 10);
    EXPECT_LE(boldInk.left, 10 + 2 + 3);                          // left-aligned in the inset box
    EXPECT_LT(boldInk.right, 10 + 60);                            // three letters, not stretched
    EXPECT_NEAR((boldInk.top + boldInk.bottom) / 2.0, 30.0, 4.0); // vertically centred
    EXPECT_LT(boldInk.darkest, 40u);                              // drawn opaque
    EXPECT_GT(boldInk.count, regularInk.count);                   // bold has more ink
}

TEST_F(ControlsTest, ATextControlWithTheDefaultFontOrNoTextDrawsNoText)
{
    HWND plain = child("STATIC", "abc", 10, 10, 120, 40, 4);
    HWND empty = child("STATIC", "", 10, 100, 120, 40, 4);
    SendMessageA(empty, WM_SETFONT, reinterpret_cast<WPARAM>(font(400)), FALSE);
    for (HWND control : {plain, empty}) {
        setSkinProperty(control, "PngControl_BackColor", 0x00FFFFFF);
        setSkinProperty(control, "PngControl_BackAlpha", 255);
        setSkinProperty(control, "PngControl_OrderColor", 0xFFFFFFFF);
    }
    const Pixels picture = compose();
    EXPECT_EQ(inkIn(picture, 10, 10, 120, 40).count, 0);
    EXPECT_EQ(inkIn(picture, 10, 100, 120, 40).count, 0);
    EXPECT_EQ(windowTextCopy(plain), "abc");
    EXPECT_EQ(windowTextCopy(empty), "");
}

TEST_F(ControlsTest, FocusOnATextControlMakesTheCaretBlinkWithTheSkinTimer)
{
    HWND edit = child("EDIT", "hello", 20, 20, 150, 30, 4);
    skin.skinChildren();
    std::uint32_t count = compositionCount();
    SendMessageA(edit, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(skinState().caret.window, parent);
    EXPECT_EQ(skinState().caret.control, edit);
    EXPECT_EQ(skinState().caret.phase, 0);
    EXPECT_EQ(compositionCount(), count + 1);
    ASSERT_NE(skinState().caret.image.get(), nullptr); // the last push is kept for blinking

    caretTimerProc(parent, WM_TIMER, 63, 0); // not the skin timer
    EXPECT_EQ(skinState().caret.phase, 0);
    caretTimerProc(parent, WM_TIMER, skinTimerId, 0);
    EXPECT_EQ(skinState().caret.phase, 1);
    caretTimerProc(parent, WM_TIMER, skinTimerId, 0);
    EXPECT_EQ(skinState().caret.phase, 0);
    EXPECT_EQ(compositionCount(), count + 1); // blinking re-pushes, never recomposes

    // The real skin timer, through the message loop, flips the phase too.
    const DWORD deadline = GetTickCount() + 3000;
    while (skinState().caret.phase == 0 && GetTickCount() < deadline) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    EXPECT_EQ(skinState().caret.phase, 1);
    EXPECT_EQ(compositionCount(), count + 1);

    count = compositionCount();
    SendMessageA(edit, WM_CHAR, 'x', 0);
    EXPECT_EQ(compositionCount(), count + 1);
    SendMessageA(edit, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(skinState().caret.window, nullptr);
    EXPECT_EQ(skinState().caret.control, nullptr);
    const int phase = skinState().caret.phase;
    caretTimerProc(parent, WM_TIMER, skinTimerId, 0); // no focused text control: nothing changes
    EXPECT_EQ(skinState().caret.phase, phase);
}

TEST_F(ControlsTest, TheCaretLineIsTwelveOpaqueBlackPixelsCentredInTheControl)
{
    HWND edit = child("EDIT", "hello", 20, 20, 150, 30, 4);
    SendMessageA(edit, WM_SETFOCUS, 0, 0);
    POINT caret{};
    GetCaretPos(&caret);
    GpImage* picture = composeWindow(parent, true);
    GpGraphics* graphics = nullptr;
    skinCall<apiGdipGetImageGraphicsContext>(picture, &graphics);
    drawCaret(parent, edit, graphics);
    skinCall<apiGdipDeleteGraphics>(graphics);
    const Pixels pixels = readPixels(picture);
    disposeTestImage(picture);
    const int x = 20 + caret.x + 5;
    const int y = 20 + (30 - 12) / 2;
    EXPECT_EQ(pixels.at(x, y + 2), 0xFF000000u);
    EXPECT_EQ(pixels.at(x, y + 10), 0xFF000000u);
    EXPECT_EQ(Pixels::alpha(pixels.at(x, y - 2)), 0u);
    EXPECT_EQ(Pixels::alpha(pixels.at(x, y + 14)), 0u);
    EXPECT_EQ(Pixels::alpha(pixels.at(x + 3, y + 6)), 0u);
}

TEST_F(ControlsTest, TheLoadDialogFreesItsImageAndMemoryWhenDestroyed)
{
    HWND dialog = CreateWindowExA(0, loadDialogClassName, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    HGLOBAL memory = GlobalAlloc(GMEM_FIXED, 64);
    setSkinProperty(dialog, "Zaded_Stream", reinterpret_cast<std::uintptr_t>(memory));
    DestroyWindow(dialog);
    EXPECT_EQ(GlobalSize(memory), 0u); // freed: no longer a valid block

    HWND plain = CreateWindowExA(0, loadDialogClassName, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    EXPECT_TRUE(DestroyWindow(plain)); // nothing held: only the default handling
}

} // namespace
} // namespace wrivo
