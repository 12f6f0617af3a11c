// The start window: the splash and its hand-over to the main window.
#pragma once
#include <cstdint>
#include <optional>

#include "host/host_types.h"

namespace wrivo {

extern const UnitRef startWindowRef;
extern const UnitRef splashTimerRef;
extern const UnitRef mainWindowRef;

std::optional<std::int32_t> onStartWindowCreated(const EventArguments& arguments);
std::optional<std::int32_t> onSplashTick(const EventArguments& arguments);

} // namespace wrivo
