// The host's timer services beyond the timer unit: an interval timer with no
// window of its own, and the steady clock.
#include "host/host.h"

#include <windows.h>

#include <map>

namespace wrivo {
namespace {

// Kept here, not with a window: the TimerProc of a thread timer is given only
// the timer's identifier.
std::map<UINT_PTR, void (*)()>& intervalTicks()
{
    static std::map<UINT_PTR, void (*)()> ticks;
    return ticks;
}

// A thread timer (no window): DispatchMessage calls this for its WM_TIMER,
// in any message loop of the thread (SetTimer with a TimerProc).
void CALLBACK intervalElapsed(HWND, UINT, UINT_PTR identifier, DWORD)
{
    const auto found = intervalTicks().find(identifier);
    if (found != intervalTicks().end()) found->second();
}

} // namespace

void startIntervalTimer(std::uint32_t milliseconds, void (*tick)())
{
    const UINT_PTR identifier = SetTimer(nullptr, 0, milliseconds, intervalElapsed);
    if (identifier) intervalTicks()[identifier] = tick;
}

std::uint64_t steadyMilliseconds()
{
    return GetTickCount64();
}

} // namespace wrivo
