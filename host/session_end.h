// The application's session-end routine, run by the main window when the
// system asks whether the session may end (true) and when it did not end
// after all (false).
#pragma once

namespace wrivo {

void runSessionEndRoutine(bool ending);

} // namespace wrivo
