// The commands of the "查找替换" menu (find, find next and previous, replace,
// go to a paragraph, undo and redo) and the one history that every change of
// the document goes into.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/command_handlers.h"
#include "app/edit_history.h"
#include "host/host_types.h"
#include "services/find_replace_dialog.h"

namespace wrivo {

// Every content change, once the count has read the new text: the user's
// edit becomes a step (found by comparing the texts the count read before and
// now), unless it is a step being undone or redone, or one the editor made
// through changeAsStep.
void recordDocumentChange(const std::string& before, const std::string& after);

// A change the editor makes itself (a replacement): `change` must change the
// document once, and the history takes it as `step`.
void changeAsStep(EditStep step, const std::function<void()>& change);

// New and open: the history starts afresh.
void startFreshHistory();

// Replace all: every match of the search in one pass, one step of the
// history, one content change and one rewrite of the strip. Answers how many
// were replaced (0: none, and nothing changed).
std::size_t replaceEveryMatch(const FindRequest& search);

} // namespace wrivo
