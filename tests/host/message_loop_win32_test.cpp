// The message loop object: idle processing between messages, nested loops
// that stop on their condition or leave a quit request to the outer loop,
// and the pre-translation chain from a control up to its window object.
#include <windows.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "host/message_loop.h"
#include "host/window_object.h"

namespace wrivo {
namespace {

void drainQueue()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) { }
}

TEST(MessageLoop, IdleStepsCountUpUntilTheStepDeclines)
{
    drainQueue();
    std::vector<int> counts;
    MessageLoop loop(
        [&](int count) {
            counts.push_back(count);
            if (count == 3) PostQuitMessage(7);
            return count < 3;
        },
        nullptr);
    EXPECT_EQ(loop.run(), 7);
    EXPECT_EQ(counts, (std::vector<int>{0, 1, 2, 3}));
}

TEST(MessageLoop, NewInputStartsANewIdlePeriod)
{
    drainQueue();
    std::vector<int> counts;
    int periods = 0;
    MessageLoop loop(
        [&](int count) {
            counts.push_back(count);
            if (count == 0 && ++periods == 2) {
                PostQuitMessage(0);
                return false;
            }
            if (count == 1) {
                PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
                return false;
            }
            return true;
        },
        nullptr);
    EXPECT_EQ(loop.run(), 0);
    EXPECT_EQ(counts, (std::vector<int>{0, 1, 0}));
}

TEST(MessageLoop, NestedLoopLeavesAQuitRequestToTheOuterLoop)
{
    drainQueue();
    int innerResult = 0;
    bool innerRan = false;
    MessageLoop outer(
        [&](int count) {
            if (count == 0) {
                PostQuitMessage(5);
                MessageLoop inner(nullptr, [] { return false; });
                innerResult = inner.run();
                innerRan = true;
            }
            return false;
        },
        nullptr);
    EXPECT_EQ(outer.run(), 5);
    EXPECT_TRUE(innerRan);
    EXPECT_EQ(innerResult, -1);
}

TEST(MessageLoop, NestedLoopStopsWhenItsConditionHolds)
{
    drainQueue();
    int periods = 0;
    bool done = false;
    MessageLoop inner(
        [&](int count) {
            if (count == 0 && ++periods == 1) PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
            if (periods == 2) done = true;
            return false;
        },
        [&] { return done; });
    EXPECT_EQ(inner.run(), -1);
    EXPECT_EQ(periods, 2) << "the posted message ran, then the loop stopped";
}

// A quit request can arrive while a nested loop waits in GetMessage: a
// message sent from another thread is handled inside that wait, and one that
// asks to quit makes the wait itself return the request. Both loops must end,
// the outer one with the code asked for.
LRESULT CALLBACK quitOnRequest(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        PostQuitMessage(static_cast<int>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void CALLBACK quitAsLost(HWND, UINT, UINT_PTR, DWORD)
{
    PostQuitMessage(-2);
}

// Whether the nested loop's GetMessage itself took the quit request. The
// message sent from the other thread may also be handled by one of the loop's
// PeekMessage calls just before that wait, which leaves the request in the
// queue; such a round does not test the wait and is run again.
bool insideNestedLoop = false;
bool quitTakenInWait = false;

LRESULT CALLBACK noteQuitTakenInWait(int code, WPARAM removal, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && insideNestedLoop && removal == PM_REMOVE && message->message == WM_QUIT)
        quitTakenInWait = true;
    return CallNextHookEx(nullptr, code, removal, lParam);
}

TEST(MessageLoop, AQuitTakenFromANestedLoopsWaitEndsTheOuterLoopToo)
{
    drainQueue();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = quitOnRequest;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "WrivoQuitOnRequest";
    RegisterClassA(&windowClass);
    HWND target = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(target, nullptr);
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, noteQuitTakenInWait, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    HANDLE waiting = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    quitTakenInWait = false;
    int rounds = 0;
    for (; rounds < 20 && !quitTakenInWait; ++rounds) {
        // The sender waits until the nested loop has nothing left but its wait.
        std::thread sender([&] {
            WaitForSingleObject(waiting, INFINITE);
            SendMessageA(target, WM_APP, 9, 0);
        });
        int innerResult = 0;
        bool innerEnded = false;
        UINT_PTR deadline = 0;
        MessageLoop outer(
            [&](int count) {
                if (count == 0 && !innerEnded) {
                    MessageLoop inner(
                        [&](int) {
                            SetEvent(waiting);
                            return false;
                        },
                        [] { return false; });
                    insideNestedLoop = true;
                    innerResult = inner.run();
                    insideNestedLoop = false;
                    innerEnded = true;
                    // Should the request be lost, the outer loop still ends, with another code.
                    deadline = SetTimer(nullptr, 0, 5000, quitAsLost);
                }
                return false;
            },
            nullptr);
        EXPECT_EQ(outer.run(), 9) << "-2: the quit request was lost";
        KillTimer(nullptr, deadline);
        sender.join();
        EXPECT_TRUE(innerEnded);
        EXPECT_EQ(innerResult, -1) << "the nested loop leaves the request to the outer one";
        drainQueue();
    }
    EXPECT_TRUE(quitTakenInWait) << "in " << rounds << " rounds the request never reached the nested loop's wait";
    UnhookWindowsHookEx(hook);
    CloseHandle(waiting);
    DestroyWindow(target);
}

class ConsumingWindow : public WindowObject {
public:
    int seen = 0;
    bool preTranslate(MSG& message) override
    {
        if (message.message != WM_KEYDOWN) return false;
        ++seen;
        return message.wParam == 'X';
    }
};

TEST(MessageLoop, PreTranslationAsksTheWindowObjectsAboveTheTarget)
{
    ConsumingWindow window;
    ASSERT_NE(window.createNative(0, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr), nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, window.handle(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_EQ(WindowObject::fromHandle(window.handle()), &window);
    EXPECT_EQ(WindowObject::fromHandle(child), nullptr);

    MSG message = {child, WM_KEYDOWN, 'X', 0, 0, {0, 0}};
    EXPECT_TRUE(MessageLoop::preTranslate(message));
    message.wParam = 'Y';
    EXPECT_FALSE(MessageLoop::preTranslate(message));
    message.message = WM_CHAR;
    EXPECT_FALSE(MessageLoop::preTranslate(message));
    EXPECT_EQ(window.seen, 2);
    DestroyWindow(window.handle());
    EXPECT_EQ(window.handle(), nullptr) << "untied at WM_NCDESTROY";
}

} // namespace
} // namespace wrivo
