#include "services/text/text_change.h"

#include <algorithm>

#include "services/text/gbk_scan.h"
#include "services/text/gbk_scan_sse2.h"

namespace wrivo {

TextChange changedStretch(std::string_view before, std::string_view after)
{
    const unsigned char* a = gbk::bytes(before);
    const unsigned char* b = gbk::bytes(after);
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t prefix = gbk::equalPrefix(a, b, shorter);
    // The bytes before are the same in both texts, so are their characters: a
    // place inside one moves back to its start.
    if (prefix < shorter && !gbk::isBoundary<gbk::CodePageRule>(b, 0, prefix)) --prefix;
    std::size_t suffix = gbk::equalSuffix(a + before.size(), b + after.size(), shorter - prefix);
    // The equal bytes at the end may pair differently after a changed byte:
    // the stretch grows until it ends on a character boundary in both.
    while (suffix > 0 && !(gbk::isBoundary<gbk::CodePageRule>(a, prefix, before.size() - suffix) &&
                           gbk::isBoundary<gbk::CodePageRule>(b, prefix, after.size() - suffix)))
        --suffix;
    return {prefix, before.size() - suffix - prefix, after.size() - suffix - prefix};
}

} // namespace wrivo
