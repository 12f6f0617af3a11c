// writing.txt, daily.txt and minutes.txt in the store folder (%LOCALAPPDATA%\Wrivo\),
// each written through a temporary file and a rename. The daily log is
// merged, not overwritten: under daily.lock, opened exclusively beside it,
// the file is read anew, this program's pending figures are added and the
// sum is written. A file that exists but cannot be read whole (too large,
// locked, unreadable) is never written over: what this program has to add
// waits until it reads again.
#pragma once
#include <optional>
#include <string>

#include "services/writing/writing_log.h"
#include "services/writing/writing_settings.h"

namespace wrivo {

// The folder as the writer would look for it, for the notice when it cannot
// be written ("%LOCALAPPDATA%\Wrivo" when even its place is unknown).
std::string writingStoreName();
// One of the store's files ("daily.txt"), for the notice when it cannot be
// read.
std::string writingStoreFile(const char* name);
// Whether a new file can be made in the store folder (asked at start).
bool writingStoreWritable();

// The settings, the defaults when the file is missing; nothing when it
// exists and cannot be read.
std::optional<WritingSettings> readWritingSettings();

// The log as the file holds it now (empty when it is missing); nothing when
// it exists and cannot be read.
std::optional<DailyLog> readDailyLog();
// minutes.txt, the minutes of typing per day, read and written like daily.txt.
std::optional<DailyLog> readMinutesLog();

// How a write of the log (or of the settings) went.
enum class LogWrite {
    written,
    busy,       // another program held the lock through every try: try again later
    unreadable, // the file is there but does not read: kept, try again later
    failed      // the folder or file cannot be written
};
LogWrite saveDailyLog(WritingLog& log);
LogWrite saveMinutesLog(WritingLog& log);
// Writes what `mine` changed since `base` (the settings as last read or
// written) over the file as it is now; when written, both hold the result.
LogWrite saveWritingSettings(WritingSettings& base, WritingSettings& mine);

} // namespace wrivo
