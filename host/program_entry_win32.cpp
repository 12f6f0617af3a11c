#include "host/program_entry.h"

#include "host/host_app.h"

namespace wrivo {

int runProgram(StartRoutine startRoutine)
{
    HostApp& host = HostApp::instance();
    int exitCode = startRoutine ? startRoutine() : 0;
    host.cleanUp();
    return exitCode;
}

} // namespace wrivo
