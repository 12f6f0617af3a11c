// The recovery copy and the shelf, kept from the document commands. Nothing
// here runs on the keystroke path but documentChanged, which notes the time;
// a half-second timer decides when to copy, and the file work (the compare
// with the remembered file, the writes) runs on a worker thread with its own
// share of the text.
#include "app/recovery.h"
#include "app/recovery_internal.h"

#include <atomic>
#include <memory>

#include "app/app_globals.h"
#include "app/backup_copies.h"
#include "app/document.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/versions.h"
#include "app/writing_desk.h"
#include "host/host.h"
#include "services/controls/unit_properties.h"
#include "services/dialogs/message_box.h"
#include "services/store/background_queue.h"
#include "services/store/file_text_match.h"
#include "services/store/recovery_store.h"
#include "services/store/writing_store.h"
#include "services/text/datetime.h"
#include "services/text/text.h"

namespace wrivo::recovery {
namespace {

// A copy is made once typing has paused this long, and at least this often
// while it goes on (milliseconds).
constexpr std::uint64_t typingPause = 2000;
constexpr std::uint64_t longestWait = 30000;
constexpr std::uint32_t tickMilliseconds = 500;

CopyState& state()
{
    return processState().recoveryCopy;
}

// Writes a copy of `document` when it differs from its file (the question
// the document's isModified answers, asked of a text already at hand), else
// removes the copy. Runs on the worker.
void keepOrRemove(const std::string& document, const RecoveryRecord& record)
{
    if (document.empty() || fileHoldsText(record.fileName, document, true)) {
        removeRecoveryCopy(currentProcess());
        return;
    }
    switch (writeRecoveryCopy(record, textBytes(document))) {
    case CopyOutcome::written: break;
    case CopyOutcome::failed: state().copyFailed = true; break;
    case CopyOutcome::tooLarge: state().copyTooLarge = true; break;
    }
}

RecoveryRecord recordNow(std::string file)
{
    RecoveryRecord record;
    record.fileName = std::move(file);
    record.timeText = dateTimeText(now());
    return record;
}

void postCopy(std::shared_ptr<const std::string> document)
{
    state().changed = false;
    worker().post([document = std::move(document), record = recordNow(wrivo::document().file())] {
        keepOrRemove(*document, record);
    });
}

// Says once what `happened` flags, the first time it is set.
void tellOnce(const std::atomic<bool>& happened, bool& told, const Notice& notice)
{
    if (told || !happened) return;
    told = true;
    tell(notice);
}

void tick()
{
    CopyState& s = state();
    ++s.ticks;
    if (!appGlobals() || !windowLoaded(WindowId::main)) return; // before the editor is up, after it is gone
    if (s.changed) {
        const std::uint64_t moment = steadyMilliseconds();
        if (moment - s.lastChange >= typingPause || moment - s.firstChange >= longestWait) {
            copyNow();
            writing::typingPaused();
        }
    }
}

// Shelves `text`, the document's with `file` (when `unsaved`), and then
// keeps a current copy of it or removes the copy. Text the shelf could not
// take is kept under a name of its own, which later copies of the document
// never replace.
void shelveAndSettle(std::shared_ptr<const std::string> text, const std::string& file, bool unsaved, bool keepCopy)
{
    state().changed = false;
    if (!unsaved) {
        worker().post([] { removeRecoveryCopy(currentProcess()); });
        return;
    }
    worker().post([document = std::move(text), record = recordNow(file), time = dateTimeFields(now()), keepCopy] {
        if (!shelveText(textBytes(*document), time)) {
            state().shelfFailed = true;
            if (keepUnshelvedText(record, textBytes(*document)))
                state().unshelvedKept = true;
            else
                state().copyFailed = true;
        }
        if (keepCopy)
            keepOrRemove(*document, record);
        else
            removeRecoveryCopy(currentProcess());
    });
}

// The document as it now is, confirmed against the box.
void shelveAndSettle(bool unsaved, bool keepCopy)
{
    document().confirm();
    shelveAndSettle(document().sharedText(), document().file(), unsaved, keepCopy);
}

void documentChanged()
{
    CopyState& s = state();
    const std::uint64_t moment = steadyMilliseconds();
    if (!s.changed) s.firstChange = moment;
    s.changed = true;
    s.lastChange = moment;
    if (!s.timerStarted) {
        s.timerStarted = true;
        startIntervalTimer(tickMilliseconds, tick);
    }
}

void documentSaved()
{
    state().changed = false;
    worker().post([] { removeRecoveryCopy(currentProcess()); });
}

// A change notes its moment; one that drops the text (open, a restored copy,
// New, clear) first puts it on the shelf when it was unsaved, and the save
// of the document removes its copy.
class DocumentFollower final : public DocumentWatcher {
public:
    void changed(const Change& change) override
    {
        if (change.dropsText() && !change.before->empty() && !fileHoldsText(change.fileBefore, *change.before))
            shelveAndSettle(change.before, change.fileBefore, true, false);
        documentChanged();
    }
    void saved(const std::string&, const std::shared_ptr<const std::string>&) override { documentSaved(); }
};

} // namespace

std::unique_ptr<DocumentWatcher> watchDocument()
{
    return std::make_unique<DocumentFollower>();
}

std::span<const std::uint8_t> textBytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void copyNow()
{
    document().confirm();
    postCopy(document().sharedText());
}

bool copyWaiting()
{
    return state().changed;
}

std::uint64_t ticksSoFar()
{
    return state().ticks;
}

void forgetStoreTrouble()
{
    CopyState& s = state();
    s.copyFailed = s.copyTooLarge = s.shelfFailed = s.unshelvedKept = false;
    s.copyFailureTold = s.copyTooLargeTold = s.shelfFailureTold = false;
}

void shelveBeforeExit(bool keepCopy)
{
    shelveAndSettle(documentModified(), keepCopy || state().sessionEnding);
    worker().waitIdle();
}

void sessionEnding(bool ending)
{
    // A log-off another program cancels, or one this program refused, is
    // over: a later exit is an ordinary one again.
    state().sessionEnding = ending;
    if (!ending || !windowLoaded(WindowId::main)) return; // still the splash: no document yet
    if (documentModified()) copyNow();
    worker().waitIdle();
}

bool sessionIsEnding()
{
    return state().sessionEnding;
}

void reportStoreTrouble()
{
    CopyState& s = state();
    tellOnce(s.copyFailed, s.copyFailureTold, notices::recoveryUnwritable());
    tellOnce(s.copyTooLarge, s.copyTooLargeTold, notices::recoveryTooLarge(largestRecoveryCopy >> 20));
    tellOnce(s.shelfFailed, s.shelfFailureTold,
             s.unshelvedKept ? notices::shelfUnwritableTextKept() : notices::shelfUnwritable());
    versions::reportTrouble();
    backups::reportTrouble();
}

void checkStoreAtStart()
{
    CopyState& s = state();
    if (recoveryStoreWritable() || s.copyFailureTold) return;
    s.copyFailureTold = s.shelfFailureTold = true;
    // The folder itself refusing takes the writer's goal and figures too: one notice says all.
    const bool writingLost = !writingStoreWritable();
    if (writingLost) writing::storeTroubleToldAtStart();
    tell(notices::recoveryStoreUnusable(writingLost));
}

} // namespace wrivo::recovery
