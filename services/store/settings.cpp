#include "services/store/settings.h"

namespace wrivo {

std::string_view skipLeadingBlanks(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const auto byte = static_cast<unsigned char>(text[start]);
        if (byte < 0x01 || byte > 0x20) break;
        ++start;
    }
    return text.substr(start);
}

} // namespace wrivo
