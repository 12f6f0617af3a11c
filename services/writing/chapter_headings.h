// Chapters of a manuscript: which paragraphs are headings, and the text split
// at them into parts with their 字数.
//
// A paragraph is a heading when, after leading half-width spaces, tabs and
// full-width spaces, and without trailing ones, it is at most 40 characters
// (a double-byte character is one) and, inside an optional 【 … 】:
//  - 第 + a number + 章 卷 回 节 部 篇 or 集, spaces allowed between the
//    three ("第 1 章"). The number is digits (half- or full-width) or
//    Chinese numerals (零〇一二三四五六七八九十百千万两壹贰叁肆伍陆柒捌玖
//    拾佰仟廿卅, and 萬兩). After 章 or 卷 the title may follow directly
//    ("第一章风起"), unless it reads as a sentence: it ends with 。！？ or …
//    or holds a ，("第三章里说的那个人就是他。"); after the others the paragraph must end or go
//    on with a space (half- or full-width, or a tab), one of ：:、，,.·—- or
//    the closing 】, so "第二回合开始了" and "第三部电影" are no headings;
//  - 序章 序言 楔子 引子 前言 尾声 后记 终章 or 番外 (尾聲 後記 終章 and 節
//    too, the Traditional forms, so that headings survive 转为繁体), followed by what may
//    follow 回 above, or (番外 only) a number; 番外篇 as 番外;
//  - "Chapter" in any case, one or more spaces and a digit.
// 卷 部 篇 lines are volumes, 节 lines sections (listed under their chapter),
// the rest chapters. Only chapters are counted as chapters: a novelist counts
// the chapters of the book, not its volumes or the sections inside chapters.
#pragma once
#include "services/writing/word_count.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wrivo {

enum class HeadingKind {
    none,
    chapter,
    volume,
    section
};

HeadingKind headingKind(std::string_view paragraph);

// The paragraph without leading and trailing spaces (half-width, tabs,
// full-width), cut after 40 characters, never inside a double-byte one.
std::string headingTitle(std::string_view paragraph);

// A stretch of the text from one heading's start to the next one's. The part
// before the first heading, when it holds anything counted (words > 0), has
// kind none and the title "（开头）"; otherwise it belongs to the first
// heading's part, which then starts at 0. A text without headings is one
// part, "（全文）", however empty. Parts tile the text, so their counts add up
// to the whole's.
struct ChapterPart {
    std::size_t offset;
    std::size_t length;
    HeadingKind kind;
    std::string title;
    WordCount count;
};

// Paragraphs are separated by "\r\n". Never empty.
std::vector<ChapterPart> splitChapters(std::string_view text);

// Index of the part that holds the byte at `offset` (the last part for the
// end of the text or beyond).
std::size_t partAt(const std::vector<ChapterPart>& parts, std::size_t offset);

// How many parts are chapters, as in "共 N 章".
std::size_t chapterCount(const std::vector<ChapterPart>& parts);

} // namespace wrivo
