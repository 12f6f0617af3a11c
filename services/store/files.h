// Whole-file reading and writing, and the program's own folder.
//
// Documents move between the edit box and the disk through these: a file is
// read whole into a byte block, and written whole from one or more blocks.
// Writing never leaves a half-written document behind: the bytes go to a
// temporary file beside the target (made under a name no file has), which
// replaces the target only once all of them are on the disk. A path through a symbolic link writes the file the
// link points to, and the link stays a link.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wrivo {

// The largest file read whole. A document this size already takes minutes
// for the edit control to lay out, and the program holds a few copies of it
// (the control's own, the statistics', a read-back); far larger ones would
// run a 32-bit program out of memory part-way, which must never cost the
// document that is open.
inline constexpr std::uint64_t largestReadableFile = 64u << 20;

// The file's size in bytes, or nothing when it cannot be opened.
std::optional<std::uint64_t> fileSize(std::string_view path);

// The whole file, or nothing when it cannot be read (empty path, missing,
// locked for writing by another program, unreadable, larger than
// largestReadableFile). An empty file gives an empty block, so callers can
// tell "empty" from "cannot be read".
// The file is opened read-only, letting others read but not write it.
// `largest` lowers or raises the size limit (never past 4 GB).
std::optional<std::vector<std::uint8_t>> tryReadFile(std::string_view path,
                                                     std::uint64_t largest = largestReadableFile);

// The whole file; the empty block both for an empty file and for one that
// cannot be read.
std::vector<std::uint8_t> readFile(std::string_view path);

// Writes the blocks in order as the whole new content of the file, creating
// it if needed. True only when every byte was written and the file replaced.
// False, with any existing file left exactly as it was, when the path is
// empty, its folder does not exist, the file cannot be opened for writing
// (read-only, held open by another program), or a write fails part-way (the
// disk is full).
bool writeFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks = {});

// Why a write failed: the system's error code (ERROR_SHARING_VIOLATION,
// ERROR_ACCESS_DENIED, ERROR_DISK_FULL, ...), and whether there was a file
// under that name to keep.
struct WriteFailure {
    std::uint32_t systemError = 0;
    bool targetExisted = false;
};
// While a document is replaced (ReplaceFile, with a backup name) there is a
// moment in which it may be held under the backup's name alone. Told before
// that moment with both names, and after it once the document has its own
// name again; not told the second time when it has not (then the note is the
// only trace of where the document went).
class BackupNotes {
public:
    virtual void noteBackup(std::string_view document, std::string_view backup) = 0;
    virtual void forgetBackup() = 0;

protected:
    ~BackupNotes() = default;
};
bool writeFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks,
               WriteFailure& failure, BackupNotes* notes = nullptr);

// As writeFile, for the program's own files (never a document): the new file
// takes the name by one replacing rename, with nothing to keep of the old
// one's attributes, so there is no moment in which the name holds no file.
bool writeOwnFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks);

// As writeFile, but only under a name no file has yet: false, with the
// system's ERROR_ALREADY_EXISTS (or another reason) in `failure`, when the
// name is taken, also when another program takes it at the same moment.
bool writeNewFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks,
                  WriteFailure& failure);

// 0 when a new file can be made in the folder (one is made and removed, the
// way writeFile makes its temporary file), else the system's reason.
std::uint32_t newFileRefusal(std::string_view folder);

// The system's own text for an error code, without the closing line break;
// empty when the system has none.
std::string systemMessage(std::uint32_t code);

// The full path a possibly relative one names from the current folder now
// (the path as given when the system cannot say).
std::wstring fullPath(const std::wstring& path);

// The file a path finally names, through symbolic links and short (8.3)
// names, in the usual form ("C:\...", "\\server\..."); nothing when the
// system cannot tell (no such file, or before Windows Vista).
std::optional<std::wstring> finalPathName(const std::wstring& path);

// The folder holding the program's executable, without a trailing backslash;
// empty when the path holds no backslash.
std::string programDirectory();

} // namespace wrivo
