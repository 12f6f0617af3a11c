#include "services/dialogs/message_box.h"

#include <gtest/gtest.h>

namespace wrivo {

TEST(MessageBoxText, NumbersTextsLogicalsAndDateTimesShowAsText)
{
    EXPECT_EQ(messageBoxText(Value{std::int32_t{-42}}), "-42");
    EXPECT_EQ(messageBoxText(Value{std::int16_t{7}}), "7");
    EXPECT_EQ(messageBoxText(Value{std::uint8_t{255}}), "255");
    EXPECT_EQ(messageBoxText(Value{std::int64_t{5000000000}}), "5000000000");
    EXPECT_EQ(messageBoxText(Value{2.5}), "2.5");
    EXPECT_EQ(messageBoxText(Value{2.5f}), "2.5");
    EXPECT_EQ(messageBoxText(Value{std::string("保存成功！！！")}), "保存成功！！！");
    EXPECT_EQ(messageBoxText(Value{Logical{true}}), "真");
    EXPECT_EQ(messageBoxText(Value{Logical{false}}), "假");
    EXPECT_EQ(messageBoxText(Value{DateTime{41400.5}}), "2013年5月6日12时");
}

TEST(MessageBoxText, OtherKindsShowAnEmptyMessage)
{
    EXPECT_EQ(messageBoxText(Value{ByteBlock{'a', 'b'}}), "");
    EXPECT_EQ(messageBoxText(Value{}), "");
    EXPECT_EQ(messageBoxText(Value{ProcAddress{0x401000}}), "");
    EXPECT_EQ(messageBoxText(Value{std::vector<std::int32_t>{0x41}}), "");
}

TEST(MessageBoxStyleWord, TaskModalIsAddedUnlessSystemModal)
{
    EXPECT_EQ(platformMessageBoxStyle(0), 8192u);
    EXPECT_EQ(platformMessageBoxStyle(4 + 32), 4u + 32 + 8192);
    EXPECT_EQ(platformMessageBoxStyle(4096 + 64), 4096u + 64);
    EXPECT_EQ(platformMessageBoxStyle(8192 + 1), 8192u + 1);
}

TEST(MessageBoxResultCode, PlatformButtonsMapOneLower)
{
    EXPECT_EQ(messageBoxResultOf(1), MessageBoxResult::ok);
    EXPECT_EQ(messageBoxResultOf(2), MessageBoxResult::cancel);
    EXPECT_EQ(messageBoxResultOf(3), MessageBoxResult::abort);
    EXPECT_EQ(messageBoxResultOf(4), MessageBoxResult::retry);
    EXPECT_EQ(messageBoxResultOf(5), MessageBoxResult::ignore);
    EXPECT_EQ(messageBoxResultOf(6), MessageBoxResult::yes);
    EXPECT_EQ(messageBoxResultOf(7), MessageBoxResult::no);
    EXPECT_EQ(messageBoxResultOf(0), 0);
    EXPECT_EQ(messageBoxResultOf(8), 0);  // close
    EXPECT_EQ(messageBoxResultOf(10), 0); // try again
    EXPECT_EQ(messageBoxResultOf(-1), 0);
}

} // namespace wrivo
