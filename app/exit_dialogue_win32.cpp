#include "app/exit_dialogue.h"

#include "app/backup_copies.h"
#include "app/document_commands.h"
#include "app/maker_info.h"
#include "app/notices.h"
#include "app/recovery.h"
#include "app/settings_file.h"
#include "app/writing_desk.h"
#include "app/writing_lock.h"
#include "host/host.h"
#include "services/dialogs/window_effects.h"
#include "services/text/datetime.h"
#include "services/text/text.h"

namespace wrivo {
namespace {

std::string currentMonthText()
{
    return toText(Value{monthOf(now())});
}

} // namespace

void monthlyPage()
{
    const std::string stored = readSetting(settingsFile::monthKey);
    if (compareBytes(stored, currentMonthText()) == 0) return;
    openWebPage(maker::monthlyPartnerPage);
    storeSetting(settingsFile::monthKey, currentMonthText());
}

std::optional<std::int32_t> handlers::exitDialogue(const EventArguments&)
{
    if (writing::lockRefusesClose()) return 0; // shut in to write: the window stays
    // The exit is asked about all the same; text the user wanted saved is kept for the next start.
    const bool saveFailed = isDocumentModified() && askToSaveChanges() && !saveWithDialog();
    if (declined(questions::exit())) {
        tell(questions::stay());
        return 0; // the window stays open
    }
    writing::typingPaused(); // what was written since the last pause counts too
    recovery::shelveBeforeExit(saveFailed);
    backups::settleBeforeExit();
    monthlyPage();
    endProcess(0);
}

} // namespace wrivo
