// Dragging a "ZadedLoadDialog" window by its body, with real mouse input
// (SendInput from a helper thread) through the real message loop.
#include "host/scoped_win32.h"
#include "skin/png_skin_window_win32.h"
#include "skin/skin_module_win32.h"

#include <gtest/gtest.h>

namespace wrivo {
namespace {

struct Drag {
    POINT from, to;
    HANDLE done;
};

void mouse(DWORD flags, POINT at)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

DWORD WINAPI dragThread(void* parameter)
{
    auto* drag = static_cast<Drag*>(parameter);
    mouse(0, drag->from);
    mouse(MOUSEEVENTF_LEFTDOWN, drag->from);
    for (int step = 1; step <= 10; ++step) {
        POINT at{drag->from.x + (drag->to.x - drag->from.x) * step / 10,
                 drag->from.y + (drag->to.y - drag->from.y) * step / 10};
        mouse(0, at);
        // Let the other thread see each move (the input queue keeps them in order anyway).
        WaitForSingleObject(drag->done, 10);
    }
    mouse(MOUSEEVENTF_LEFTUP, drag->to);
    return 0;
}

// Set once this thread takes a left button-up from its queue, in its own loop
// or in the system's move loop: the drag is over, the window where it ends.
bool buttonUpTaken = false;

// A WH_MOUSE hook is called for each mouse message GetMessage or PeekMessage
// takes from the queue of the thread that set it (MouseProc).
LRESULT CALLBACK watchButtonUp(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION && (message == WM_LBUTTONUP || message == WM_NCLBUTTONUP)) buttonUpTaken = true;
    return CallNextHookEx(nullptr, code, message, data);
}

// Drags from inside the window and pumps messages until the drag's button-up
// has been taken (or 10 s passed); answers the window's new top-left corner.
POINT dragWindow(HWND window)
{
    buttonUpTaken = false;
    HHOOK hook = SetWindowsHookExA(WH_MOUSE, watchButtonUp, nullptr, GetCurrentThreadId());
    EXPECT_NE(hook, nullptr);
    const ScopedEvent done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    Drag drag{{160, 150}, {260, 210}, done.get()};
    const ScopedThread thread(CreateThread(nullptr, 0, dragThread, &drag, 0, nullptr));
    const DWORD deadline = GetTickCount() + 10000;
    while (!buttonUpTaken && GetTickCount() < deadline) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    EXPECT_TRUE(buttonUpTaken) << "the drag's button-up never reached the window's thread";
    WaitForSingleObject(thread.get(), 10000); // it has sent its last input by now
    if (hook) UnhookWindowsHookEx(hook);
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}

struct LoadDialogTest : ::testing::Test {
    static void SetUpTestSuite() { startSkinModule(); }
    HWND makeDialog()
    {
        window = CreateWindowExA(0, loadDialogClassName, "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(window);
        return window;
    }
    void TearDown() override { DestroyWindow(window); }
    HWND window = nullptr;
};

TEST_F(LoadDialogTest, AWindowWithHitMoveOneIsDraggedByItsBody)
{
    makeDialog();
    setSkinProperty(window, "ZadedHitMove", 1);
    const POINT corner = dragWindow(window);
    EXPECT_EQ(corner.x, 200);
    EXPECT_EQ(corner.y, 160);
}

TEST_F(LoadDialogTest, AnyOtherHitMoveValueLeavesTheWindowWhereItIs)
{
    makeDialog();
    setSkinProperty(window, "ZadedHitMove", 2);
    const POINT corner = dragWindow(window);
    EXPECT_EQ(corner.x, 100);
    EXPECT_EQ(corner.y, 100);
}

} // namespace
} // namespace wrivo
