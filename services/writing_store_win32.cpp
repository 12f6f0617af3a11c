#include "services/writing_store.h"

#include <windows.h>

#include "host/scoped_win32.h"
#include "services/files.h"
#include "services/recovery_store.h"

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

std::string readText(const char* name)
{
    const std::string path = pathOf(name);
    if (path.empty()) return {};
    const std::optional<std::vector<std::uint8_t>> bytes = tryReadFile(path, largestWritingFile);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
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

} // namespace

std::string writingStoreName()
{
    const std::string folder = storeFolderPath();
    return folder.empty() ? "%LOCALAPPDATA%\\Wrivo" : folder;
}

WritingSettings readWritingSettings()
{
    return parseWritingSettings(readText("writing.txt"));
}

bool writeWritingSettings(const WritingSettings& settings)
{
    return writeText("writing.txt", writingSettingsText(settings));
}

std::vector<DayRecord> readDailyLog()
{
    return parseDailyLog(readText("daily.txt"));
}

LogWrite saveDailyLog(WritingLog& log)
{
    const std::string lockPath = pathOf("daily.lock");
    if (lockPath.empty()) return LogWrite::failed;
    bool busy = false;
    const ScopedFile lock = takeLock(lockPath, busy);
    if (!lock) return busy ? LogWrite::busy : LogWrite::failed;
    std::vector<DayRecord> merged = log.withPending(readDailyLog());
    if (!writeText("daily.txt", dailyLogText(merged))) return LogWrite::failed;
    log.written(std::move(merged));
    return LogWrite::written;
}

} // namespace wrivo
