#include "app/notices.h"

#include <gtest/gtest.h>
#include "app/maker_info.h"
#include "services/text/text.h"
#include "services/writing/manuscript_tidy.h"

#include <vector>

namespace wrivo {
namespace {

// Every notice the editor shows, given the longest figures and names it can
// be given (a path of MAX_PATH bytes, all Chinese).
std::vector<Notice> everyNotice()
{
    std::string path = "C:\\";
    while (path.size() + 7 < 260) path += "长路径\\";
    path += "a.txt";
    const std::string many = "4294967295";
    const WordCount most{INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX};
    return {notices::hide(),
            notices::help(),
            notices::advertising(),
            notices::feedback(),
            notices::author(),
            notices::count(),
            notices::saveFailed(path, 32,
                                "The process cannot access the file because it is being used by another "
                                "process.",
                                true),
            notices::saveFailed(path, 4294967295u, "", false),
            notices::saved(),
            notices::notSaved(),
            notices::charactersOutsideGbk(2147483647),
            notices::fileTooLarge(path, 4294967295u, 1024),
            notices::fileUnreadable(path),
            notices::backgroundConflict(),
            notices::recoveryOffer({"2026-12-08 17:30:05", path, many, 2147483647, 2147483647, true}),
            notices::recoveryDamaged(2147483647, 2147483646, path),
            notices::recoveryStoreUnusable(true),
            notices::recoveryUnwritable(),
            notices::recoveryTooLarge(4294967295u),
            notices::shelfUnwritable(),
            notices::versionsUnwritable(),
            notices::versionNotKept(path, 4294967295u),
            notices::notFound(path),
            notices::replaced(4294967295u),
            notices::goToParagraph(2147483647),
            notices::countDetails({most, 2147483647, most, std::string(80, '\xB0'), most}),
            notices::tidied({2147483647, 2147483647, 2147483647, 2147483647, 2147483647, 2147483647}),
            notices::alreadyTidy(),
            notices::goalReached(1000000, 400),
            notices::writingStoreUnwritable(path),
            notices::writingFileUnreadable(path),
            notices::fileNameOutsideCodePage(path),
            notices::codePageNotGbk(65001),
            fileNotices::deviceName(path),
            fileNotices::otherEncoding(path, TextEncoding::utf16be, 4294967295u),
            fileNotices::zeroBytes(path, 4294967295u, 4294967295u),
            fileNotices::loneLineBreaks(path, 4294967295u),
            fileNotices::longLine(path, 4294967295u),
            fileNotices::notGbk(path),
            questions::saveChanges(),
            questions::openOver(),
            questions::exit(),
            questions::stay()};
}

// The rows a text takes in a message box that wraps its lines at `columns`
// columns (a double-byte character takes two).
std::size_t rowsAt(std::string_view text, std::size_t columns)
{
    std::size_t rows = 0;
    for (const std::string& line : splitText(text, "\r\n"))
        rows += line.empty() ? 1 : (line.size() + columns - 1) / columns;
    return rows;
}

// A notice is GBK as the box shows it, and fits a box that a 1024 x 768
// screen shows whole: a one-line title of at most 60 columns, and text lines
// that, wrapped at 80 columns, make at most 30 rows.
TEST(Notices, EveryNoticeIsGbkAndFitsItsBox)
{
    const std::vector<Notice> all = everyNotice();
    for (std::size_t n = 0; n < all.size(); ++n) {
        const Notice& notice = all[n];
        EXPECT_TRUE(isWellFormedGbk(notice.title)) << n;
        EXPECT_TRUE(isWellFormedGbk(notice.text)) << n;
        EXPECT_FALSE(notice.title.empty()) << n;
        EXPECT_EQ(notice.title.find_first_of("\r\n"), std::string_view::npos) << n;
        EXPECT_LE(notice.title.size(), 60u) << n;
        EXPECT_FALSE(notice.text.empty()) << n;
        EXPECT_LE(rowsAt(notice.text, 80), 30u) << n << ": " << notice.title;
    }
}

// The help is a table of 16 lines, its groups framed by rules, every line
// inside the rule's width, with the maker's address and no break after the last.
TEST(Notices, HelpIsATableFramedByRulesThatHoldEveryLine)
{
    const Notice help = notices::help();
    const auto lines = splitText(help.text, "\r\n");
    ASSERT_EQ(lines.size(), 16u);
    const std::string& rule = lines[0];
    EXPECT_EQ(rule.find_first_not_of('-'), std::string::npos);
    for (int n = 0; n < 16; ++n) {
        EXPECT_EQ(lines[n] == rule, n % 3 == 0) << n;
        EXPECT_LE(lines[n].size(), rule.size()) << n;
    }
    EXPECT_NE(lines[14].find(maker::webAddress), std::string::npos);
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

// The tidy-up's notice names the marks it left only when there are some.
TEST(Notices, TheTidyUpSaysWhatChangedAndHowManyMarksItLeft)
{
    const std::string changed = "已整理：缩进 1 段，空行 +2/-3，段尾空格 4 处，标点 5 处";
    EXPECT_EQ(notices::tidied({1, 2, 3, 4, 5, 0}).text, changed);
    EXPECT_EQ(notices::tidied({1, 2, 3, 4, 5, 6}).text, changed + "，另有 6 处半角标点未改");
}

TEST(Notices, HideNoticeKeepsTheBackslashBeforeTheFirstAt)
{
    const Notice hide = notices::hide();
    EXPECT_EQ(hide.title, "特殊提醒:");
    EXPECT_NE(hide.text.find("请注意查看 \\@ o @/ \r\n\r\n"), std::string::npos);
    EXPECT_EQ(hide.text.rfind("[Esc]键     一键隐藏/显示本程序\r\n\r\n", 0), 0u);
}

TEST(Notices, AFailedSaveSaysWhyInPlainWordsAndWhatBecameOfTheFile)
{
    const Notice inUse = notices::saveFailed("D:\\稿\\a.txt", 32, "The process cannot access the file.", true);
    EXPECT_EQ(inUse.title, "保存失败：");
    EXPECT_EQ(inUse.text, "保存失败！\r\n\r\n文件未能写入:\r\nD:\\稿\\a.txt\r\n\r\n原因：文件正被其他程序使用。"
                          "The process cannot access the file.\r\n\r\n磁盘上的原文件没有被改动。");
    EXPECT_NE(notices::saveFailed("a", 5, "", true).text.find("原因：没有写入这个文件或文件夹的权限。\r\n"),
              std::string::npos);
    const Notice full = notices::saveFailed("a", 112, "", false);
    EXPECT_NE(full.text.find("原因：磁盘已满。"), std::string::npos);
    EXPECT_EQ(full.text.find("原文件"), std::string::npos) << "a new name had no original";
    EXPECT_NE(full.text.find("没有建立新文件，文档仍在编辑框中。"), std::string::npos);
    EXPECT_NE(notices::saveFailed("a", 1234, "", true).text.find("原因：系统错误 1234"), std::string::npos);
}

// The file questions name the file, the figures and the encoding; each ends
// by saying that No leaves the document.
TEST(Notices, FileQuestionsNameTheFileAndTheirFigures)
{
    const std::string path = "C:\\稿件\\第一章.txt";
    const std::string keeps = "(选{否}则不读入，当前文档保持不变)";
    const Notice zero = fileNotices::zeroBytes(path, 6, 24);
    EXPECT_EQ(zero.text, "文件中有零字节:\r\n\r\n" + path +
                             "\r\n\r\n第一个零字节及其后共 24 个字节编辑框无法显示，保存时也不会保留;只有它之前的 6 "
                             "个字节能读入。\r\n\r\n仍然读入吗？" +
                             keeps);
    EXPECT_EQ(fileNotices::otherEncoding(path, TextEncoding::utf16be, 3)
                  .text.rfind("文件是 UTF-16 BE(带字节顺序标记 BOM) 编码的文字:\r\n\r\n" + path, 0),
              0u);
    EXPECT_NE(fileNotices::otherEncoding(path, TextEncoding::utf8, 3).text.find("其中有 3 个字符 GBK 编码无法表示"),
              std::string::npos);
    EXPECT_NE(fileNotices::loneLineBreaks(path, 40000).text.find("最长的一行将有 40000 个字节"), std::string::npos);
    EXPECT_NE(fileNotices::longLine(path, 70000).text.find("很长的一行(70000 个字节"), std::string::npos);
    for (const Notice& question : {zero, fileNotices::otherEncoding(path, TextEncoding::utf8Bom, 0),
                                   fileNotices::loneLineBreaks(path, 1), fileNotices::longLine(path, 1)}) {
        EXPECT_EQ(question.title, "注意：");
        EXPECT_EQ(question.text.substr(question.text.size() - keeps.size()), keeps);
    }
    EXPECT_EQ(fileNotices::deviceName(path).title, "读取失败：");
}

// The word shown where the code page is not GBK says what Wrivo writes, what
// this Windows does, and both ways out; it names the code page found.
TEST(Notices, TheCodePageNoticeSaysWhatIsWrongAndBothWaysOut)
{
    const Notice notice = notices::codePageNotGbk(932);
    EXPECT_EQ(notice.title, "代码页提醒：");
    for (const char* part :
         {"GBK (简体中文)", "(932)", "显示错乱", "写错", "Windows 11", "非 Unicode 程序的语言", "中文(简体)"})
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
