// The application's routine for a session that is ending: kept by the host
// and run by a loaded window when the system asks whether the session may end
// (WM_QUERYENDSESSION), before its may-close question.
#include "host/session_end.h"

#include "host/host.h"
#include "host/host_app.h"

namespace wrivo {

void registerSessionEndRoutine(void (*routine)())
{
    HostApp::instance().setSessionEndRoutine(routine);
}

void runSessionEndRoutine()
{
    if (void (*routine)() = HostApp::instance().sessionEndRoutine()) routine();
}

} // namespace wrivo
