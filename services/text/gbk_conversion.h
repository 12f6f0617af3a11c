// Text of another encoding (UTF-8, UTF-16) converted to GBK for editing,
// through the system's own conversions to and from code page 936.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "services/text/file_checks.h"

namespace wrivo {

struct GbkConversion {
    std::string text;                // GBK bytes; what GBK cannot hold is "?"
    std::size_t unrepresentable = 0; // characters that became "?"
};

// The file's bytes (byte-order mark included, if any) read as `encoding` and
// written as GBK. Bytes that are not valid in that encoding count as
// characters GBK cannot hold. The text is at most largestReadableFile bytes.
GbkConversion convertToGbk(std::string_view bytes, TextEncoding encoding);

} // namespace wrivo
