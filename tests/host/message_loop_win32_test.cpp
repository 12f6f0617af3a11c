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
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {}
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
