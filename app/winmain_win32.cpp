// Wrivo's process entry: the host frames the run of the application's start
// routine; the exit code is the one the message loop ended with.
#include <windows.h>

#include "app/start_routine.h"
#include "host/program_entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return wrivo::runProgram(wrivo::startApplication);
}
