// The ground every Win32 test stands on: code page 936 and GBK text that
// survives a trip through a real EDIT control.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

TEST(Platform, AnsiCodePageIs936)
{
    EXPECT_EQ(GetACP(), 936u);
}

TEST(Platform, GbkLiteralRoundTripsThroughEditControl)
{
    const std::string text = "保存成功！！！";
    ASSERT_EQ(static_cast<unsigned char>(text[0]), 0xB1);
    ASSERT_EQ(static_cast<unsigned char>(text[1]), 0xA3);

    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(SetWindowTextA(edit, text.c_str()));
    char back[64] = {};
    int length = GetWindowTextA(edit, back, sizeof back);
    DestroyWindow(edit);
    EXPECT_EQ(length, static_cast<int>(text.size()));
    EXPECT_EQ(std::string(back), text);
}
