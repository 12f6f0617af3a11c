#include "host/host_app.h"

#include <utility>

#include "host/dynamic_binding_win32.h"
#include "host/file_path.h"
#include "host/memory.h"
#include "host/message_loop.h"
#include "host/program_path.h"
#include "host/runtime_error.h"

namespace wrivo {

using layout::StoredWindow, layout::readLayoutData;

// The host's invisible top-level window: it receives the end request that
// endProcess posts from other threads.
class HiddenWindow : public WindowObject {
public:
    static constexpr UINT endRequest = WM_APP + 0x102;
    explicit HiddenWindow(HostApp& host) : host_(host) { }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == endRequest) host_.endProcess(static_cast<int>(wParam));
        return WindowObject::handleMessage(message, wParam, lParam);
    }

private:
    HostApp& host_;
};

namespace {

// The program's read-only data (its texts and built-in byte blocks): the
// memory services never free inside it.
void registerProgramConstants()
{
    auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        DWORD flags = section->Characteristics;
        bool readOnlyData = (flags & IMAGE_SCN_MEM_READ) && !(flags & IMAGE_SCN_MEM_WRITE) &&
                            !(flags & IMAGE_SCN_MEM_EXECUTE) && (flags & IMAGE_SCN_CNT_INITIALIZED_DATA);
        if (readOnlyData) registerConstantRange(base + section->VirtualAddress, section->Misc.VirtualSize);
    }
}

} // namespace

HostApp& HostApp::instance()
{
    // One per process, from its first use to the process's end. Reached
    // through here because window procedures and the application's calls of
    // host/host.h carry no host of their own.
    static HostApp host;
    return host;
}

void HostApp::start(HostStartup startup)
{
    if (started_) return;
    started_ = true;
    // Before anything loads a library: a file dialog later makes the
    // document's folder current, and no library may come from there.
    removeCurrentFolderFromLibrarySearch();
    ole_ = ScopedOle::start();

    // Split GBK-aware: a name such as 運.exe ends a character in 0x5C.
    const std::string full = programFilePath();
    const std::size_t slash = lastSeparator(full);
    programFolder_ = slash == std::string::npos ? std::string() : full.substr(0, slash);
    programFileName_ = slash == std::string::npos ? full : full.substr(slash + 1);
    if (!programFolder_.empty()) SetCurrentDirectoryA(programFolder_.c_str());

    hidden_ = std::make_unique<HiddenWindow>(*this);
    hiddenNative_.reset(hidden_->createNative(0, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr));
    uiThread_ = GetCurrentThreadId();
    registerProgramConstants();

    installRuntimeErrorBox();
    registerHostKinds();
    handlers_ = startup.handlers;
    auto stored = readLayoutData(startup.layoutData);
    if (!stored) reportRuntimeError(errorLayoutData);
    windows_.clear();
    for (StoredWindow& window : *stored.value) windows_.push_back({std::move(window), nullptr});
}

HWND HostApp::hiddenWindow() const
{
    return hidden_ ? hidden_->handle() : nullptr;
}

WindowSlot* HostApp::findSlot(std::uint32_t windowId)
{
    for (WindowSlot& slot : windows_)
        if (slot.stored.id == windowId) return &slot;
    return nullptr;
}

LiveWindow* HostApp::liveWindow(std::uint32_t windowId)
{
    WindowSlot* slot = findSlot(windowId);
    return slot ? slot->live.get() : nullptr;
}

bool HostApp::anyWindowLoaded() const
{
    for (const WindowSlot& slot : windows_)
        if (slot.live) return true;
    return false;
}

void HostApp::windowDestroyed(LiveWindow& window)
{
    WindowSlot* slot = findSlot(window.id);
    if (!slot || slot->live.get() != &window) return;
    window.setModalLoopRunning(false);
    if (modalWindow_ == window.id) modalWindow_ = 0;
    // Calls further up the stack may still hold the window (a handler that
    // ran a nested loop); it is freed once no event is being dispatched.
    discarded_.push_back(std::move(slot->live));
    if (!cleaningUp_ && !reloading_ && loopStarted_ && !anyWindowLoaded()) PostQuitMessage(0);
    // Wake a nested loop waiting in GetMessage so that it sees its window gone.
    PostMessageA(nullptr, WM_NULL, 0, 0);
}

int HostApp::runLoop(LiveWindow* modal)
{
    MessageLoop::StopCondition stop;
    if (modal) {
        std::uint32_t id = modal->id;
        stop = [this, id] {
            LiveWindow* window = liveWindow(id);
            return !window || !window->modalLoopRunning();
        };
    }
    MessageLoop loop([this](int count) { return idleStep(count); }, stop);
    return loop.run();
}

bool HostApp::idleStep(int idleCount)
{
    if (dispatchDepth_ == 0) discarded_.clear();
    for (std::size_t i = idleCallbacks_.size(); i-- > 0;) {
        IdleCallback callback = idleCallbacks_[i];
        if (!IsWindow(callback.window)) {
            idleCallbacks_.erase(idleCallbacks_.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        callback.procedure(callback.argument);
    }
    if (idleCount == 0) {
        idlePeriodStart_ = GetTickCount();
        for (WindowSlot& slot : windows_)
            if (slot.live) slot.live->setIdleWanted(true);
        return true;
    }
    bool more = false;
    EventArguments arguments;
    arguments.count = 1;
    arguments.values[0] = static_cast<std::int32_t>(GetTickCount() - idlePeriodStart_);
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        LiveWindow* window = windows_[i].live.get();
        if (!window || !window->idleWanted()) continue;
        EventOutcome outcome = raiseEvent(window->id, 0, WindowEvent::idle, arguments);
        window = windows_[i].live.get();
        if (!window) continue;
        if (outcome.handled && outcome.result != 0)
            more = true;
        else
            window->setIdleWanted(false);
    }
    return more;
}

void HostApp::endProcess(int exitCode)
{
    if (uiThread_ != 0 && GetCurrentThreadId() != uiThread_) {
        PostMessageA(hiddenWindow(), HiddenWindow::endRequest, static_cast<WPARAM>(exitCode), 0);
        if (!cleaningUp_) ExitProcess(static_cast<UINT>(exitCode));
        for (;;) Sleep(INFINITE); // the user-interface thread is ending the process
    }
    cleanUp();
    ExitProcess(static_cast<UINT>(exitCode));
}

void HostApp::cleanUp()
{
    if (cleaningUp_) return;
    suspendEvents(); // for good: nothing runs handlers any more
    cleaningUp_ = true;
    idleCallbacks_.clear();
    for (WindowSlot& slot : windows_) {
        if (slot.live && slot.live->handle()) DestroyWindow(slot.live->handle());
        if (slot.live) discarded_.push_back(std::move(slot.live));
    }
    if (void (*routine)() = exitRoutine_) {
        exitRoutine_ = nullptr;
        routine();
    }
    hiddenNative_.reset();
    ole_.reset(); // last of all
}

// --- the application's view -------------------------------------------------

void startHost(HostStartup startup)
{
    HostApp::instance().start(std::move(startup));
}

std::string programFolder()
{
    return HostApp::instance().programFolder();
}

void registerExitRoutine(void (*routine)())
{
    HostApp::instance().setExitRoutine(routine);
}

int HostApp::runMainLoop()
{
    loopStarted_ = true;
    if (!anyWindowLoaded()) return 0;
    return runLoop(nullptr);
}

UnitRef HostApp::beginDispatch(const UnitRef& source)
{
    ++dispatchDepth_;
    return std::exchange(eventSource_, source);
}

void HostApp::endDispatch(const UnitRef& previous)
{
    --dispatchDepth_;
    eventSource_ = previous;
}

int runMessageLoop()
{
    return HostApp::instance().runMainLoop();
}

void endProcess(int exitCode)
{
    HostApp::instance().endProcess(exitCode);
}

void suspendEvents()
{
    HostApp::instance().suspendEvents();
}

void resumeEvents()
{
    HostApp::instance().resumeEvents();
}

bool eventsSuspended()
{
    return HostApp::instance().eventsSuspended();
}

UnitRef currentEventSource()
{
    return HostApp::instance().eventSource();
}

bool windowLoaded(std::uint32_t windowId)
{
    return HostApp::instance().liveWindow(windowId) != nullptr;
}

} // namespace wrivo
