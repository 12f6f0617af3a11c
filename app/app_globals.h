// The application's own state, created by the start routine and living until
// the process ends (the start window's skin object belongs to the skin engine).
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/edit_history.h"
#include "app/statistics.h"
#include "services/find_replace_dialog.h"

namespace wrivo {

namespace writing {
struct Desk; // app/writing_desk_win32.cpp
}

struct AppGlobals {
    std::int32_t splashTicks = 0;
    // The paragraphs of the last recount and the tracked line breaks.
    DocumentStatistics statistics;
    bool colourTarget = false;
    // Undo and redo, and the last search (its term empty until the first).
    EditHistory editHistory;
    FindRequest lastSearch;
    // What the edit box's next content change is: the user's own edit (it
    // goes into the history), a step being replayed (it does not), or a step
    // the editor makes itself (replace-all: it goes in as `ownStep`).
    enum class NextChange {
        userEdit,
        replay,
        ownStep
    } nextChange = NextChange::userEdit;
    std::optional<EditStep> ownStep;
    // The program's arguments as the start routine found them: the first
    // names a file to open once the main window is up.
    std::vector<std::wstring> commandLine;
    // The daily goal, the writing log and the tidy-up's choices, read from
    // the store when first needed.
    std::shared_ptr<writing::Desk> writingDesk;
};

// Null before the start routine made them and after the exit routine freed them.
AppGlobals* appGlobals();
void createAppGlobals();
void releaseAppGlobals();

} // namespace wrivo
