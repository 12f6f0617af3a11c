// Built with the Win32 code: the entries go through the profile calls of
// services/store/settings_win32.cpp, which the portable core does not link.
#include "app/settings_file.h"

#include "services/store/files.h"
#include "services/store/settings.h"

namespace wrivo {

std::string settingsPath()
{
    return programDirectory() + "\\qelvorinthab.ini";
}

std::string readSetting(const char* key, std::string_view fallback)
{
    return readSettingsEntry(settingsPath(), settingsFile::section, key, fallback);
}

void storeSetting(const char* key, const std::string& text)
{
    writeSettingsEntry(settingsPath(), settingsFile::section, key, text);
}

} // namespace wrivo
