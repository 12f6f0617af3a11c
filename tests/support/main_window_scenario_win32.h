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

namespace wrivo::test {

HWND handleOf(const UnitRef& unit);
std::string windowText(const UnitRef& unit);

class MainWindowScenario : public ::testing::Test {
protected:
    // `handlers`: HandlerIndex places bound to the application's handlers;
    // layoutOnResize always is.
    explicit MainWindowScenario(std::initializer_list<int> handlers) : handlers_(handlers) {}
    void SetUp() override;
    void TearDown() override;

    // A key (with Ctrl) posted to the focused window, then handled.
    void press(UINT key, bool ctrl = false);
    void setDocument(const std::string& text);

private:
    std::vector<int> handlers_;
};

} // namespace wrivo::test
