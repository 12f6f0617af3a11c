#include "host/file_path.h"

namespace wrivo {

namespace {
bool isLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}
} // namespace

std::size_t lastSeparator(std::string_view path)
{
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (isLeadByte(byte) && i + 1 < path.size()) {
            ++i; // the trail byte belongs to this character
            continue;
        }
        if (byte == '\\' || byte == '/') found = i;
    }
    return found;
}

std::string folderOfPath(std::string_view path)
{
    const std::size_t separator = lastSeparator(path);
    if (separator == std::string_view::npos) return {};
    return std::string(path.substr(0, separator));
}

} // namespace wrivo
