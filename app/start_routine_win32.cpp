#include "app/start_routine.h"

#include <float.h>

#include "app/app_globals.h"
#include "app/layout_content.h"
#include "app/recovery.h"
#include "host/host.h"
#include "services/controls/unit_properties.h"
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
    registerServiceKinds();
    startHost({layoutDataBlock(), applicationHandlers()});
    _fpreset();
    createSplashSkin();
    createAppGlobals();
    appGlobals()->commandLine = programArguments();
    registerExitRoutine(releaseApplication);
    registerSessionEndRoutine(recovery::keepCopyForSessionEnd);
    startSkinModule();
    loadStartWindow(WindowId::start);
    runMessageLoop();
    return 0;
}

} // namespace wrivo
