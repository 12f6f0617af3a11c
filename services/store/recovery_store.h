// Where unsaved text is kept on disk: recovery copies of the working
// document in %LOCALAPPDATA%\Wrivo\Recovery\ and the shelf of discarded
// documents in %LOCALAPPDATA%\Wrivo\Discarded\, both made on demand.
// Safe to call from a worker thread (nothing here touches a window).
//
// A copy is one file, written under a temporary name and renamed over the
// previous one, so that a program ended at any instant leaves either its
// previous complete copy or the new one. Copies that do not read are moved
// into Recovery\Damaged\, never deleted at once; the store removes what it
// set aside, and temporary files left by an ended write, 30 days after they
// were set aside or left.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "services/store/files.h"
#include "services/store/recovery_record.h"

namespace wrivo {

// %LOCALAPPDATA%\Wrivo itself, made when missing; empty when it cannot be
// made. Everything of ours lives in it.
std::string storeFolder();
// Where that folder is or would be, made or not; empty when the user's
// local data folder is unknown.
std::string storeFolderPath();

// The two folders, made when missing; empty when they cannot be made.
std::string recoveryFolder();
std::string shelfFolder();
// Where damaged copies are moved (inside the recovery folder).
std::string damagedCopiesFolder();
// The versions of saved files, made when missing; empty when it cannot be.
std::string historyFolder();

// Whether both folders can be made and written: asked once at start.
bool recoveryStoreWritable();

// This program, and whether a program that kept copies still runs.
ProcessIdentity currentProcess();
bool processRunning(const ProcessIdentity& process);

// Writes the bytes as the copy of the record's owner (this program when the
// owner is not set), replacing its previous copy in one step; the record's
// size and checksum are filled in here. A text larger than the largest copy
// read back is not written (the previous copy stays).
enum class CopyOutcome {
    written,
    failed,
    tooLarge
};
CopyOutcome writeRecoveryCopy(RecoveryRecord record, std::span<const std::uint8_t> bytes);
inline constexpr std::uint64_t largestRecoveryCopy = largestReadableFile; // what open would take

// When the shelf cannot take a text the program is about to let go, it is
// kept in the recovery folder instead, as a copy under a name of its own
// that the program's running copy never replaces: offered at the next start
// like any copy left behind. This program's kept copies are limited as the
// shelf is (the one just written always stays). False when it could not be
// written either.
bool keepUnshelvedText(RecoveryRecord record, std::span<const std::uint8_t> bytes);

// Removes a program's copy. Nothing there is fine.
void removeRecoveryCopy(const ProcessIdentity& owner);

// A copy in the recovery folder whose program has ended (this program's own
// and those of programs still running are not even opened: they may be
// writing them).
struct StoredCopy {
    std::wstring path;   // the copy (of an older version: its text)
    bool legacy = false; // an older version's text, with its record beside it when it got that far
};
std::vector<StoredCopy> recoveryCopiesLeftBehind();

// The copy's record and text, or nothing when it does not read or does not
// match its record.
struct RecoveredText {
    RecoveryRecord record;
    std::vector<std::uint8_t> text;
};
std::optional<RecoveredText> readRecoveryCopy(const StoredCopy& copy);

// Moves a damaged copy into the damaged-copies folder, its name led by the
// moment of the move (setAsideName); false when it could not be moved.
bool setAsideRecoveryCopy(const StoredCopy& copy);

// A copy whose text this program has taken over (restored into its
// document) is removed when this program's own copy next settles: written,
// or removed because its text is safe elsewhere (saved, shelved, equal to
// its file, kept). Until then it stays, so a copy that cannot be written (a
// full disk) never leaves the text only in memory. Called in order with the
// copy's writes (on the worker that makes them).
void removeOnceOwnCopySettles(const StoredCopy& copy);

// Removes a copy found in the folder (after its text was taken or shelved).
void removeStoredCopy(const StoredCopy& copy);

// Removes copies set aside more than 30 days ago and temporary files older
// than that.
void tidyRecoveryStore();

// Puts the bytes on the shelf under a new name from the time and their first
// characters, then keeps only the newest there (shelfCapacity files, at most
// shelfByteCapacity bytes together), the file just written always among them.
bool shelveText(std::span<const std::uint8_t> bytes, const DateTimeFields& time);

// The notes a document save keeps in the recovery folder while the document
// may be held under its backup's name (writeFile's BackupNotes).
BackupNotes& documentSaveNotes();

// Saves that a program ended in the middle of, found in their notes: those
// whose backup is still there beside a document that is missing or holds
// other bytes. The other notes (the save finished, or was undone) are
// removed here. The backup itself is never removed by the program.
struct InterruptedSave {
    SaveNote note;
    std::string notePath;
};
std::vector<InterruptedSave> interruptedSaves();
// Once the user has been told.
void forgetInterruptedSave(const InterruptedSave& save);

} // namespace wrivo
