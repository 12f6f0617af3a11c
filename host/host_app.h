// HostApp: the one object that owns the process's windows, units, handlers,
// idle callbacks and the clean-up. Internal to the host; the application uses
// host/host.h.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/host.h"
#include "host/host_texts.h"
#include "host/live_window.h"
#include "host/scoped_win32.h"
#include "host/unit_access.h"

namespace wrivo {

struct WindowSlot {
    layout::StoredWindow stored;
    std::unique_ptr<LiveWindow> live;
};

struct IdleCallback {
    HWND window;
    void (*procedure)(void* argument);
    void* argument;
};

class HostApp {
public:
    static HostApp& instance();

    void start(HostStartup startup);
    bool started() const { return started_; }

    // Windows.
    WindowSlot* findSlot(std::uint32_t windowId);
    LiveWindow* liveWindow(std::uint32_t windowId);
    bool anyWindowLoaded() const;
    bool load(std::uint32_t windowId, HWND owner, bool modal);
    void firstShowing(LiveWindow& window);
    void showLoaded(LiveWindow& window);
    // Called when a loaded window's native window is gone.
    void windowDestroyed(LiveWindow& window);
    void closeWindow(LiveWindow& window, bool closeNow);

    // Events.
    HandlerTable handlers() const { return handlers_; }
    void suspendEvents() { ++suspension_; }
    void resumeEvents() { --suspension_; }
    bool eventsSuspended() const { return suspension_ > 0; }
    // A handler is being run for `source`: answers the previous source, for
    // endDispatch. Windows are freed only when no handler runs.
    UnitRef beginDispatch(const UnitRef& source);
    void endDispatch(const UnitRef& previous);
    UnitRef eventSource() const { return eventSource_; }
    // The names of the files-dropped event being handled; exchanged in and
    // out around its handler, so a nested drop finds its own.
    const std::vector<std::wstring>& droppedFiles() const { return droppedFiles_; }
    std::vector<std::wstring> exchangeDroppedFiles(std::vector<std::wstring> names)
    {
        return std::exchange(droppedFiles_, std::move(names));
    }

    // The message loop: the program's main loop, or a modal window's own.
    int runMainLoop();
    int runLoop(LiveWindow* modalWindow);

    // Idle callbacks of units.
    void addIdleCallback(const IdleCallback& callback) { idleCallbacks_.push_back(callback); }

    // Process end.
    void setExitRoutine(void (*routine)()) { exitRoutine_ = routine; }
    void forgetExitRoutine() { exitRoutine_ = nullptr; }
    // The application's routine for a session that is ending (none: null).
    void setSessionEndRoutine(void (*routine)(bool ending)) { sessionEndRoutine_ = routine; }
    void (*sessionEndRoutine() const)(bool) { return sessionEndRoutine_; }
    [[noreturn]] void endProcess(int exitCode);
    void cleanUp();

    DWORD userInterfaceThread() const { return uiThread_; }
    HWND hiddenWindow() const;
    const std::string& programFolder() const { return programFolder_; }

private:
    HostApp() = default;
    bool idleStep(int idleCount);
    // The live window and its native window and controls, or null.
    LiveWindow* build(std::uint32_t windowId, HWND owner);
    void disableOthersFor(LiveWindow& modalWindow);

    int suspension_ = 0;
    UnitRef eventSource_;
    std::vector<std::wstring> droppedFiles_;
    int dispatchDepth_ = 0;
    bool loopStarted_ = false;
    std::uint32_t modalWindow_ = 0;
    bool started_ = false;
    bool cleaningUp_ = false;
    bool reloading_ = false;
    ScopedOle ole_;
    DWORD uiThread_ = 0;
    std::string programFolder_;
    std::string programFileName_;
    std::unique_ptr<class HiddenWindow> hidden_;
    // Its native window: gone before the object, after the loaded windows
    // (the ones it owns).
    ScopedWindow hiddenNative_;
    std::vector<WindowSlot> windows_;
    std::vector<std::unique_ptr<LiveWindow>> discarded_;
    HandlerTable handlers_;
    std::vector<IdleCallback> idleCallbacks_;
    void (*exitRoutine_)() = nullptr;
    void (*sessionEndRoutine_)(bool) = nullptr;
    DWORD idlePeriodStart_ = 0;
};

// Shows run-time errors in the host's message box and ends the process.
void installRuntimeErrorBox();

} // namespace wrivo
