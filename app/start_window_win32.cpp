// The start window's two handlers: attaching the splash skin when the window
// is created, and the timer's frame step with the hand-over to the main
// window at the 29th tick; and what follows once the main window is up.
#include "app/start_window.h"
#include "app/notices.h"
#include "app/recovery.h"

#include "app/app_globals.h"
#include "app/layout_content.h"
#include "app/named_files.h"
#include "app/units.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "host/window_properties.h"
#include "services/controls/control_operations.h"
#include "services/text/code_page.h"
#include "skin/splash.h"
#include "skin/splash_frames.h"

namespace wrivo {

const UnitRef startWindowRef{WindowId::start, UnitId::startWindow, layout::kind::window};
const UnitRef splashTimerRef{WindowId::start, UnitId::splashTimer, layout::kind::timer};
const UnitRef mainWindowRef{WindowId::main, UnitId::mainWindow, layout::kind::window};

std::optional<std::int32_t> onStartWindowCreated(const EventArguments&)
{
    attachSplashSkin(static_cast<unsigned long>(windowHandle(startWindowRef)));
    return std::nullopt;
}

std::optional<std::int32_t> onSplashTick(const EventArguments&)
{
    AppGlobals* globals = appGlobals();
    std::int32_t tick = globals ? ++globals->splashTicks : splashFrameCount + 1;
    if (tick <= splashFrameCount) {
        showSplashFrame(tick);
        return std::nullopt;
    }
    // The first time, showing the modally loaded main window runs its nested
    // loop: this call stays here while the main window lives, and the next
    // tick, handled inside that loop, comes through again to finish.
    loadWindow(WindowId::main, std::nullopt, true);
    mainWindow.setVisible(true);
    mainWindow.setCaption(startTitle());
    destroyUnit(splashTimerRef);
    destroyUnit(startWindowRef);
    // Only the 30th tick gets here while the main window lives: the code-page
    // word and a file named on the command line, then any recovery copies.
    if (tick == splashFrameCount + 2) {
        afterHandOver();
        recovery::offerRecoveredCopies();
    }
    return std::nullopt;
}

void afterHandOver()
{
    warnAboutCodePage(activeCodePage());
    if (AppGlobals* globals = appGlobals()) openCommandLineFile(globals->commandLine);
}

void warnAboutCodePage(std::uint32_t codePage)
{
    if (codePage == 936) return;
    warnInAnyCodePage(notices::codePageNotGbk(codePage));
}

} // namespace wrivo
