// Earlier versions of saved files, and the shelf as a list: the pure part of
// the history (services/store/version_store_win32.cpp does the files).
//
// Before a save replaces a file with different bytes, the old bytes are kept
// in %LOCALAPPDATA%\Wrivo\History\<folder>\, one folder per file, named by a
// hash of the path the file finally has (through short names and symbolic
// links; case-folded, so "A.TXT" and "a.txt" share one), with a path.txt
// naming the file. A version is
// "<yyyymmdd-hhmmss>-<字数>.txt", the time of the save that replaced it; a
// second save in the same second adds "-2", "-3" … before the extension.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/text/datetime.h"

namespace wrivo {

// 16 lower-case hex digits of a 64-bit FNV-1a hash of the path's UTF-16 code
// units (low byte first), as the caller has case-folded them.
std::string historyFolderName(std::u16string_view foldedPath);

// A moment as its name gives it: yyyymmddhhmmss read as one number, so that
// later is larger; and the number of a name taken again in the same second.
struct NameTime {
    std::uint64_t stamp = 0;
    int duplicate = 1;
    friend auto operator<=>(const NameTime&, const NameTime&) = default;
};

// "20261209-233005-1234.txt", "20261209-233005-1234-2.txt".
std::string versionFileName(const DateTimeFields& time, std::int64_t words, int duplicate = 1);

// The number a version saved at `time` takes among `names`: one past the
// last of that second, 1 when there is none (so that every version of one
// second sorts after the one before, whatever its 字数).
int nextDuplicate(const std::vector<std::string>& names, const DateTimeFields& time);

struct VersionName {
    NameTime time;
    std::int64_t words = 0;
};
// Nothing for a name this program does not give (a foreign file, path.txt).
std::optional<VersionName> parseVersionFileName(std::string_view name);

// What the history keeps: per file the newest versionsPerFile versions of at
// most versionBytesPerFile together, and versionBytesInAll over all files.
inline constexpr std::size_t versionsPerFile = 100;
inline constexpr std::uint64_t versionBytesPerFile = 100ull << 20;
inline constexpr std::uint64_t versionBytesInAll = 1ull << 30;

struct StoredVersion {
    std::string folder; // the file's history folder (its name is enough)
    std::string name;
    std::uint64_t size = 0;
    bool justWritten = false; // its file's newest, whatever the names' dates say
    friend bool operator==(const StoredVersion&, const StoredVersion&) = default;
};
struct VersionLimits {
    std::size_t perFile = versionsPerFile;
    std::uint64_t bytesPerFile = versionBytesPerFile;
    std::uint64_t bytesInAll = versionBytesInAll;
};
// The versions to remove, oldest first: within a file, every version older
// than the first one past the file's limits; then, over all files, the oldest
// until the rest fit the total. The newest version of each file always stays:
// the one just written when there is one. Versions dated after the one just
// written were named by a clock that was ahead and has since been set back:
// they are older than every other and go first, so that each save keeps the
// text it replaced however many such names there are.
// Names that are not versions are neither counted nor removed.
std::vector<StoredVersion> versionsToRemove(std::vector<StoredVersion> versions, const VersionLimits& limits = {});

// One line of a file's history, newest first: the 字数 and its change from
// the version before it (none for the oldest).
struct ListedVersion {
    std::string name;
    NameTime time;
    std::int64_t words = 0;
    std::optional<std::int64_t> change;
};
inline constexpr std::size_t mostListed = 200;
std::vector<ListedVersion> listVersions(const std::vector<std::string>& names, std::size_t most = mostListed);

// A shelf file's name with its 字数: "（1234字）" right after the time (and
// its "-2"), where a name without one never has anything but a space or the
// extension. "20261208-173005 第一章.txt" -> "20261208-173005（1234字） 第一章.txt".
std::string shelfNameWithCount(std::string_view plainName, std::int64_t words);

// One shelf file, newest first; `words` is missing for a file shelved before
// names carried it.
struct ListedShelfFile {
    std::string name;
    NameTime time;
    std::optional<std::int64_t> words;
};
std::vector<ListedShelfFile> listShelf(const std::vector<std::string>& names, std::size_t most = mostListed);

// "2026-12-09 23:30:05" for a name's time.
std::string nameTimeText(const NameTime& time);

// The first `count` characters of a text's head for a list line: runs of
// spaces and line breaks become one space, a broken character at the end of
// the head is left out.
std::string firstCharacters(std::string_view head, std::size_t count = 20);

} // namespace wrivo
