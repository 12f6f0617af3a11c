#include "services/writing/publish_layout.h"

#include <algorithm>

#include "host/gbk_rules.h"

#include "services/writing/chapter_view.h"
#include "services/writing/manuscript_tidy.h"

namespace wrivo {
namespace {

constexpr std::string_view fullWidthSpace = "　";

std::string_view withoutLeadingSpaces(std::string_view paragraph)
{
    while (!paragraph.empty()) {
        if (paragraph.front() == ' ' || paragraph.front() == '\t')
            paragraph.remove_prefix(1);
        else if (paragraph.starts_with(fullWidthSpace))
            paragraph.remove_prefix(fullWidthSpace.size());
        else
            break;
    }
    return paragraph;
}

// Bytes of the character at i, by the code page's rule.
std::size_t characterLength(std::string_view s, std::size_t i)
{
    return gbk::pairedLength(s, i);
}

std::string fileNameOf(std::string_view title)
{
    constexpr std::string_view forbidden = "\\/:*?\"<>|";
    std::string name;
    for (std::size_t i = 0; i < title.size();) {
        const std::size_t step = characterLength(title, i);
        const bool bad = step == 1 && (static_cast<unsigned char>(title[i]) < 0x20 ||
                                       forbidden.find(title[i]) != std::string_view::npos);
        name += bad ? std::string_view("_") : title.substr(i, step);
        i += step;
    }
    // Windows drops a trailing dot or space from a name.
    if (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.back() = '_';
    return name;
}

} // namespace

std::string_view bodyOf(std::string_view part)
{
    std::size_t start = 0;
    while (start < part.size()) {
        const std::size_t end = std::min(part.find("\r\n", start), part.size());
        if (headingKind(part.substr(start, end - start)) != HeadingKind::none)
            return part.substr(std::min(end + 2, part.size()));
        start = end + 2;
    }
    return part;
}

std::string publishedText(std::string_view body, const PublishLayout& layout)
{
    TidyOptions marksOnly;
    marksOnly.indent = false;
    marksOnly.blankLines = BlankLines::keep;
    marksOnly.trimTrailing = false;
    marksOnly.punctuation = true;
    const std::string tidied = tidiedText(body, marksOnly);
    const std::string_view text = tidied;
    std::string out;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find("\r\n", start), text.size());
        const std::string_view paragraph = withoutLeadingSpaces(text.substr(start, end - start));
        start = end + 2;
        if (paragraph.find_first_not_of(" \t") == std::string_view::npos) continue;
        if (!out.empty()) out += layout.blankLine ? "\r\n\r\n" : "\r\n";
        if (layout.indent) out += "　　";
        out += paragraph;
    }
    return out;
}

std::vector<ExportFile> exportFiles(std::string_view text, const std::vector<ChapterPart>& parts)
{
    std::vector<ExportFile> files;
    if (parts.size() == 1 && parts.front().kind == HeadingKind::none) return files;
    const std::size_t numbered = parts.size() - (parts.front().kind == HeadingKind::none ? 1 : 0);
    std::size_t digits = 3;
    for (std::size_t limit = 1000; numbered >= limit; limit *= 10) ++digits;
    std::size_t n = 0;
    for (const ChapterPart& part : parts) {
        const bool opening = part.kind == HeadingKind::none;
        std::string number = std::to_string(opening ? 0 : ++n);
        number.insert(0, digits - std::min(digits, number.size()), '0');
        const std::size_t from = headingStart(text, part);
        files.push_back({number + " " + fileNameOf(opening ? std::string_view("开头") : part.title) + ".txt", from,
                         part.offset + part.length - from});
    }
    return files;
}

} // namespace wrivo
