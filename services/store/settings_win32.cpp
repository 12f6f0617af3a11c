#include "services/store/settings.h"

#include <windows.h>

#include <vector>

namespace wrivo {

std::string readSettingsEntry(std::string_view path, std::string_view section, std::string_view key,
                              std::optional<std::string_view> defaultValue)
{
    const std::string file(skipLeadingBlanks(path));
    const std::string sectionName(skipLeadingBlanks(section));
    const std::string keyName(skipLeadingBlanks(key));
    if (file.empty() || sectionName.empty() || keyName.empty()) return {};
    const std::string fallback(defaultValue.value_or(std::string_view{}));
    std::vector<char> buffer(settingsReadBufferSize, '\0');
    const DWORD length =
        GetPrivateProfileStringA(sectionName.c_str(), keyName.c_str(), fallback.empty() ? nullptr : fallback.c_str(),
                                 buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    return std::string(buffer.data(), length < buffer.size() ? length : buffer.size() - 1);
}

bool writeSettingsEntry(std::string_view path, std::string_view section, std::optional<std::string_view> key,
                        std::optional<std::string_view> value)
{
    const std::string file(path);
    const std::string sectionName(section);
    const std::string keyName(key.value_or(std::string_view{}));
    const std::string text(value.value_or(std::string_view{}));
    return WritePrivateProfileStringA(sectionName.c_str(), key ? keyName.c_str() : nullptr,
                                      value ? text.c_str() : nullptr, file.c_str()) != 0;
}

} // namespace wrivo
