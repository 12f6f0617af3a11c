#include "services/writing/chapter_headings.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace wrivo {
namespace {

using enum HeadingKind;

// Numbered headings by their unit, marked and English headings, and lines
// that only look like one.
TEST(ChapterHeadings, KindsTitlesAndParts)
{
    const std::pair<HeadingKind, std::vector<const char*>> examples[] = {
        {chapter, {"第一章风起",     "第12回 初见",
                   "第３集",         "  　\t第二十章：归来",
                   "【第一章】风起", "【第二回】",
                   "第廿三回",       "第两百零一集—终",
                   "第1回",          "序章",
                   "楔子 ",          "尾声：归途",
                   "番外1",          "番外二 雪夜",
                   "后记",           "【序言】",
                   "Chapter 1",      "CHAPTER  12 The End",
                   "chapter 3",      "第 1 章 正确的起点",
                   "第　十二　回",   "第一章风起了！吗",
                   "第一章 风起。",  "番外篇",
                   "番外篇：雪夜",   "番外篇 二"}},
        {volume, {"第二卷风云", "第三部：山", "第十二篇", "第一部、", "第 2 卷"}},
        {section, {"第一节 晨"}},
        {none,
         {"第二回合开始了",
          "第一节课下课后",
          "第三部电影",
          "第章",
          "第一",
          "这是第一章",
          "第a章",
          "",
          "序言是这样写的",
          "后记得那天",
          "番外篇里",
          "引子里",
          "第三章里说的那个人就是他。",
          "第一卷书我已经读完了。",
          "第二章写得好，真的",
          "第五章还没写完……",
          "第 a 章",
          "Chapter one",
          "Chapters 1",
          "Chapter1"}},
    };
    for (const auto& [kind, lines] : examples)
        for (const char* line : lines) EXPECT_EQ(headingKind(line), kind) << line;
    // The Traditional forms, as 转为繁体 leaves the headings.
    for (const char* line : {"第兩萬章", "後記", "尾聲：歸途", "終章 雪"})
        EXPECT_EQ(headingKind(line), chapter) << line;
    EXPECT_EQ(headingKind("第一節 晨"), section);

    // At most forty characters, without the surrounding spaces.
    const std::string forty = "第一章" + std::string(17, 'x') + std::string(40, '\xB0'); // 3 + 17 + 20
    EXPECT_EQ(headingKind(forty), chapter);
    EXPECT_EQ(headingKind("　 " + forty + " 　\t"), chapter);
    EXPECT_EQ(headingKind(forty + "x"), none);
    EXPECT_EQ(headingTitle("　 " + forty + " 　"), forty);
    // A title is cut after forty characters, never inside one.
    EXPECT_EQ(headingTitle("x" + forty), "x" + forty.substr(0, forty.size() - 2));

    // Parts run from heading to heading.
    const std::string text = "引文\r\n 第一卷 山\r\n第一章 风起\r\nab\r\n第一节\r\n。\r\n第二章\r\n";
    const std::vector<ChapterPart> parts = splitChapters(text);
    ASSERT_EQ(parts.size(), 5u);
    const HeadingKind kinds[] = {none, volume, chapter, section, chapter};
    const char* titles[] = {"（开头）", "第一卷 山", "第一章 风起", "第一节", "第二章"};
    const std::size_t offsets[] = {0, 6, 18, 35, 47};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        EXPECT_EQ(parts[i].kind, kinds[i]);
        EXPECT_EQ(parts[i].title, titles[i]);
        EXPECT_EQ(parts[i].offset, offsets[i]);
    }
    EXPECT_EQ(parts[2].count.words, 6); // the heading counts toward its chapter
    EXPECT_EQ(chapterCount(parts), 2u);
    EXPECT_EQ(partAt(parts, 17), 1u);
    EXPECT_EQ(partAt(parts, 18), 2u);
    EXPECT_EQ(partAt(parts, text.size()), 4u);

    // Nothing counted before the first heading: it belongs to that heading's part.
    EXPECT_EQ(splitChapters(" ...\r\n\r\n第一章").front().offset, 0u);
    EXPECT_EQ(splitChapters(" ...\r\n\r\n第一章").size(), 1u);
    const std::vector<ChapterPart> whole = splitChapters("没有标题\r\n");
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].title, "（全文）");
    EXPECT_EQ(chapterCount(whole), 0u);
}

TEST(ChapterHeadings, PartsTileTheTextAndTheirCountsAddUp)
{
    std::mt19937 random(25);
    const char* pieces[] = {"第一章", "第二回 ", "序章", "【第三节】", "第四卷", "中文，", "ab 1",
                            "\xB0",   "　",      "\r\n", "\r\n",       "\r",     "\x81",   "\xFF"};
    for (int round = 0; round < 500; ++round) {
        std::string text;
        for (int n = random() % 60; n > 0; --n) text += pieces[random() % std::size(pieces)];
        const std::vector<ChapterPart> parts = splitChapters(text);
        ASSERT_FALSE(parts.empty());
        WordCount total;
        std::size_t next = 0;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const ChapterPart& part = parts[i];
            ASSERT_EQ(part.offset, next) << round;
            ASSERT_EQ(part.count, countWords(std::string_view(text).substr(part.offset, part.length)));
            if (part.length > 0) {
                EXPECT_EQ(partAt(parts, part.offset + part.length - 1), i);
            }
            // A part after the first starts a paragraph that is a heading.
            if (i > 0) {
                EXPECT_NE(headingKind(text.substr(part.offset, text.find("\r\n", part.offset) - part.offset)), none);
            }
            total += part.count;
            next += part.length;
        }
        ASSERT_EQ(next, text.size());
        ASSERT_EQ(total, countWords(text)) << round;
    }
}

} // namespace
} // namespace wrivo
