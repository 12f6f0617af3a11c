// The skin engine on real windows under the real GDI+: start-up, images from
// memory, compositions read back pixel by pixel, and the splash frame step.
#include "host/memory.h"
#include "skin/image_memory_win32.h"
#include "skin/png_skin_window_win32.h"
#include "skin/skin_module_win32.h"
#include "skin/skin_state_win32.h"
#include "skin/splash_frames.h"
#include "skin/splash_win32.h"
#include "tests/skin/gdiplus_pixels_win32.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace wrivo {
namespace {

using testing::disposeTestImage;
using testing::Pixels;
using testing::readPixels;
using testing::solidImage;

struct SkinTest : ::testing::Test {
    static void SetUpTestSuite() { startSkinModule(); }

    HWND makeWindow(int width, int height)
    {
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 80, width, height, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        windows.push_back(window);
        return window;
    }
    HWND makeChild(HWND parent, int x, int y, int width, int height, int type, int placement)
    {
        HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        setSkinProperty(child, "PngControl_Type", static_cast<std::uintptr_t>(type));
        setSkinProperty(child, "PngControl_BackType", static_cast<std::uintptr_t>(placement));
        return child;
    }
    GpImage* testImage(int width, int height, std::uint32_t argb)
    {
        images.push_back(solidImage(width, height, argb));
        return images.back();
    }
    Pixels compose(HWND window)
    {
        GpImage* picture = composeWindow(window, true);
        Pixels pixels = readPixels(picture);
        disposeTestImage(picture);
        return pixels;
    }
    void TearDown() override
    {
        for (HWND window : windows) DestroyWindow(window);
        for (GpImage* image : images) disposeTestImage(image);
    }
    std::vector<HWND> windows;
    std::vector<GpImage*> images;
};

constexpr std::uint32_t red = 0xFFFF0000, blue = 0xFF0000FF, green = 0xFF00FF00;

TEST(SkinText, WideBytesAreUtf16WithTheTerminatingZero)
{
    EXPECT_EQ(toWideBytes("中文"), (std::vector<std::uint8_t>{0x2D, 0x4E, 0x87, 0x65, 0, 0}));
    EXPECT_EQ(toWideBytes("a"), (std::vector<std::uint8_t>{'a', 0, 0, 0}));
    EXPECT_EQ(toWideBytes(""), (std::vector<std::uint8_t>{0, 0}));
}

TEST_F(SkinTest, StartUpParsesTheTimeDimensionAndRegistersTheLoadDialogClass)
{
    // The GUID block starts zeroed: a text the system could not parse leaves it so.
    const std::vector<std::uint8_t> time = skinState().timeDimensionGuid;
    ASSERT_EQ(time.size(), 16u);
    EXPECT_NE(std::count(time.begin(), time.end(), 0), 16);
    WNDCLASSEXA record{};
    record.cbSize = sizeof record;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), loadDialogClassName, &record));
    EXPECT_EQ(record.lpfnWndProc, &loadDialogProc);
    // A second start replaces the GUID block and registers again quietly.
    startSkinModule();
    EXPECT_EQ(skinState().timeDimensionGuid, time);
    // The frames are constants of the program.
    EXPECT_TRUE(isInConstantRange(splashFrameBlock(1).data()));
    EXPECT_TRUE(isInConstantRange(splashFrame(28).data() + splashFrame(28).size() - 1));
}

// Each built-in frame is a stored block of one PNG of the declared size, with
// the per-pixel alpha a layered window needs: seen through everywhere, not blank.
TEST_F(SkinTest, TheBuiltInFramesArePngsOfTheirSizeWithNoOpaquePixel)
{
    for (int k = 1; k <= splashFrameCount; ++k) {
        const auto block = splashFrameBlock(k);
        const auto png = splashFrame(k);
        ASSERT_GE(block.size(), 8u + png.size());
        std::uint32_t count = 0;
        std::memcpy(&count, block.data(), 4);
        EXPECT_EQ(count, 1u);
        ASSERT_GT(png.size(), 28u) << k;
        // Colour type 6 (with alpha), 8 bits, not interlaced (IHDR bytes 24, 25, 28).
        EXPECT_EQ(png[24], 8);
        EXPECT_EQ(png[25], 6);
        EXPECT_EQ(png[28], 0);
        GpImage* image = loadImageFromBytes(png);
        ASSERT_NE(image, nullptr) << k;
        const Pixels pixels = readPixels(image);
        EXPECT_EQ(pixels.width, splashFrameWidth);
        EXPECT_EQ(pixels.height, splashFrameHeight);
        std::uint32_t mostOpaque = 0, visible = 0;
        for (std::uint32_t pixel : pixels.argb) {
            mostOpaque = std::max(mostOpaque, Pixels::alpha(pixel));
            visible += Pixels::alpha(pixel) != 0;
        }
        EXPECT_LE(mostOpaque, 254u) << k;
        EXPECT_GT(visible, 100u) << k;
        disposeImage(image);
    }
}

TEST_F(SkinTest, ImagesFromMemoryAreIndependentAndTruncatedBytesGiveNone)
{
    const auto png = splashFrame(5);
    const std::size_t before = liveLoadedImages();
    GpImage* first = loadImageFromBytes(png);
    GpImage* second = loadImageFromBytes(png);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(imageWidth(first), 464u);
    EXPECT_EQ(imageHeight(second), 273u);
    EXPECT_EQ(liveLoadedImages(), before + 2);
    disposeImage(first);
    EXPECT_EQ(imageWidth(second), 464u); // the other keeps its memory
    GpImage* third = loadImageFromBytes(png);
    EXPECT_EQ(readPixels(second).argb, readPixels(third).argb);
    disposeImage(second);
    disposeImage(third);
    EXPECT_EQ(liveLoadedImages(), before);

    EXPECT_EQ(loadImageFromBytes(png.first(png.size() / 2)), nullptr);
    EXPECT_EQ(loadImageFromBytes({}), nullptr);
    const std::uint8_t notAnImage[] = "plain text, not a picture";
    EXPECT_EQ(loadImageFromBytes(notAnImage), nullptr);
}

TEST_F(SkinTest, AMemoryStreamGivesBackExactlyWhatWasPutIn)
{
    const std::vector<std::uint8_t> bytes{1, 2, 3, 250, 0, 7};
    MemoryStream memory;
    ASSERT_NE(memory.open(bytes, true), nullptr);
    EXPECT_EQ(memory.size(), bytes.size());
    EXPECT_EQ(memory.contents(), bytes);
    ASSERT_NE(memory.open({}, false), nullptr); // an empty block the stream owns
    EXPECT_EQ(memory.contents(), std::vector<std::uint8_t>{});
    memory.release();
    EXPECT_EQ(memory.stream(), nullptr);
    EXPECT_EQ(memory.size(), 0u);
}

TEST_F(SkinTest, AttachMakesTheWindowLayeredAndStartsTheSkinTimer)
{
    HWND window = makeWindow(495, 354);
    SetWindowLongA(window, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    PngSkinWindow skin;
    EXPECT_FALSE(skin.attach(reinterpret_cast<HWND>(0x1234)));
    EXPECT_EQ(skin.handle(), nullptr);
    EXPECT_FALSE(skin.isValid());
    ASSERT_TRUE(skin.attach(window));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)) & ~WS_EX_TOPMOST, 0x80000u);
    EXPECT_EQ(skinProperty(window, "PngControl_Time"), 64u);
    EXPECT_TRUE(skin.isValid());
    EXPECT_EQ(PngSkinWindow(skin).handle(), window);
    EXPECT_FALSE(skin.setBackImage(nullptr));
    EXPECT_EQ(skinProperty(window, "PngControl_BackImage"), 0u);
    EXPECT_EQ(skin.send(WM_GETTEXTLENGTH, 0, 0), 0);
    SetWindowTextA(window, "abc");
    EXPECT_EQ(skin.send(WM_GETTEXTLENGTH, 0, 0), 3);

    // Once the window is gone the object keeps its handle and does nothing.
    DestroyWindow(window);
    EXPECT_EQ(skin.handle(), window);
    EXPECT_FALSE(skin.isValid());
    EXPECT_FALSE(skin.setBackImageBytes(splashFrame(1)));
    pushLayered(window, reinterpret_cast<GpImage*>(1), false); // no window: nothing happens
}

TEST_F(SkinTest, TheBackgroundIsDrawnAtItsOwnSizeAndTheRestStaysTransparent)
{
    HWND window = makeWindow(495, 354);
    PngSkinWindow skin;
    ASSERT_TRUE(skin.attach(window));
    const Pixels empty = compose(window);
    ASSERT_EQ(empty.width, 495);
    ASSERT_EQ(empty.height, 354);
    for (std::uint32_t pixel : empty.argb) ASSERT_EQ(pixel, 0u);

    ASSERT_TRUE(skin.setBackImageBytes(splashFrame(19)));
    GpImage* frame = loadImageFromBytes(splashFrame(19));
    const Pixels expected = readPixels(frame);
    disposeImage(frame);
    const Pixels picture = compose(window);
    int differing = 0;
    for (int y = 0; y < 354; ++y) {
        for (int x = 0; x < 495; ++x) {
            if (x >= 464 || y >= 273) {
                ASSERT_EQ(Pixels::alpha(picture.at(x, y)), 0u) << x << "," << y;
                continue;
            }
            const std::uint32_t a = picture.at(x, y), b = expected.at(x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                const int channelA = static_cast<int>((a >> shift) & 0xFF),
                          channelB = static_cast<int>((b >> shift) & 0xFF);
                if (std::abs(channelA - channelB) > 2 && Pixels::alpha(b) > 8) ++differing;
            }
        }
    }
    EXPECT_EQ(differing, 0);
}

// GDI+ requires a Graphics to be deleted before the image it draws on is
// disposed (Wine forgives the other order, Windows may read freed memory).
TEST_F(SkinTest, TheComposeStepDeletesItsGraphicsBeforeDisposingTheBitmap)
{
    static std::vector<int> calls;
    HWND window = makeWindow(64, 48);
    PngSkinWindow skin;
    ASSERT_TRUE(skin.attach(window));
    calls.clear();
    skinApi().watchCalls([](int index) { calls.push_back(index); });
    composeWindow(window, false);
    skinApi().watchCalls(nullptr);
    // Two Graphics are made (on the bitmap, and on the screen copy), both
    // deleted, and none after the bitmap is gone.
    const auto made = std::count(calls.begin(), calls.end(), apiGdipGetImageGraphicsContext) +
                      std::count(calls.begin(), calls.end(), apiGdipCreateFromHDC);
    EXPECT_EQ(made, 2);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), apiGdipDeleteGraphics), made);
    const auto disposed = std::find(calls.begin(), calls.end(), apiGdipDisposeImage);
    ASSERT_NE(disposed, calls.end());
    EXPECT_EQ(std::find(disposed, calls.end(), apiGdipDeleteGraphics), calls.end())
        << "a Graphics was deleted after the image it drew on";
}

TEST_F(SkinTest, ATruncatedFrameLeavesThePreviousBackground)
{
    HWND window = makeWindow(495, 354);
    PngSkinWindow skin;
    ASSERT_TRUE(skin.attach(window));
    ASSERT_TRUE(skin.setBackImageBytes(splashFrame(3)));
    const std::uintptr_t shown = skinProperty(window, "PngControl_BackImage");
    const std::size_t live = liveLoadedImages();
    EXPECT_FALSE(skin.setBackImageBytes(splashFrame(4).first(3000)));
    EXPECT_EQ(skinProperty(window, "PngControl_BackImage"), shown);
    EXPECT_EQ(liveLoadedImages(), live);
    // A good frame replaces it; the image the skin made itself is let go.
    ASSERT_TRUE(skin.setBackImageBytes(splashFrame(4)));
    EXPECT_NE(skinProperty(window, "PngControl_BackImage"), shown);
    EXPECT_EQ(liveLoadedImages(), live);
}

TEST_F(SkinTest, PlacementTwoFitsTheImageInsideKeepingItsShapeCentred)
{
    HWND window = makeWindow(300, 200);
    HWND child = makeChild(window, 50, 60, 100, 100, 2, 2);
    setSkinProperty(child, "PngControl_BackImage", reinterpret_cast<std::uintptr_t>(testImage(200, 100, red)));
    const Pixels picture = compose(window);
    // 100 x 50 at (50, 60 + 25).
    EXPECT_EQ(picture.at(52, 87), red);
    EXPECT_EQ(picture.at(147, 132), red);
    EXPECT_EQ(picture.at(100, 110), red);
    EXPECT_EQ(Pixels::alpha(picture.at(100, 82)), 0u);
    EXPECT_EQ(Pixels::alpha(picture.at(100, 137)), 0u);
    EXPECT_EQ(Pixels::alpha(picture.at(47, 110)), 0u);
    EXPECT_EQ(Pixels::alpha(picture.at(152, 110)), 0u);
}

TEST_F(SkinTest, PlacementOneStretchesAndNaturalSizeKeepsAnImageOfExactlyTheControlsSize)
{
    HWND window = makeWindow(300, 200);
    HWND stretched = makeChild(window, 0, 0, 80, 40, 2, 1);
    setSkinProperty(stretched, "PngControl_BackImage", reinterpret_cast<std::uintptr_t>(testImage(10, 10, blue)));
    HWND exact = makeChild(window, 150, 50, 100, 100, 2, 0);
    setSkinProperty(exact, "PngControl_BackImage", reinterpret_cast<std::uintptr_t>(testImage(100, 100, red)));
    HWND unskinned = makeChild(window, 0, 150, 40, 40, 0, 0);
    setSkinProperty(unskinned, "PngControl_BackImage", reinterpret_cast<std::uintptr_t>(testImage(40, 40, green)));
    const Pixels picture = compose(window);
    EXPECT_EQ(picture.at(40, 20), blue);
    EXPECT_EQ(picture.at(68, 28), blue); // the edges blend: look well inside
    EXPECT_EQ(Pixels::alpha(picture.at(90, 20)), 0u);
    EXPECT_EQ(picture.at(150, 50), red);
    EXPECT_EQ(picture.at(249, 149), red); // the whole image, to its last pixel
    EXPECT_EQ(Pixels::alpha(picture.at(250, 150)), 0u);
    EXPECT_EQ(Pixels::alpha(picture.at(20, 170)), 0u); // type 0 is never drawn
}

TEST_F(SkinTest, ATextControlLargerImageIsCutAndGetsNoBorder)
{
    HWND window = makeWindow(300, 200);
    HWND cut = makeChild(window, 10, 10, 100, 100, 4, 0);
    setSkinProperty(cut, "PngControl_BackImage", reinterpret_cast<std::uintptr_t>(testImage(150, 150, blue)));
    setSkinProperty(cut, "PngControl_BackColor", 0xFFFFFFFF);
    setSkinProperty(cut, "PngControl_OrderColor", 0x0000FF00);
    setSkinProperty(cut, "PngControl_OrderAlpha", 255);
    HWND framed = makeChild(window, 150, 10, 100, 100, 4, 0);
    setSkinProperty(framed, "PngControl_BackImage", reinterpret_cast<std::uintptr_t>(testImage(50, 50, blue)));
    setSkinProperty(framed, "PngControl_BackColor", 0x000000FF); // red fill
    setSkinProperty(framed, "PngControl_BackAlpha", 255);
    setSkinProperty(framed, "PngControl_OrderColor", 0x0000FF00);
    setSkinProperty(framed, "PngControl_OrderAlpha", 255);
    const Pixels picture = compose(window);
    EXPECT_EQ(picture.at(10, 10), blue);
    EXPECT_EQ(picture.at(109, 109), blue);
    EXPECT_EQ(Pixels::alpha(picture.at(111, 60)), 0u); // cut at the control's edge
    EXPECT_EQ(Pixels::alpha(picture.at(60, 111)), 0u);
    EXPECT_EQ(picture.at(150, 10), green); // border over the image
    EXPECT_EQ(picture.at(170, 30), blue);  // image at natural size
    EXPECT_EQ(picture.at(220, 80), red);   // fill around it
}

TEST_F(SkinTest, MoveToKeepsWhatIsOmitted)
{
    HWND window = makeWindow(200, 100);
    PngSkinWindow skin;
    ASSERT_TRUE(skin.attach(window));
    skin.moveTo(std::nullopt, std::nullopt, 300, 150, false);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 80);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 150);
    skin.moveTo(std::nullopt, 40, std::nullopt, std::nullopt, true);
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right - rect.left, 300);
}

TEST_F(SkinTest, TheSplashShowsFrameKForTicksOneTo28AndNothingElse)
{
    HWND window = makeWindow(495, 354);
    showSplashFrame(1); // no skin object yet: nothing happens
    createSplashSkin();
    ASSERT_NE(skinState().splash, nullptr);
    attachSplashSkin(static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(window)));
    EXPECT_EQ(skinState().splash->handle(), window);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), WS_EX_LAYERED);
    EXPECT_EQ(skinProperty(window, "PngControl_BackImage"), 0u); // nothing before the first tick
    std::uintptr_t previous = 0;
    const std::size_t live = liveLoadedImages();
    for (int k = 1; k <= 28; ++k) {
        showSplashFrame(k);
        const std::uintptr_t shown = skinProperty(window, "PngControl_BackImage");
        ASSERT_NE(shown, 0u) << k;
        ASSERT_NE(shown, previous) << k;
        previous = shown;
        EXPECT_EQ(liveLoadedImages(), live + 1) << k; // earlier frames are let go
        if (k == 1 || k == 28) {
            GpImage* frame = loadImageFromBytes(splashFrame(k));
            EXPECT_EQ(readPixels(reinterpret_cast<GpImage*>(shown)).argb, readPixels(frame).argb) << k;
            disposeImage(frame);
        }
    }
    showSplashFrame(29);
    showSplashFrame(0);
    EXPECT_EQ(skinProperty(window, "PngControl_BackImage"), previous);
    releaseSplashSkin();
    EXPECT_EQ(skinState().splash, nullptr);
    EXPECT_TRUE(skinState().timeDimensionGuid.empty());
    startSkinModule(); // the other tests go on with a started module
}

TEST(SkinNameTable, HoldsTheEntriesInTheProgramsOrderAndEveryOneResolves)
{
    const auto table = skinFunctionTable();
    ASSERT_EQ(table.size(), 78u); // the program's 77 and the string-format deletion
    auto entry = [&](int i) { return std::string(table[i].library) + "|" + table[i].function; };
    EXPECT_EQ(entry(0), "ole32.dll|CLSIDFromString");
    EXPECT_EQ(entry(2), "kernel32|GetModuleHandleA");
    EXPECT_EQ(entry(6), "|MultiByteToWideChar");
    EXPECT_EQ(entry(30), "user32.dll|UpdateLayeredWindow");
    EXPECT_EQ(entry(51), "GdiPlus.dll|GdipLoadImageFromStream");
    EXPECT_EQ(entry(61), "user32|SendMessageA");
    EXPECT_EQ(entry(71), "Ole32.dll|CreateStreamOnHGlobal");
    EXPECT_EQ(entry(76), "GdiPlus.dll|GdipCreateFontFamilyFromName");
    EXPECT_EQ(entry(77), "GdiPlus.dll|GdipDeleteStringFormat");
    EXPECT_EQ(entry(apiGdipDrawString), "GdiPlus.dll|GdipDrawString");
    for (int i = 0; i < skinApiCount; ++i) EXPECT_NE(skinApi().resolve(i), nullptr) << entry(i);
}

// The skin reaches GDI+ only through its name table: a program holding the
// engine (this one, like Wrivo.exe) imports no gdiplus.dll.
TEST(SkinImports, TheProgramImportsNoGdiplus)
{
    const auto* base = reinterpret_cast<const std::uint8_t*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(imports.VirtualAddress, 0u);
    std::vector<std::string> names;
    for (const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        std::string name(reinterpret_cast<const char*>(base + entry->Name));
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        names.push_back(name);
    }
    EXPECT_NE(std::find(names.begin(), names.end(), "user32.dll"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "gdiplus.dll"), names.end());
}

} // namespace
} // namespace wrivo
