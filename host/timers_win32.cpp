// The host's timer services beyond the timer unit: an interval timer with no
// window of its own, and the session-end routine.
#include "host/host.h"
#include "host/host_app.h"
#include "host/session_end.h"

#include <windows.h>

#include <map>

namespace wrivo {
namespace {

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

void registerSessionEndRoutine(void (*routine)())
{
    HostApp::instance().setSessionEndRoutine(routine);
}

void runSessionEndRoutine()
{
    if (void (*routine)() = HostApp::instance().sessionEndRoutine()) routine();
}

} // namespace wrivo
