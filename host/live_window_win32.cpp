// A loaded window's own messages: close requests and the may-close veto, its
// end, moves and sizes, activation, menu commands and control notifications.
#include "host/host_app.h"
#include "host/menu_plan.h"
#include "host/session_end.h"

namespace wrivo {

using layout::defaultColour, layout::unitTabStop, layout::menuDisabled, layout::WindowSettings, layout::MenuEntry;

LiveWindow::~LiveWindow()
{
    if (handle()) DestroyWindow(handle());
}

WindowSettings& LiveWindow::settings()
{
    // A record without window settings gets its own defaults, never a copy
    // shared with other windows.
    auto& settings = windowUnit().record.settings;
    if (!std::holds_alternative<WindowSettings>(settings)) settings = WindowSettings{};
    return std::get<WindowSettings>(settings);
}

LiveUnit* LiveWindow::unitById(std::uint32_t unitId)
{
    for (auto& unit : units_)
        if (unit->record.id == unitId && !unit->removed) return unit.get();
    return nullptr;
}

LiveUnit* LiveWindow::unitByHandle(HWND window)
{
    if (!window) return nullptr;
    if (window == handle()) return &windowUnit();
    LiveUnit* unit = liveUnitOfControl(window);
    return unit && unit->window == this && !unit->removed ? unit : nullptr;
}

std::vector<LiveUnit*> LiveWindow::menuEntries()
{
    std::vector<LiveUnit*> entries;
    for (auto& unit : units_)
        if (unit->record.isMenuEntry()) entries.push_back(unit.get());
    return entries;
}

LiveUnit* LiveWindow::menuEntryByCommand(int command)
{
    std::vector<LiveUnit*> entries = menuEntries();
    int index = command - firstMenuCommand;
    if (index < 0 || index >= static_cast<int>(entries.size())) return nullptr;
    return entries[static_cast<std::size_t>(index)];
}

void LiveWindow::rebuildMenuBar()
{
    MenuBar rebuilt = buildMenuBar(menuEntries());
    if (handle()) SetMenu(handle(), rebuilt.menu.get());
    menuBar_ = std::move(rebuilt); // the old bar is destroyed once detached
}

void LiveWindow::disableWhileModal(HWND other)
{
    disabledWindows_.emplace_back(other, IsWindowEnabled(other) != 0);
    EnableWindow(other, FALSE);
}

void LiveWindow::reenableDisabledWindows()
{
    for (auto& [window, wasEnabled] : disabledWindows_)
        if (IsWindow(window)) EnableWindow(window, wasEnabled ? TRUE : FALSE);
    disabledWindows_.clear();
}

void LiveWindow::beginClosing()
{
    closing_ = true;
    reenableDisabledWindows();
}

LiveUnit* LiveWindow::firstFocusUnit()
{
    LiveUnit* best = nullptr;
    for (std::size_t i = 1; i < units_.size(); ++i) {
        LiveUnit& unit = *units_[i];
        if (unit.removed || !unit.handle || !(unit.record.common.flags & unitTabStop)) continue;
        if (!IsWindowVisible(unit.handle) || !IsWindowEnabled(unit.handle)) continue;
        if (!best || unit.record.common.tabOrder < best->record.common.tabOrder) best = &unit;
    }
    return best;
}

EventOutcome LiveWindow::raiseWindowEvent(int event, const EventArguments& arguments)
{
    return raiseEvent(id, 0, event, arguments);
}

LRESULT LiveWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto control = reinterpret_cast<HWND>(lParam);
    switch (message) {
    case WM_CLOSE: onClose(); return 0;
    case WM_QUERYENDSESSION: return onQueryEndSession();
    case WM_ENDSESSION: onEndSession(wParam != FALSE); return 0;
    case privateCloseRequest: onPrivateCloseRequest(); return 0;
    case WM_DESTROY: onDestroy(); break;
    case WM_MOVE: onMove(); break;
    case WM_SIZE: onSize(); break;
    case WM_ACTIVATE: onActivate(LOWORD(wParam) != WA_INACTIVE); break;
    case WM_DROPFILES: onDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_STYLECHANGING: onStyleChanging(static_cast<int>(wParam), *reinterpret_cast<STYLESTRUCT*>(lParam)); break;
    case WM_SHOWWINDOW: onShowWindow(wParam != 0); break;
    case WM_SETFOCUS: onSetFocus(); return 0;
    case WM_KILLFOCUS: onKillFocus(); return 0;
    case WM_COMMAND: onCommand(LOWORD(wParam), HIWORD(wParam), control); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = onControlColour(reinterpret_cast<HDC>(wParam), control))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_DRAWITEM:
        if (onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_ERASEBKGND: onEraseBackground(reinterpret_cast<HDC>(wParam)); return 1;
    default: break;
    }
    return WindowObject::handleMessage(message, wParam, lParam);
}

void LiveWindow::onClose()
{
    if (!closing_) {
        EventOutcome outcome = raiseWindowEvent(WindowEvent::mayClose);
        if (outcome.handled && outcome.result == 0) return;
    }
    beginClosing();
    DestroyWindow(handle());
}

BOOL LiveWindow::onQueryEndSession()
{
    // The system is shutting down or the user logging off: a window that
    // may refuse to close is asked as if closed, so that an unsaved
    // document is offered for saving (and the end refused) rather than
    // lost with the session.
    runSessionEndRoutine(true);
    if (!closing_) {
        EventOutcome outcome = raiseWindowEvent(WindowEvent::mayClose);
        if (outcome.handled && outcome.result == 0) {
            runSessionEndRoutine(false); // refused here: the session goes on
            return FALSE;
        }
    }
    return TRUE;
}

void LiveWindow::onEndSession(bool ending)
{
    // WM_ENDSESSION with FALSE: another program refused, the session goes on.
    if (!ending) runSessionEndRoutine(false);
}

void LiveWindow::onPrivateCloseRequest()
{
    if (IsWindow(handle())) DestroyWindow(handle());
}

void LiveWindow::onDestroy()
{
    raiseWindowEvent(WindowEvent::willBeDestroyed);
    reenableDisabledWindows();
    if (menuBar_.menu) SetMenu(handle(), nullptr);
    menuBar_ = {};
}

void LiveWindow::onMove()
{
    raiseWindowEvent(WindowEvent::moved);
}

void LiveWindow::onSize()
{
    raiseWindowEvent(WindowEvent::sizeChanged);
}

void LiveWindow::onActivate(bool active)
{
    if (!active) {
        raiseWindowEvent(WindowEvent::deactivated);
        return;
    }
    if (!firstActivationRaised_) {
        firstActivationRaised_ = true;
        raiseWindowEvent(WindowEvent::firstActivation);
    }
    raiseWindowEvent(WindowEvent::activated);
}

void LiveWindow::onStyleChanging(int which, STYLESTRUCT& change)
{
    if (which == GWL_EXSTYLE) keepAcceptingDrops(change);
}

void LiveWindow::onShowWindow(bool shown)
{
    raiseWindowEvent(shown ? WindowEvent::shown : WindowEvent::hidden);
}

void LiveWindow::onSetFocus()
{
    // Like a dialog, the window hands the focus to its first tab stop;
    // it keeps the focus itself only when no unit can take it.
    if (LiveUnit* unit = firstFocusUnit()) {
        SetFocus(unit->handle);
        return;
    }
    raiseWindowEvent(UnitEvent::gotFocus);
}

void LiveWindow::onKillFocus()
{
    raiseWindowEvent(UnitEvent::lostFocus);
}

void LiveWindow::onCommand(int command, int code, HWND from)
{
    if (!from) {
        // A menu command or accelerator.
        if (LiveUnit* entry = menuEntryByCommand(command)) {
            const MenuEntry* menuEntry = entry->record.as<MenuEntry>();
            if (menuEntry && !(menuEntry->flags & menuDisabled)) raiseEvent(id, entry->record.id, UnitEvent::primary);
        }
        return;
    }
    LiveUnit* unit = unitByHandle(from);
    if (unit && unit->kind->notify) unit->kind->notify(*unit, code);
}

HBRUSH LiveWindow::onControlColour(HDC dc, HWND control)
{
    LiveUnit* unit = unitByHandle(control);
    return unit && unit->kind->colours ? unit->kind->colours(*unit, dc) : nullptr;
}

bool LiveWindow::onDrawItem(const DRAWITEMSTRUCT& item)
{
    LiveUnit* unit = item.CtlType == ODT_MENU ? nullptr : unitByHandle(item.hwndItem);
    return unit && unit->kind->drawItem && unit->kind->drawItem(*unit, item);
}

void LiveWindow::onEraseBackground(HDC dc)
{
    std::uint32_t colour = settings().backColour;
    RECT area;
    GetClientRect(handle(), &area);
    if (colour == defaultColour)
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    else
        FillRect(dc, &area, ScopedBrush(CreateSolidBrush(colour & 0xFFFFFF)).get());
}

void LiveWindow::windowGone()
{
    HostApp::instance().windowDestroyed(*this);
}

} // namespace wrivo
