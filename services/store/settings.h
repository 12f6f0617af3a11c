// Single entries of a settings file in the Windows profile (INI) format.
// Every call goes to the file; nothing is cached between calls.
//
//   readSettingsEntry(programDirectory() + "\\qelvorinthab.ini", "配置", "字体名称", "宋体")
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wrivo {

// A value read back holds at most this many bytes less one.
inline constexpr std::size_t settingsReadBufferSize = 10240;

// The text without its leading bytes 0x01 to 0x20 (blanks and control
// characters); bytes of 0x80 and above are never skipped.
std::string_view skipLeadingBlanks(std::string_view text);

// The stored value, or the default when the file, section or key does not
// exist. Leading blanks of the path, section and key are ignored; when any of
// them is empty after that, the file is not consulted and the result is the
// empty text (not the default). Values longer than 10239 bytes come back cut.
std::string readSettingsEntry(std::string_view path, std::string_view section, std::string_view key,
                              std::optional<std::string_view> defaultValue = std::nullopt);

// Stores the value, creating the file, section and key as needed. Without a
// value the entry is removed; without a key the whole section is. The
// arguments go to the platform unchanged. True when the platform reports success.
bool writeSettingsEntry(std::string_view path, std::string_view section, std::optional<std::string_view> key,
                        std::optional<std::string_view> value);

} // namespace wrivo
