// Closing the main window: offer to save, confirm, and on the first confirmed
// exit of a month open the partner page before the process ends.
#pragma once
#include <cstdint>
#include <optional>

#include "host/host_types.h"

namespace wrivo {

// Opens the partner page unless this month's number is already stored.
void monthlyPage();

namespace handlers {
// May close: answers false to keep the window; a confirmed exit never returns.
std::optional<std::int32_t> exitDialogue(const EventArguments& arguments);
} // namespace handlers

} // namespace wrivo
