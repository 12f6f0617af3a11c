// Closing the real main window: the questions of the exit dialogue answered
// as a person would, and the monthly partner page recorded by the test
// prefix's stand-in browser.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "app/app_globals.h"
#include "app/document.h"
#include "app/exit_dialogue.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/maker_info.h"
#include "app/settings_file.h"
#include "app/start_window.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "services/dialogs/window_effects.h"
#include "services/store/settings.h"
#include "services/text/datetime.h"
#include "tests/support/child_process_win32.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/host_harness_win32.h"
#include "tests/support/main_window_scenario_win32.h"
#include "tests/support/scratch_folder_win32.h"
#include "tests/support/unix_command_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

class ExitDialogue : public MainWindowScenario {
protected:
    ExitDialogue() : MainWindowScenario({HandlerIndex::exitDialogue}) { }

    void SetUp() override
    {
        DeleteFileA(settingsPath().c_str());
        MainWindowScenario::SetUp();
    }
    void TearDown() override
    {
        MainWindowScenario::TearDown();
        DeleteFileA(settingsPath().c_str());
    }

    void closeMainWindow()
    {
        PostMessageA(handleOf(mainWindowRef), WM_CLOSE, 0, 0);
        pumpPending();
    }
};

TEST_F(ExitDialogue, DecliningTheExitKeepsTheWindowAndTheDocument)
{
    // No to 退出确认, then 欢迎回来.
    const std::vector<DialogRecord> seen = answered([&] { closeMainWindow(); }, {pressing("No"), pressing("OK")});
    ASSERT_EQ(seen.size(), 2u) << "an empty document asks no save question";
    EXPECT_EQ(seen.at(0).title, "退出确认：");
    EXPECT_EQ(seen.at(1).title, "欢迎回来：");
    EXPECT_TRUE(windowLoaded(WindowId::main));
    EXPECT_TRUE(IsWindowVisible(handleOf(mainWindowRef)));
}

// Logging off or shutting down asks as closing does; declining refuses the end
// of the session, so nothing unsaved goes with it.
TEST_F(ExitDialogue, TheEndOfTheSessionAsksAsClosingDoesAndCanBeRefused)
{
    setDocument("未保存的文字");
    // No to 提示 (save?), No to 退出确认, then 欢迎回来.
    LRESULT answer = TRUE;
    const std::vector<DialogRecord> seen =
        answered([&] { answer = SendMessageA(handleOf(mainWindowRef), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); },
                 {pressing("No"), pressing("No"), pressing("OK")});
    EXPECT_EQ(answer, FALSE) << "the session may not end";
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen.at(0).title, "提示：");
    EXPECT_EQ(seen.at(1).title, "退出确认：");
    EXPECT_TRUE(windowLoaded(WindowId::main));
    EXPECT_EQ(document().text(), "未保存的文字");
}

TEST_F(ExitDialogue, AModifiedDocumentIsOfferedForSavingFirst)
{
    writeProperty(editBoxRef, EditBoxProperty::content, std::string("未保存的文字"));
    // Save? Yes; the save dialog cancelled; not saved; exit? No; welcome back.
    const std::vector<DialogRecord> seen =
        answered([&] { closeMainWindow(); },
                 {pressing("Yes"), pressing("Cancel"), pressing("OK"), pressing("No"), pressing("OK")});
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen.at(0).title, "提示：");
    EXPECT_EQ(seen.at(2).message(), "注意文档未保存&&");
    EXPECT_EQ(seen.at(3).title, "退出确认：");
    EXPECT_EQ(propertyText(readProperty(editBoxRef, EditBoxProperty::content)), "未保存的文字");
}

TEST_F(ExitDialogue, ThePartnerPageOpensOncePerMonth)
{
    char prefix[MAX_PATH] = {};
    if (!runningUnderWine() || !GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH))
        GTEST_SKIP() << "the browser recorder needs Wine and WINEPREFIX";
    const std::string log = windowsPathOfUnixPath(std::string(prefix) + "/wrivo-browser.log");
    DeleteFileA(log.c_str());

    monthlyPage();
    monthlyPage();
    const std::string month = std::to_string(monthOf(now()));
    EXPECT_EQ(readSettingsEntry(settingsPath(), settingsFile::section, settingsFile::monthKey), month);

    // The recorder runs apart from the program. Once the page is there, a
    // marker page is opened by the same road: when it has arrived, a second
    // partner page, had one been opened, would have arrived before it.
    const std::string page = std::string(maker::monthlyPartnerPage) + "\n";
    ASSERT_TRUE(waitForFileText(log, page, 20000)) << fileBytes(log);
    const std::string marker = "http://marker.invalid/";
    openWebPage(marker);
    ASSERT_TRUE(waitForFileText(log, marker, 20000)) << fileBytes(log);
    const std::string expected = page + marker + "\n";
    EXPECT_EQ(fileBytes(log), expected);
    DeleteFileA(log.c_str());
}

} // namespace
} // namespace wrivo
