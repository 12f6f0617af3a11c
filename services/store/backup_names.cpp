#include "services/store/backup_names.h"

#include <algorithm>

#include "host/gbk_rules.h"

namespace wrivo::backup {
namespace {

// The path with '/' as '\', ASCII letters lower-cased and without trailing '\'.
std::string folded(std::string_view path)
{
    std::string out;
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t length = gbk::pairedLength(path, i);
        if (length == 1) {
            const char c = path[i];
            out += c == '/' ? '\\' : (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        } else {
            out.append(path.substr(i, length));
        }
        i += length;
    }
    while (out.size() > 1 && out.back() == '\\') out.pop_back();
    return out;
}

std::size_t lastSeparator(std::string_view path)
{
    return path.find_last_of("\\/");
}

} // namespace

std::vector<IndexEntry> parseIndex(std::string_view text)
{
    std::vector<IndexEntry> index;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::size_t tab = line.find('\t');
        if (tab == 0 || tab == std::string_view::npos || tab + 1 == line.size()) continue;
        index.push_back({std::string(line.substr(0, tab)), std::string(line.substr(tab + 1))});
    }
    return index;
}

std::string indexText(const std::vector<IndexEntry>& index)
{
    std::string text;
    for (const IndexEntry& entry : index) text += entry.name + "\t" + entry.path + "\r\n";
    return text;
}

bool sameName(std::string_view a, std::string_view b)
{
    return folded(a) == folded(b);
}

std::string_view fileNameOf(std::string_view path)
{
    const std::size_t slash = lastSeparator(path);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view folderOf(std::string_view path)
{
    const std::size_t slash = lastSeparator(path);
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

std::string numberedName(std::string_view name, int number)
{
    const std::size_t dot = name.rfind('.');
    const std::size_t stem = dot == std::string_view::npos || dot == 0 ? name.size() : dot;
    return std::string(name.substr(0, stem)) + " (" + std::to_string(number) + ")" + std::string(name.substr(stem));
}

std::string copyNameFor(std::vector<IndexEntry>& index, std::string_view document,
                        const std::function<bool(std::string_view name)>& exists)
{
    for (const IndexEntry& entry : index)
        if (sameName(entry.path, document)) return entry.name;
    const std::string_view name = fileNameOf(document);
    for (int number = 1;; ++number) {
        std::string candidate = number == 1 ? std::string(name) : numberedName(name, number);
        const bool indexed = std::any_of(index.begin(), index.end(),
                                         [&](const IndexEntry& entry) { return sameName(entry.name, candidate); });
        if (indexed || sameName(candidate, indexName) || exists(candidate)) continue;
        index.push_back({candidate, std::string(document)});
        return candidate;
    }
}

} // namespace wrivo::backup
