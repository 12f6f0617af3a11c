// Where unsaved text is kept on disk: recovery copies of the working
// document in %LOCALAPPDATA%\Wrivo\Recovery\ and the shelf of discarded
// documents in %LOCALAPPDATA%\Wrivo\Discarded\, both made on demand.
// Safe to call from a worker thread (nothing here touches a window).
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "services/recovery_record.h"

namespace wrivo {

// The two folders, made when missing; empty when they cannot be made.
std::string recoveryFolder();
std::string shelfFolder();

// This program, and whether a program that kept copies still runs.
ProcessIdentity currentProcess();
bool processRunning(const ProcessIdentity& process);

// Writes the bytes as this program's copy and then its record (each through
// a temporary file, so neither is ever half written); the record's owner,
// size and checksum are filled in here. False when either write failed.
bool writeRecoveryCopy(RecoveryRecord record, std::span<const std::uint8_t> bytes);

// Removes a program's copy, the record first. Nothing there is fine.
void removeRecoveryCopy(const ProcessIdentity& owner);

// A record found in the recovery folder; `record` is nothing when it does
// not read, or names another owner than the file name does.
struct StoredCopy {
    std::string stem; // the folder's path + "\" + recoveryStem(owner)
    std::optional<RecoveryRecord> record;
};
// The records whose program has ended (this program's own and those of
// programs still running are not even opened: they may be writing them).
std::vector<StoredCopy> recoveryCopiesLeftBehind();

// The copy's bytes, or nothing when the copy is missing, unreadable or does
// not match its record.
std::optional<std::vector<std::uint8_t>> readRecoveryCopy(const StoredCopy& copy);

// Moves a damaged copy and its record out of the way (".bad" added to each
// name), so they are never offered again; answers the copy's new path.
std::string setAsideRecoveryCopy(const StoredCopy& copy);

// Removes a copy and record found in the folder (after its text was taken
// or shelved).
void removeStoredCopy(const StoredCopy& copy);

// Puts the bytes on the shelf under a name from the time and their first
// characters, then keeps only the shelfCapacity newest files there.
bool shelveText(std::span<const std::uint8_t> bytes, const DateTimeFields& time);

} // namespace wrivo
