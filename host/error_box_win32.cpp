// Run-time errors as the user sees them: event dispatch stops, one message box
// without owner titled "错误" shows the text, and the process ends with
// 0xFFFFFFFF through the clean-up, without the application's exit routine.
#include "host/host_app.h"
#include "host/runtime_error.h"

#include <string>

namespace wrivo {
namespace {

void suspendForError()
{
    HostApp::instance().suspendEvents(); // for good: the process is ending
}

void showErrorBox(std::string_view composedText)
{
    std::string text(composedText);
    MessageBoxA(nullptr, text.c_str(), errorBoxTitle, MB_ICONERROR | MB_OK);
}

void endAfterError()
{
    HostApp& host = HostApp::instance();
    host.forgetExitRoutine();
    host.endProcess(-1);
}

} // namespace

void installRuntimeErrorBox()
{
    setRuntimeErrorReporter({suspendForError, showErrorBox, endAfterError});
}

} // namespace wrivo
