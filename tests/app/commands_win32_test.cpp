// The menu commands and Esc on the real main window: hide and show, the date
// and time at the end of the document, and the notices in real message boxes.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "app/app_globals.h"
#include "app/commands.h"
#include "app/document.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/start_window.h"
#include "app/statistics_handlers.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "services/text/datetime.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

BYTE windowAlpha()
{
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(handleOf(mainWindowRef), nullptr, &alpha, &flags)) return 0;
    return (flags & LWA_ALPHA) ? alpha : 255;
}

bool topmost()
{
    return GetWindowLongA(handleOf(mainWindowRef), GWL_EXSTYLE) & WS_EX_TOPMOST;
}

class Commands : public MainWindowScenario {
protected:
    Commands()
        : MainWindowScenario({HandlerIndex::refreshStatistics, HandlerIndex::editBoxKeyDown,
                              HandlerIndex::mainWindowKeyDown, HandlerIndex::insertDateTime, HandlerIndex::helpNotice,
                              HandlerIndex::hideNotice, HandlerIndex::feedbackNotice})
    {
    }

    // Runs a menu shortcut and answers the notice it shows with OK.
    DialogRecord noticeOf(UINT key)
    {
        const std::vector<DialogRecord> seen = answered([&] { press(key, true); }, {pressing("OK")});
        return seen.empty() ? DialogRecord{} : seen.front();
    }
};

TEST_F(Commands, EscHidesTheWindowNearlyTransparentOnTopAndEscShowsItAgain)
{
    writeProperty(editBoxRef, EditBoxProperty::content, std::string("第一段\r\nabc"));
    press(VK_ESCAPE);
    EXPECT_EQ(windowAlpha(), 6);
    EXPECT_TRUE(topmost());
    EXPECT_FALSE(IsWindowEnabled(handleOf(editBoxRef)));
    EXPECT_EQ(GetFocus(), handleOf(mainWindowRef));

    press(VK_ESCAPE); // now it reaches the main window
    EXPECT_EQ(windowAlpha(), 255);
    EXPECT_FALSE(topmost());
    EXPECT_TRUE(IsWindowEnabled(handleOf(editBoxRef)));
    EXPECT_EQ(GetFocus(), handleOf(editBoxRef));
    EXPECT_EQ(document().text(), "第一段\r\nabc");
}

TEST_F(Commands, DateAndTimeGoToTheEndWithTwoSpacesEitherSide)
{
    writeProperty(editBoxRef, EditBoxProperty::content, std::string("开头\r\nend"));
    SendMessageA(handleOf(editBoxRef), EM_SETSEL, 1, 1); // the caret in the middle
    const std::string before = dateTimeText(now());
    press('W', true);
    const std::string after = dateTimeText(now());
    const std::string text = document().text();
    ASSERT_TRUE(text == "开头\r\nend  " + before + "  " || text == "开头\r\nend  " + after + "  ") << text;
    EXPECT_NE(GetWindowTextLengthA(handleOf(mainWindowRef)), 0) << "the counts were refreshed";
}

TEST_F(Commands, NoticesShowTheirTextsUnderTheirTitles)
{
    const DialogRecord help = noticeOf('O');
    EXPECT_EQ(help.title, "快捷操作帮助说明：");
    EXPECT_NE(help.message().find("字体大小  Ctrl+T   配置还原  Ctrl+P "), std::string::npos) << help.message();

    const DialogRecord feedback = noticeOf('U');
    EXPECT_EQ(feedback.title, "信息：");
    EXPECT_NE(feedback.message().find("建议反馈的收集方式即将调整."), std::string::npos) << feedback.message();
}

} // namespace
} // namespace wrivo
