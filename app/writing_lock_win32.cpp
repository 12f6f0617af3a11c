#include "app/writing_lock.h"

#include <windows.h>

#include "app/app_globals.h"
#include "app/command_handlers.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/recovery.h"
#include "app/start_window.h"
#include "app/units.h"
#include "app/writing_desk.h"
#include "host/host.h"
#include "services/controls/control_operations.h"
#include "services/dialogs/lock_dialogs.h"

namespace wrivo::writing {

struct Lock {
    WritingLock rules;
    WINDOWPLACEMENT placement{};
    LONG style = 0;
    HWND line = nullptr;
    bool metTold = false;
};

namespace {

constexpr int lineHeight = 20;
constexpr UINT_PTR minuteTimer = 0x5C11;
constexpr UINT tickMs = 1000;
constexpr LONG frameStyles = WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME;

HWND mainHandle()
{
    return reinterpret_cast<HWND>(windowHandle(mainWindowRef));
}

Lock* lock()
{
    return appGlobals() ? appGlobals()->writingLock.get() : nullptr;
}

std::int64_t nowMs()
{
    return static_cast<std::int64_t>(steadyMilliseconds());
}

void showLine(Lock& l)
{
    SetWindowTextA(l.line, l.rules.line(nowMs(), writtenToday()).c_str());
}

// The goal met for the first time: 出关 is said once.
bool tellIfMet(Lock& l)
{
    showLine(l);
    if (l.metTold || l.rules.goal() == LockGoal::none || l.rules.holds(nowMs())) return false;
    l.metTold = true;
    KillTimer(mainHandle(), minuteTimer);
    tell(Notice{"闭关写作", lockMetText(writtenToday())});
    return true;
}

void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (Lock* l = lock()) tellIfMet(*l);
}

void enter(const LockChoice& choice)
{
    const HWND window = mainHandle();
    auto l = std::make_shared<Lock>(Lock{WritingLock(choice.goal, choice.target, nowMs())});
    l->placement.length = sizeof l->placement;
    GetWindowPlacement(window, &l->placement);
    l->style = GetWindowLongA(window, GWL_STYLE);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    l->line = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, 0, 0, 0, window,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(l->line, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    appGlobals()->writingLock = l;
    SetWindowLongA(window, GWL_STYLE, l->style & ~frameStyles);
    const RECT& r = monitor.rcMonitor;
    SetWindowPos(window, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    layOutLocked(); // a window already this size gets no WM_SIZE
    showLine(*l);
    if (choice.goal == LockGoal::minutes) SetTimer(window, minuteTimer, tickMs, onTick);
}

// The window as it was: place, size, maximised.
void leave()
{
    const std::shared_ptr<Lock> l = std::move(appGlobals()->writingLock);
    const HWND window = mainHandle();
    KillTimer(window, minuteTimer);
    DestroyWindow(l->line);
    editBox.setTop(0);
    SetWindowLongA(window, GWL_STYLE, l->style);
    SetWindowPlacement(window, &l->placement);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    handlers::layoutOnResize({});
}

// Whether the goal still stands with what was typed since the last pause,
// taken as a pause: the goal met by it is said now.
bool stillHolds(Lock& l)
{
    typingPaused();
    return l.rules.holds(nowMs());
}

// The refusal box; 强行出关 and the exact sentence end the lock.
void refuse(Lock& l)
{
    if (!askLockRefused(mainWindowRef, l.rules.refusal(nowMs()))) return;
    const std::optional<std::string> typed = askSurrender(mainWindowRef);
    if (typed && isSurrender(*typed)) leave();
}

} // namespace

void lockWordsNoted(std::int64_t difference)
{
    if (Lock* l = lock()) l->rules.addWords(difference);
}

bool lockPaused()
{
    Lock* l = lock();
    return l && !recovery::sessionIsEnding() && tellIfMet(*l); // a log-off is no time for boxes
}

bool lockRefusesClose()
{
    Lock* l = lock();
    if (!l || recovery::sessionIsEnding() || !stillHolds(*l)) return false;
    refuse(*l);
    return true;
}

bool layOutLocked()
{
    Lock* l = lock();
    if (!l) return false;
    RECT client{};
    GetClientRect(mainHandle(), &client);
    const std::int64_t width = client.right, height = client.bottom, strip = listBox.height();
    MoveWindow(l->line, 0, 0, client.right, lineHeight, TRUE);
    editBox.setTop(lineHeight);
    editBox.setWidth(width + 2); // its left edge sits a pixel outside, as always
    editBox.setHeight(height - lineHeight - strip);
    listBox.setTop(height - strip);
    listBox.setWidth(width);
    return true;
}

} // namespace wrivo::writing

namespace wrivo {

std::optional<std::int32_t> handlers::writingLock(const EventArguments&)
{
    using namespace writing;
    if (Lock* l = lock()) {
        if (stillHolds(*l))
            refuse(*l);
        else
            leave();
        return std::nullopt;
    }
    typingPaused(); // today's figure as it stands
    const std::int64_t goal = dailyGoalNow();
    if (const std::optional<LockChoice> choice = askLockGoal(mainWindowRef, suggestedLockWords(goal, writtenToday())))
        enter(*choice);
    return std::nullopt;
}

} // namespace wrivo
