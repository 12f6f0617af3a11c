// 闭关写作 on the real main window, through its keys, closes and dialogs.
#include <windows.h>
#include <gtest/gtest.h>

#include "app/app_globals.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/recovery.h"
#include "app/start_window.h"
#include "host/host.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

constexpr int noGoalChoice = 103, wordsField = 111, sentenceField = 123;

class WritingLockScenario : public MainWindowScenario {
protected:
    WritingLockScenario() : MainWindowScenario({HandlerIndex::writingLock, HandlerIndex::exitDialogue}) { }

    HWND window() const { return handleOf(mainWindowRef); }
    bool windowIs(const RECT& expected) const
    {
        RECT now{};
        return GetWindowRect(window(), &now) && EqualRect(&expected, &now);
    }
    bool fullScreen() const
    {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromWindow(window(), MONITOR_DEFAULTTONEAREST), &monitor);
        return windowIs(monitor.rcMonitor) && !(GetWindowLongA(window(), GWL_STYLE) & WS_CAPTION) && GetMenu(window());
    }
    // The line at the top: the one child that is no unit of the layout.
    std::string line() const { return windowText(ChildWindowFromPoint(window(), POINT{300, 5})); }

    // F11 with `words` typed in 写够 (or 不设目标 chosen); what the dialog offered.
    std::string lockFor(const char* words)
    {
        std::string offered;
        answered([&] { press(VK_F11); }, {[&](DialogWindow& box) {
                     offered = windowText(box.control(wordsField));
                     if (words)
                         SetWindowTextA(box.control(wordsField), words);
                     else
                         SendMessageA(box.control(noGoalChoice), BM_CLICK, 0, 0);
                     box.press("确定");
                 }});
        return offered;
    }
};

TEST_F(WritingLockScenario, FullScreenOnItsMonitorAndF11GivesTheWindowBackAsItWas)
{
    MoveWindow(window(), 90, 70, 640, 480, TRUE);
    EXPECT_EQ(lockFor(nullptr), "3000") << "what is left of today's goal";
    EXPECT_TRUE(fullScreen());
    EXPECT_EQ(line(), "今日已写 0 字");
    EXPECT_EQ(ChildWindowFromPoint(window(), POINT{300, 21}), handleOf(editBoxRef)) << "right under the line";
    press(VK_F11); // no goal: no box, the window back
    EXPECT_TRUE(windowIs(RECT{90, 70, 730, 550}));
    EXPECT_TRUE(GetWindowLongA(window(), GWL_STYLE) & WS_CAPTION);

    ShowWindow(window(), SW_MAXIMIZE);
    lockFor(nullptr);
    press(VK_F11);
    EXPECT_TRUE(IsZoomed(window())) << "maximised as it was";
}

TEST_F(WritingLockScenario, AGoalRefusesF11AndEveryCloseUntilMetOrGivenUpInWords)
{
    lockFor("5");
    EXPECT_EQ(line(), "还差 5 字");
    const auto refused = [](DialogWindow& box) { box.press("确定"); };
    const std::vector<DialogRecord> seen = answered(
        [&] {
            press(VK_F11);
            PostMessageA(window(), WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29)); // Alt+F4
            pumpPending();
            SendMessageA(window(), WM_SYSCOMMAND, SC_CLOSE, 0); // the taskbar's close
        },
        {refused, refused, refused});
    ASSERT_EQ(seen.size(), 3u);
    for (const DialogRecord& box : seen) {
        EXPECT_EQ(box.title, "闭关写作");
        EXPECT_EQ(box.message(), "还差 5 字，还不能出关。");
        EXPECT_EQ(box.buttons, (std::vector<std::string>{"确定", "强行出关"}));
    }
    // 强行出关 with anything but the exact sentence: still shut in.
    const auto giveUp = [](const char* typed) {
        return [typed](DialogWindow& box) {
            SetWindowTextA(box.control(sentenceField), typed);
            box.press("确定");
        };
    };
    EXPECT_EQ(answered([&] { press(VK_F11); }, {pressing("强行出关"), giveUp("我决定放弃这次闭关。")}).at(1).title,
              "强行出关");
    EXPECT_TRUE(fullScreen());

    // F11 right after typing the last 字 takes it as the pause that meets the goal: 出关, and the window back.
    setDocument("一二三四五");
    const std::vector<DialogRecord> met = answered([&] { press(VK_F11); }, {pressing("OK")});
    ASSERT_EQ(met.size(), 1u);
    EXPECT_EQ(met[0].title + met[0].message(), "闭关写作出关！今日已写 5 字。");
    EXPECT_FALSE(fullScreen());

    lockFor("100");
    answered([&] { press(VK_F11); }, {pressing("强行出关"), giveUp("我决定放弃这次闭关")});
    EXPECT_FALSE(fullScreen()) << "the exact sentence ends the lock";
}

TEST_F(WritingLockScenario, ALogOffDuringALockAsksAsAnyLogOffDoes)
{
    lockFor("100");
    registerSessionEndRoutine(recovery::sessionEnding);
    LRESULT answer = TRUE;
    const std::vector<DialogRecord> seen =
        answered([&] { answer = SendMessageA(window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); },
                 {pressing("No"), pressing("OK")});
    SendMessageA(window(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    registerSessionEndRoutine(nullptr);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].title, "退出确认：") << "the exit dialogue, not the lock's box";
    EXPECT_EQ(answer, FALSE);
    EXPECT_TRUE(fullScreen()) << "declined: the lock goes on";
}

} // namespace
} // namespace wrivo
