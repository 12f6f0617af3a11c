// The files of the history: versions kept before a save replaces a file, in
// %LOCALAPPDATA%\Wrivo\History\<hash of the path>\ (see version_store.h for
// the names and the limits), and the two lists the history dialog shows.
// Keeping and housekeeping run on the worker; nothing here touches a window
// but showInExplorer.
//
// Every file in the history is written through a temporary file and a
// rename, and removed only by the housekeeping rule. Files the store does not
// recognise are left alone.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "services/store/version_store.h"

namespace wrivo {

// Whether the path names a file inside the store's own folder (recovery
// copies, the shelf, the history itself): those get no versions.
bool isStoreFile(std::string_view path);

// Keeps the bytes a save of the file at `documentPath` is replacing, saved at
// `time`, with their 字数, unless they are the newest version already; then
// tidies the history. Failed when the history cannot be written.
enum class VersionOutcome {
    kept,
    alreadyKept,
    failed
};
VersionOutcome keepVersion(std::string_view documentPath, std::span<const std::uint8_t> bytes, std::int64_t words,
                           const DateTimeFields& time);

// Applies the limits to every file's history, and removes temporary files an
// ended write left behind a day ago or more.
void tidyVersions();

// One line of either list: the file (a name the code page cannot spell
// still opens), its time, its 字数 when known, the change from the version
// before (versions), and its first characters (shelf files).
struct VersionsEntry {
    std::wstring path;
    std::string shownPath; // the path with "?" for what the code page cannot spell
    NameTime time;
    std::optional<std::int64_t> words;
    std::optional<std::int64_t> change;
    std::string head;
};
// The file's versions and the shelf, newest first, at most mostListed each.
// 字数 come from the names; only the head of each shelf file is read.
std::vector<VersionsEntry> listedVersionsOf(std::string_view documentPath);
std::vector<VersionsEntry> listedShelf();

// The entry's bytes, at most largestReadableFile of them; nothing when the
// file cannot be read (`size` then holds its size when it has one).
std::optional<std::string> readVersionsEntry(const VersionsEntry& entry, std::uint64_t& size);

// Explorer with the file chosen in its folder.
void showInExplorer(const std::wstring& file);
// The folder that file's list lives in (for a list with nothing chosen).
std::wstring historyFolderOf(std::string_view documentPath);
std::wstring shelfListFolder();

} // namespace wrivo
