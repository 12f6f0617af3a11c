#include "tests/support/main_window_scenario_win32.h"

#include "app/app_globals.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_routine.h"
#include "app/start_window.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "services/control_operations.h"
#include "services/unit_properties.h"
#include "tests/support/host_harness_win32.h"

namespace wrivo::test {

HWND handleOf(const UnitRef& unit)
{
    return reinterpret_cast<HWND>(windowHandle(unit));
}

std::string windowText(const UnitRef& unit)
{
    char text[512] = {};
    GetWindowTextA(handleOf(unit), text, sizeof text);
    return text;
}

void MainWindowScenario::SetUp()
{
    startRecordingHost();
    resetHandlers();
    createAppGlobals();
    const HandlerTable application = applicationHandlers();
    setHandler(HandlerIndex::layoutOnResize, application[HandlerIndex::layoutOnResize]);
    for (int index : handlers_) setHandler(index, application[static_cast<std::size_t>(index)]);
    ASSERT_TRUE(loadWindow(WindowId::main, std::nullopt, false));
    writeProperty(mainWindowRef, CommonProperty::visible, std::int64_t{1});
    SetForegroundWindow(handleOf(mainWindowRef));
    SetFocus(handleOf(editBoxRef));
    pumpPending();
}

void MainWindowScenario::TearDown()
{
    resetHandlers();
    if (windowLoaded(WindowId::main)) destroyUnit(mainWindowRef, true);
    pumpPending();
    releaseAppGlobals();
}

void MainWindowScenario::press(UINT key, bool ctrl)
{
    HWND focus = GetFocus();
    postKey(focus ? focus : handleOf(mainWindowRef), key, ctrl);
    pumpPending();
}

void MainWindowScenario::setDocument(const std::string& text)
{
    writeProperty(editBoxRef, EditBoxProperty::content, text);
    pumpPending();
}

} // namespace wrivo::test
