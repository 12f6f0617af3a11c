#include "host/file_path.h"

#include "host/gbk_rules.h"

namespace wrivo {

std::size_t lastSeparator(std::string_view path)
{
    std::size_t found = std::string_view::npos;
    // A second byte may be a backslash (0x5C): only a character's first byte is a separator.
    for (std::size_t i = 0; i < path.size(); i += gbk::characterLength<gbk::CodePageRule>(path, i))
        if (path[i] == '\\' || path[i] == '/') found = i;
    return found;
}

std::string folderOfPath(std::string_view path)
{
    const std::size_t separator = lastSeparator(path);
    if (separator == std::string_view::npos) return {};
    return std::string(path.substr(0, separator));
}

} // namespace wrivo
