#include "services/controls/common_dialog.h"

#include <gtest/gtest.h>

namespace wrivo {

TEST(CommonDialogProperties, StartValues)
{
    const CommonDialog dialog;
    EXPECT_EQ(dialog.kind, CommonDialog::openFile);
    EXPECT_TRUE(dialog.fileMustExist);
    EXPECT_TRUE(dialog.overwritePrompt);
    EXPECT_TRUE(dialog.pathMustExist);
    EXPECT_FALSE(dialog.createPrompt);
    EXPECT_FALSE(dialog.keepCurrentFolder);
    EXPECT_EQ(dialog.fontSize, 0);
    EXPECT_EQ(dialog.filterIndex, 0);
}

TEST(CommonDialogProperties, WritersKeepValuesInRange)
{
    CommonDialog dialog;
    dialog.setKind(-5);
    EXPECT_EQ(dialog.kind, 0);
    dialog.setKind(2);
    EXPECT_EQ(dialog.kind, 2);
    dialog.setKind(9);
    EXPECT_EQ(dialog.kind, 3);
    dialog.setFilterIndex(-1);
    EXPECT_EQ(dialog.filterIndex, 0);
    dialog.setFilterIndex(4);
    EXPECT_EQ(dialog.filterIndex, 4);
    dialog.setFontSize(-12);
    EXPECT_EQ(dialog.fontSize, 0);
    dialog.setFontSize(18);
    EXPECT_EQ(dialog.fontSize, 18);
}

TEST(CommonDialogFilter, BarsBecomeStringEndsAndTheListEndsEmpty)
{
    using namespace std::string_literals;
    EXPECT_EQ(platformFilter("文本文件|*.txt|全部|*.*"), "文本文件\0*.txt\0全部\0*.*\0\0"s);
    EXPECT_EQ(platformFilter("*.txt"), "*.txt\0\0"s) << "one description, empty pattern";
    EXPECT_EQ(platformFilter("a|*.a||"), "a\0*.a\0\0"s) << "already ends with ||";
    EXPECT_EQ(platformFilter("a|*.a|  \t"), "a\0*.a\0\0\0"s) << "trailing blanks go first";
    EXPECT_EQ(platformFilter(""), "");
    EXPECT_EQ(platformFilter("   "), "") << "only blanks: no filter";
}

TEST(CommonDialogFilter, BarByteInsideACharacterIsKept)
{
    using namespace std::string_literals;
    // "\x81\x7C" is one GBK character whose second byte is "|".
    EXPECT_EQ(platformFilter("\x81\x7C|*.x"), "\x81\x7C\0*.x\0\0"s);
}

TEST(CommonDialogFileName, IsCutToTheBufferOnACharacterBoundary)
{
    EXPECT_EQ(fittedFileName("C:\\a.txt"), "C:\\a.txt");
    EXPECT_EQ(fittedFileName(std::string(300, 'a')), std::string(259, 'a'));
    EXPECT_EQ(fittedFileName(std::string(259, 'b')), std::string(259, 'b'));
    std::string chinese;
    while (chinese.size() < 300) chinese += "汉";
    EXPECT_EQ(fittedFileName(chinese).size(), 258u) << "half a character is not kept";
    EXPECT_EQ(fittedFileName("a" + chinese).size(), 259u);
}

TEST(CommonDialogFont, SizeAndHeightConvertBothWays)
{
    EXPECT_EQ(fontHeightForSize(18, 96), -24);
    EXPECT_EQ(fontHeightForSize(12, 96), -16);
    EXPECT_EQ(fontHeightForSize(9, 96), -12);
    EXPECT_EQ(fontHeightForSize(11, 96), -15) << "14.67 rounds to 15";
    EXPECT_EQ(fontHeightForSize(0, 96), 0);
    EXPECT_EQ(fontHeightForSize(10, 120), -17);
    EXPECT_EQ(fontSizeForHeight(-24, 96), 18);
    EXPECT_EQ(fontSizeForHeight(24, 96), 18);
    EXPECT_EQ(fontSizeForHeight(-15, 96), 11) << "11.25 rounds to 11";
    EXPECT_EQ(fontSizeForHeight(-14, 96), 11) << "10.5 rounds up";
    EXPECT_EQ(fontSizeForHeight(0, 96), 0);
    EXPECT_EQ(fontSizeForHeight(-24, 0), 0);
}

TEST(CommonDialogHelp, DefaultHelpFileIsTheProgramWithHlp)
{
    EXPECT_EQ(defaultHelpFile("C:\\Tools\\editor.exe"), "C:\\Tools\\editor.hlp");
    EXPECT_EQ(defaultHelpFile("C:\\a.b\\editor"), "C:\\a.b\\editor.hlp");
    EXPECT_EQ(defaultHelpFile("编辑器.exe"), "编辑器.hlp");
}

} // namespace wrivo
