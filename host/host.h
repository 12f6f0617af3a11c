// The window host as the application and the services call it: start-up,
// the message loop, loading and destroying windows, events and properties,
// and the end of the process. Everything runs on the user-interface thread
// (endProcess excepted).
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/host_types.h"

namespace wrivo {

struct HostStartup {
    std::span<const std::uint8_t> layoutData; // the stored layout block
    HandlerTable handlers;                    // handler locations index this table
};

// Starts the host: OLE, the program folder made current, the hidden window,
// the run-time error box, the kind table, the layout's windows and handlers.
// Layout data that cannot be read is the run-time error "载入窗口模板数据段出错!".
// Once per process.
void startHost(HostStartup startup);

// The program file's folder, without a trailing backslash, as recorded at
// start (empty before). Libraries are looked for there, never in the current
// folder, which the file dialogs move to the document's folder.
std::string programFolder();

// The application's routine run once at clean-up (not after a run-time error).
void registerExitRoutine(void (*routine)());

// The application's routine run when the session ends (log-off, shut-down),
// with true before the windows are asked whether they may close (the user
// may not be there to answer), and with false when the end did not come
// (another program or this one refused it).
void registerSessionEndRoutine(void (*routine)(bool ending));

// Calls `tick` on the user-interface thread about every `milliseconds`, from
// whichever message loop runs (a message box's too), until the process ends.
void startIntervalTimer(std::uint32_t milliseconds, void (*tick)());
// Milliseconds on a clock that only goes forward (not the time of day).
std::uint64_t steadyMilliseconds();

// Loads the first window non-modally without owner; failure is the run-time
// error "载入启动窗口失败".
void loadStartWindow(std::uint32_t windowId);

// Runs the main message loop while a window is loaded; answers its exit code.
int runMessageLoop();

// Loads a window from the layout (or activates it when it is already open).
// A modal load ignores the owner. A window flagged visible is shown at once;
// for a modal one that runs its nested loop, so the call returns when it
// closes. Answers false when the window could not be loaded.
bool loadWindow(std::uint32_t windowId, std::optional<std::uint32_t> ownerWindowId, bool modal);

// A window: marked as closing and closed through a posted request (or at once
// with closeNow), without may-close. A control: its native window destroyed
// and the unit removed.
void destroyUnit(const UnitRef& unit, bool closeNow = false);

// Clean-up, then the process ends with the code. From another thread: ends at once.
[[noreturn]] void endProcess(int exitCode);

// Events.
EventOutcome raiseEvent(std::uint32_t windowId, std::uint32_t unitId, int event, const EventArguments& arguments = {});
void suspendEvents();
void resumeEvents();
bool eventsSuspended();
// No event is raised while one of these lives (they nest): the host's own
// changes (a build, a content write) are not reported as the user's.
class EventSuspension {
public:
    EventSuspension() { suspendEvents(); }
    ~EventSuspension() { resumeEvents(); }
    EventSuspension(const EventSuspension&) = delete;
    EventSuspension& operator=(const EventSuspension&) = delete;
};
// The unit whose event is being handled (zeros when none).
UnitRef currentEventSource();

// Properties by number; sub-index -1 except for font members.
PropertyValue readProperty(const UnitRef& unit, int number, int subIndex = -1);
void writeProperty(const UnitRef& unit, int number, const PropertyValue& value, int subIndex = -1);

// Whether the window is loaded (has a live copy and native window).
bool windowLoaded(std::uint32_t windowId);

// The program's command-line arguments after its own name, split as the
// system splits them (quotes kept together), in UTF-16 as the system has them.
std::vector<std::wstring> programArguments();

// The files of the drop whose files-dropped event is being handled, in the
// order the drop names them; empty outside that event.
const std::vector<std::wstring>& droppedFiles();

} // namespace wrivo
