// What the recovery copy and the start-up offer share inside app/recovery_*.
#pragma once
#include <atomic>
#include <cstdint>
#include <span>
#include <string_view>

namespace wrivo::recovery {

// What the recovery copy keeps from one change to the next; the worker
// sets its trouble flags (so it lives as long as the worker: processState()).
struct CopyState {
    bool timerStarted = false;
    bool changed = false; // since the last copy was taken
    std::uint64_t firstChange = 0;
    std::uint64_t lastChange = 0;
    bool sessionEnding = false;
    std::uint64_t ticks = 0;
    // What went wrong on the worker, said once a run at the next command.
    std::atomic<bool> copyFailed{false};
    std::atomic<bool> copyTooLarge{false};
    std::atomic<bool> shelfFailed{false};
    std::atomic<bool> unshelvedKept{false}; // in the recovery folder instead
    bool copyFailureTold = false;
    bool copyTooLargeTold = false;
    bool shelfFailureTold = false;
};

std::span<const std::uint8_t> textBytes(std::string_view text);
// Takes a copy of the document as it is now (written when it is unsaved),
// from the document's own snapshot of the text: the timer's copy, and one
// asked for at once.
void copyNow();
// Saves a program ended in the middle of, each told once with the document
// and its backup (offerRecoveredCopies runs it once).
void reportInterruptedSaves();
// The offer itself, each time it is called (offerRecoveredCopies runs it once).
void offerCopiesLeftBehind();
// For tests: whether a change waits for its copy, and the timer's ticks so far.
bool copyWaiting();
std::uint64_t ticksSoFar();
// For tests: the trouble met and told so far is forgotten, as at a new start.
void forgetStoreTrouble();

} // namespace wrivo::recovery
