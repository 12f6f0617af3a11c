#include "app/writing_desk.h"

#include "app/app_globals.h"
#include "app/command_handlers.h"
#include "app/document.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/start_window.h"
#include "app/statistics_handlers.h"
#include "app/units.h"
#include "app/writing_lock.h"
#include "host/host.h"
#include "services/dialogs/writing_dialogs.h"
#include "services/store/writing_store.h"
#include "services/text/datetime.h"
#include "services/writing/manuscript_tidy.h"
#include "services/writing/word_count.h"

namespace wrivo::writing {
namespace {

constexpr int averagedDays = 30;

} // namespace

// A file of the store that did not read, whose writes wait: said once a run.
struct Held {
    bool now = false;
    bool told = false;
};

// With the application's state, made when first needed.
struct Desk {
    WritingSettings settings = readWritingSettings().value_or(WritingSettings{});
    WritingSettings settingsRead = settings; // as last read or written
    bool settingsWaiting = false;            // a change not yet written
    WritingLog log;
    WordMeter meter;
    WritingLog minutes; // of typing per day
    TypingClock clock;
    std::uint64_t typedMs = 0;  // not yet a whole minute of today's
    bool reachedToTell = false; // today's goal reached since the last command
    bool storeFailed = false;
    bool storeFailureTold = false;
    Held logHeld, settingsHeld, minutesHeld;
};

namespace {

Desk& desk()
{
    std::shared_ptr<Desk>& slot = appGlobals()->writingDesk;
    if (!slot) {
        slot = std::make_shared<Desk>();
        // A log that does not read shows as empty until it does.
        slot->log.setStored(readDailyLog().value_or(DailyLog{}).days);
        slot->minutes.setStored(readMinutesLog().value_or(DailyLog{}).days);
    }
    return *slot;
}

void noteOutcome(LogWrite outcome, Held& held)
{
    held.now = outcome == LogWrite::unreadable;
    if (outcome == LogWrite::failed) desk().storeFailed = true;
}

void tellHeld(Held& held, const char* file)
{
    if (!held.now || held.told) return;
    held.told = true;
    tell(notices::writingFileUnreadable(writingStoreFile(file)));
}

std::int64_t today()
{
    return writingDay(dateTimeFields(now()), desk().settings.dayStart);
}

std::int64_t documentWords()
{
    return countWords(document().text()).words;
}

void saveSettings()
{
    Desk& d = desk();
    const LogWrite outcome = saveWritingSettings(d.settingsRead, d.settings);
    d.settingsWaiting = outcome != LogWrite::written;
    noteOutcome(outcome, d.settingsHeld);
}

// Whole minutes of typing go to today.
void noteMinutes()
{
    Desk& d = desk();
    constexpr std::uint64_t minute = 60'000;
    if (d.typedMs < minute) return;
    d.minutes.add(today(), static_cast<std::int64_t>(d.typedMs / minute), 0);
    d.typedMs %= minute;
}

// Settings that waited for their file go with the log.
void saveLog()
{
    Desk& d = desk();
    if (d.settingsWaiting) saveSettings();
    if (d.log.hasPending()) noteOutcome(saveDailyLog(d.log), d.logHeld);
    noteMinutes();
    if (d.minutes.hasPending()) noteOutcome(saveMinutesLog(d.minutes), d.minutesHeld);
}

// The difference since the last note goes to today: the document has `words` now.
void noteWords(std::int64_t words)
{
    Desk& d = desk();
    const std::int64_t difference = d.meter.difference(words);
    lockWordsNoted(difference);
    if (difference != 0 && d.log.add(today(), difference, d.settings.goal)) d.reachedToTell = true;
}

void noteWords()
{
    noteWords(documentWords());
}

class DocumentFollower final : public DocumentWatcher {
public:
    void changed(const Change& change) override
    {
        if (change.countsAsWriting) {
            // Typing time runs while such changes come; the words count at
            // the next pause, with the typing around them.
            desk().typedMs += desk().clock.typed(steadyMilliseconds());
            return;
        }
        noteWords(countWords(*change.before).words);
        desk().meter.reset(countWords(*change.after).words);
        saveLog();
    }
};

} // namespace

// One step of the history and one change of the edit box, through the
// document (none when nothing changes).
TidyCounts tidyDocument(const TidyOptions& options)
{
    DocumentModel& doc = document();
    doc.confirm(); // the tidied stretch, the whole text at most, goes into the box from the snapshot
    const std::shared_ptr<const std::string> text = doc.sharedText();
    const EditRange selection = doc.selection();
    const auto start = static_cast<std::size_t>(selection.start);
    const auto end = start + static_cast<std::size_t>(selection.length);
    const TidyResult result = selection.length > 0 ? tidyManuscript(*text, start, end, start, options)
                                                   : tidyManuscript(*text, 0, text->size(), start, options);
    if (!result.changed()) return {};
    doc.replaceRange({static_cast<std::int32_t>(result.start), static_cast<std::int32_t>(result.end - result.start)},
                     result.replacement, ChangeCause::tidy);
    doc.select({static_cast<std::int32_t>(result.caret), 0});
    return result.counts;
}

void typingPaused()
{
    noteWords();
    if (lockPaused()) desk().reachedToTell = false; // 出关 said it
    saveLog();
}

std::int64_t writtenToday()
{
    return desk().log.day(today()).words;
}

std::int64_t dailyGoalNow()
{
    return desk().settings.goal;
}

std::unique_ptr<DocumentWatcher> watchDocument()
{
    return std::make_unique<DocumentFollower>();
}

void tellPending()
{
    if (!appGlobals()) return;
    Desk& d = desk();
    if (d.storeFailed && !d.storeFailureTold) {
        d.storeFailureTold = true;
        tell(notices::writingStoreUnwritable(writingStoreName()));
    }
    tellHeld(d.logHeld, "daily.txt");
    tellHeld(d.settingsHeld, "writing.txt");
    tellHeld(d.minutesHeld, "minutes.txt");
    if (d.reachedToTell) {
        d.reachedToTell = false;
        const std::int64_t day = today();
        tell(notices::goalReached(d.log.day(day).goal, d.log.streak(day)));
    }
}

const WritingSettings& settings()
{
    return desk().settings;
}

void setChapterTarget(std::int64_t target)
{
    if (desk().settings.chapterTarget == target) return;
    desk().settings.chapterTarget = target;
    saveSettings();
}

void setBackupFolder(const std::string& folder)
{
    if (desk().settings.backupFolder == folder) return;
    desk().settings.backupFolder = folder;
    saveSettings();
}

void storeTroubleToldAtStart()
{
    if (appGlobals()) desk().storeFailureTold = true;
}

} // namespace wrivo::writing

namespace wrivo {

std::optional<std::int32_t> handlers::tidyManuscript(const EventArguments&)
{
    writing::tellPending();
    writing::Desk& d = writing::desk();
    const std::optional<TidyOptions> options = askTidyOptions(mainWindowRef, d.settings.tidy);
    if (!options) return std::nullopt;
    if (*options != d.settings.tidy) {
        d.settings.tidy = *options;
        writing::saveSettings();
    }
    const TidyCounts counts = writing::tidyDocument(*options);
    tell(counts.any() ? notices::tidied(counts) : notices::alreadyTidy());
    writing::tellPending();
    return std::nullopt;
}

std::optional<std::int32_t> handlers::dailyGoal(const EventArguments&)
{
    using namespace writing;
    noteWords(); // today's figure as it stands
    tellPending();
    Desk& d = desk();
    // Another program may have added to today since: read it in as well.
    noteOutcome(saveDailyLog(d.log), d.logHeld);
    tellPending();
    const std::int64_t day = today();
    GoalSummary summary;
    summary.today = day;
    summary.written = d.log.day(day).words;
    summary.goal = d.settings.goal;
    summary.streak = d.log.streak(day);
    summary.average = d.log.average(day, averagedDays);
    summary.days = d.log.days();
    noteMinutes();
    summary.minutes = d.minutes.day(day).words;
    const std::optional<std::int64_t> goal = askDailyGoal(mainWindowRef, summary);
    if (!goal || *goal == d.settings.goal) return std::nullopt;
    d.settings.goal = *goal;
    saveSettings();
    d.log.setGoal(day, *goal); // today's goal; the days before keep theirs
    saveLog();
    tellPending();
    return std::nullopt;
}

} // namespace wrivo
