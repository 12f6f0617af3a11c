#include "services/store/writing_store.h"

#include <windows.h>

#include "host/scoped_win32.h"
#include "services/store/files.h"
#include "services/store/recovery_store.h"

namespace wrivo {
namespace {

constexpr std::uint64_t largestWritingFile = 1u << 20; // both files are a few KB
constexpr int lockTries = 8;
constexpr DWORD lockRetryMilliseconds = 15;

std::string pathOf(const char* name)
{
    const std::string folder = storeFolder();
    return folder.empty() ? std::string() : folder + "\\" + name;
}

// The file's text, the empty text when there is no file; nothing when it is
// there and does not read whole.
std::optional<std::string> readText(const char* name)
{
    const std::string path = pathOf(name);
    if (path.empty()) return std::string();
    if (const std::optional<std::vector<std::uint8_t>> bytes = tryReadFile(path, largestWritingFile))
        return std::string(bytes->begin(), bytes->end());
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return std::nullopt;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
    return std::nullopt;
}

bool writeText(const char* name, const std::string& text)
{
    const std::string path = pathOf(name);
    return !path.empty() && writeFile(path, {{reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}});
}

// daily.lock, opened with no sharing: while one program holds it, another's
// open fails with ERROR_SHARING_VIOLATION (CreateFile, dwShareMode 0). The
// file itself stays; only the open handle is the lock.
ScopedFile takeLock(const std::string& path, bool& busy)
{
    busy = false;
    for (int attempt = 0; attempt < lockTries; ++attempt) {
        ScopedFile lock(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (lock) return lock;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) return ScopedFile();
        busy = true;
        Sleep(lockRetryMilliseconds); // the holder only reads and writes a few KB
    }
    return ScopedFile();
}

std::optional<DailyLog> readLog(const char* name, LogFields fields)
{
    const std::optional<std::string> text = readText(name);
    if (!text) return std::nullopt;
    return parseDailyLog(*text, fields);
}

// Both logs are merged under the one lock.
LogWrite saveLog(const char* name, LogFields fields, WritingLog& log)
{
    const std::string lockPath = pathOf("daily.lock");
    if (lockPath.empty()) return LogWrite::failed;
    bool busy = false;
    const ScopedFile lock = takeLock(lockPath, busy);
    if (!lock) return busy ? LogWrite::busy : LogWrite::failed;
    std::optional<DailyLog> file = readLog(name, fields);
    if (!file) return LogWrite::unreadable;
    file->days = log.withPending(file->days);
    if (!writeText(name, dailyLogText(*file, fields))) return LogWrite::failed;
    log.written(std::move(file->days));
    return LogWrite::written;
}

} // namespace

std::string writingStoreName()
{
    const std::string folder = storeFolderPath();
    return folder.empty() ? "%LOCALAPPDATA%\\Wrivo" : folder;
}

std::string writingStoreFile(const char* name)
{
    return writingStoreName() + "\\" + name;
}

bool writingStoreWritable()
{
    const std::string folder = storeFolder();
    return !folder.empty() && newFileRefusal(folder) == 0;
}

std::optional<WritingSettings> readWritingSettings()
{
    const std::optional<std::string> text = readText("writing.txt");
    if (!text) return std::nullopt;
    return parseWritingSettings(*text);
}

std::optional<DailyLog> readDailyLog()
{
    return readLog("daily.txt", LogFields::withGoal);
}

std::optional<DailyLog> readMinutesLog()
{
    return readLog("minutes.txt", LogFields::figureOnly);
}

LogWrite saveDailyLog(WritingLog& log)
{
    return saveLog("daily.txt", LogFields::withGoal, log);
}

LogWrite saveMinutesLog(WritingLog& log)
{
    return saveLog("minutes.txt", LogFields::figureOnly, log);
}

LogWrite saveWritingSettings(WritingSettings& base, WritingSettings& mine)
{
    const std::optional<std::string> text = readText("writing.txt");
    if (!text) return LogWrite::unreadable;
    std::vector<std::string> unknown;
    const WritingSettings merged = settingsChangedOver(base, mine, parseWritingSettings(*text, &unknown));
    if (!writeText("writing.txt", writingSettingsText(merged, unknown))) return LogWrite::failed;
    base = mine = merged;
    return LogWrite::written;
}

} // namespace wrivo
