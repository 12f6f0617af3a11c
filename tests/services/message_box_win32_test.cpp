// Real message boxes, answered by the dialog driver.
#include "services/dialogs/message_box.h"

#include "tests/support/dialog_driver_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

namespace wrivo {
namespace {

using test::answered;
using test::DialogDriver;
using test::DialogRecord;
using test::DialogWindow;
using test::pressing;

TEST(MessageBoxService, ShowsTheTextUnderTheDefaultTitleAndReturnsOk)
{
    const std::vector<DialogRecord> seen =
        answered([&] { EXPECT_EQ(messageBox(Value{std::string("保存成功！！！")}, 64), MessageBoxResult::ok); },
                 {pressing("OK")});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "信息：");
    EXPECT_EQ(seen[0].message(), "保存成功！！！");
    EXPECT_EQ(seen[0].buttons.size(), 1u);
}

TEST(MessageBoxService, YesAndNoGiveFiveAndSix)
{
    const std::vector<DialogRecord> seen = answered(
        [] {
            EXPECT_EQ(messageBox(Value{std::string("继续吗？")}, 4, "确认"), MessageBoxResult::yes);
            EXPECT_EQ(messageBox(Value{std::string("继续吗？")}, 4, "确认"), MessageBoxResult::no);
        },
        {pressing("Yes"), pressing("No")});
    EXPECT_EQ(seen.at(0).title, "确认");
    EXPECT_EQ(seen.at(0).buttons.size(), 2u);
}

TEST(MessageBoxService, EveryButtonMapsToItsCode)
{
    struct Case {
        std::int32_t style;
        const char* button;
        std::int32_t result;
    } cases[] = {
        {1, "Cancel", MessageBoxResult::cancel}, {2, "Abort", MessageBoxResult::abort},
        {2, "Retry", MessageBoxResult::retry},   {2, "Ignore", MessageBoxResult::ignore},
        {3, "Cancel", MessageBoxResult::cancel}, {5, "Retry", MessageBoxResult::retry},
    };
    for (const auto& c : cases) {
        std::int32_t result = 0;
        answered([&] { result = messageBox(Value{std::string("?")}, c.style); }, {pressing(c.button)});
        EXPECT_EQ(result, c.result) << "style " << c.style << ", " << c.button;
    }
}

TEST(MessageBoxService, ClosingABoxWithCancelGivesOne)
{
    answered([&] { EXPECT_EQ(messageBox(Value{std::string("保存吗？")}, 3 + 32), MessageBoxResult::cancel); },
             {[](DialogWindow& box) { box.pressCloseBox(); }});
}

TEST(MessageBoxService, ContentOfAnyKindBecomesText)
{
    const std::vector<DialogRecord> seen = answered(
        [] {
            messageBox(Value{2.5}, 0);
            messageBox(Value{ByteBlock{'x', 'y'}}, 0);
            messageBox(Value{Logical{true}}, 0, "");
        },
        {pressing("OK"), pressing("OK"), pressing("OK")});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].message(), "2.5");
    EXPECT_EQ(seen[1].message(), "") << "a byte block shows an empty message";
    EXPECT_EQ(seen[2].message(), "真");
}

// The box is task-modal: while it is up, the thread's other windows are disabled.
TEST(MessageBoxService, IsTaskModalUnlessSystemModal)
{
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    bool disabledWhileShown = false;
    DialogDriver driver;
    driver.answer([&](DialogWindow& box) {
        disabledWhileShown = !IsWindowEnabled(other);
        box.press("OK");
    });
    messageBox(Value{std::string("模态")}, 0);
    ASSERT_TRUE(driver.finish()) << driver.report();
    EXPECT_TRUE(disabledWhileShown);
    EXPECT_TRUE(IsWindowEnabled(other)) << "enabled again afterwards";
    DestroyWindow(other);
}

TEST(DialogDriver, ReportsADialogThatNeverCame)
{
    DialogDriver driver(300);
    driver.press("OK");
    EXPECT_FALSE(driver.finish());
    EXPECT_NE(driver.report().find("no dialog appeared"), std::string::npos) << driver.report();
}

TEST(DialogDriver, ReportsAMissingButtonAndStillClosesTheBox)
{
    DialogDriver driver(1000);
    driver.press("Retry");
    EXPECT_EQ(messageBox(Value{std::string("只有确定")}, 1), MessageBoxResult::cancel);
    EXPECT_FALSE(driver.finish());
    EXPECT_NE(driver.report().find("no button \"Retry\""), std::string::npos) << driver.report();
}

} // namespace
} // namespace wrivo
