// A second copy of every saved document in the folder chosen with 备份位置…
// (a USB stick, a synced folder), kept as backup_folder= in writing.txt.
//
// The copy is written on a thread of its own after the save, so that a slow
// or removed stick never stops or delays the save, a recovery copy or a
// version. A folder that cannot take a copy is said once a run, and the next
// save that can writes the copy. A document in the backup folder itself is
// never copied: the copy would be the document.
#pragma once
#include <atomic>
#include <memory>

#include "app/document_model.h"

namespace wrivo::backups {

struct Trouble {
    std::atomic<bool> failed{false};
    bool told = false;
    bool sameDiskTold = false;
};

// Follows saves: each one posts its text's copy.
std::unique_ptr<DocumentWatcher> watchSaves();

// A copy that could not be written, said once a run before the next command.
void reportTrouble();

// Exit waits for a copy under way, 2 s at most.
void settleBeforeExit();

} // namespace wrivo::backups
