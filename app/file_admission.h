// The checks open and append make on a chosen file before the edit box gets
// it, in this order: a device name instead of a file (a notice, nothing
// read), then after reading: another encoding (convert to GBK?), zero bytes
// (load only what comes before the first?), a line too long to lay out in
// time (make lone line breaks "\r\n"? or load it anyway?), and bytes that are
// not GBK (a notice). Any question answered No ends the command with the
// document as it was.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wrivo {

// False, after telling the user, when the path names a device, not a file.
bool admitFilePath(std::string_view path);

// The text to load from the file's bytes, or nothing when the user declined.
std::optional<std::string> admitFileText(std::string_view path, std::vector<std::uint8_t> bytes);

} // namespace wrivo
