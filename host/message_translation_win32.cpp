// How a window translates the messages of itself and its controls before they
// are dispatched: accelerators first (so menu shortcuts win over the focused
// control), then drag-anywhere, the dialog keys the focused control does not
// claim, and last the generic keyboard and mouse events.
#include "host/host_app.h"
#include "host/property_rules.h"

namespace wrivo {
namespace {

bool isKeyboardMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

std::int32_t keyShiftState()
{
    std::int32_t state = 0;
    if (GetKeyState(VK_CONTROL) < 0) state |= shiftStateCtrl;
    if (GetKeyState(VK_SHIFT) < 0) state |= shiftStateShift;
    if (GetKeyState(VK_MENU) < 0) state |= shiftStateAlt;
    return state;
}

std::int32_t mouseShiftState(WPARAM wParam)
{
    std::int32_t state = 0;
    if (wParam & MK_CONTROL) state |= shiftStateCtrl;
    if (wParam & MK_SHIFT) state |= shiftStateShift;
    if (GetKeyState(VK_MENU) < 0) state |= shiftStateAlt;
    return state;
}

int mouseEventOf(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN: return UnitEvent::leftButtonDown;
    case WM_LBUTTONUP: return UnitEvent::leftButtonUp;
    case WM_LBUTTONDBLCLK: return UnitEvent::leftDoubleClick;
    case WM_RBUTTONDOWN: return UnitEvent::rightButtonDown;
    case WM_RBUTTONUP: return UnitEvent::rightButtonUp;
    case WM_MOUSEMOVE: return UnitEvent::mouseMove;
    default: return 0;
    }
}

} // namespace

bool LiveWindow::preTranslate(MSG& message)
{
    HWND self = handle();
    if (!self) return false;
    // 1. Keyboard messages to a disabled window are left alone.
    if (isKeyboardMessage(message.message) && !IsWindowEnabled(message.hwnd)) return false;
    // 2. A left button press ends pending menu and capture modes.
    if (message.message == WM_LBUTTONDOWN && GetCapture() && GetCapture() != message.hwnd) ReleaseCapture();
    // 4. Accelerators.
    if (translateAccelerator(message)) return true;
    // 6. Drag anywhere.
    if (message.message == WM_LBUTTONDOWN && message.hwnd == self && settings().dragAnywhere) {
        ReleaseCapture();
        SendMessageA(self, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return true;
    }
    // 7. Dialog keys, unless the focused control claims the key.
    if (message.message == WM_KEYDOWN || message.message == WM_CHAR) {
        LiveUnit* focused = unitByHandle(GetFocus());
        bool claimed = focused && focused != &windowUnit() && focused->kind->claimKey &&
                       focused->kind->claimKey(*focused, message);
        if (!claimed && translateDialogKey(message, focused)) return true;
    }
    // 8. Generic events.
    return raiseInputEvent(message);
}

bool LiveWindow::translateAccelerator(MSG& message)
{
    HWND self = handle();
    if (!self || !isKeyboardMessage(message.message) || !menuBar_.accelerators ||
        !TranslateAcceleratorA(self, menuBar_.accelerators.get(), &message))
        return false;
    // A shortcut with Alt (Alt+Backspace): the default handling still sees
    // that a key went with Alt, or some systems (Wine) open the menu bar when
    // Alt is let go. For keys other than Tab and Enter it does nothing else
    // (Microsoft's WM_SYSKEYDOWN page).
    if (message.message == WM_SYSKEYDOWN && message.wParam != VK_TAB && message.wParam != VK_RETURN)
        DefWindowProcA(self, message.message, message.wParam, message.lParam);
    return true;
}

bool LiveWindow::translateDialogKey(MSG& message, LiveUnit* focused)
{
    (void)focused;
    auto key = static_cast<UINT>(message.wParam);
    bool keyDown = message.message == WM_KEYDOWN;
    if ((keyDown && key == VK_TAB) || (!keyDown && key == '\t')) {
        if (keyDown) {
            bool backwards = GetKeyState(VK_SHIFT) < 0;
            if (HWND next = GetNextDlgTabItem(handle(), GetFocus(), backwards ? TRUE : FALSE)) SetFocus(next);
        }
        return true;
    }
    if ((keyDown && key == VK_RETURN) || (!keyDown && key == '\r')) {
        if (!settings().enterMovesFocus) return false;
        if (keyDown) {
            if (HWND next = GetNextDlgTabItem(handle(), GetFocus(), FALSE)) SetFocus(next);
        }
        return true;
    }
    if ((keyDown && key == VK_ESCAPE) || (!keyDown && key == 0x1B)) {
        if (!settings().escCloses) return false;
        if (keyDown) PostMessageA(handle(), WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

bool LiveWindow::raiseInputEvent(MSG& message)
{
    LiveUnit* unit = unitByHandle(message.hwnd);
    if (!unit) return false;
    EventArguments arguments;
    int event = 0;
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        event =
            (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) ? UnitEvent::keyDown : UnitEvent::keyUp;
        arguments.count = 2;
        arguments.values[0] = eventKeyCode(static_cast<std::uint32_t>(message.wParam));
        arguments.values[1] = keyShiftState();
        break;
    case WM_CHAR:
        event = UnitEvent::character;
        arguments.count = 1;
        arguments.values[0] = static_cast<std::int32_t>(message.wParam);
        break;
    case WM_MOUSEWHEEL:
        event = UnitEvent::wheel;
        arguments.count = 2;
        arguments.values[0] = wheelNotches(static_cast<std::uint32_t>(message.wParam));
        arguments.values[1] = mouseShiftState(LOWORD(message.wParam));
        break;
    default:
        event = mouseEventOf(message.message);
        if (event == 0) return false;
        arguments.count = 3;
        arguments.values[0] = lowSigned16(static_cast<std::uint32_t>(message.lParam));
        arguments.values[1] = highSigned16(static_cast<std::uint32_t>(message.lParam));
        arguments.values[2] = mouseShiftState(message.wParam);
        break;
    }
    EventOutcome outcome = raiseEvent(id, unit->record.id, event, arguments);
    if (!outcome.handled) return false;
    if (event == UnitEvent::character) {
        if (outcome.result == 0) return true;
        message.wParam = static_cast<WPARAM>(outcome.result);
        return false;
    }
    return outcome.result == 0;
}

} // namespace wrivo
