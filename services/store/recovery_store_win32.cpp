#include "services/store/recovery_store.h"

#include <windows.h>
#include <shlobj.h>

#include <mutex>

#include "host/scoped_win32.h"
#include "services/store/files.h"
#include "services/store/version_store.h"
#include "services/text/code_page.h"
#include "services/writing/word_count.h"

namespace wrivo {
namespace {

constexpr std::size_t longestPath = 32767;
constexpr std::uint64_t thirtyDays = 30ull * 24 * 60 * 60 * 10'000'000; // 100 ns units
constexpr std::wstring_view copyExtension = L".copy";

// The name in the program's code page, or nothing when a character of it has
// no spelling there: "?" in a folder's name names no folder.
std::optional<std::string> spelled(std::wstring_view name)
{
    CodePageName narrow = toCodePageName(name);
    if (!narrow.exact || narrow.text.empty()) return std::nullopt;
    return std::move(narrow.text);
}

std::optional<std::string> environmentFolder(const wchar_t* name)
{
    std::wstring value(longestPath, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (length == 0 || length >= value.size()) return std::nullopt;
    value.resize(length);
    return spelled(value);
}

// The user's local application data folder: the LOCALAPPDATA variable the
// system sets for every program of the user, else the known folder
// (SHGetKnownFolderPath(FOLDERID_LocalAppData); its buffer is freed with
// CoTaskMemFree). A path the code page cannot spell is passed over, as every
// other path is. WRIVO_TEST_LOCALAPPDATA stands in for both when set: tests
// that start the program from outside give each run a folder of its own (Wine
// builds LOCALAPPDATA from its registry for a program started from Unix, so
// the starting environment cannot simply set it).
std::string localDataFolder()
{
    for (const wchar_t* name : {L"WRIVO_TEST_LOCALAPPDATA", L"LOCALAPPDATA"})
        if (std::optional<std::string> folder = environmentFolder(name)) return *folder;
    PWSTR wide = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &wide);
    const ScopedTaskMemory<wchar_t> path(wide); // freed whatever the result
    if (FAILED(result) || !path) return {};
    return spelled(path.get()).value_or(std::string());
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

std::string storePath()
{
    const std::string base = localDataFolder();
    if (base.empty()) return {};
    return base + (base.back() == '\\' ? "" : "\\") + "Wrivo";
}

// %LOCALAPPDATA%\Wrivo\<name>, made when `make` is set; empty when there
// is no such folder (or it cannot be made).
std::string dataSubfolder(const char* name, bool make = true)
{
    const std::string wrivo = storePath();
    if (wrivo.empty()) return {};
    const std::string folder = wrivo + "\\" + name;
    if (!make) return isFolder(folder) ? folder : std::string();
    if (!makeFolder(wrivo) || !makeFolder(folder)) return {};
    return folder;
}

std::uint64_t fileTimeValue(const FILETIME& time)
{
    return std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime;
}

std::uint64_t timeNow()
{
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    return fileTimeValue(time);
}

std::span<const std::uint8_t> bytesOf(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool endsWith(std::wstring_view text, std::wstring_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Calls `found(name, data)` for each file (not folder) of the folder whose
// name ends in `extension`. Names are read in UTF-16: a name the code page
// cannot spell is still a file that can be moved or removed.
template <typename Found>
void forEachFile(const std::string& folder, std::wstring_view extension, Found found)
{
    WIN32_FIND_DATAW data;
    const ScopedFileSearch search(FindFirstFileW((widened(folder) + L"\\*").c_str(), &data));
    if (!search) return;
    do {
        const std::wstring name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && endsWith(name, extension)) found(name, data);
    } while (FindNextFileW(search.get(), &data));
}

// The owner a copy's file name names, when it is one of ours.
std::optional<ProcessIdentity> ownerOfName(std::wstring_view name, std::wstring_view extension)
{
    if (!endsWith(name, extension)) return std::nullopt;
    name.remove_suffix(extension.size());
    std::string stem;
    for (const wchar_t c : name) {
        if (c > 0x7F) return std::nullopt;
        stem += static_cast<char>(c);
    }
    return ownerOfStem(stem);
}

std::wstring nameOf(const std::wstring& path)
{
    return path.substr(path.rfind(L'\\') + 1);
}

// A legacy copy's record: its text's name with ".rec" for ".txt".
std::wstring legacyRecordPath(const std::wstring& text)
{
    return text.substr(0, text.size() - 4) + L".rec";
}

std::optional<std::vector<std::uint8_t>> readWhole(const std::wstring& path, std::uint64_t largest)
{
    const std::optional<std::string> narrow = spelled(path);
    if (!narrow) return std::nullopt;
    return tryReadFile(*narrow, largest);
}

// The file's last write as the user reads a time ("2026年12月8日…").
std::string writeTimeText(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &time))
        return "?";
    return dateTimeText(
        dateTimeFromFields({{time.wYear, time.wMonth, time.wDay}, time.wHour, time.wMinute, time.wSecond}));
}

// An older version's copy: the text, and its record when there is one. A
// text whose record was never written (the program ended between the two)
// is offered all the same, with no file name.
std::optional<RecoveredText> readLegacyCopy(const std::wstring& path, const ProcessIdentity& owner)
{
    std::optional<std::vector<std::uint8_t>> text = readWhole(path, largestRecoveryCopy);
    if (!text) return std::nullopt;
    const std::wstring recordPath = legacyRecordPath(path);
    if (GetFileAttributesW(recordPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        RecoveredText orphan{{"", writeTimeText(path), owner, text->size(), 0}, std::move(*text)};
        orphan.record.checksum = recoveryChecksum(orphan.text);
        return orphan;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = readWhole(recordPath, longestRecord);
    if (!bytes) return std::nullopt;
    std::optional<RecoveryRecord> record =
        parseRecord(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!record || record->owner != owner || !copyMatchesRecord(*record, *text)) return std::nullopt;
    return RecoveredText{std::move(*record), std::move(*text)};
}

// Moves the file into the folder under its name with the moment of the move
// in front: housekeeping counts from then.
bool moveInto(const std::wstring& folder, const std::wstring& path, std::uint64_t moment)
{
    const std::wstring name = widened(setAsideName(spelled(nameOf(path)).value_or("copy"), moment));
    return MoveFileExW(path.c_str(), (folder + L"\\" + name).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

// Writes the blocks under the first name `nameFor(1, 2, …)` no file has,
// and answers it. The name is taken by the rename itself: another program
// writing the same name at the same moment gets the next one, never this file.
template <typename NameFor>
std::optional<std::string> writeUnderFreeName(const std::string& folder, NameFor nameFor,
                                              std::initializer_list<std::span<const std::uint8_t>> blocks)
{
    for (int duplicate = 1; duplicate <= 1000; ++duplicate) {
        WriteFailure failure;
        std::string name = nameFor(duplicate);
        if (writeNewFile(folder + "\\" + name, blocks, failure)) return name;
        if (failure.systemError != ERROR_ALREADY_EXISTS && failure.systemError != ERROR_FILE_EXISTS) break;
    }
    return std::nullopt;
}

// Keeps the newest files of the folder that end in `extension` and are
// `counted`, by the shelf's rule; `written` (just written) always stays.
template <typename Counted>
void keepNewest(const std::string& folder, std::wstring_view extension, const std::string& written, Counted counted)
{
    std::vector<ShelfEntry> entries;
    forEachFile(folder, extension, [&](const std::wstring& name, const WIN32_FIND_DATAW& data) {
        const std::optional<std::string> narrow = spelled(name);
        if (narrow && counted(*narrow))
            entries.push_back({*narrow, fileTimeValue(data.ftLastWriteTime),
                               std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow, *narrow == written});
    });
    for (const std::string& name : shelfEntriesToRemove(std::move(entries)))
        DeleteFileA((folder + "\\" + name).c_str());
}

std::string saveNotePath()
{
    const std::string folder = recoveryFolder();
    return folder.empty() ? std::string() : folder + "\\" + recoveryStem(currentProcess()) + ".save";
}

// Notes of this program's document saves in the recovery folder.
class SaveNotes final : public BackupNotes {
public:
    void noteBackup(std::string_view document, std::string_view backup) override
    {
        path_ = saveNotePath();
        // Without a note the save goes on all the same: an unwritable store
        // was told at start.
        const std::string text = saveNoteText({std::string(document), std::string(backup)});
        if (!path_.empty() && !writeOwnFile(path_, {bytesOf(text)})) path_.clear();
    }
    void forgetBackup() override
    {
        if (!path_.empty()) DeleteFileA(path_.c_str());
        path_.clear();
    }

private:
    std::string path_;
};

// Whether both files read and hold the same bytes (files too large to read
// count as different: the user is told rather than not).
// Copies taken over by this program, removed when its own copy settles.
struct TakenOver {
    std::mutex lock;
    std::vector<StoredCopy> copies;
};

TakenOver& takenOver()
{
    static TakenOver taken;
    return taken;
}

void ownCopySettled()
{
    TakenOver& taken = takenOver();
    const std::lock_guard<std::mutex> hold(taken.lock);
    for (const StoredCopy& copy : taken.copies) removeStoredCopy(copy);
    taken.copies.clear();
}

bool sameBytes(const std::string& a, const std::string& b)
{
    const std::optional<std::vector<std::uint8_t>> first = tryReadFile(a);
    return first && tryReadFile(b) == first;
}

} // namespace

std::string storeFolderPath()
{
    return storePath();
}

std::string storeFolder()
{
    const std::string wrivo = storePath();
    return !wrivo.empty() && makeFolder(wrivo) ? wrivo : std::string();
}

std::string recoveryFolder()
{
    return dataSubfolder("Recovery");
}

std::string shelfFolder()
{
    return dataSubfolder("Discarded");
}

std::string historyFolder()
{
    return dataSubfolder("History");
}

std::string damagedCopiesFolder()
{
    const std::string recovery = recoveryFolder();
    if (recovery.empty()) return {};
    const std::string damaged = recovery + "\\Damaged";
    return makeFolder(damaged) ? damaged : std::string();
}

bool recoveryStoreWritable()
{
    // A file made and removed in each folder, as every write of the store
    // makes its temporary file: a folder that exists may still refuse new
    // files (rights, a read-only medium).
    for (const std::string& folder : {recoveryFolder(), damagedCopiesFolder(), shelfFolder()})
        if (folder.empty() || newFileRefusal(folder) != 0) return false;
    return true;
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
    const ScopedProcess handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.id));
    if (!handle) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    FILETIME created{}, exited{}, kernel{}, user{};
    return GetExitCodeProcess(handle.get(), &code) && code == STILL_ACTIVE &&
           GetProcessTimes(handle.get(), &created, &exited, &kernel, &user) &&
           fileTimeValue(created) == process.started;
}

CopyOutcome writeRecoveryCopy(RecoveryRecord record, std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > largestRecoveryCopy) return CopyOutcome::tooLarge;
    const std::string folder = recoveryFolder();
    if (folder.empty()) return CopyOutcome::failed;
    if (record.owner == ProcessIdentity{}) record.owner = currentProcess();
    record.byteCount = bytes.size();
    record.checksum = recoveryChecksum(bytes);
    const std::string path = folder + "\\" + recoveryStem(record.owner) + ".copy";
    // One file through a temporary one renamed over the previous copy: the
    // record and its text arrive together or not at all, and the name always
    // holds one whole copy.
    if (!writeOwnFile(path, {bytesOf(recordText(record)), bytes})) return CopyOutcome::failed;
    if (record.owner == currentProcess()) ownCopySettled();
    return CopyOutcome::written;
}

void removeOnceOwnCopySettles(const StoredCopy& copy)
{
    TakenOver& taken = takenOver();
    const std::lock_guard<std::mutex> hold(taken.lock);
    taken.copies.push_back(copy);
}

void removeRecoveryCopy(const ProcessIdentity& owner)
{
    // Not made on demand: there is nothing to remove from a folder not there.
    const std::string folder = dataSubfolder("Recovery", false);
    if (!folder.empty()) DeleteFileA((folder + "\\" + recoveryStem(owner) + ".copy").c_str());
    if (owner == currentProcess()) ownCopySettled(); // its text is safe elsewhere
}

std::vector<StoredCopy> recoveryCopiesLeftBehind()
{
    std::vector<StoredCopy> copies;
    const std::string folder = dataSubfolder("Recovery", false);
    if (folder.empty()) return copies;
    const ProcessIdentity self = currentProcess();
    const std::wstring wideFolder = widened(folder);
    auto collect = [&](std::wstring_view extension, bool legacy) {
        forEachFile(folder, extension, [&](const std::wstring& name, const WIN32_FIND_DATAW&) {
            const std::optional<ProcessIdentity> owner = ownerOfName(name, extension);
            if (owner && (*owner == self || processRunning(*owner))) return;
            copies.push_back({wideFolder + L"\\" + name, legacy});
        });
    };
    collect(copyExtension, false);
    collect(L".txt", true);
    return copies;
}

std::optional<RecoveredText> readRecoveryCopy(const StoredCopy& copy)
{
    const std::wstring name = nameOf(copy.path);
    const std::optional<ProcessIdentity> owner = ownerOfName(name, copy.legacy ? L".txt" : copyExtension);
    if (!owner) return std::nullopt; // not a name this program gives
    if (copy.legacy) return readLegacyCopy(copy.path, *owner);
    const std::optional<std::vector<std::uint8_t>> file = readWhole(copy.path, largestRecoveryCopy + longestRecord);
    if (!file) return std::nullopt;
    std::optional<ParsedCopy> parsed = parseCopyFile(*file);
    if (!parsed || parsed->record.owner != *owner) return std::nullopt;
    return RecoveredText{std::move(parsed->record), {parsed->text.begin(), parsed->text.end()}};
}

bool setAsideRecoveryCopy(const StoredCopy& copy)
{
    const std::string damaged = damagedCopiesFolder();
    if (damaged.empty()) return false;
    const std::wstring folder = widened(damaged);
    const std::uint64_t moment = timeNow();
    if (copy.legacy) {
        const std::wstring record = legacyRecordPath(copy.path);
        if (GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES) moveInto(folder, record, moment);
    }
    return moveInto(folder, copy.path, moment);
}

void removeStoredCopy(const StoredCopy& copy)
{
    if (copy.legacy) DeleteFileW(legacyRecordPath(copy.path).c_str());
    DeleteFileW(copy.path.c_str());
}

void tidyRecoveryStore()
{
    const std::string folder = dataSubfolder("Recovery", false);
    if (folder.empty()) return;
    const std::uint64_t oldest = timeNow() - thirtyDays;
    auto removeOld = [oldest](const std::string& in, std::wstring_view extension) {
        const std::wstring wideFolder = widened(in);
        forEachFile(in, extension, [&](const std::wstring& name, const WIN32_FIND_DATAW& data) {
            // Set aside: from the moment its name carries; else its last write.
            const std::optional<std::string> narrow = spelled(name);
            const std::uint64_t moment =
                (narrow ? setAsideTime(*narrow) : std::nullopt).value_or(fileTimeValue(data.ftLastWriteTime));
            if (moment < oldest) DeleteFileW((wideFolder + L"\\" + name).c_str());
        });
    };
    removeOld(folder + "\\Damaged", L"");
    removeOld(folder, L".tmp"); // a write ended before its rename
    // An older version's record whose text is gone (removed text first).
    forEachFile(folder, L".rec", [&](const std::wstring& name, const WIN32_FIND_DATAW& data) {
        const std::wstring record = widened(folder) + L"\\" + name;
        const std::wstring text = record.substr(0, record.size() - 4) + L".txt";
        if (fileTimeValue(data.ftLastWriteTime) < oldest && GetFileAttributesW(text.c_str()) == INVALID_FILE_ATTRIBUTES)
            DeleteFileW(record.c_str());
    });
}

bool shelveText(std::span<const std::uint8_t> bytes, const DateTimeFields& time)
{
    const std::string folder = shelfFolder();
    if (folder.empty()) return false;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size() < 256 ? bytes.size() : 256);
    // The 字数 in the name lets the history dialog list the shelf unread.
    const std::int64_t words = countWords({reinterpret_cast<const char*>(bytes.data()), bytes.size()}).words;
    const std::optional<std::string> name = writeUnderFreeName(
        folder, [&](int duplicate) { return shelfNameWithCount(shelfFileName(time, text, duplicate), words); },
        {bytes});
    if (!name) return false;
    keepNewest(folder, L".txt", *name, [](const std::string&) { return true; });
    return true;
}

BackupNotes& documentSaveNotes()
{
    static SaveNotes notes;
    return notes;
}

std::vector<InterruptedSave> interruptedSaves()
{
    std::vector<InterruptedSave> found;
    const std::string folder = dataSubfolder("Recovery", false);
    if (folder.empty()) return found;
    const ProcessIdentity self = currentProcess();
    forEachFile(folder, L".save", [&](const std::wstring& name, const WIN32_FIND_DATAW&) {
        const std::optional<ProcessIdentity> owner = ownerOfName(name, L".save");
        if (!owner || *owner == self || processRunning(*owner)) return; // a save may be under way
        const std::string path = folder + "\\" + *spelled(name);
        const std::optional<std::vector<std::uint8_t>> bytes = tryReadFile(path, longestRecord);
        const std::optional<SaveNote> note =
            bytes ? parseSaveNote({reinterpret_cast<const char*>(bytes->data()), bytes->size()}) : std::nullopt;
        // The document's own name holds it (or the backup is gone): nothing
        // was left half done. The backup, if any, is the user's to remove.
        const bool backupLeft = note && GetFileAttributesA(note->backup.c_str()) != INVALID_FILE_ATTRIBUTES;
        const bool documentThere = note && GetFileAttributesA(note->document.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (backupLeft && !(documentThere && sameBytes(note->document, note->backup)))
            found.push_back({*note, path});
        else
            DeleteFileA(path.c_str());
    });
    return found;
}

void forgetInterruptedSave(const InterruptedSave& save)
{
    DeleteFileA(save.notePath.c_str());
}

bool keepUnshelvedText(RecoveryRecord record, std::span<const std::uint8_t> bytes)
{
    const std::string folder = recoveryFolder();
    if (folder.empty() || bytes.size() > largestRecoveryCopy) return false;
    if (record.owner == ProcessIdentity{}) record.owner = currentProcess();
    record.byteCount = bytes.size();
    record.checksum = recoveryChecksum(bytes);
    const std::string head = recordText(record);
    const std::optional<std::string> name = writeUnderFreeName(
        folder, [&](int serial) { return keptCopyStem(record.owner, serial) + ".copy"; }, {bytesOf(head), bytes});
    if (!name) return false;
    // Only this program's: another's are offered once it has ended.
    keepNewest(folder, copyExtension, *name, [&](const std::string& other) {
        const std::string_view stem = std::string_view(other).substr(0, other.size() - copyExtension.size());
        return isKeptCopyStem(stem) && ownerOfStem(stem) == record.owner;
    });
    return true;
}

} // namespace wrivo
