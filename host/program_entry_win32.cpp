#include "host/program_entry.h"

#include "host/host_app.h"
#include "host/scoped_win32.h"

namespace wrivo {

int runProgram(StartRoutine startRoutine)
{
    HostApp& host = HostApp::instance();
    int exitCode = startRoutine ? startRoutine() : 0;
    host.cleanUp();
    return exitCode;
}

std::vector<std::wstring> programArguments()
{
    // The Unicode command line: a name the ANSI code page cannot spell
    // arrives whole, so the application can refuse it with a word rather
    // than open a look-alike.
    int count = 0;
    const ScopedLocalMemory<LPWSTR> arguments(CommandLineToArgvW(GetCommandLineW(), &count)); // one block
    if (!arguments) return {};
    std::vector<std::wstring> result;
    for (int i = 1; i < count; ++i) result.emplace_back(arguments.get()[i]);
    return result;
}

} // namespace wrivo
