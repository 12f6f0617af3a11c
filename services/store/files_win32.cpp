#include "services/store/files.h"
#include "services/store/files_win32.h"

#include "host/dynamic_binding_win32.h"
#include "host/file_path.h"
#include "host/program_path.h"
#include "host/scoped_win32.h"
#include "services/text/code_page.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

namespace wrivo {

std::optional<std::wstring> finalPathName(const std::wstring& path)
{
    const auto finalPathName = optionalFunction<optionalGetFinalPathNameByHandleW>();
    if (!finalPathName) return std::nullopt;
    ScopedFile file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return std::nullopt;
    std::wstring wide(MAX_PATH, L'\0');
    DWORD length = finalPathName(file.get(), wide.data(), static_cast<DWORD>(wide.size()), 0);
    if (length >= wide.size()) {
        wide.resize(length + 1);
        length = finalPathName(file.get(), wide.data(), static_cast<DWORD>(wide.size()), 0);
    }
    if (length == 0 || length >= wide.size()) return std::nullopt;
    wide.resize(length);
    // "\\?\C:\..." and "\\?\UNC\server\..." back to the usual forms.
    if (wide.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + wide.substr(7);
    if (wide.rfind(L"\\\\?\\", 0) == 0) return wide.substr(4);
    return wide;
}

namespace {

// A temporary file, made under a name no file had and open for writing;
// deleted unless it has been moved into place. CREATE_NEW is the only test
// of the name: GetTempFileName is not used, since Wine's answers a number
// even when it could not make the file, which then reads as "file not found"
// instead of the folder's own refusal.
class TemporaryFile {
public:
    // Made in `folder`; invalid, with the system's reason in `failure`, when
    // the folder takes no new file.
    TemporaryFile(const std::string& folder, DWORD& failure)
    {
        static std::atomic<unsigned> serial{GetTickCount()};
        const std::string base = folder + (folder.empty() || folder.back() == '\\' ? "" : "\\");
        for (int attempt = 0; attempt < 100; ++attempt) {
            char name[48];
            std::snprintf(name, sizeof name, "~wrv%lx-%x.tmp", GetCurrentProcessId(), serial++);
            std::string path = base + name;
            file_.reset(
                CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_) {
                path_ = std::move(path);
                failure = 0;
                return;
            }
            failure = GetLastError();
            if (failure != ERROR_FILE_EXISTS && failure != ERROR_ALREADY_EXISTS) return;
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        file_.reset();
        if (!path_.empty()) DeleteFileA(path_.c_str());
    }
    explicit operator bool() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    ScopedFile& file() { return file_; }
    void keep() { path_.clear(); }

private:
    std::string path_;
    ScopedFile file_;
};

bool writeAll(HANDLE file, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x1000000 ? 0x1000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes = bytes.subspan(written);
    }
    return true;
}

// Whether the target may be written, as an exclusive create-always open would
// allow: it exists and opens for writing with no sharing, or it does not exist
// yet (its folder is checked when the temporary file is made). On refusal
// `failure` holds the system's reason.
bool targetIsWritable(const std::string& path, bool& exists, DWORD& failure)
{
    // Checked here as well because the open below succeeds on a read-only file
    // when the system does not enforce the attribute (Wine run by root).
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        exists = true;
        failure = ERROR_ACCESS_DENIED;
        return false;
    }
    // Shared all ways, as the recovery copy's reading of the document is: a
    // reader that lets writers and deleters in must not make a save fail.
    ScopedFile probe(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (probe) {
        exists = true;
        return true;
    }
    failure = GetLastError();
    exists = false;
    return failure == ERROR_FILE_NOT_FOUND;
}

ReplaceFileCall replaceFileCall = &ReplaceFileA;
WriteStepHook writeStepHook = nullptr;

void reachedStep(WriteStep step)
{
    if (writeStepHook) writeStepHook(step);
}

DWORD renameOver(const std::string& temporary, const std::string& target)
{
    return MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : GetLastError();
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Moves the written temporary file over an existing document; 0 or the
// system's reason. ReplaceFile keeps the document's attributes and creation
// time, and is given a backup name so that each of its documented failures
// (learn.microsoft.com, ReplaceFileA, return value) leaves the document
// findable: ERROR_UNABLE_TO_MOVE_REPLACEMENT ("the replaced and replacement
// files retain their original file names") and ERROR_UNABLE_TO_REMOVE_REPLACED
// (likewise) keep both under their own names; after
// ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 the document "still exists with a
// different name", the backup's, so it is moved back. While ReplaceFile runs
// the document may have only the backup's name: `notes` hold both names on
// disk meanwhile, for the next start should the program end right then.
DWORD replaceDocument(const std::string& temporary, const std::string& target, BackupNotes* notes)
{
    const std::string backup = temporary + ".bak";
    if (notes) notes->noteBackup(target, backup);
    const DWORD failure = replaceFileCall(target.c_str(), temporary.c_str(), backup.c_str(),
                                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                              ? 0
                              : GetLastError();
    if (failure == 0) {
        DeleteFileA(backup.c_str()); // the old document, replaced as asked
    } else if (failure == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 || (!exists(target) && exists(backup))) {
        // Left under the backup name if even this fails: never deleted.
        MoveFileExA(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    }
    // The note goes once the document has its name again; else it stays for
    // the next start to report.
    if (notes && exists(target)) notes->forgetBackup();
    if (failure == 0 || failure == ERROR_UNABLE_TO_MOVE_REPLACEMENT || failure == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 ||
        failure == ERROR_UNABLE_TO_REMOVE_REPLACED || !exists(target))
        return failure;
    // Volumes without ReplaceFile's support: a plain replacing rename.
    return renameOver(temporary, target);
}

// The file a path finally names: a symbolic link's target, so that a save
// replaces the target and the link stays a link. The path as given when the
// system cannot tell, or names it in what the code page cannot write.
std::string finalPath(const std::string& path)
{
    const std::optional<std::wstring> wide = finalPathName(widened(path));
    if (!wide) return path;
    BOOL lost = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, 0, wide->data(), static_cast<int>(wide->size()), nullptr, 0, nullptr, &lost);
    if (size <= 0 || lost) return path;
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide->data(), static_cast<int>(wide->size()), narrow.data(), size, nullptr, nullptr);
    return narrow;
}

// Opens an existing file with the given access and sharing (invalid on failure).
ScopedFile openExisting(std::string_view path, DWORD access, DWORD sharing)
{
    if (path.empty()) return ScopedFile();
    const std::string name(path);
    return ScopedFile(
        CreateFileA(name.c_str(), access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::uint64_t> sizeOf(const ScopedFile& file)
{
    if (!file) return std::nullopt;
    DWORD high = 0;
    const DWORD low = GetFileSize(file.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return std::nullopt;
    return std::uint64_t{high} << 32 | low;
}

} // namespace

std::optional<std::uint64_t> fileSize(std::string_view path)
{
    return sizeOf(openExisting(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE));
}

std::optional<std::vector<std::uint8_t>> tryReadFile(std::string_view path, std::uint64_t largest)
{
    const ScopedFile file = openExisting(path, GENERIC_READ, FILE_SHARE_READ);
    const std::optional<std::uint64_t> size = sizeOf(file);
    if (!size || *size > largest || *size > 0xFFFFFFFFu) return std::nullopt;
    const auto length = static_cast<DWORD>(*size);
    std::vector<std::uint8_t> bytes(length);
    DWORD total = 0;
    while (total < length) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + total, length - total, &got, nullptr)) return std::nullopt;
        if (got == 0) break; // the file shrank meanwhile: keep what arrived
        total += got;
    }
    bytes.resize(total);
    return bytes;
}

std::vector<std::uint8_t> readFile(std::string_view path)
{
    return tryReadFile(path).value_or(std::vector<std::uint8_t>{});
}

bool writeFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks)
{
    WriteFailure failure;
    return writeFile(path, blocks, failure);
}

namespace {

// How the written temporary file takes its name.
enum class Placing {
    document,  // over the document if there is one, keeping its attributes
    ownFile,   // one replacing rename
    freshName, // only under a name still free
};

// The folder a file's temporary file goes into: beside it, so that a rename
// can put it in place. "C:" alone would mean that drive's current folder.
std::string folderOf(const std::string& target)
{
    const std::size_t separator = lastSeparator(target);
    const bool driveRoot = separator == 2 && target[1] == ':';
    return separator == std::string::npos ? std::string(".") : target.substr(0, driveRoot ? separator + 1 : separator);
}

// Writes the blocks to a temporary file beside `target` and moves it into place.
bool writeThroughTemporary(const std::string& target, bool targetExists, Placing placing, BackupNotes* notes,
                           std::initializer_list<std::span<const std::uint8_t>> blocks, WriteFailure& failure)
{
    auto fail = [&failure](DWORD reason) {
        failure.systemError = reason ? reason : ERROR_GEN_FAILURE;
        return false;
    };
    DWORD refused = 0;
    TemporaryFile temporary(folderOf(target), refused);
    if (!temporary) return fail(refused);
    reachedStep(WriteStep::temporaryMade);

    ScopedFile& file = temporary.file();
    for (const auto& block : blocks)
        if (!writeAll(file.get(), block)) return fail(GetLastError());
    if (!FlushFileBuffers(file.get()) || !file.close()) return fail(GetLastError());
    reachedStep(WriteStep::bytesWritten);
    DWORD moved = 0;
    if (placing == Placing::freshName) {
        // A rename that refuses an existing name: two programs never take the same one.
        if (!MoveFileExA(temporary.path().c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) moved = GetLastError();
    } else if (placing == Placing::document && targetExists) {
        moved = replaceDocument(temporary.path(), target, notes);
    } else {
        moved = renameOver(temporary.path(), target);
    }
    if (moved) return fail(moved);
    temporary.keep();
    reachedStep(WriteStep::moved);
    failure.systemError = 0;
    return true;
}

bool writeWhole(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks,
                WriteFailure& failure, Placing placing, BackupNotes* notes = nullptr)
{
    failure = {};
    if (path.empty()) {
        failure.systemError = ERROR_INVALID_NAME;
        return false;
    }
    if (placing != Placing::document) {
        failure.targetExisted = exists(std::string(path));
        return writeThroughTemporary(std::string(path), failure.targetExisted, placing, nullptr, blocks, failure);
    }
    const std::string target = finalPath(std::string(path));
    bool targetExists = false;
    DWORD error = 0;
    const bool writable = targetIsWritable(target, targetExists, error);
    failure.targetExisted = targetExists || exists(target);
    failure.systemError = error;
    if (!writable) return false;
    return writeThroughTemporary(target, targetExists, placing, notes, blocks, failure);
}

} // namespace

bool writeFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks,
               WriteFailure& failure, BackupNotes* notes)
{
    return writeWhole(path, blocks, failure, Placing::document, notes);
}

bool writeOwnFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks)
{
    WriteFailure failure;
    return writeWhole(path, blocks, failure, Placing::ownFile);
}

bool writeNewFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks,
                  WriteFailure& failure)
{
    return writeWhole(path, blocks, failure, Placing::freshName);
}

std::uint32_t newFileRefusal(std::string_view folder)
{
    DWORD refused = 0;
    const TemporaryFile probe{std::string(folder), refused}; // removed at once
    return probe ? 0 : (refused ? refused : ERROR_GEN_FAILURE);
}

std::string systemMessage(std::uint32_t code)
{
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    const ScopedLocalMemory<char> owned(text);
    std::string message = length && text ? std::string(text, length) : std::string();
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

void replaceFileCallForTests(ReplaceFileCall call)
{
    replaceFileCall = call ? call : &ReplaceFileA;
}

void writeStepHookForTests(WriteStepHook hook)
{
    writeStepHook = hook;
}

std::wstring fullPath(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

std::string programDirectory()
{
    static const std::string folder = folderOfPath(programFilePath());
    return folder;
}

} // namespace wrivo
