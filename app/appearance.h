// The edit box's look: text and background colours, font face and size, kept
// in the settings file beside the program and applied on every focus gain.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "host/host_types.h"

namespace wrivo {

// The factory look itself (colours, face, size) is kept with the settings
// file's keys (app/settings_file.h).
namespace appearance {
inline constexpr std::int32_t listTextColour = 16711935; // red 255, green 0, blue 255
// What a background that would hide the text is replaced with.
inline constexpr std::int32_t conflictBackgroundColour = 16744576; // red 128, green 128, blue 255
} // namespace appearance

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
