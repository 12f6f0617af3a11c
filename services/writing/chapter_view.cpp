#include "services/writing/chapter_view.h"

#include <algorithm>

namespace wrivo {
namespace {

constexpr std::string_view indent = "　";

std::string number(std::int64_t value)
{
    return std::to_string(value);
}

// The 字数 of the volume whose row is `index`: its own part and every part up
// to the next volume.
std::int64_t volumeWords(const std::vector<ChapterPart>& parts, std::size_t index)
{
    std::int64_t words = parts[index].count.words;
    for (std::size_t i = index + 1; i < parts.size() && parts[i].kind != HeadingKind::volume; ++i)
        words += parts[i].count.words;
    return words;
}

} // namespace

std::vector<std::string> chapterListLines(const std::vector<ChapterPart>& parts, std::int64_t target)
{
    std::vector<std::string> lines;
    lines.reserve(parts.size());
    bool underVolume = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const ChapterPart& part = parts[i];
        std::string line;
        switch (part.kind) {
        case HeadingKind::volume:
            underVolume = true;
            line = part.title + std::string(indent) + "全卷 " + number(volumeWords(parts, i)) + " 字";
            break;
        case HeadingKind::section: line += indent; [[fallthrough]];
        case HeadingKind::chapter:
            if (underVolume) line += indent;
            if (target > 0 && part.kind == HeadingKind::chapter) {
                line += part.title + std::string(indent) + number(part.count.words) + "/" + number(target) + " 字";
                if (part.count.words >= target) line += " √";
                break;
            }
            [[fallthrough]];
        case HeadingKind::none: line += part.title + std::string(indent) + number(part.count.words) + " 字"; break;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string chapterListSummary(const std::vector<ChapterPart>& parts)
{
    WordCount whole;
    for (const ChapterPart& part : parts) whole += part.count;
    return "共 " + number(static_cast<std::int64_t>(chapterCount(parts))) + " 章，" + number(whole.words) + " 字";
}

std::size_t headingStart(std::string_view text, const ChapterPart& part)
{
    if (part.kind == HeadingKind::none) return part.offset;
    const std::size_t end = std::min(part.offset + part.length, text.size());
    std::size_t start = part.offset;
    while (start < end) {
        const std::size_t lineEnd = std::min(text.find("\r\n", start), end);
        if (headingKind(text.substr(start, lineEnd - start)) != HeadingKind::none) return start;
        start = lineEnd + 2;
    }
    return part.offset;
}

std::optional<std::size_t> nextHeading(std::string_view text, const std::vector<ChapterPart>& parts, std::size_t offset)
{
    for (std::size_t i = partAt(parts, offset); i < parts.size(); ++i) {
        if (parts[i].kind == HeadingKind::none) continue;
        const std::size_t start = headingStart(text, parts[i]);
        if (start > offset) return start;
    }
    return std::nullopt;
}

std::optional<std::size_t> previousHeading(std::string_view text, const std::vector<ChapterPart>& parts,
                                           std::size_t offset)
{
    for (std::size_t i = partAt(parts, offset) + 1; i-- > 0;) {
        if (parts[i].kind == HeadingKind::none) continue;
        const std::size_t start = headingStart(text, parts[i]);
        if (start < offset) return start;
    }
    return std::nullopt;
}

PartSpan chapterAround(const std::vector<ChapterPart>& parts, std::size_t index)
{
    PartSpan span{index, index};
    if (index >= parts.size()) return span;
    if (parts[index].kind == HeadingKind::section) {
        std::size_t above = index;
        while (above > 0 && parts[above].kind == HeadingKind::section) --above;
        if (parts[above].kind != HeadingKind::chapter) return span; // a section under no chapter
        span.first = above;
    }
    if (parts[span.first].kind != HeadingKind::chapter) return span;
    while (span.last + 1 < parts.size() && parts[span.last + 1].kind == HeadingKind::section) ++span.last;
    return span;
}

WordCount countOf(const std::vector<ChapterPart>& parts, PartSpan span)
{
    WordCount total;
    for (std::size_t i = span.first; i <= span.last && i < parts.size(); ++i) total += parts[i].count;
    return total;
}

} // namespace wrivo
