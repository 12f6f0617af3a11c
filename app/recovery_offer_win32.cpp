// The offer at start: copies whose program has ended are shown one by one
// ("恢复："), at most one comes back into the editor, the rest go to the
// shelf. A copy that does not match its record is reported and set aside,
// never put into the edit box.
#include "app/recovery.h"
#include "app/recovery_internal.h"

#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/statistics_handlers.h"
#include "host/host.h"
#include "services/background_queue.h"
#include "services/controls/unit_properties.h"
#include "services/datetime.h"
#include "services/message_box.h"
#include "services/recovery_store.h"
#include "services/text.h"

namespace wrivo::recovery {
namespace {

// The count the caption will show once the text is back: a fresh start has
// tracked no line breaks yet.
std::string characterCountText(std::string_view text)
{
    return toText(Value{static_cast<double>(nonSpaceLength(text)) / 2.0});
}

bool askToRestore(const RecoveryRecord& record, std::string_view text)
{
    return ask(notices::recoveryOffer(record.timeText, record.fileName, characterCountText(text)));
}

// As open does: the remembered file and the text come back, then the rows.
// The text differs from the file (that is why it was kept), so the document
// counts as modified and the save dialog offers the file.
void restore(const RecoveryRecord& record, std::string text)
{
    writeProperty(commonDialogRef, CommonDlgProperty::fileName, record.fileName);
    writeProperty(editBoxRef, EditBoxProperty::content, std::string());
    writeProperty(editBoxRef, EditBoxProperty::content, std::move(text));
    refreshParagraphRows();
}

} // namespace

void offerRecoveredCopies()
{
    static bool offered = false; // the start hand-over may come through twice
    if (offered) return;
    offered = true;
    offerCopiesLeftBehind();
}

void offerCopiesLeftBehind()
{
    worker().waitIdle();
    bool restored = false;
    for (const StoredCopy& copy : recoveryCopiesLeftBehind()) {
        std::optional<std::vector<std::uint8_t>> bytes = readRecoveryCopy(copy);
        if (!bytes) {
            tell(notices::recoveryDamaged(setAsideRecoveryCopy(copy)));
            continue;
        }
        std::string text(bytes->begin(), bytes->end());
        if (!restored && askToRestore(*copy.record, text)) {
            restore(*copy.record, std::move(text));
            restored = true;
            // This program's own copy is on disk before the old one goes.
            keepCopyNow();
            worker().post([copy] { removeStoredCopy(copy); });
            continue;
        }
        if (shelveText(*bytes, dateTimeFields(now()))) removeStoredCopy(copy);
    }
}

} // namespace wrivo::recovery
