// Files named from outside the program: on its command line at start
// (Explorer's "Open with", a file dropped on the program's icon, a shortcut)
// or dropped on the main window. Each is opened as the open command opens
// the file chosen in its dialog; with several, the first.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/host_types.h"

namespace wrivo {

// The first of the command line's arguments, opened into the (empty)
// document; nothing when there are none.
void openCommandLineFile(const std::vector<std::wstring>& arguments);

namespace handlers {
// Files dropped on the main window: the first is opened, after the open
// command's warning when the document is not empty.
std::optional<std::int32_t> openDroppedFile(const EventArguments& arguments);
} // namespace handlers

} // namespace wrivo
