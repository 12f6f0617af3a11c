// Drives the real host inside a test program: starts it once with the
// program's layout and a handler table whose every place records its calls
// and answers what the test sets, and pumps the real message loop's
// translation until a condition holds.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "host/host_types.h"

namespace wrivo::test {

struct RecordedEvent {
    int handler; // HandlerIndex of the handler that ran
    EventArguments arguments;
    UnitRef source;
};

using TestHandler = std::function<std::optional<std::int32_t>(const EventArguments&)>;

// Starts the host (once per process) with the program's layout data and the
// recording handler table; the kinds are registered first.
void startRecordingHost();

// What ran since the last clear, in order.
std::vector<RecordedEvent>& recordedEvents();
int countEvents(int handler);
// Makes the handler at `index` run `action` (it is still recorded); empty
// restores the default, which answers nothing.
void setHandler(int index, TestHandler action);
void resetHandlers();

// Takes and dispatches messages as the host's loop does (with pre-translation)
// until `condition` holds or `timeoutMs` pass; answers the condition.
bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Handles everything queued now (and what that queues), then returns.
void pumpPending();

// Posts a key press (down, and up) to `target` with Ctrl/Shift held as given,
// setting the thread's keyboard state so that accelerators see them.
void postKey(HWND target, UINT virtualKey, bool ctrl = false, bool shift = false);
void holdModifiers(bool ctrl, bool shift);

} // namespace wrivo::test
