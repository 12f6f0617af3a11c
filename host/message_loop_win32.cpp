#include "host/message_loop.h"

#include "host/window_object.h"

#include <vector>

namespace wrivo {
namespace {

struct ModelessDialog {
    HWND dialog;
    HWND acceleratorWindow;
};

std::vector<ModelessDialog>& modelessDialogs()
{
    static std::vector<ModelessDialog> dialogs;
    return dialogs;
}

bool isDialogOrInside(HWND window, HWND dialog)
{
    return window == dialog || IsChild(dialog, window);
}

} // namespace

void MessageLoop::addModelessDialog(HWND dialog, HWND acceleratorWindow)
{
    if (!dialog) return;
    for (const ModelessDialog& open : modelessDialogs()) {
        if (open.dialog == dialog) return;
    }
    modelessDialogs().push_back({dialog, acceleratorWindow});
}

void MessageLoop::removeModelessDialog(HWND dialog)
{
    std::erase_if(modelessDialogs(), [dialog](const ModelessDialog& open) { return open.dialog == dialog; });
}

MessageLoop::MessageLoop(IdleStep idle, StopCondition stop) : idle_(std::move(idle)), stop_(std::move(stop)) { }

bool MessageLoop::preTranslate(MSG& message)
{
    // IsDialogMessage answers FALSE for messages of other windows. By index,
    // each taken by value: an accelerator's command may close a dialog.
    for (std::size_t n = 0; n < modelessDialogs().size(); ++n) {
        const ModelessDialog open = modelessDialogs()[n];
        if (!IsWindow(open.dialog)) continue;
        if (open.acceleratorWindow && isDialogOrInside(message.hwnd, open.dialog)) {
            WindowObject* owner = WindowObject::fromHandle(open.acceleratorWindow);
            if (owner && owner->translateAccelerator(message)) return true;
        }
        if (IsDialogMessageA(open.dialog, &message)) return true;
    }
    for (HWND window = message.hwnd; window; window = GetAncestor(window, GA_PARENT)) {
        if (WindowObject* object = WindowObject::fromHandle(window)) {
            if (object->preTranslate(message)) return true;
        }
        if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) continue;
        break;
    }
    return false;
}

bool MessageLoop::countsAsNewInput(const MSG& message)
{
    // The caret's blink timer (0x118) and a mouse move that did not move are
    // not input: they must not wake idle processing again.
    constexpr UINT systemTimer = 0x0118;
    if (message.message == systemTimer) return false;
    return true;
}

bool MessageLoop::stopRequested()
{
    if (!stop_) return false;
    if (stop_()) return true;
    MSG next;
    return PeekMessageA(&next, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

int MessageLoop::run()
{
    bool idling = true;
    int idleCount = 0;
    for (;;) {
        MSG message;
        while (idling && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (stopRequested()) return -1;
            if (!idle_ || !idle_(idleCount++)) idling = false;
        }
        do {
            if (stopRequested()) return -1;
            BOOL got = GetMessageA(&message, nullptr, 0, 0);
            if (got == -1) return -1;
            if (got == 0) {
                // A nested loop that took the quit request from its wait posts
                // it again, or the outer loop would never end.
                if (!stop_) return static_cast<int>(message.wParam);
                PostQuitMessage(static_cast<int>(message.wParam));
                return -1;
            }
            if (!preTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            bool sameMousePlace =
                message.message == WM_MOUSEMOVE && message.pt.x == lastMouse_.x && message.pt.y == lastMouse_.y;
            if (message.message == WM_MOUSEMOVE) lastMouse_ = message.pt;
            if (!sameMousePlace && countsAsNewInput(message)) {
                idling = true;
                idleCount = 0;
            }
        } while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    }
}

} // namespace wrivo
