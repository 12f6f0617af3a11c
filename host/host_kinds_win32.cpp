// The kinds the host implements itself: the window unit, menu entries (which
// have no native window of their own) and the timer.
#include "host/host.h"
#include "host/live_window.h"
#include "host/window_properties.h"

namespace wrivo {

using layout::WindowSettings, layout::TimerSettings;
namespace kind = layout::kind;

namespace {

WindowSettings& windowSettings(LiveUnit& unit)
{
    return unit.window->settings();
}

void updateFrameStyle(HWND window, DWORD add, DWORD remove)
{
    DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>((style | add) & ~remove));
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

PropertyValue getWindowProperty(LiveUnit& unit, int number)
{
    WindowSettings& settings = windowSettings(unit);
    auto logical = [](std::int32_t value) { return PropertyValue{std::int64_t{value != 0 ? 1 : 0}}; };
    switch (number) {
    case WindowProperty::caption: {
        char text[1024] = {};
        GetWindowTextA(unit.handle, text, sizeof text);
        return std::string(text);
    }
    case WindowProperty::borderStyle: return std::int64_t{settings.borderStyle};
    case WindowProperty::backgroundColour: return std::int64_t{settings.backColour};
    case WindowProperty::backgroundPicture: return settings.backgroundPicture;
    case WindowProperty::pictureMode: return std::int64_t{settings.pictureMode};
    case WindowProperty::backgroundSound: return settings.backgroundSound;
    case WindowProperty::playCount: return std::int64_t{settings.playCount};
    case WindowProperty::controlBox: return logical(settings.controlBox);
    case WindowProperty::maximizeButton: return logical(settings.maxButton);
    case WindowProperty::minimizeButton: return logical(settings.minButton);
    case WindowProperty::position: return std::int64_t{settings.position};
    case WindowProperty::movable: return logical(settings.movable);
    case WindowProperty::icon: return settings.icon;
    case WindowProperty::enterMovesFocus: return logical(settings.enterMovesFocus);
    case WindowProperty::escCloses: return logical(settings.escCloses);
    case WindowProperty::f1OpensHelp: return logical(settings.f1OpensHelp);
    case WindowProperty::helpFile: return settings.helpFile;
    case WindowProperty::helpContext: return std::int64_t{settings.helpContext};
    case WindowProperty::showInTaskbar: return logical(settings.showInTaskbar);
    case WindowProperty::dragAnywhere: return logical(settings.dragAnywhere);
    case WindowProperty::shape: return std::int64_t{settings.shape};
    case WindowProperty::topmost: return logical(settings.topmost);
    case WindowProperty::keepCaptionActive: return logical(settings.keepCaptionActive);
    case WindowProperty::className: return settings.className;
    default: return std::int64_t{0};
    }
}

bool setWindowProperty(LiveUnit& unit, int number, const PropertyValue& value)
{
    WindowSettings& settings = windowSettings(unit);
    HWND window = unit.handle;
    std::int64_t number64 = propertyNumber(value);
    bool on = number64 != 0;
    switch (number) {
    case WindowProperty::caption:
        settings.caption = propertyText(value);
        SetWindowTextA(window, settings.caption.c_str());
        break;
    case WindowProperty::borderStyle:
        settings.borderStyle = number64 < 0 ? 0 : (number64 > 6 ? 6 : static_cast<std::int32_t>(number64));
        break;
    case WindowProperty::backgroundColour:
        settings.backColour = static_cast<std::uint32_t>(number64);
        InvalidateRect(window, nullptr, TRUE);
        break;
    case WindowProperty::backgroundPicture: settings.backgroundPicture = propertyBytes(value); break;
    case WindowProperty::pictureMode: settings.pictureMode = static_cast<std::int32_t>(number64); break;
    case WindowProperty::backgroundSound: settings.backgroundSound = propertyBytes(value); break;
    case WindowProperty::playCount: settings.playCount = static_cast<std::int32_t>(number64); break;
    case WindowProperty::controlBox:
        settings.controlBox = on;
        updateFrameStyle(window, on ? WS_SYSMENU : 0, on ? 0 : WS_SYSMENU);
        break;
    case WindowProperty::maximizeButton:
        settings.maxButton = on;
        updateFrameStyle(window, on ? WS_MAXIMIZEBOX : 0, on ? 0 : WS_MAXIMIZEBOX);
        break;
    case WindowProperty::minimizeButton:
        settings.minButton = on;
        updateFrameStyle(window, on ? WS_MINIMIZEBOX : 0, on ? 0 : WS_MINIMIZEBOX);
        break;
    case WindowProperty::position: settings.position = static_cast<std::int32_t>(number64); break;
    case WindowProperty::movable: settings.movable = on; break;
    case WindowProperty::icon: settings.icon = propertyBytes(value); break;
    case WindowProperty::enterMovesFocus: settings.enterMovesFocus = on; break;
    case WindowProperty::escCloses: settings.escCloses = on; break;
    case WindowProperty::f1OpensHelp: settings.f1OpensHelp = on; break;
    case WindowProperty::helpFile: settings.helpFile = propertyText(value); break;
    case WindowProperty::helpContext: settings.helpContext = static_cast<std::int32_t>(number64); break;
    case WindowProperty::showInTaskbar: settings.showInTaskbar = on; break;
    case WindowProperty::dragAnywhere: settings.dragAnywhere = on; break;
    case WindowProperty::shape: settings.shape = static_cast<std::int32_t>(number64); break;
    case WindowProperty::topmost:
        settings.topmost = on;
        SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    case WindowProperty::keepCaptionActive: settings.keepCaptionActive = on; break;
    case WindowProperty::className: settings.className = propertyText(value); break;
    default: break;
    }
    return false;
}

// --- timer ------------------------------------------------------------------

constexpr UINT_PTR timerIdentifier = 1;

TimerSettings& timerSettings(LiveUnit& unit)
{
    if (!std::holds_alternative<TimerSettings>(unit.record.settings)) unit.record.settings = TimerSettings{};
    return std::get<TimerSettings>(unit.record.settings);
}

void startTimer(LiveUnit& unit)
{
    KillTimer(unit.handle, timerIdentifier);
    std::int32_t interval = timerSettings(unit).interval;
    if (interval > 0) SetTimer(unit.handle, timerIdentifier, static_cast<UINT>(interval), nullptr);
}

PropertyValue getTimerProperty(LiveUnit& unit, int number)
{
    if (number == TimerProperty::interval) return std::int64_t{timerSettings(unit).interval};
    return std::int64_t{0};
}

bool setTimerProperty(LiveUnit& unit, int number, const PropertyValue& value)
{
    if (number != TimerProperty::interval) return false;
    std::int64_t interval = propertyNumber(value);
    timerSettings(unit).interval =
        interval < 0 ? 0 : static_cast<std::int32_t>(interval > 0x7FFFFFFF ? 0x7FFFFFFF : interval);
    startTimer(unit);
    return false;
}

bool timerMessage(LiveUnit& unit, UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message == WM_TIMER && wParam == timerIdentifier) {
        raiseUnitEvent(unit, UnitEvent::primary);
        result = 0;
        return true;
    }
    if (message == WM_DESTROY) KillTimer(unit.handle, timerIdentifier);
    return false;
}

} // namespace

void registerHostKinds()
{
    UnitKind window;
    window.code = kind::window;
    window.getProperty = getWindowProperty;
    window.setProperty = setWindowProperty;
    registerUnitKind(window);

    UnitKind menu;
    menu.code = kind::menu;
    registerUnitKind(menu);

    UnitKind timer;
    timer.code = kind::timer;
    timer.create = createHiddenUnitWindow;
    timer.getProperty = getTimerProperty;
    timer.setProperty = setTimerProperty;
    timer.message = timerMessage;
    timer.windowComplete = startTimer;
    registerUnitKind(timer);
}

} // namespace wrivo
