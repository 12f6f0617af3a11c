// The edit box's look: text and background colours, font face and size, kept
// in the settings file beside the program and applied on every focus gain.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "host/host_types.h"

namespace wrivo {

namespace appearance {
inline constexpr std::int32_t defaultTextColour = 16776960;        // red 0, green 255, blue 255
inline constexpr std::int32_t defaultBackgroundColour = 14692440;  // red 88, green 48, blue 224
inline constexpr std::int32_t defaultFontSize = 18;
// Sizes in the settings file outside these points are taken as the default.
inline constexpr std::int32_t smallestFontSize = 1;
inline constexpr std::int32_t largestFontSize = 500;
inline constexpr const char* defaultFontFace = "宋体";
inline constexpr std::int32_t listTextColour = 16711935;           // red 255, green 0, blue 255
// What a background that would hide the text is replaced with.
inline constexpr std::int32_t conflictBackgroundColour = 16744576; // red 128, green 128, blue 255

inline constexpr const char* section = "配置";
inline constexpr const char* fontFaceKey = "字体名称";
inline constexpr const char* fontSizeKey = "字体大小";
inline constexpr const char* textColourKey = "文本颜色";
inline constexpr const char* backgroundColourKey = "背景颜色";
inline constexpr const char* monthKey = "wikyxqq";
} // namespace appearance

// The settings file: the program's folder and "\qelvorinthab.ini", built anew
// for every read and write.
std::string settingsPath();
void storeSetting(const char* key, const std::string& text);

namespace handlers {
std::optional<std::int32_t> applySettings(const EventArguments& arguments);
std::optional<std::int32_t> chooseTextColour(const EventArguments& arguments);
std::optional<std::int32_t> chooseBackgroundColour(const EventArguments& arguments);
std::optional<std::int32_t> applyChosenColour(const EventArguments& arguments);
std::optional<std::int32_t> restoreDefaults(const EventArguments& arguments);
// The font dialog; a confirmed face and size go to the edit box and the file.
std::optional<std::int32_t> chooseFont(const EventArguments& arguments);
} // namespace handlers

} // namespace wrivo
