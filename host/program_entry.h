// The program's entry as the host frames it: the host object exists before
// the entry runs; the entry calls the application's start routine (which
// starts the host and runs the message loop) and, when it returns, the host's
// exit hook runs the clean-up. The routine's result is the exit code.
#pragma once

namespace wrivo {

using StartRoutine = int (*)();

int runProgram(StartRoutine startRoutine);

} // namespace wrivo
