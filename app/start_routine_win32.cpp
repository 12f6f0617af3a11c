#include "app/start_routine.h"

#include <float.h>

#include "app/app_globals.h"
#include "app/layout_content.h"
#include "app/recovery.h"
#include "host/host.h"
#include "services/controls/unit_properties.h"
#include "services/store/files.h"
#include "skin/splash.h"

namespace wrivo {
namespace {

// Run once at the clean-up (never after a run-time error).
void releaseApplication()
{
    releaseSplashSkin();
    releaseAppGlobals();
}

} // namespace

int startApplication()
{
    // A relative name on the command line means a file in the folder the
    // program was started in; the host makes the program's folder the current
    // one, so each name is made whole first.
    std::vector<std::wstring> files = programArguments();
    for (std::wstring& file : files) file = fullPath(file);
    registerServiceKinds();
    startHost({layoutDataBlock(), applicationHandlers()});
    _fpreset();
    createSplashSkin();
    createAppGlobals();
    appGlobals()->commandLine = std::move(files);
    registerExitRoutine(releaseApplication);
    registerSessionEndRoutine(recovery::sessionEnding);
    startSkinModule();
    loadStartWindow(WindowId::start);
    runMessageLoop();
    return 0;
}

} // namespace wrivo
