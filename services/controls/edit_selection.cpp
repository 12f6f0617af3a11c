#include "services/controls/edit_selection.h"

#include <limits>

namespace wrivo {

namespace {
bool isLead(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

std::int32_t clampedInt(std::int64_t value)
{
    return value > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                            : static_cast<std::int32_t>(value);
}
} // namespace

std::int32_t charactersInBytes(std::string_view text, std::int32_t bytes)
{
    std::int32_t characters = 0;
    std::size_t i = 0;
    const std::size_t end = bytes < 0 ? 0 : static_cast<std::size_t>(bytes);
    while (i < text.size() && i < end) {
        const std::size_t step = isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        if (i + step > end) break;
        i += step;
        ++characters;
    }
    return characters;
}

std::int32_t bytesInCharacters(std::string_view text, std::int32_t characters)
{
    std::size_t i = 0;
    for (std::int32_t n = 0; n < characters && i < text.size(); ++n)
        i += isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    return static_cast<std::int32_t>(i);
}

void RememberedSelection::writeStart(std::int64_t value, std::int32_t textBytes)
{
    if (value == -1) {
        start = textBytes;
        length = 0;
    } else {
        start = value < 0 ? 0 : clampedInt(value);
    }
}

void RememberedSelection::writeLength(std::int64_t value, std::int32_t textBytes)
{
    if (value == -1) {
        start = 0;
        length = textBytes;
    } else {
        length = value < 0 ? 0 : clampedInt(value);
    }
}

} // namespace wrivo
