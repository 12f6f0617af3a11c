// A loaded window's own messages: close requests and the may-close veto, its
// end, moves and sizes, activation, menu commands and control notifications.
#include "host/host_app.h"

namespace wrivo {

LiveWindow::~LiveWindow()
{
    if (handle()) DestroyWindow(handle());
    if (accelerators) DestroyAcceleratorTable(accelerators);
    if (menu) DestroyMenu(menu);
}

WindowSettings& LiveWindow::settings()
{
    static WindowSettings none;
    auto* settings = std::get_if<WindowSettings>(&windowUnit().record.settings);
    return settings ? *settings : none;
}

LiveUnit* LiveWindow::unitById(std::uint32_t unitId)
{
    for (auto& unit : units)
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
    for (auto& unit : units)
        if (unit->record.isMenuEntry()) entries.push_back(unit.get());
    return entries;
}

LiveUnit* LiveWindow::menuEntryByCommand(int command)
{
    std::vector<LiveUnit*> entries = menuEntries();
    int index = command - 20000;
    if (index < 0 || index >= static_cast<int>(entries.size())) return nullptr;
    return entries[static_cast<std::size_t>(index)];
}

void LiveWindow::rebuildMenuBar()
{
    HMENU oldMenu = menu;
    HACCEL oldAccelerators = accelerators;
    menu = nullptr;
    accelerators = nullptr;
    buildMenuBar(menuEntries(), menu, accelerators);
    if (handle()) SetMenu(handle(), menu);
    if (oldMenu) DestroyMenu(oldMenu);
    if (oldAccelerators) DestroyAcceleratorTable(oldAccelerators);
}

void LiveWindow::reenableDisabledWindows()
{
    for (auto& [window, wasEnabled] : disabledWindows)
        if (IsWindow(window)) EnableWindow(window, wasEnabled ? TRUE : FALSE);
    disabledWindows.clear();
}

LiveUnit* LiveWindow::firstFocusUnit()
{
    LiveUnit* best = nullptr;
    for (std::size_t i = 1; i < units.size(); ++i) {
        LiveUnit& unit = *units[i];
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
    HWND self = handle();
    switch (message) {
    case WM_CLOSE: {
        if (!closing) {
            EventOutcome outcome = raiseWindowEvent(WindowEvent::mayClose);
            if (outcome.handled && outcome.result == 0) return 0;
        }
        closing = true;
        reenableDisabledWindows();
        DestroyWindow(self);
        return 0;
    }
    case WM_QUERYENDSESSION:
        // The system is shutting down or the user logging off: a window that
        // may refuse to close is asked as if closed, so that an unsaved
        // document is offered for saving (and the end refused) rather than
        // lost with the session.
        if (!closing) {
            EventOutcome outcome = raiseWindowEvent(WindowEvent::mayClose);
            if (outcome.handled && outcome.result == 0) return FALSE;
        }
        return TRUE;
    case privateCloseRequest:
        if (IsWindow(self)) DestroyWindow(self);
        return 0;
    case WM_DESTROY:
        raiseWindowEvent(WindowEvent::willBeDestroyed);
        reenableDisabledWindows();
        if (menu) {
            SetMenu(self, nullptr);
            DestroyMenu(menu);
            menu = nullptr;
        }
        if (accelerators) {
            DestroyAcceleratorTable(accelerators);
            accelerators = nullptr;
        }
        break;
    case WM_MOVE:
        raiseWindowEvent(WindowEvent::moved);
        break;
    case WM_SIZE:
        raiseWindowEvent(WindowEvent::sizeChanged);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            if (!firstActivationRaised) {
                firstActivationRaised = true;
                raiseWindowEvent(WindowEvent::firstActivation);
            }
            raiseWindowEvent(WindowEvent::activated);
        } else {
            raiseWindowEvent(WindowEvent::deactivated);
        }
        break;
    case WM_DROPFILES:
        raiseFilesDropped(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_STYLECHANGING:
        if (static_cast<int>(wParam) == GWL_EXSTYLE) keepAcceptingDrops(*reinterpret_cast<STYLESTRUCT*>(lParam));
        break;
    case WM_SHOWWINDOW:
        raiseWindowEvent(wParam ? WindowEvent::shown : WindowEvent::hidden);
        break;
    case WM_SETFOCUS:
        // Like a dialog, the window hands the focus to its first tab stop;
        // it keeps the focus itself only when no unit can take it.
        if (LiveUnit* unit = firstFocusUnit()) {
            SetFocus(unit->handle);
            return 0;
        }
        raiseWindowEvent(UnitEvent::gotFocus);
        return 0;
    case WM_KILLFOCUS:
        raiseWindowEvent(UnitEvent::lostFocus);
        return 0;
    case WM_COMMAND: {
        if (lParam == 0) {
            if (LiveUnit* entry = menuEntryByCommand(LOWORD(wParam))) {
                const MenuEntry* menuEntry = entry->record.as<MenuEntry>();
                if (menuEntry && !(menuEntry->flags & menuDisabled)) raiseEvent(id, entry->record.id, UnitEvent::primary);
            }
            return 0;
        }
        LiveUnit* unit = unitByHandle(reinterpret_cast<HWND>(lParam));
        if (unit && unit->kind->notify) unit->kind->notify(*unit, HIWORD(wParam));
        return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
        LiveUnit* unit = unitByHandle(reinterpret_cast<HWND>(lParam));
        if (unit && unit->kind->colours) {
            if (HBRUSH brush = unit->kind->colours(*unit, reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        LiveUnit* unit = item.CtlType == ODT_MENU ? nullptr : unitByHandle(item.hwndItem);
        if (unit && unit->kind->drawItem && unit->kind->drawItem(*unit, item)) return TRUE;
        break;
    }
    case WM_ERASEBKGND: {
        std::uint32_t colour = settings().backColour;
        RECT area;
        GetClientRect(self, &area);
        HBRUSH brush = colour == defaultColour ? GetSysColorBrush(COLOR_BTNFACE) : CreateSolidBrush(colour & 0xFFFFFF);
        FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
        if (colour != defaultColour) DeleteObject(brush);
        return 1;
    }
    default:
        break;
    }
    return WindowObject::handleMessage(message, wParam, lParam);
}

void LiveWindow::windowGone()
{
    HostApp::instance().windowDestroyed(*this);
}

} // namespace wrivo
