// The offer at start: copies whose program has ended are shown one by one
// ("恢复："); Yes brings that text into the editor (a text restored before it
// goes to the shelf), No puts it on the shelf. Copies that do not match
// their record are set aside together and reported in one notice, never put
// into the edit box.
#include "app/app_globals.h"
#include "app/recovery.h"
#include "app/recovery_internal.h"

#include "app/document.h"
#include "app/notices.h"
#include "app/versions.h"
#include "services/controls/unit_properties.h"
#include "services/dialogs/message_box.h"
#include "services/store/background_queue.h"
#include "services/store/recovery_store.h"
#include "services/text/datetime.h"
#include "services/text/text.h"

namespace wrivo::recovery {
namespace {

// The count the caption will show once the text is back: a fresh start has
// tracked no line breaks yet.
std::string characterCountText(std::string_view text)
{
    return toText(Value{static_cast<double>(nonSpaceLength(text)) / 2.0});
}

// A copy that read whole: its record and the count its question shows. The
// text itself is read again when it is wanted, so that several large copies
// are never held at once.
struct FoundCopy {
    StoredCopy stored;
    RecoveryRecord record;
    std::string count;
};

// The copies that read; the others are set aside and reported together.
std::vector<FoundCopy> readCopiesSettingAsideDamaged()
{
    std::vector<FoundCopy> found;
    int damaged = 0;
    int moved = 0;
    for (StoredCopy& copy : recoveryCopiesLeftBehind()) {
        if (const std::optional<RecoveredText> recovered = readRecoveryCopy(copy)) {
            const std::string_view text(reinterpret_cast<const char*>(recovered->text.data()), recovered->text.size());
            found.push_back({std::move(copy), recovered->record, characterCountText(text)});
            continue;
        }
        ++damaged;
        if (setAsideRecoveryCopy(copy)) ++moved;
    }
    if (damaged > 0) tell(notices::recoveryDamaged(damaged, moved, damagedCopiesFolder()));
    return found;
}

} // namespace

void offerRecoveredCopies()
{
    bool& offered = appGlobals()->recoveryOffered;
    if (offered) return;
    offered = true;
    checkStoreAtStart();
    reportInterruptedSaves();
    offerCopiesLeftBehind();
    versions::tidyAtStart(); // after the offer, which waits for the worker
}

void reportInterruptedSaves()
{
    for (const InterruptedSave& save : interruptedSaves()) {
        tell(notices::interruptedSave(save.note.document, save.note.backup));
        forgetInterruptedSave(save);
    }
}

void offerCopiesLeftBehind()
{
    worker().waitIdle();
    tidyRecoveryStore();
    const std::vector<FoundCopy> copies = readCopiesSettingAsideDamaged();
    bool restored = false;
    for (std::size_t k = 0; k < copies.size(); ++k) {
        const FoundCopy& copy = copies[k];
        const bool yes =
            ask(notices::recoveryOffer({copy.record.timeText, copy.record.fileName, copy.count, static_cast<int>(k + 1),
                                        static_cast<int>(copies.size()), restored}));
        // Read again: a copy that stopped reading since (gone, changed) is
        // left where it is, for the next start to look at.
        std::optional<RecoveredText> recovered = readRecoveryCopy(copy.stored);
        if (!recovered) continue;
        if (yes) {
            document().restore(copy.record.fileName, std::string(recovered->text.begin(), recovered->text.end()));
            restored = true;
            // The old copy goes once this program's own copy is on disk (or
            // the text is safe elsewhere); on a full disk it stays meanwhile.
            worker().post([stored = copy.stored] { removeOnceOwnCopySettles(stored); });
            copyNow();
            continue;
        }
        if (shelveText(recovered->text, dateTimeFields(now()))) removeStoredCopy(copy.stored);
    }
}

} // namespace wrivo::recovery
