// The application's routine for a session that is ending: kept by the host
// and run by a loaded window with true when the system asks whether the
// session may end (WM_QUERYENDSESSION), before its may-close question, and
// with false when the end did not come.
#include "host/session_end.h"

#include "host/host.h"
#include "host/host_app.h"

namespace wrivo {

void registerSessionEndRoutine(void (*routine)(bool ending))
{
    HostApp::instance().setSessionEndRoutine(routine);
}

void runSessionEndRoutine(bool ending)
{
    if (void (*routine)(bool) = HostApp::instance().sessionEndRoutine()) routine(ending);
}

} // namespace wrivo
