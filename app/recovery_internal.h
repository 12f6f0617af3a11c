// What the recovery copy and the start-up offer share inside app/recovery_*.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace wrivo {
class BackgroundQueue;
}

namespace wrivo::recovery {

// The one worker that writes copies and shelf files, in order.
BackgroundQueue& worker();
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

} // namespace wrivo::recovery
