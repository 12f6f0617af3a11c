// Loading a window from the layout: the live copy, the menu bar, the native
// window and its controls, the events after the build, the first showing
// (with the nested loop of a modal window), and closing.
#include "host/host_app.h"
#include "host/message_loop.h"
#include "host/runtime_error.h"

namespace wrivo {

using layout::kindNonVisual, layout::UnitKindInfo, layout::findUnitKind, layout::unitVisible, layout::WindowSettings;
using layout::UnitCommon, layout::LayoutUnit, layout::decodeWindowLayout;

namespace {

struct WindowFrame {
    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = 0;
};

WindowFrame frameFor(const WindowSettings& settings, const std::string& caption)
{
    WindowFrame frame;
    switch (settings.borderStyle) {
    case 0: frame.style |= WS_POPUP; break;
    case 1: frame.style |= WS_THICKFRAME; break;
    case 3:
        frame.style |= WS_THICKFRAME;
        frame.exStyle |= WS_EX_TOOLWINDOW;
        break;
    case 4: frame.exStyle |= WS_EX_TOOLWINDOW; break;
    case 5:
        frame.style |= WS_THICKFRAME;
        frame.exStyle |= WS_EX_CLIENTEDGE;
        break;
    case 6: frame.exStyle |= WS_EX_CLIENTEDGE; break;
    default: frame.style |= WS_BORDER; break;
    }
    if (settings.borderStyle != 0 && (!caption.empty() || settings.controlBox)) {
        frame.style |= WS_CAPTION;
        if (settings.controlBox) frame.style |= WS_SYSMENU;
        if (settings.maxButton) frame.style |= WS_MAXIMIZEBOX;
        if (settings.minButton) frame.style |= WS_MINIMIZEBOX;
    }
    if (settings.position == 2) frame.style |= WS_MINIMIZE;
    if (settings.position == 3) frame.style |= WS_MAXIMIZE;
    if (settings.topmost) frame.exStyle |= WS_EX_TOPMOST;
    return frame;
}

// Messages that arrived before the build are handled first, so that none of
// them meets a half-built window. Timer ticks are left queued: a tick handler
// that loads a window must not be entered again from inside that load.
void dispatchQueuedMessages()
{
    const UINT ranges[2][2] = {{0, WM_TIMER - 1}, {WM_TIMER + 1, 0xFFFFFFFFu}};
    for (const auto& range : ranges) {
        MSG message;
        while (PeekMessageA(&message, nullptr, range[0], range[1], PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            if (!MessageLoop::preTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }
}

bool createControls(LiveWindow& window)
{
    int controlId = 100;
    for (std::size_t i = window.units().size(); i-- > 1;) {
        LiveUnit& unit = *window.units()[i];
        if (unit.record.isMenuEntry()) continue;
        if (!unit.kind->create) return false;
        HWND control = unit.kind->create({unit, window.handle(), controlId});
        if (!control) return false;
        unit.handle = control;
        unit.controlId = controlId;
        controlId += 10;
        tieUnitToControl(unit);
        if (unit.kindFlags & kindNonVisual) ShowWindow(control, SW_HIDE);
    }
    return true;
}

void completeControls(LiveWindow& window)
{
    // The stacking order (and with it the tab order) is the stored order.
    HWND previous = HWND_TOP;
    for (std::size_t i = 1; i < window.units().size(); ++i) {
        LiveUnit& unit = *window.units()[i];
        if (!unit.handle) continue;
        SetWindowPos(unit.handle, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = unit.handle;
    }
    for (std::size_t i = 1; i < window.units().size(); ++i) {
        LiveUnit& unit = *window.units()[i];
        if (unit.handle && unit.kind->windowComplete) unit.kind->windowComplete(unit);
    }
    for (std::size_t i = 1; i < window.units().size(); ++i) {
        LiveUnit& unit = *window.units()[i];
        if (unit.handle && (unit.record.common.flags & unitVisible) && !(unit.kindFlags & kindNonVisual))
            ShowWindow(unit.handle, SW_SHOWNA);
    }
}

} // namespace

LiveWindow* HostApp::build(std::uint32_t windowId, HWND owner)
{
    WindowSlot* slot = findSlot(windowId);
    // The records are read now: one the program cannot read fails this load.
    auto decoded = decodeWindowLayout(slot->stored);
    if (!decoded || decoded.value->units.empty() || !decoded.value->windowSettings()) return nullptr;
    auto window = std::make_unique<LiveWindow>(windowId);
    for (LayoutUnit& record : decoded.value->units) {
        auto unit = std::make_unique<LiveUnit>();
        const UnitKindInfo* info = findUnitKind(record.kind);
        unit->kind = findKindOperations(record.kind);
        if (!info || !unit->kind) return nullptr;
        unit->kindFlags = info->flags;
        unit->record = std::move(record);
        unit->window = window.get();
        window->addUnit(std::move(unit));
    }
    window->rebuildMenuBar();

    const UnitCommon& own = window->windowUnit().record.common;
    const WindowSettings& settings = window->settings();
    WindowFrame frame = frameFor(settings, settings.caption);
    int x = own.left, y = own.top;
    if (settings.position == 1) {
        x = (GetSystemMetrics(SM_CXSCREEN) - own.width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - own.height) / 2;
    }
    if (!owner && !settings.showInTaskbar) owner = hiddenWindow();
    LiveWindow* building = window.get();
    slot->live = std::move(window);
    // Until the window is whole, nothing of it may remain on a failure.
    ScopedWindow pending(building->createNative(frame.exStyle, settings.caption.c_str(), frame.style, x, y, own.width,
                                                own.height, owner, building->menu()));
    HWND native = pending.get();
    building->windowUnit().handle = native;
    if (!native || !createControls(*building)) {
        // No event is raised for its end.
        if (!building->handle()) pending.release(); // already gone
        pending.reset();
        slot = findSlot(windowId);
        if (slot->live.get() == building) discarded_.push_back(std::move(slot->live));
        return nullptr;
    }
    SendMessageA(native, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (!settings.movable) DeleteMenu(GetSystemMenu(native, FALSE), SC_MOVE, MF_BYCOMMAND);
    if (building->acceptsDrops()) DragAcceptFiles(native, TRUE);
    completeControls(*building);
    pending.release(); // the live window's from now on
    return building;
}

bool HostApp::load(std::uint32_t windowId, HWND owner, bool modal)
{
    WindowSlot* slot = findSlot(windowId);
    if (!slot) return false;
    if (slot->live && slot->live->handle()) {
        LiveWindow& open = *slot->live;
        if (!open.closing()) {
            if (IsIconic(open.handle()))
                ShowWindow(open.handle(), SW_RESTORE);
            else
                SetActiveWindow(open.handle());
            return true;
        }
        // Loaded again at once: its end must not end the loop.
        reloading_ = true;
        DestroyWindow(open.handle());
        reloading_ = false;
        slot = findSlot(windowId);
    }
    if (modal) owner = nullptr;
    if (owner && !IsWindow(owner)) return false;

    dispatchQueuedMessages();
    LiveWindow* building = nullptr;
    {
        // The build raises nothing; created, moved and size-changed follow it.
        const EventSuspension quiet;
        building = build(windowId, owner);
    }
    if (!building) return false;
    HWND native = building->handle();

    const int buildEvents[] = {WindowEvent::created, WindowEvent::moved, WindowEvent::sizeChanged};
    for (int event : buildEvents) {
        if (liveWindow(windowId) != building || !IsWindow(native)) return false;
        raiseEvent(windowId, 0, event);
    }
    if (liveWindow(windowId) != building) return false;
    if (building->windowUnit().record.common.flags & unitVisible) showLoaded(*building);
    building->markLoaded(modal);
    if (modal) disableOthersFor(*building);
    return true;
}

void HostApp::disableOthersFor(LiveWindow& modalWindow)
{
    for (WindowSlot& slot : windows_) {
        LiveWindow* other = slot.live.get();
        if (!other || other == &modalWindow || !other->handle()) continue;
        if (GetParent(other->handle())) continue;
        modalWindow.disableWhileModal(other->handle());
    }
}

void HostApp::showLoaded(LiveWindow& window)
{
    ShowWindow(window.handle(), SW_SHOW);
}

void HostApp::firstShowing(LiveWindow& window)
{
    window.markShown();
    showLoaded(window);
    if (!window.modal()) return;
    std::uint32_t outerModal = modalWindow_;
    modalWindow_ = window.id;
    window.setModalLoopRunning(true);
    runLoop(&window);
    modalWindow_ = outerModal;
}

void HostApp::closeWindow(LiveWindow& window, bool closeNow)
{
    window.beginClosing();
    if (closeNow)
        DestroyWindow(window.handle());
    else
        PostMessageA(window.handle(), privateCloseRequest, 0, 0);
}

// --- the application's view -------------------------------------------------

void loadStartWindow(std::uint32_t windowId)
{
    HostApp& host = HostApp::instance();
    if (!host.load(windowId, nullptr, false)) reportRuntimeError(errorStartWindow);
    LiveWindow* window = host.liveWindow(windowId);
    if (window && window->awaitingFirstShowing() && (window->windowUnit().record.common.flags & unitVisible))
        host.firstShowing(*window);
}

bool loadWindow(std::uint32_t windowId, std::optional<std::uint32_t> ownerWindowId, bool modal)
{
    HostApp& host = HostApp::instance();
    HWND owner = nullptr;
    if (ownerWindowId && !modal) {
        LiveWindow* ownerWindow = host.liveWindow(*ownerWindowId);
        if (!ownerWindow || !ownerWindow->handle()) return false;
        owner = ownerWindow->handle();
    }
    if (!host.load(windowId, owner, modal)) return false;
    LiveWindow* window = host.liveWindow(windowId);
    if (window && window->awaitingFirstShowing() && (window->windowUnit().record.common.flags & unitVisible))
        host.firstShowing(*window);
    return true;
}

void destroyUnit(const UnitRef& ref, bool closeNow)
{
    HostApp& host = HostApp::instance();
    LiveWindow* window = host.liveWindow(ref.window);
    if (!window) reportRuntimeError(errorNoSuchUnit);
    LiveUnit* unit = ref.unit == 0 ? &window->windowUnit() : window->unitById(ref.unit);
    if (!unit) reportRuntimeError(errorNoSuchUnit);
    if (unit == &window->windowUnit()) {
        host.closeWindow(*window, closeNow);
        return;
    }
    if (unit->record.isMenuEntry()) return;
    HWND control = unit->handle;
    bool hadChildren = control && GetWindow(control, GW_CHILD) != nullptr;
    if (control) DestroyWindow(control);
    if (!hadChildren) unit->removed = true;
}

} // namespace wrivo
