// The commands of the "查找替换" menu (find, find next and previous, replace,
// go to a paragraph, undo and redo). Every change they make is the
// document's (app/document.h).
#pragma once
#include <cstdint>
#include <optional>

#include "app/command_handlers.h"
#include "host/host_types.h"
#include "services/dialogs/find_replace_dialog.h"

namespace wrivo {

// Replace all: every match of the search in one step of the document.
// Answers how many were replaced (0: none, and nothing changed).
std::size_t replaceEveryMatch(const FindRequest& search);

} // namespace wrivo
