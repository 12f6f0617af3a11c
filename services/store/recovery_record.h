// The recovery copy's record and the shelf's file names: the pure part of
// keeping unsaved text on disk (services/store/recovery_store_win32.cpp does the
// files).
//
// A recovery copy is one file: a small record, then the document's GBK bytes.
// The record holds the remembered file name, the time of the copy, the
// process that keeps it (its id and its start time, since ids are reused) and
// the size and checksum of the bytes. A copy that does not match its record
// is damaged and is never loaded. (Copies of older versions kept the record
// in a file of its own beside the text; those are still read.)
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "services/text/datetime.h"

namespace wrivo {

// A running program: its id and its start time (100 ns units), which
// together name it even after the id has been given to another one.
struct ProcessIdentity {
    std::uint32_t id = 0;
    std::uint64_t started = 0;
    friend bool operator==(const ProcessIdentity&, const ProcessIdentity&) = default;
};

struct RecoveryRecord {
    std::string fileName; // the remembered file; empty when there is none
    std::string timeText; // when the copy was written, as the user reads it
    ProcessIdentity owner;
    std::uint64_t byteCount = 0;
    std::uint32_t checksum = 0;
    friend bool operator==(const RecoveryRecord&, const RecoveryRecord&) = default;
};

// FNV-1a over the bytes: enough to tell a truncated or overwritten copy.
std::uint32_t recoveryChecksum(std::span<const std::uint8_t> bytes);

// The record as stored (GBK text, one "key=value" a line), and back. A record
// that is cut short, has a line too many or too few, a number that does not
// read, or a file name with a line break in it reads as nothing.
std::string recordText(const RecoveryRecord& record);
std::optional<RecoveryRecord> parseRecord(std::string_view text);

// Whether the bytes are the ones the record describes.
bool copyMatchesRecord(const RecoveryRecord& record, std::span<const std::uint8_t> bytes);

// A copy file's record and the text after it, or nothing when the record does
// not read or the text does not match it.
struct ParsedCopy {
    RecoveryRecord record;
    std::span<const std::uint8_t> text;
};
std::optional<ParsedCopy> parseCopyFile(std::span<const std::uint8_t> file);
// The most a record can take up at the head of a copy file.
inline constexpr std::size_t longestRecord = 64 * 1024;

// "wrivo-<id>-<start time in hex>": one program's copy is this stem with
// ".copy" (older versions: ".txt" and ".rec").
std::string recoveryStem(const ProcessIdentity& owner);
// A copy kept in place of a shelf file the program could not write: the
// program's stem and "-<serial>", a name of its own that the program's
// running copy never takes.
std::string keptCopyStem(const ProcessIdentity& owner, int serial);
// The owner a stem (or a kept copy's stem) names, or nothing when it is not
// such a stem.
std::optional<ProcessIdentity> ownerOfStem(std::string_view stem);
bool isKeptCopyStem(std::string_view stem);

// A damaged copy's name once set aside: the moment it was set aside (UTC,
// 100 ns units since 1601, as the system's file times) and its own name,
// "20261209-233000Z wrivo-….copy", so that housekeeping counts from the move
// whatever the file's own dates say. The moment a name carries, or nothing
// for a name without one (set aside by an older version).
std::string setAsideName(std::string_view name, std::uint64_t fileTime);
std::optional<std::uint64_t> setAsideTime(std::string_view name);

// While a save replaces a document, a note of the document's path and the
// backup name it may be held under; GBK text, one "key=value" a line.
struct SaveNote {
    std::string document;
    std::string backup;
    friend bool operator==(const SaveNote&, const SaveNote&) = default;
};
std::string saveNoteText(const SaveNote& note);
std::optional<SaveNote> parseSaveNote(std::string_view text);

// A shelf file's name: "20261208-173005 第一章 开头.txt", the time and the
// first few characters of the text that a file name may hold (runs of
// spaces and line breaks become one space; a lone or broken GBK byte is
// left out). `duplicate` above 1 tells apart names taken in the same second:
// "20261208-173005-2 ….txt".
std::string shelfFileName(const DateTimeFields& time, std::string_view text, int duplicate = 1);

inline constexpr std::size_t shelfCapacity = 50;
inline constexpr std::uint64_t shelfByteCapacity = 200ull << 20;

struct ShelfEntry {
    std::string name;
    std::uint64_t writeTime = 0; // the file's last write, 100 ns units
    std::uint64_t size = 0;
    bool justWritten = false; // the newest, whatever the clock said
};

// The entries to remove, oldest first (by write time, then by name), until at
// most `keep` stay and they hold at most `keepBytes` together. The newest
// entry always stays, however large: the one just written when there is one
// (files dated ahead by a clock since set back are older than it).
std::vector<std::string> shelfEntriesToRemove(std::vector<ShelfEntry> entries, std::size_t keep = shelfCapacity,
                                              std::uint64_t keepBytes = shelfByteCapacity);

} // namespace wrivo
