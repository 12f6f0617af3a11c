// The commands of the menu bar that no document or appearance rule owns:
// the notices, the date and time, hiding and showing the window with Esc, and
// the web pages.
#pragma once
#include <cstdint>
#include <optional>

#include "app/command_handlers.h"
#include "host/host_types.h"

namespace wrivo {

// Esc in the edit box: the window turns nearly transparent, stays on top, and
// the editor is disabled. Esc on the main window shows it again.
void hideWindow();
void showWindow();

namespace handlers {
std::optional<std::int32_t> mainWindowKeyDown(const EventArguments& arguments);
} // namespace handlers

} // namespace wrivo
