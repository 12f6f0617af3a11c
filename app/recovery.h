// Unsaved text is never lost: a recovery copy of the working document kept on
// disk while it holds unsaved text, offered again at the next start when its
// program ended without removing it, and a shelf that receives the text an
// action throws away. Every entry here is one line in the command it serves.
#pragma once
#include <memory>

#include "app/document_model.h"

namespace wrivo::recovery {

// The recovery copy's part in following the document. A change notes its
// moment and nothing else is done; a timer makes the copy once typing
// pauses. A change that empties or replaces the document (clear, New, open
// over it, a restored copy) first puts unsaved text on the shelf, and its
// copy goes; a save of the document removes its copy.
std::unique_ptr<DocumentWatcher> watchDocument();

// A confirmed exit: unsaved text goes to the shelf. `keepCopy` (the user
// asked to save and the save did not happen) also leaves a current copy for
// the next start. Returns once everything is on disk.
void shelveBeforeExit(bool keepCopy);

// The system asks whether the session may end (`ending`), or says that the
// end was cancelled: while it ends, a current copy of unsaved text is on disk
// on return, and a confirmed exit keeps one.
void sessionEnding(bool ending);
// Between the system's question whether the session may end and its end or
// cancellation: a close now is the session's, not the user's.
bool sessionIsEnding();

// At start, once the main window is up: copies left by programs that have
// ended are offered one by one ("恢复："); Yes brings that text into the
// editor, the texts not restored go to the shelf. Damaged ones are set aside
// and reported in one notice.
void offerRecoveredCopies();

// At start: a store that cannot be written is said once, before any typing.
void checkStoreAtStart();

// Before a command the user chose runs: trouble the background copy met since
// (a copy or shelf file not written, a document too large to copy) is said,
// each kind once a run. Never on its own, so it never takes typed keys.
void reportStoreTrouble();

} // namespace wrivo::recovery
