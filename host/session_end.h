// The application's session-end routine, run by the main window when the
// system asks whether the session may end.
#pragma once

namespace wrivo {

void runSessionEndRoutine();

} // namespace wrivo
