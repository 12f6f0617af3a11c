// Splitting a GBK file path at its last backslash.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace wrivo {

// Position of the last path separator ('\\' or '/') of a GBK path, or npos.
// A backslash byte that is the second byte of a double-byte character (for
// example "\x95\x5C") is part of that character, not a separator.
std::size_t lastSeparator(std::string_view path);

// The path up to, and not including, its last separator; empty when the path
// holds none. "C:\\Tools\\editor.exe" gives "C:\\Tools".
std::string folderOfPath(std::string_view path);

} // namespace wrivo
