#include "services/controls/edit_selection.h"

#include <algorithm>

#include "services/text/gbk_scan.h"
#include "services/text/gbk_scan_sse2.h"

#include <limits>

namespace wrivo {

namespace {
std::int32_t clampedInt(std::int64_t value)
{
    return value > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                            : static_cast<std::int32_t>(value);
}
} // namespace

// The control follows the code page's rule (0x80 and 0xFF stand alone). Text
// without those two bytes (nearly all GBK text) is counted by the fast scan,
// which follows the count's rule: without them the two rules agree.
static bool fastScanFits(std::string_view text)
{
    const unsigned char* p = gbk::bytes(text);
    return !gbk::findByte(p, 0x80, text.size()) && !gbk::findByte(p, 0xFF, text.size());
}

std::int32_t charactersInBytes(std::string_view text, std::int32_t bytes)
{
    const std::size_t end = bytes < 0 ? 0 : std::min(static_cast<std::size_t>(bytes), text.size());
    if (fastScanFits(text.substr(0, end))) {
        bool cut = false;
        const std::size_t starts = gbk::characterStarts(gbk::bytes(text), end, cut);
        // A lead byte at the very end of the text has no partner: it stands alone.
        return static_cast<std::int32_t>(starts - (cut && end < text.size() ? 1 : 0));
    }
    std::int32_t characters = 0;
    std::size_t i = 0;
    while (i < text.size() && i < end) {
        const std::size_t step =
            gbk::CodePageRule::leads(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        if (i + step > end) break;
        i += step;
        ++characters;
    }
    return characters;
}

std::int32_t bytesInCharacters(std::string_view text, std::int32_t characters)
{
    if (characters <= 0) return 0;
    if (fastScanFits(text))
        return static_cast<std::int32_t>(
            gbk::characterStart(gbk::bytes(text), text.size(), static_cast<std::size_t>(characters)));
    std::size_t i = 0;
    for (std::int32_t n = 0; n < characters && i < text.size(); ++n)
        i += gbk::CodePageRule::leads(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
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
