// The edit box's look: text and background colours, font face and size, kept
// in the settings file beside the program and applied on every focus gain.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "app/command_handlers.h"
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
std::optional<std::int32_t> applyChosenColour(const EventArguments& arguments);
} // namespace handlers

} // namespace wrivo
