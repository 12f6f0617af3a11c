// writing.txt and daily.txt in the store folder (%LOCALAPPDATA%\Wrivo\),
// each written through a temporary file and a rename. The daily log is
// merged, not overwritten: under daily.lock, opened exclusively beside it,
// the file is read anew, this program's pending figures are added and the
// sum is written.
#pragma once
#include <optional>
#include <string>

#include "services/writing_log.h"
#include "services/writing_settings.h"

namespace wrivo {

// The folder as the writer would look for it, for the notice when it cannot
// be written ("%LOCALAPPDATA%\Wrivo" when even its place is unknown).
std::string writingStoreName();

// The settings, or the defaults when the file is missing or unreadable.
WritingSettings readWritingSettings();
bool writeWritingSettings(const WritingSettings& settings);

// The log as the file holds it now (empty when it is missing).
std::vector<DayRecord> readDailyLog();

enum class LogWrite {
    written,
    busy,  // another program held the lock through every try: try again later
    failed // the folder or file cannot be written
};
LogWrite saveDailyLog(WritingLog& log);

} // namespace wrivo
