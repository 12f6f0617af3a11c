// A chapter made ready for a web platform: the text 复制本章 puts on the
// clipboard, and the files 按章导出 writes.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "services/writing/chapter_headings.h"
#include "services/writing/writing_settings.h"

namespace wrivo {

// The chapter's body (its heading line left out) as platforms take it: each
// non-empty paragraph without its leading spaces, indented by two full-width
// spaces, one blank line between paragraphs (as `layout` says), half-width
// marks converted by the tidy-up's mark rules; no line break at the end.
std::string publishedText(std::string_view body, const PublishLayout& layout);

// The text after the heading line of a part that has one.
std::string_view bodyOf(std::string_view part);

// One file per part: "001 第一章 风起.txt", "000 开头.txt" for the opening.
// The number has as many digits as the count needs, three at least; a
// character a file name cannot hold becomes "_".
struct ExportFile {
    std::string name;
    std::size_t offset = 0, length = 0; // of the whole text, from the heading line on
};
std::vector<ExportFile> exportFiles(std::string_view text, const std::vector<ChapterPart>& parts);

} // namespace wrivo
