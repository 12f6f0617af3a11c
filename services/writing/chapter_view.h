// What the writer's menu makes of the document's parts (services/
// chapter_headings.h): the chapter list's rows and the line under them, where
// 上一章 and 下一章 go, and which parts make the chapter the caret is in.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/writing/chapter_headings.h"

namespace wrivo {

// One row per part: its title, a full-width space and its 字数
// ("第一章 风起　3215 字"). Chapters under a volume are indented by a
// full-width space, sections by one more than their chapter; a volume's row
// gives the 字数 of the whole volume ("第一卷 风云　全卷 45210 字"). With a
// chapter target (0 for none), a chapter's row reads "第一章 风起　2150/3000 字",
// and " √" follows once the chapter reaches it.
std::vector<std::string> chapterListLines(const std::vector<ChapterPart>& parts, std::int64_t target = 0);

// "共 N 章，M 字": the chapters (volumes and sections are not chapters) and
// the 字数 of the whole text.
std::string chapterListSummary(const std::vector<ChapterPart>& parts);

// Where the part's heading paragraph starts. The first part may begin with
// blank lines before its heading (they hold nothing counted); a part without
// a heading starts where it starts.
std::size_t headingStart(std::string_view text, const ChapterPart& part);

// The start of the first heading after byte `offset`, or of the last one
// before it; nothing past the last or before the first.
std::optional<std::size_t> nextHeading(std::string_view text, const std::vector<ChapterPart>& parts,
                                       std::size_t offset);
std::optional<std::size_t> previousHeading(std::string_view text, const std::vector<ChapterPart>& parts,
                                           std::size_t offset);

// The chapter around part `index`: the part itself, or for a section the
// chapter it is under, together with that chapter's sections.
struct PartSpan {
    std::size_t first = 0, last = 0; // indexes into the parts, both included
};
PartSpan chapterAround(const std::vector<ChapterPart>& parts, std::size_t index);
WordCount countOf(const std::vector<ChapterPart>& parts, PartSpan span);

} // namespace wrivo
