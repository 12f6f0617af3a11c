#include "services/writing/publish_check.h"
#include "services/writing/publish_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wrivo {
namespace {

std::vector<Finding> check(std::string_view text, const WordMatcher* lists = nullptr,
                           const std::set<std::string>* ignored = nullptr, std::int64_t target = 0)
{
    CheckRequest request{text, 0, text.size(), countWords(text).words, target, lists, ignored, nullptr};
    return checkChapter(request);
}

std::vector<std::string> rows(const std::vector<Finding>& findings, FindingKind kind)
{
    std::vector<std::string> out;
    for (const Finding& finding : findings)
        if (finding.kind == kind) out.push_back(findingRow(finding));
    return out;
}

// Doubled characters that are slips, and those that begin a word with the next.
TEST(PublishCheck, DoubledCharactersAreSlipsUnlessTheyBeginAWord)
{
    const std::pair<const char*, std::vector<std::string>> examples[] = {
        {"我的的书", {"重复字　第1段　我的的书"}},
        {"他的的确来了", {}},
        {"地地道道", {}},
        {"走得得意\r\n把把手给我\r\n被被子盖住", {"重复字　第1段　走得得意"}},
        {"看着着急，他被被打了", {"重复字　第1段　着急，他被被打了"}},
        {"哈哈大笑，天天向上", {}},
    };
    for (const auto& [text, expected] : examples) EXPECT_EQ(rows(check(text), FindingKind::doubled), expected) << text;
}

// A run of four to eight Chinese characters found three times: the longest,
// not the runs inside it; marks end a run; 忽略 keeps one out.
TEST(PublishCheck, RepeatedPhrasesAreTheLongestRuns)
{
    const std::string text =
        "他慢慢地走了过去。\r\n他慢慢地走了过去，\r\n她说他慢慢地走了过去\r\n天下大事，天下大事。天下大事";
    const std::vector<Finding> findings = check(text);
    EXPECT_EQ(
        rows(findings, FindingKind::phrase),
        (std::vector<std::string>{"重复短语　第1段　他慢慢地走了过去（3 次）", "重复短语　第4段　天下大事（3 次）"}));
    EXPECT_EQ(findings.front().offset, 0u);
    EXPECT_EQ(findings.front().length, 16u);
    EXPECT_TRUE(rows(check("一二三，一二三，一二三"), FindingKind::phrase).empty()); // three characters
    const std::set<std::string> ignored = {"天下大事"};
    EXPECT_EQ(rows(check(text, nullptr, &ignored), FindingKind::phrase).size(), 1u);
}

// Half-width marks beside Chinese, list words with their list, the 字数 row
// first and counted only while short of the target.
TEST(PublishCheck, MarksListWordsAndTheTargetRow)
{
    const WordMatcher lists({{"平台.txt", {"违禁", "abc", "禁词"}}, {"人名.txt", {"张三"}}});
    const std::string text = "违禁的事,张三说.\r\n3.14 and a,b.\r\n禁词abc";
    const std::set<std::string> ignored = {"abc"};
    const std::vector<Finding> findings = check(text, &lists, &ignored, 100);
    EXPECT_EQ(findingRow(findings.front()), "字数　本章 " + std::to_string(countWords(text).words) +
                                                " 字，目标 100 字，还差 " +
                                                std::to_string(100 - countWords(text).words) + " 字");
    EXPECT_EQ(rows(findings, FindingKind::listWord),
              (std::vector<std::string>{"词表　第1段　违禁（平台.txt）", "词表　第1段　张三（人名.txt）",
                                        "词表　第3段　禁词（平台.txt）"}));
    EXPECT_EQ(rows(findings, FindingKind::halfWidth),
              (std::vector<std::string>{"半角标点　第1段　违禁的事,张三说.", "半角标点　第1段　,张三说."}));
    EXPECT_EQ(findingsSummary(findings), "共 6 处");
    const std::vector<Finding> reached = check("一二三四五", nullptr, nullptr, 5);
    EXPECT_EQ(findingRow(reached.front()), "字数　本章 5 字，目标 5 字");
    EXPECT_EQ(findingsSummary(reached), "共 0 处");
    EXPECT_TRUE(ignorable(findings[1]));
    EXPECT_FALSE(ignorable(findings.front()));

    // A word begins at a character, never on the second byte of one; a
    // one-byte word is found too.
    const WordMatcher bytes(std::vector<WordMatcher::List>{{"x.txt", {"\xA2\xB0", "b", "\xB0\xA1"}}});
    const std::string pair = "\xB0\xA2\xB0\xA1"
                             "b";
    const std::vector<WordMatcher::Match> matches = bytes.find(pair, 0, pair.size());
    ASSERT_EQ(matches.size(), 2u);
    EXPECT_EQ(matches[0].offset, 2u);
    EXPECT_EQ(matches[1].word, "b");
    EXPECT_TRUE(bytes.find(pair, 0, 3).empty()) << "a word past the end of the stretch";

    EXPECT_EQ(parseWordList("# 平台\r\n违禁 \r\n　禁词　# 注\n\n abc\r\n#"),
              (std::vector<std::string>{"违禁", "禁词", "abc"}));
}

// Chapter numbers in digits and Chinese numerals: skips, repeats and steps
// back, and a fresh start after a volume.
TEST(PublishCheck, ChapterNumbersRunInOrder)
{
    const std::pair<const char*, std::int64_t> values[] = {
        {"12", 12},    {"１２", 12}, {"十", 10},         {"十二", 12},          {"二十", 20},      {"一百零三", 103},
        {"两百", 200}, {"廿三", 23}, {"一千零一", 1001}, {"三万零五十", 30050}, {"壹佰贰拾", 120}, {"二零二三", 2023}};
    for (const auto& [text, value] : values) EXPECT_EQ(numeralValue(text), value) << text;
    EXPECT_EQ(numeralValue("十x"), std::nullopt);
    EXPECT_EQ(chapterNumber("【第 十二 章】"), 12);
    EXPECT_EQ(chapterNumber("序章"), std::nullopt);

    const std::string text = "第一章\r\n第二章\r\n第4章\r\n第四章\r\n第三章\r\n第一卷\r\n第1章\r\n第2章\r\n第一节\r\n"
                             "第一百零二章\r\n第一百零三章\r\n序章\r\n第一百零四章";
    const std::vector<Finding> findings = numberingFindings(text, splitChapters(text));
    std::vector<std::string> expected = {
        "章节编号　第3段　第4章（编号跳过，上一章 2）", "章节编号　第4段　第四章（编号重复，上一章 4）",
        "章节编号　第5段　第三章（编号倒退，上一章 4）", "章节编号　第10段　第一百零二章（编号跳过，上一章 2）"};
    EXPECT_EQ(rows(findings, FindingKind::numbering), expected);
}

// 复制本章's layout and 按章导出's file names.
TEST(PublishLayout, PlatformTextAndExportNames)
{
    const std::string body = "  他说,你好.\r\n\r\n\r\n　　第二段\r\n 　\r\nabc, def";
    EXPECT_EQ(publishedText(body, {}), "　　他说，你好。\r\n\r\n　　第二段\r\n\r\n　　abc, def");
    EXPECT_EQ(publishedText(body, {false, false}), "他说，你好。\r\n第二段\r\nabc, def");
    EXPECT_EQ(bodyOf("\r\n第一章 风起\r\n正文"), "正文");

    std::string text = "引子的话\r\n第一章 风起\r\n正文\r\n\r\n第二章 a/b:c?\r\n";
    std::vector<ExportFile> files = exportFiles(text, splitChapters(text));
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].name, "000 开头.txt");
    EXPECT_EQ(files[1].name, "001 第一章 风起.txt");
    EXPECT_EQ(text.substr(files[1].offset, files[1].length), "第一章 风起\r\n正文\r\n\r\n");
    EXPECT_EQ(files[2].name, "002 第二章 a_b_c_.txt");
    // A character whose second byte is "\\" or "|" stays whole; a trailing dot goes.
    const std::vector<std::pair<std::string, std::string>> titles = {
        {"第一章 \x81\x5C\x81\x7C", "001 第一章 \x81\x5C\x81\x7C.txt"},
        {"第一章 完.", "001 第一章 完_.txt"},
        {"第一章 <a>\t*", "001 第一章 _a___.txt"},
    };
    for (const auto& [title, name] : titles) EXPECT_EQ(exportFiles(title, splitChapters(title)).at(0).name, name);
    text.clear();
    for (int n = 1; n <= 1000; ++n) text += "第" + std::to_string(n) + "章\r\n";
    files = exportFiles(text, splitChapters(text));
    EXPECT_EQ(files.front().name, "0001 第1章.txt");
    EXPECT_EQ(files.back().name, "1000 第1000章.txt");
    EXPECT_TRUE(exportFiles("没有标题", splitChapters("没有标题")).empty());
}

} // namespace
} // namespace wrivo
