// The checks made on a chosen file, on arbitrary bytes, against the rules
// written the plain way: lines split at "\r\n", UTF-8 decoded code point by
// code point, lone breaks made "\r\n".
#include "services/text/file_checks.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>

using namespace wrivo;

namespace {

std::size_t plainLongestLine(const std::string& s)
{
    std::size_t longest = 0, start = 0;
    for (std::size_t found; (found = s.find("\r\n", start)) != std::string::npos; start = found + 2)
        longest = std::max(longest, found - start);
    return std::max(longest, s.size() - start);
}

bool plainUtf8(const std::string& s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > s.size()) return false;
        std::uint32_t c = length == 1 ? b : b & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            c = c << 6 | (t & 0x3F);
        }
        const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input input(data, size);
    const std::string text = input.rest();

    const LineShape shape = measureLines(text);
    FUZZ_CHECK(shape.longestLine == plainLongestLine(text));
    const std::string converted = withCrLfBreaks(text);
    const LineShape after = measureLines(converted);
    FUZZ_CHECK(!after.loneBreaks);
    FUZZ_CHECK(withCrLfBreaks(converted) == converted);
    if (!shape.loneBreaks) FUZZ_CHECK(converted == text);
    FUZZ_CHECK(after.longestLine <= shape.longestLine);

    FUZZ_CHECK(isWellFormedUtf8(text) == plainUtf8(text));
    const TextEncoding encoding = detectEncoding(text);
    if (encoding == TextEncoding::utf8) FUZZ_CHECK(plainUtf8(text) && !isWellFormedGbk(text));
    FUZZ_CHECK(byteOrderMarkLength(encoding) <= text.size());

    const std::optional<ZeroByteTail> tail = zeroByteTail(text);
    FUZZ_CHECK(tail.has_value() == (text.find('\0') != std::string::npos));
    if (tail) FUZZ_CHECK(tail->position == text.find('\0') && tail->position + tail->length == text.size());

    (void)isReservedDeviceName(text);
    return 0;
}
