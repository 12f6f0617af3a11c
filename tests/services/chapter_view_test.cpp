#include "services/writing/chapter_view.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace wrivo {
namespace {

const auto words = [](const ChapterPart& part) { return std::to_string(part.count.words) + " 字"; };

TEST(ChapterView, RowsSetVolumesAndSectionsApartAndChaptersTakeTheirSections)
{
    const std::string text = "引文在此。\r\n第一章 风起\r\n甲乙\r\n第一卷 山\r\n第二章\r\n第一节 晨\r\n丙 abc\r\n";
    std::vector<ChapterPart> parts = splitChapters(text);
    ASSERT_EQ(parts.size(), 5u);
    const std::int64_t volume = parts[2].count.words + parts[3].count.words + parts[4].count.words;
    const std::vector<std::string> expected = {
        "（开头）　" + words(parts[0]),
        "第一章 风起　" + words(parts[1]), // before any volume: not indented
        "第一卷 山　全卷 " + std::to_string(volume) + " 字",
        "　第二章　" + words(parts[3]),
        "　　第一节 晨　" + words(parts[4]),
    };
    EXPECT_EQ(chapterListLines(parts), expected);
    EXPECT_EQ(chapterListSummary(parts), "共 2 章，" + std::to_string(countWords(text).words) + " 字");
    // A chapter target shows on chapters alone, with a mark once reached.
    const std::vector<std::string> targeted = chapterListLines(parts, 4);
    EXPECT_EQ(targeted[0], expected[0]);
    EXPECT_EQ(targeted[1], "第一章 风起　" + std::to_string(parts[1].count.words) + "/4 字 √");
    EXPECT_EQ(targeted[2], expected[2]);
    EXPECT_EQ(targeted[3], "　第二章　" + std::to_string(parts[3].count.words) + "/4 字");
    EXPECT_EQ(targeted[4], expected[4]);

    const std::vector<ChapterPart> none = splitChapters("只有正文。");
    EXPECT_EQ(chapterListLines(none), std::vector<std::string>{"（全文）　" + words(none[0])});
    EXPECT_EQ(chapterListSummary(none), "共 0 章，" + std::to_string(none[0].count.words) + " 字");

    // The chapter around a section takes its chapter and its sections.
    parts = splitChapters("序\r\n第一章\r\n第一节\r\n第二节\r\n第一卷\r\n第一节\r\n第二章\r\n甲");
    ASSERT_EQ(parts.size(), 7u); // （开头）, a chapter, two sections, a volume, a section, a chapter
    // A part, then the first and last of the parts around it: a volume is not a
    // chapter, and a section under a volume stands alone.
    const std::size_t spans[][3] = {{0, 0, 0}, {1, 1, 3}, {2, 1, 3}, {3, 1, 3}, {4, 4, 4}, {5, 5, 5}};
    for (const auto& [index, first, last] : spans) {
        EXPECT_EQ(chapterAround(parts, index).first, first) << index;
        EXPECT_EQ(chapterAround(parts, index).last, last) << index;
    }
    EXPECT_EQ(countOf(parts, {1, 3}).words, parts[1].count.words + parts[2].count.words + parts[3].count.words);
}

// Random documents of headings, body lines and blank lines: from any offset,
// the next heading is the first heading paragraph that starts after it and
// the previous one the last that starts before it.
TEST(ChapterView, NextAndPreviousHeadingAreTheNearestHeadingParagraphs)
{
    const char* lines[] = {"", "　", "正文一段，abc。", "第一章 风起", "第二卷", "　第三节 夜", "Chapter 9", "楔子"};
    std::mt19937 random(25);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        std::vector<std::size_t> headings;
        for (int n = static_cast<int>(random() % 12); n > 0; --n) {
            const std::string_view line = lines[random() % std::size(lines)];
            if (headingKind(line) != HeadingKind::none) headings.push_back(text.size());
            text.append(line).append("\r\n");
        }
        const std::vector<ChapterPart> parts = splitChapters(text);
        for (std::size_t offset = 0; offset <= text.size(); ++offset) {
            std::optional<std::size_t> next, previous;
            for (std::size_t at : headings) {
                if (at > offset && !next) next = at;
                if (at < offset) previous = at;
            }
            ASSERT_EQ(nextHeading(text, parts, offset), next) << text << " @" << offset;
            ASSERT_EQ(previousHeading(text, parts, offset), previous) << text << " @" << offset;
        }
    }
}

} // namespace
} // namespace wrivo
