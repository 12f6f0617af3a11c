// The real main window for scenario tests of the application's handlers: the
// host started with the program's layout, the application's globals made, and
// the chosen handlers of the application's own table bound (the others only
// record their events). Keys and messages go through the host's translation.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "host/host_types.h"
#include "tests/support/dialog_driver_win32.h"
#include "tests/support/scratch_folder_win32.h"

namespace wrivo::test {

HWND handleOf(const UnitRef& unit);
std::string windowText(const UnitRef& unit);

// Answers a file dialog by typing `path` into its name field and pressing OK.
DialogDriver::Answer chooseFile(std::string path);

class MainWindowScenario : public ::testing::Test {
protected:
    // `handlers`: HandlerIndex places bound to the application's handlers;
    // layoutOnResize and refreshStatistics (which keeps the document's text)
    // always are.
    explicit MainWindowScenario(std::initializer_list<int> handlers) : handlers_(handlers) { }
    void SetUp() override;
    void TearDown() override;

    // A key (with Ctrl) posted to the focused window, then handled.
    void press(UINT key, bool ctrl = false);
    void setDocument(const std::string& text);
    // Ctrl+key, as a menu shortcut is pressed.
    void shortcut(char key) { press(static_cast<UINT>(key), true); }
    // Saves the document to `path` through Ctrl+S and the real save dialog,
    // and checks that the success notice follows.
    void saveAs(const std::string& path);

    // LOCALAPPDATA while the scenario runs: recovery copies and the shelf go
    // here, never to the user's own folder. Settled (nothing left to write)
    // at the end of each test.
    const std::string& localData() const { return localData_.path(); }
    // Waits until the recovery copies and shelf files asked for are written.
    static void settleRecovery();

private:
    std::vector<int> handlers_;
    ScratchFolder localData_;
};

} // namespace wrivo::test
