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

// Once the main window is up after the splash: a word where the code page is
// not GBK, then the file named on the command line.
void afterHandOver();

// A word (one message box) when `codePage` is not GBK's 936.
void warnAboutCodePage(std::uint32_t codePage);

} // namespace wrivo
