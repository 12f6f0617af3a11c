// The settings file beside the program: where it is, its one section, the
// keys the program keeps there and the factory values they fall back to.
// Every read and write goes to the file; nothing is cached.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wrivo {

namespace settingsFile {
inline constexpr const char* section = "配置";
inline constexpr const char* fontFaceKey = "字体名称";
inline constexpr const char* fontSizeKey = "字体大小";
inline constexpr const char* textColourKey = "文本颜色";
inline constexpr const char* backgroundColourKey = "背景颜色";
// The number of the month whose first exit last opened the partner page.
inline constexpr const char* monthKey = "wikyxqq";

inline constexpr std::int32_t defaultTextColour = 16776960;       // red 0, green 255, blue 255
inline constexpr std::int32_t defaultBackgroundColour = 14692440; // red 88, green 48, blue 224
inline constexpr std::int32_t defaultFontSize = 18;
// Sizes in the settings file outside these points are taken as the default.
inline constexpr std::int32_t smallestFontSize = 1;
inline constexpr std::int32_t largestFontSize = 500;
inline constexpr const char* defaultFontFace = "宋体";
} // namespace settingsFile

// The program's folder and "\qelvorinthab.ini", built anew for every read and write.
std::string settingsPath();
// The entry of the key in the section, or the fallback when there is none.
std::string readSetting(const char* key, std::string_view fallback = {});
// Stores the entry; a failed write is not reported (nothing on screen depends on it).
void storeSetting(const char* key, const std::string& text);

} // namespace wrivo
