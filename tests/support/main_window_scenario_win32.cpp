#include "tests/support/main_window_scenario_win32.h"

#include "app/app_globals.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/recovery_internal.h"
#include "app/start_routine.h"
#include "app/start_window.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "services/store/background_queue.h"
#include "tests/support/host_harness_win32.h"

namespace wrivo::test {

HWND handleOf(const UnitRef& unit)
{
    return reinterpret_cast<HWND>(windowHandle(unit));
}

std::string windowText(const UnitRef& unit)
{
    return windowText(handleOf(unit));
}

void MainWindowScenario::settleRecovery()
{
    worker().waitIdle();
}

void MainWindowScenario::SetUp()
{
    SetEnvironmentVariableA("WRIVO_TEST_LOCALAPPDATA", nullptr); // the system's own lookup is what runs here
    SetEnvironmentVariableA("LOCALAPPDATA", localData_.path().c_str());
    startRecordingHost();
    resetHandlers();
    createAppGlobals();
    const HandlerTable application = applicationHandlers();
    // The layout, and the document keeping its text, run in every scenario.
    setHandler(HandlerIndex::layoutOnResize, application[HandlerIndex::layoutOnResize]);
    setHandler(HandlerIndex::refreshStatistics, application[HandlerIndex::refreshStatistics]);
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
    settleRecovery();
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

DialogDriver::Answer chooseFile(std::string path)
{
    return [path](DialogWindow& box) {
        box.typeFileName(path);
        box.press("OK");
    };
}

void MainWindowScenario::saveAs(const std::string& path)
{
    const std::vector<DialogRecord> seen = answered([&] { shortcut('S'); }, {chooseFile(path), pressing("OK")});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].title, "恭喜：");
    EXPECT_EQ(seen[1].message(), "保存成功！！！");
}

} // namespace wrivo::test
