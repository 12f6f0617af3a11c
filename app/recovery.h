// Unsaved text is never lost: a recovery copy of the working document kept on
// disk while it holds unsaved text, offered again at the next start when its
// program ended without removing it, and a shelf that receives the text an
// action throws away. Every entry here is one line in the command it serves.
#pragma once

namespace wrivo::recovery {

// The document changed (its content-changed event): the moment is noted and
// nothing else is done; a timer makes the copy once typing pauses.
void documentChanged();

// The document was written to its file: its copy goes.
void documentSaved();

// Before a command empties or replaces the document (clear, new answered
// No, open over it): unsaved text goes to the shelf and its copy goes.
void shelveUnsavedDocument();

// A confirmed exit: unsaved text goes to the shelf. `keepCopy` (the user
// asked to save and the save did not happen) also leaves a current copy for
// the next start. Returns once everything is on disk.
void shelveBeforeExit(bool keepCopy);

// The session ends: a current copy of unsaved text is on disk on return.
void keepCopyForSessionEnd();

// At start, once the main window is up: copies left by programs that have
// ended are offered one by one ("恢复："); at most one is restored, the rest
// go to the shelf. Damaged ones are reported and set aside.
void offerRecoveredCopies();

} // namespace wrivo::recovery
