// The message loop object: idle processing between messages, nested loops
// that stop on their condition or leave a quit request to the outer loop,
// and the pre-translation chain from a control up to its window object.
#include <windows.h>
#include <gtest/gtest.h>

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

// A quit request can be what a nested loop's GetMessage itself takes: a
// message sent from another thread is handled inside that wait, and one that
// asks to quit makes the wait return the request. The nested loop must then
// post the request again and end, so that the outer loop ends too, with the
// code asked for. Which call of the loop handles a sent message depends on
// when it arrives, so the test does not send one: a WH_GETMESSAGE hook may
// change the message GetMessage is about to return ("the GetMessage or
// PeekMessage function returns the message, along with any modifications"),
// and turns a marker posted before the nested loop into the quit request as
// the nested loop's GetMessage takes it. Every run takes the same road.
constexpr UINT quitMarker = WM_APP + 1;
bool insideNestedLoop = false;
int quitsTakenInNestedGetMessage = 0;

LRESULT CALLBACK turnTheMarkerIntoAQuit(int code, WPARAM removal, LPARAM lParam)
{
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && insideNestedLoop && removal == PM_REMOVE && message->message == quitMarker) {
        *message = MSG{nullptr, WM_QUIT, message->wParam, 0, message->time, message->pt};
        ++quitsTakenInNestedGetMessage;
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

void CALLBACK quitAsLost(HWND, UINT, UINT_PTR, DWORD)
{
    PostQuitMessage(-2);
}

TEST(MessageLoop, AQuitTakenFromANestedLoopsWaitEndsTheOuterLoopToo)
{
    drainQueue();
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, turnTheMarkerIntoAQuit, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    quitsTakenInNestedGetMessage = 0;
    int innerResult = 0;
    bool innerEnded = false;
    UINT_PTR deadline = 0;
    MessageLoop outer(
        [&](int count) {
            if (count == 0 && !innerEnded) {
                PostThreadMessageA(GetCurrentThreadId(), quitMarker, 9, 0);
                MessageLoop inner(nullptr, [] { return false; });
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
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(innerEnded);
    EXPECT_EQ(innerResult, -1) << "the nested loop leaves the request to the outer one";
    EXPECT_EQ(quitsTakenInNestedGetMessage, 1) << "the nested loop's GetMessage took the request";
    drainQueue();
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
