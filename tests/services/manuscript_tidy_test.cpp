#include "services/writing/manuscript_tidy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace wrivo {
namespace {

const TidyOptions marksOnly{false, BlankLines::keep, false, true};

// A Chinese character's second byte may be 0x40-0x7E: it is never read as an
// ASCII letter beside a mark ("\x81\x61" ends in 'a'), nor converted itself.
TEST(ManuscriptTidy, OnlyPlainlyMistypedMarksConvert)
{
    const std::pair<const char*, const char*> cases[] = {
        {"他说,你好.", "他说，你好。"},
        {"你好, 世界!真的?是的:好;", "你好，世界！真的？是的：好；"},
        {"十二. 小结", "十二。小结"},
        {"真的.　是的.", "真的。　是的。"},
        {"他想...", "他想……"},
        {"他想…", "他想……"},
        {"他--我", "他——我"},
        {"(注释)和f(x)", "（注释）和f(x)"},
        {"他说\"你好\"又说\"再见", "他说“你好”又说\"再见"},
        {"\"走吧.\"他说", "“走吧。”他说"},
        {"他说：\"好吗?\"", "他说：“好吗？”"},
        {"“你好\"", "“你好”"},
        {"他说'好'，don't", "他说‘好’，don't"},
        {"\x81\x61,", "\x81\x61，"},
        {"\x81\x7E.", "\x81\x7E。"},
        {"\x81\x61\x81\x5B(\x81\x61)", "\x81\x61\x81\x5B（\x81\x61）"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(tidiedText(in, marksOnly), out) << in;
        EXPECT_EQ(tidiedText(out, marksOnly), out) << out;
    }
    // Beside no Chinese, touching ASCII, a name's or a date's dot, brackets
    // and quotes with no Chinese or with ASCII outside, already full-width:
    // left as it is. A lead byte standing alone would pair with a full-width
    // mark's first byte.
    for (const char* kept :
         {"约翰.史密斯",    "今年五.一",         "五.一放假",        "一.概述",         "使用--help参数",
          "好啊:)",         "printf(\"你好\");", "他说 \"你好\" 了", "(a)很好",         "iPhone,很好",
          "圆周率3.14很长", "例如e.g.这样",      "见http://a.b/c。", "plain, English.", "他想……",
          "3...5",          "他---我",           "------",           "(未配对",         "你\x81,好\x81--他\x81\"说\""})
        EXPECT_EQ(tidiedText(kept, marksOnly), kept) << kept;

    // The places left, a run of marks once, are counted where there is
    // Chinese; a second run counts them again and changes nothing.
    const std::string text = "使用--help参数, 好啊:)\r\nplain, English.\r\n他说'好'，don't";
    const TidyResult first = tidyManuscript(text, 0, text.size(), 0, marksOnly);
    EXPECT_EQ(first.counts, (TidyCounts{0, 0, 0, 0, 3, 2}));
    EXPECT_EQ(tidyManuscript(first.replacement, 0, first.replacement.size(), 0, marksOnly).counts,
              (TidyCounts{0, 0, 0, 0, 0, 2}));
}

// The characters of a text other than blanks and the marks the tidy-up
// converts or makes, read by the code page's rule.
std::vector<std::string> wordsOf(std::string_view text)
{
    static const std::string_view marks[] = {"，", "。", "？", "！", "：", "；", "、", "…",
                                             "—",  "（", "）", "“",  "”",  "‘",  "’",  "　"};
    std::vector<std::string> words;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const auto next = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0;
        const std::size_t length = lead >= 0x81 && lead <= 0xFE && next >= 0x40 && next != 0x7F && next != 0xFF ? 2 : 1;
        const std::string_view c = text.substr(at, length);
        at += length;
        if (std::string_view(" \t\r\n,.?!:;()\"'-").find(c) != std::string_view::npos && length == 1) continue;
        if (std::find(std::begin(marks), std::end(marks), c) == std::end(marks)) words.emplace_back(c);
    }
    return words;
}

TEST(ManuscriptTidy, IndentationHeadingsBlankLinesAndSelection)
{
    const TidyOptions indentOnly{true, BlankLines::keep, true, false};
    EXPECT_EQ(tidiedText("  正文\r\n\t　第一章 风起  \r\n　　　正文\r\n***\r\n ", indentOnly),
              "　　正文\r\n第一章 风起\r\n　　正文\r\n***\r\n");
    // A heading keeps its marks when converting them would make it text;
    // one that converting shortens to 40 characters is a heading at once.
    const TidyOptions all{true, BlankLines::keep, true, true};
    EXPECT_EQ(tidiedText("第二回.", all), "第二回.");
    std::string body;
    for (int n = 0; n < 37; ++n) body += "字";
    EXPECT_EQ(tidiedText("后记: " + body, all), "后记：" + body);
    EXPECT_EQ(tidiedText("后记: " + body + "字", all), "　　后记：" + body + "字");
    EXPECT_EQ((TidyCounts{1, 0, 0, 1, 0}), tidyManuscript(" a \r\n　　b", 0, 8, 0, indentOnly).counts);

    const std::string blanks = "\r\n\r\na\r\nb\r\n  \r\n\r\nc\r\n\r\n\r\n";
    const TidyResult one = tidyManuscript(blanks, 0, blanks.size(), 0, {false, BlankLines::one, true, false});
    EXPECT_EQ(one.replacement, "a\r\n\r\nb\r\n\r\nc\r\n");
    EXPECT_EQ(one.counts.blankAdded, 1);
    EXPECT_EQ(one.counts.blankRemoved, 5);
    EXPECT_EQ(tidiedText(blanks, {false, BlankLines::none, true, false}), "a\r\nb\r\nc");
    EXPECT_EQ(tidiedText(blanks, {false, BlankLines::keep, true, false}), "\r\n\r\na\r\nb\r\n\r\n\r\nc\r\n\r\n\r\n");

    // Only the paragraphs the selection touches change; the caret stays in its paragraph.
    const std::string text = "甲,乙\r\n丙,丁\r\n戊,己\r\n庚,辛";
    const std::size_t second = text.find("丙"), third = text.find("戊");
    const TidyResult r = tidyManuscript(text, second + 2, third, third + 2, TidyOptions{});
    EXPECT_EQ(r.start, second);
    EXPECT_EQ(r.end, third - 2);
    EXPECT_EQ(r.replacement, "　　丙，丁");
    EXPECT_EQ(r.caret, third + 7); // after the range: moved with the text, still on the third paragraph's mark

    const TidyResult whole = tidyManuscript(text, 0, 0, third + 2, TidyOptions{});
    EXPECT_EQ(whole.start, 0u);
    EXPECT_EQ(whole.replacement.substr(0, whole.replacement.find("\r\n")), "　　甲，乙");
    EXPECT_EQ(whole.end, text.find("\r\n"));
}

// Over random GBK text: a second tidy-up changes nothing and counts nothing,
// the counts say whether the text changed, and only blanks and marks change.
// Half the paragraphs start with a heading word and hold 38 to 44 characters,
// so that converting their marks can take them across a heading's 40.
TEST(ManuscriptTidy, IdempotentOverRandomText)
{
    const std::vector<std::string> pieces = {
        "你",  "好", "一", "第一章", "\x81\x61", "\x81\x7E", "　", " ",    "\t",   "\r\n", "\r\n\r\n", ",",  ".",
        "...", "?",  "!",  ":",      ";",        "(",        ")",  "\"",   "'",    "-",    "--",       "…",  "“",
        "”",   "a",  "Z",  "7",      "e.g.",     "*",        "=",  "\x80", "\xFF", "\x81", "。",       "\r", "\n"};
    const std::vector<std::string> headingWords = {"后记", "尾声", "番外", "第一章", "第二回"};
    const std::vector<std::string> marks = {"你", "好", "。", ",", ".", ": ", "...", "(", ")", "\"", "'", "--", " "};
    std::mt19937 random(27);
    const auto pick = [&random](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    const TidyOptions choices[] = {TidyOptions{},
                                   {true, BlankLines::none, false, true},
                                   {false, BlankLines::keep, true, true},
                                   {true, BlankLines::one, false, false}};
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        if (round % 2) {
            for (int n = static_cast<int>(random() % 40); n > 0; --n) text += pick(pieces);
        } else {
            for (int paragraph = 0; paragraph < 3; ++paragraph) {
                std::string p = (paragraph ? "\r\n" : "") + pick(headingWords);
                for (int length = 38 + static_cast<int>(random() % 7); length > 3; --length) p += pick(marks);
                text += p;
            }
        }
        const TidyOptions& options = choices[round % 4];
        const TidyResult first = tidyManuscript(text, 0, text.size(), random() % (text.size() + 1), options);
        EXPECT_EQ(first.changed(), first.replacement != text) << text;
        EXPECT_EQ(wordsOf(first.replacement), wordsOf(text)) << text; // no character made or lost
        EXPECT_LE(first.caret, first.replacement.size());
        const TidyResult second = tidyManuscript(first.replacement, 0, first.replacement.size(), 0, options);
        EXPECT_FALSE(second.changed()) << text << " -> " << first.replacement;
        EXPECT_EQ(second.replacement, first.replacement) << text;
    }
}

} // namespace
} // namespace wrivo
