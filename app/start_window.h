// The start window: the splash and its hand-over to the main window.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "host/host_types.h"

namespace wrivo {

inline constexpr std::int32_t splashFrameCount = 28;

// The main window's caption from the hand-over on.
inline constexpr std::string_view startTitle = "Wrivo  3.7    --  Orvanne出品 www.orvanne.com  ";

extern const UnitRef startWindowRef;
extern const UnitRef splashTimerRef;
extern const UnitRef mainWindowRef;

std::optional<std::int32_t> onStartWindowCreated(const EventArguments& arguments);
std::optional<std::int32_t> onSplashTick(const EventArguments& arguments);

} // namespace wrivo
