// The application's own state, created by the start routine and living until
// the exit routine (the start window's skin object belongs to the skin
// engine). Handlers are plain functions the host calls by index, with no
// object of their own to carry state from one call to the next: what must
// outlive a call and has no better home is here, each with its one user.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/backup_copies.h"
#include "app/document_model.h"
#include "app/edit_box_binding.h"
#include "app/recovery_internal.h"
#include "app/versions.h"
#include "services/dialogs/find_replace_dialog.h"
#include "services/store/background_queue.h"

namespace wrivo {

namespace writing {
struct Desk; // app/writing_desk_win32.cpp
struct Lock; // app/writing_lock_win32.cpp
} // namespace writing
struct ChapterState; // app/chapter_commands_win32.cpp
namespace publishing {
struct CheckState; // app/publish_commands_win32.cpp
}

struct AppGlobals {
    // The editor's one document (reached through document()): every command
    // and the edit box's content-changed event act on the same one, through
    // the one binding to the edit box.
    DocumentModel document;
    EditBoxBinding binding{document};
    // What follows the document, in the order it is told of a change: the
    // caption and the strip, the recovery copy, the chapter list, the
    // writer's desk, the versions, the backup copies (made in
    // app/app_globals_win32.cpp).
    std::vector<std::unique_ptr<DocumentWatcher>> watchers;
    // The start window's frame count: one splash tick after another.
    std::int32_t splashTicks = 0;
    // Whether the colour dialog now open chooses the text's colour (else the
    // background's): asked in one command, applied in the colour event.
    bool colourTarget = false;
    // The last search (its term empty until the first): F3 and Shift+F3
    // repeat it, and the find dialogs start from it.
    FindRequest lastSearch;
    // The program's arguments as the start routine found them: the first
    // names a file to open once the main window is up.
    std::vector<std::wstring> commandLine;
    // The daily goal, the writing log and the tidy-up's choices, read from
    // the store when first needed.
    std::shared_ptr<writing::Desk> writingDesk;
    // 闭关写作 while it lasts; it never outlives the program.
    std::shared_ptr<writing::Lock> writingLock;
    // The chapter list's parts and when the document last changed, made
    // when first needed.
    std::shared_ptr<ChapterState> chapters;
    // The open publishing check's findings, lists and ignored words, made
    // when first needed.
    std::shared_ptr<publishing::CheckState> publishCheck;
    // Copies left behind are offered once a run: the start hand-over may
    // come through twice.
    bool recoveryOffered = false;
};

// What outlives the application's state: the interval timers, the one worker thread, which keeps
// recovery copies, shelf files and versions in order and may still be
// writing when the exit routine frees AppGlobals, and what it reports. Made
// at first use and never freed (a thread still joinable at destruction would
// end the program badly).
struct ProcessState {
    BackgroundQueue worker;
    // An interval timer runs until the process ends: the chapter list's is
    // started once.
    bool chapterTimerStarted = false;
    recovery::CopyState recoveryCopy;
    versions::Trouble versionTrouble;
    // Copies to the backup folder have a thread of their own: a slow or
    // removed stick holds up no recovery copy and no version.
    BackgroundQueue backupWorker;
    backups::Trouble backupTrouble;
};
ProcessState& processState();
// The worker (processState().worker).
BackgroundQueue& worker();

// Null before the start routine made them and after the exit routine freed them.
AppGlobals* appGlobals();
void createAppGlobals();
void releaseAppGlobals();

} // namespace wrivo
