// The settings file through the platform's profile functions.
#include "services/store/settings.h"

#include "tests/support/scratch_folder_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

namespace wrivo {
namespace {

class SettingsFile : public ::testing::Test {
protected:
    test::ScratchFolder folder;
    const std::string path = folder.file("qelvorinthab.ini");
};

TEST_F(SettingsFile, ChineseSectionAndKeysRoundTrip)
{
    EXPECT_TRUE(writeSettingsEntry(path, "配置", "字体名称", "微软雅黑"));
    EXPECT_TRUE(writeSettingsEntry(path, "配置", "字体大小", "18"));
    EXPECT_TRUE(writeSettingsEntry(path, "配置", "文本颜色", "16776960"));
    EXPECT_EQ(readSettingsEntry(path, "配置", "字体名称", "宋体"), "微软雅黑");
    EXPECT_EQ(readSettingsEntry(path, "配置", "字体大小"), "18");
    EXPECT_EQ(readSettingsEntry(path, "配置", "文本颜色"), "16776960");

    const std::string file = test::fileBytes(path);
    EXPECT_NE(file.find("[配置]"), std::string::npos) << file;
    EXPECT_NE(file.find("字体名称=微软雅黑"), std::string::npos) << file;
}

TEST_F(SettingsFile, AbsentEntriesGiveTheDefaultOrNothing)
{
    EXPECT_EQ(readSettingsEntry(path, "配置", "字体名称", "宋体"), "宋体") << "no file yet";
    EXPECT_FALSE(test::fileExists(path)) << "reading does not create the file";
    writeSettingsEntry(path, "配置", "字体大小", "12");
    EXPECT_EQ(readSettingsEntry(path, "配置", "字体名称", "宋体"), "宋体");
    EXPECT_EQ(readSettingsEntry(path, "配置", "字体名称"), "");
    EXPECT_EQ(readSettingsEntry(path, "配置", "字体名称", ""), "");
    EXPECT_EQ(readSettingsEntry(path, "其它", "字体大小", "9"), "9");
}

TEST_F(SettingsFile, EmptyArgumentsAfterBlanksAreNotLookedUp)
{
    writeSettingsEntry(path, "配置", "字体名称", "黑体");
    EXPECT_EQ(readSettingsEntry(path, "配置", "   ", "宋体"), "") << "not even the default";
    EXPECT_EQ(readSettingsEntry(path, "\t", "字体名称", "宋体"), "");
    EXPECT_EQ(readSettingsEntry(" ", "配置", "字体名称", "宋体"), "");
    EXPECT_EQ(readSettingsEntry(path, "配置", "", "宋体"), "");
}

TEST_F(SettingsFile, LeadingBlanksReadTheSameEntry)
{
    writeSettingsEntry(path, "配置", "字体名称", "黑体");
    EXPECT_EQ(readSettingsEntry("  " + path, " \t配置", "  字体名称", "宋体"), "黑体");
}

TEST_F(SettingsFile, LongValuesAreCutToTheReadBuffer)
{
    std::string value(12000, 'x');
    for (std::size_t i = 0; i < value.size(); ++i) value[i] = static_cast<char>('a' + i % 26);
    ASSERT_TRUE(writeSettingsEntry(path, "配置", "长", value));
    const std::string back = readSettingsEntry(path, "配置", "长");
    EXPECT_EQ(back.size(), 10239u);
    EXPECT_EQ(back, value.substr(0, 10239));
}

TEST_F(SettingsFile, LeftOutValueRemovesTheEntryAndLeftOutKeyTheSection)
{
    writeSettingsEntry(path, "配置", "字体名称", "黑体");
    writeSettingsEntry(path, "配置", "字体大小", "20");
    writeSettingsEntry(path, "其它", "wikyxqq", "5");

    EXPECT_TRUE(writeSettingsEntry(path, "配置", "字体名称", std::nullopt));
    EXPECT_EQ(readSettingsEntry(path, "配置", "字体名称", "宋体"), "宋体");
    EXPECT_EQ(readSettingsEntry(path, "配置", "字体大小"), "20");

    EXPECT_TRUE(writeSettingsEntry(path, "配置", std::nullopt, std::nullopt));
    EXPECT_EQ(readSettingsEntry(path, "配置", "字体大小", "-"), "-");
    EXPECT_EQ(readSettingsEntry(path, "其它", "wikyxqq"), "5");
}

TEST_F(SettingsFile, WriteIntoAMissingFolderFails)
{
    EXPECT_FALSE(writeSettingsEntry(folder.file("no-such-folder\\a.ini"), "配置", "k", "v"));
}

TEST_F(SettingsFile, EachReadSeesTheFileAsItIsNow)
{
    writeSettingsEntry(path, "配置", "字体大小", "12");
    EXPECT_EQ(readSettingsEntry(path, "配置", "字体大小"), "12");
    test::putFileBytes(path, "[配置]\r\n字体大小=30\r\n");
    EXPECT_EQ(readSettingsEntry(path, "配置", "字体大小"), "30");
}

} // namespace
} // namespace wrivo
