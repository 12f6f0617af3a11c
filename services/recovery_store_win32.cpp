#include "services/recovery_store.h"

#include <windows.h>
#include <shlobj.h>

#include "services/files.h"

namespace wrivo {
namespace {

constexpr std::size_t longestPath = 32767;

std::string environmentVariable(const char* name)
{
    std::string value(longestPath, '\0');
    const DWORD length = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    value.resize(length > 0 && length < value.size() ? length : 0);
    return value;
}

// The user's local application data folder: the LOCALAPPDATA variable the
// system sets for every program of the user, else the known folder
// (SHGetKnownFolderPath(FOLDERID_LocalAppData); its buffer is freed with
// CoTaskMemFree). A path the code page cannot spell is not used.
// WRIVO_TEST_LOCALAPPDATA stands in for both when set: tests that start the
// program from outside give each run a folder of its own (Wine builds
// LOCALAPPDATA from its registry for a program started from Unix, so the
// starting environment cannot simply set it).
std::string localDataFolder()
{
    for (const char* name : {"WRIVO_TEST_LOCALAPPDATA", "LOCALAPPDATA"})
        if (std::string folder = environmentVariable(name); !folder.empty()) return folder;
    PWSTR wide = nullptr;
    std::string found;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &wide)) && wide) {
        BOOL lossy = FALSE;
        const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, &lossy);
        if (size > 1 && !lossy) {
            found.resize(static_cast<std::size_t>(size));
            WideCharToMultiByte(CP_ACP, 0, wide, -1, found.data(), size, nullptr, nullptr);
            found.resize(static_cast<std::size_t>(size - 1));
        }
    }
    CoTaskMemFree(wide);
    return found;
}

bool isFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool makeFolder(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) || isFolder(path);
}

// %LOCALAPPDATA%\Wrivo\<name>, made when `make` is set; empty when there
// is no such folder (or it cannot be made).
std::string dataSubfolder(const char* name, bool make = true)
{
    const std::string base = localDataFolder();
    if (base.empty()) return {};
    const std::string wrivo = base + (base.back() == '\\' ? "" : "\\") + "Wrivo";
    const std::string folder = wrivo + "\\" + name;
    if (!make) return isFolder(folder) ? folder : std::string();
    if (!makeFolder(wrivo) || !makeFolder(folder)) return {};
    return folder;
}

std::uint64_t fileTimeValue(const FILETIME& time)
{
    return std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime;
}

std::span<const std::uint8_t> bytesOf(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Calls `found(name, data)` for each file (not folder) matching the pattern.
template <typename Found>
void forEachFile(const std::string& folder, const char* pattern, Found found)
{
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found(std::string(data.cFileName), data);
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

bool endsWith(const std::string& text, std::string_view end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::string recoveryFolder()
{
    return dataSubfolder("Recovery");
}

std::string shelfFolder()
{
    return dataSubfolder("Discarded");
}

ProcessIdentity currentProcess()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return {GetCurrentProcessId(), fileTimeValue(created)};
}

bool processRunning(const ProcessIdentity& process)
{
    // An id names another program once its owner has ended, so the start
    // time must match too. A program we may not look at is taken as running:
    // its copy is left alone rather than taken from it.
    const HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.id);
    if (!handle) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    FILETIME created{}, exited{}, kernel{}, user{};
    const bool running = GetExitCodeProcess(handle, &code) && code == STILL_ACTIVE &&
                         GetProcessTimes(handle, &created, &exited, &kernel, &user) &&
                         fileTimeValue(created) == process.started;
    CloseHandle(handle);
    return running;
}

bool writeRecoveryCopy(RecoveryRecord record, std::span<const std::uint8_t> bytes)
{
    const std::string folder = recoveryFolder();
    if (folder.empty()) return false;
    record.owner = currentProcess();
    record.byteCount = bytes.size();
    record.checksum = recoveryChecksum(bytes);
    const std::string stem = folder + "\\" + recoveryStem(record.owner);
    return writeFile(stem + ".txt", {bytes}) && writeFile(stem + ".rec", {bytesOf(recordText(record))});
}

void removeRecoveryCopy(const ProcessIdentity& owner)
{
    // Not made on demand: there is nothing to remove from a folder not there.
    const std::string folder = dataSubfolder("Recovery", false);
    if (folder.empty()) return;
    const std::string stem = folder + "\\" + recoveryStem(owner);
    DeleteFileA((stem + ".rec").c_str());
    DeleteFileA((stem + ".txt").c_str());
}

std::vector<StoredCopy> recoveryCopiesLeftBehind()
{
    std::vector<StoredCopy> copies;
    const std::string folder = dataSubfolder("Recovery", false);
    if (folder.empty()) return copies;
    const ProcessIdentity self = currentProcess();
    forEachFile(folder, "*.rec", [&](const std::string& name, const WIN32_FIND_DATAA&) {
        if (!endsWith(name, ".rec")) return;
        const std::string stem = name.substr(0, name.size() - 4);
        const std::optional<ProcessIdentity> owner = ownerOfStem(stem);
        if (owner && (*owner == self || processRunning(*owner))) return;
        StoredCopy copy;
        copy.stem = folder + "\\" + stem;
        const std::optional<std::vector<std::uint8_t>> bytes = tryReadFile(copy.stem + ".rec");
        if (bytes && bytes->size() < 64 * 1024)
            copy.record = parseRecord(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
        if (copy.record && copy.record->owner != owner) copy.record.reset();
        copies.push_back(std::move(copy));
    });
    return copies;
}

std::optional<std::vector<std::uint8_t>> readRecoveryCopy(const StoredCopy& copy)
{
    if (!copy.record) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes = tryReadFile(copy.stem + ".txt");
    if (!bytes || !copyMatchesRecord(*copy.record, *bytes)) return std::nullopt;
    return bytes;
}

std::string setAsideRecoveryCopy(const StoredCopy& copy)
{
    const std::string text = copy.stem + ".txt";
    MoveFileExA((copy.stem + ".rec").c_str(), (copy.stem + ".rec.bad").c_str(), MOVEFILE_REPLACE_EXISTING);
    MoveFileExA(text.c_str(), (text + ".bad").c_str(), MOVEFILE_REPLACE_EXISTING);
    return text + ".bad";
}

void removeStoredCopy(const StoredCopy& copy)
{
    DeleteFileA((copy.stem + ".rec").c_str());
    DeleteFileA((copy.stem + ".txt").c_str());
}

bool shelveText(std::span<const std::uint8_t> bytes, const DateTimeFields& time)
{
    const std::string folder = shelfFolder();
    if (folder.empty()) return false;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size() < 256 ? bytes.size() : 256);
    std::string path;
    for (int duplicate = 1;; ++duplicate) {
        path = folder + "\\" + shelfFileName(time, text, duplicate);
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES || duplicate >= 1000) break;
    }
    if (!writeFile(path, {bytes})) return false;
    std::vector<ShelfEntry> entries;
    forEachFile(folder, "*.txt", [&](const std::string& name, const WIN32_FIND_DATAA& data) {
        if (endsWith(name, ".txt")) entries.push_back({name, fileTimeValue(data.ftLastWriteTime)});
    });
    for (const std::string& name : shelfEntriesToRemove(std::move(entries)))
        DeleteFileA((folder + "\\" + name).c_str());
    return true;
}

} // namespace wrivo
