// The ground every Win32 test stands on: code page 936 and GBK text that
// survives a trip through a real EDIT control.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

#include "services/text/code_page.h"

TEST(Platform, AnsiCodePageIs936)
{
    EXPECT_EQ(GetACP(), 936u);
}

TEST(Platform, GbkLiteralRoundTripsThroughEditControl)
{
    const std::string text = "保存成功！！！";
    ASSERT_EQ(static_cast<unsigned char>(text[0]), 0xB1);
    ASSERT_EQ(static_cast<unsigned char>(text[1]), 0xA3);

    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(SetWindowTextA(edit, text.c_str()));
    char back[64] = {};
    int length = GetWindowTextA(edit, back, sizeof back);
    DestroyWindow(edit);
    EXPECT_EQ(length, static_cast<int>(text.size()));
    EXPECT_EQ(std::string(back), text);
}

// What the edit control gives back unchanged is exactly what the code page
// accepts; isCodePageText must say which is which.
TEST(Platform, CodePageTextIsWhatTheEditControlGivesBackUnchanged)
{
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    for (const std::string& text : {std::string("中文 abc\r\n"), std::string("a\x80z"), std::string("a\xA2\xA0z"),
                                    std::string(""), std::string("a\x81 z"), std::string("a\x81\x7Fz"),
                                    std::string("a\x81"), std::string("\xD6\xD0\r\n\xE4\xB8\xAD")}) {
        SetWindowTextA(edit, text.c_str());
        char back[64] = {};
        const int length = GetWindowTextA(edit, back, sizeof back);
        const bool unchanged = std::string(back, static_cast<std::size_t>(length)) == text;
        EXPECT_EQ(wrivo::isCodePageText(text), unchanged) << testing::PrintToString(text);
    }
    DestroyWindow(edit);
    EXPECT_TRUE(wrivo::isCodePageText("保存成功！！！"));
    EXPECT_FALSE(wrivo::isCodePageText("\xE4\xB8\xAD \xE6\x96\x87")) << "\"中 文\" in UTF-8";
}
