#include "app/backup_copies.h"

#include "app/app_globals.h"
#include "app/command_handlers.h"
#include "app/document.h"
#include "app/notices.h"
#include "app/start_window.h"
#include "app/writing_desk.h"
#include "services/dialogs/folder_dialog.h"
#include "services/store/backup_files.h"
#include "services/store/backup_names.h"

namespace wrivo::backups {
namespace {

constexpr std::string_view dialogTitle = "备份位置";
constexpr std::chrono::milliseconds exitWait{2000};

Trouble& trouble()
{
    return processState().backupTrouble;
}

class SaveFollower final : public DocumentWatcher {
public:
    void saved(const std::string& path, const std::shared_ptr<const std::string>& saved) override
    {
        const std::string folder = writing::settings().backupFolder;
        if (folder.empty() || path.empty() || backup::sameName(backup::folderOf(path), folder)) return;
        processState().backupWorker.post([folder, path, text = saved] {
            if (!backup::writeCopy(folder, path, *text)) trouble().failed = true;
        });
    }
};

} // namespace

std::unique_ptr<DocumentWatcher> watchSaves()
{
    return std::make_unique<SaveFollower>();
}

void reportTrouble()
{
    Trouble& state = trouble();
    if (state.told || !state.failed) return;
    state.told = true;
    tell(notices::backupUnwritable(writing::settings().backupFolder));
}

void settleBeforeExit()
{
    processState().backupWorker.waitIdleFor(exitWait);
}

} // namespace wrivo::backups

namespace wrivo {

std::optional<std::int32_t> handlers::backupFolder(const EventArguments&)
{
    const std::optional<std::string> folder =
        askFolder(mainWindowRef, backups::dialogTitle, writing::settings().backupFolder, true);
    if (!folder) return std::nullopt;
    writing::setBackupFolder(*folder);
    // A copy on the document's own disk goes with it when the disk fails.
    const std::string file = document().file();
    backups::Trouble& trouble = backups::trouble();
    if (!folder->empty() && !file.empty() && !trouble.sameDiskTold && backup::sameVolume(file, *folder)) {
        trouble.sameDiskTold = true;
        tell(notices::backupOnSameDisk(*folder));
    }
    return std::nullopt;
}

} // namespace wrivo
