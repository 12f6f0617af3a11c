// Window transparency on real windows, and web pages handed to the shell. The
// test prefix's browser is tools/record-browser.sh, which writes each address
// it is asked to open to the file named by WRIVO_BROWSER_LOG.
#include "services/dialogs/window_effects.h"

#include "tests/support/scratch_folder_win32.h"
#include "tests/support/unix_command_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

namespace wrivo {
namespace {

class TransparentWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        // (Not topmost: that is the window's place in the stacking order,
        // which an extended-style write cannot take away.)
        window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES | WS_EX_STATICEDGE, "STATIC", "translucent",
                                 WS_POPUP | WS_VISIBLE, 10, 10, 120, 80, nullptr, nullptr, GetModuleHandleA(nullptr),
                                 nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { DestroyWindow(window); }

    BYTE alpha() const
    {
        BYTE value = 0;
        DWORD flags = 0;
        COLORREF key = 0;
        EXPECT_TRUE(GetLayeredWindowAttributes(window, &key, &value, &flags));
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
        return value;
    }
    LONG extendedStyle() const { return GetWindowLongA(window, GWL_EXSTYLE); }

    HWND window = nullptr;
};

TEST_F(TransparentWindow, LayeredStyleReplacesAllOtherExtendedStyles)
{
    setWindowTransparency(reinterpret_cast<std::uintptr_t>(window), 6);
    EXPECT_EQ(extendedStyle(), WS_EX_LAYERED);
    EXPECT_EQ(alpha(), 6);
}

TEST_F(TransparentWindow, OutOfRangeOrLeftOutAlphaIsOpaque)
{
    setWindowTransparency(reinterpret_cast<std::uintptr_t>(window), 300);
    EXPECT_EQ(alpha(), 255);
    setWindowTransparency(reinterpret_cast<std::uintptr_t>(window), 6);
    setWindowTransparency(reinterpret_cast<std::uintptr_t>(window), -1);
    EXPECT_EQ(alpha(), 255);
    setWindowTransparency(reinterpret_cast<std::uintptr_t>(window), 6);
    setWindowTransparency(reinterpret_cast<std::uintptr_t>(window));
    EXPECT_EQ(alpha(), 255);
    EXPECT_EQ(extendedStyle(), WS_EX_LAYERED) << "shown again, the window stays layered";
}

TEST_F(TransparentWindow, AlphaZeroHidesThePixelsButNotTheWindow)
{
    SetActiveWindow(window);
    setWindowTransparency(reinterpret_cast<std::uintptr_t>(window), 0);
    EXPECT_EQ(alpha(), 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindowEnabled(window));
}

// Where the recorder writes: $WINEPREFIX/wrivo-browser.log, read here through
// Wine's Z: drive. (The Windows environment of this process does not reach
// the Linux side, so the prefix, which both sides know, names the file.)
class RecordedBrowser : public ::testing::Test {
protected:
    void SetUp() override
    {
        char prefix[MAX_PATH] = {};
        if (!test::runningUnderWine() || !GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH))
            GTEST_SKIP() << "the browser recorder needs Wine and WINEPREFIX";
        windowsLog = test::windowsPathOfUnixPath(std::string(prefix) + "/wrivo-browser.log");
        DeleteFileA(windowsLog.c_str());
    }
    void TearDown() override
    {
        if (!windowsLog.empty()) DeleteFileA(windowsLog.c_str());
    }

    // The lines recorded once `count` addresses have arrived, or what there
    // is after the timeout.
    std::string waitForLines(int count, DWORD timeoutMs = 20000) const
    {
        const DWORD start = GetTickCount();
        for (;;) {
            const std::string text = test::fileBytes(windowsLog);
            int lines = 0;
            for (char c : text) lines += c == '\n';
            if (lines >= count || GetTickCount() - start > timeoutMs) return text;
            Sleep(50); // polling the recorder's file
        }
    }

    std::string windowsLog;
};

TEST_F(RecordedBrowser, AddressReachesTheBrowserUnchanged)
{
    openWebPage("https://example.com/下载?from=wrivo&v=3.7");
    // The recorder runs on the Linux side, which writes UTF-8.
    wchar_t wide[128] = {};
    MultiByteToWideChar(936, 0, "https://example.com/下载?from=wrivo&v=3.7", -1, wide, 128);
    char utf8[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
    EXPECT_EQ(waitForLines(1), std::string(utf8) + "\n");
}

TEST_F(RecordedBrowser, LeftOutAddressOpensTheDefault)
{
    openWebPage();
    EXPECT_EQ(waitForLines(1), std::string(defaultWebAddress) + "\n");
}

} // namespace
} // namespace wrivo
