#include "services/store/settings.h"

#include <gtest/gtest.h>

namespace wrivo {

TEST(SettingsBlanks, LeadingBlanksAndControlBytesAreSkipped)
{
    EXPECT_EQ(skipLeadingBlanks("  \t\r\n\x01配置"), "配置");
    EXPECT_EQ(skipLeadingBlanks("key  "), "key  ") << "trailing blanks stay";
    EXPECT_EQ(skipLeadingBlanks("   "), "");
    EXPECT_EQ(skipLeadingBlanks(""), "");
    EXPECT_EQ(skipLeadingBlanks("\xA1\xA1x"), "\xA1\xA1x") << "a full-width space is a character";
    EXPECT_EQ(skipLeadingBlanks("\x7F"
                                "a"),
              "\x7F"
              "a");
    EXPECT_EQ(skipLeadingBlanks(std::string_view("\0a", 2)), std::string_view("\0a", 2));
}

} // namespace wrivo
