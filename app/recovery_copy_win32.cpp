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
#include "app/document_commands.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "host/host.h"
#include "services/background_queue.h"
#include "services/controls/unit_properties.h"
#include "services/datetime.h"
#include "services/files.h"
#include "services/message_box.h"
#include "services/recovery_store.h"
#include "services/text.h"

namespace wrivo::recovery {
namespace {

// A copy is made once typing has paused this long, and at least this often
// while it goes on (milliseconds).
constexpr std::uint64_t typingPause = 2000;
constexpr std::uint64_t longestWait = 30000;
constexpr std::uint32_t tickMilliseconds = 500;

struct CopyState {
    bool timerStarted = false;
    bool changed = false; // since the last copy was taken
    std::uint64_t firstChange = 0;
    std::uint64_t lastChange = 0;
    bool sessionEnding = false;
    bool noticeDone = false;
    std::uint64_t ticks = 0;
    std::atomic<bool> writeFailed{false};
};

CopyState& state()
{
    static CopyState copyState;
    return copyState;
}

// The question isDocumentModified answers, asked of a text already at hand.
// The file's text is its bytes up to the first zero (as toText takes them),
// looked at in place: a long document is not copied once more.
bool differsFromFile(std::string_view document, const std::string& file)
{
    if (document.empty()) return false;
    const std::vector<std::uint8_t> bytes = readFile(file);
    std::string_view onDisk(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    onDisk = onDisk.substr(0, onDisk.find('\0'));
    return compareText(document, onDisk, true) != 0;
}

// Writes a copy of `document` when it differs from its file, else removes
// the copy. Runs on the worker.
void keepOrRemove(const std::string& document, const RecoveryRecord& record)
{
    if (!differsFromFile(document, record.fileName))
        removeRecoveryCopy(currentProcess());
    else if (!writeRecoveryCopy(record, textBytes(document)))
        state().writeFailed = true;
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
    worker().post(
        [document = std::move(document), record = recordNow(rememberedFile())] { keepOrRemove(*document, record); });
}

// One notice per run, never one per attempt; not inside another of our
// notices (the timer goes on ticking in a message box's loop).
void reportWriteFailure()
{
    CopyState& s = state();
    if (s.noticeDone || !s.writeFailed) return;
    s.noticeDone = true;
    tell(notices::recoveryUnwritable());
}

void tick()
{
    CopyState& s = state();
    ++s.ticks;
    if (!appGlobals() || !windowLoaded(WindowId::main)) return; // before the editor is up, after it is gone
    if (s.changed) {
        const std::uint64_t moment = steadyMilliseconds();
        if (moment - s.lastChange >= typingPause || moment - s.firstChange >= longestWait) copyFromStatistics();
    }
    reportWriteFailure();
}

// Shelves the document's text (when `unsaved`) and then keeps a current copy
// or removes it; a copy stays when the shelf could not take the text.
void shelveAndSettle(bool unsaved, bool keepCopy)
{
    state().changed = false;
    if (!unsaved) {
        worker().post([] { removeRecoveryCopy(currentProcess()); });
        return;
    }
    worker().post(
        [document = documentText(), record = recordNow(rememberedFile()), time = dateTimeFields(now()), keepCopy] {
            const bool shelved = shelveText(textBytes(document), time);
            if (!shelved) state().writeFailed = true;
            if (keepCopy || !shelved)
                keepOrRemove(document, record);
            else
                removeRecoveryCopy(currentProcess());
        });
}

} // namespace

BackgroundQueue& worker()
{
    // Never destroyed: the process may end while it waits for work, and a
    // thread still joinable at destruction would end the program badly.
    static BackgroundQueue* queue = new BackgroundQueue;
    return *queue;
}

std::span<const std::uint8_t> textBytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void copyFromStatistics()
{
    postCopy(appGlobals()->statistics.document());
}

void keepCopyNow()
{
    postCopy(std::make_shared<const std::string>(documentText()));
}

bool copyWaiting()
{
    return state().changed;
}

std::uint64_t ticksSoFar()
{
    return state().ticks;
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

void shelveUnsavedDocument()
{
    if (isDocumentModified()) shelveAndSettle(true, false);
}

void shelveBeforeExit(bool keepCopy)
{
    shelveAndSettle(isDocumentModified(), keepCopy || state().sessionEnding);
    worker().waitIdle();
}

void keepCopyForSessionEnd()
{
    if (!windowLoaded(WindowId::main)) return; // still the splash: no document yet
    state().sessionEnding = true;
    if (isDocumentModified()) keepCopyNow();
    worker().waitIdle();
}

} // namespace wrivo::recovery
