#include "app/notices.h"

#include "app/maker_info.h"
#include "services/text.h"
#include <gtest/gtest.h>

namespace wrivo {
namespace {

TEST(Notices, HelpIsSixteenLinesFramedByRulesWithoutATrailingBreak)
{
    const Notice help = notices::help();
    EXPECT_EQ(help.title, "快捷操作帮助说明：");
    const auto lines = splitText(help.text, "\r\n");
    ASSERT_EQ(lines.size(), 16u);
    for (int rule : {0, 3, 6, 9, 12, 15}) EXPECT_EQ(lines[rule], std::string(45, '-')) << rule;
    EXPECT_EQ(lines[1], "新建文件  Ctrl+A   保存文件  Ctrl+S ");
    EXPECT_EQ(lines[7], "字数总计  Ctrl+Q  日期时间  Ctrl+W ");
    EXPECT_EQ(lines[14], std::string("敬请关注 官方网址 ") + std::string(maker::webAddress));
    EXPECT_NE(help.text.substr(help.text.size() - 2), "\r\n");
}

TEST(Notices, StartTitleAndContactNoticesKeepTheirFixedTextAroundTheMakersValues)
{
    EXPECT_EQ(startTitle(), "Wrivo  3.7    --  Orvanne出品 " + std::string(maker::webAddress) + "  ");

    const Notice ad = notices::advertising();
    EXPECT_EQ(ad.title, "信息：");
    EXPECT_EQ(ad.text, "广告合作联系方式 ：\r\n\r\n联系QQ  :    " + std::string(maker::instantMessagingNumber) +
                           "  \r\n\r\n联系邮箱  :    " + std::string(maker::businessMail) + "  \r\n\r\n");

    const Notice feedback = notices::feedback();
    EXPECT_EQ(feedback.title, "信息：");
    EXPECT_EQ(feedback.text.rfind("建议反馈的收集方式即将调整.\r\n\r\n以下联系方式依然可用.", 0), 0u);
    EXPECT_NE(feedback.text.find(std::string(maker::feedbackMail) + "    \r\n\r\n"), std::string::npos);
}

TEST(Notices, HideNoticeKeepsTheBackslashBeforeTheFirstAt)
{
    const Notice hide = notices::hide();
    EXPECT_EQ(hide.title, "特殊提醒:");
    EXPECT_NE(hide.text.find("请注意查看 \\@ o @/ \r\n\r\n"), std::string::npos);
    EXPECT_EQ(hide.text.rfind("[Esc]键     一键隐藏/显示本程序\r\n\r\n", 0), 0u);
}

// The word shown where the code page is not GBK says what Wrivo writes, what
// this Windows does, and both ways out; it names the code page found.
TEST(Notices, TheCodePageNoticeSaysWhatIsWrongAndBothWaysOut)
{
    const Notice notice = notices::codePageNotGbk(932);
    EXPECT_EQ(notice.title, "代码页提醒：");
    for (const char* part : {"GBK (简体中文)", "(932)", "显示错乱", "写错", "Windows 11", "非 Unicode 程序的语言",
                             "中文(简体)"})
        EXPECT_NE(notice.text.find(part), std::string::npos) << part;
}

TEST(Notices, ANameOutsideTheCodePageIsShownAndTheDocumentSaidToStay)
{
    const Notice notice = notices::fileNameOutsideCodePage("C:\\稿?.txt");
    EXPECT_EQ(notice.title, "打开失败：");
    EXPECT_NE(notice.text.find("\r\n\r\nC:\\稿?.txt\r\n\r\n"), std::string::npos);
    EXPECT_EQ(notice.text.substr(notice.text.size() - 18), "当前文档保持不变。");
}

} // namespace
} // namespace wrivo
