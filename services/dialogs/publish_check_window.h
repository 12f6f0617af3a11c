// The 发布前检查 window: a modeless tool window owned by a window of the
// program, made from a dialog template in memory, resizable, with a list of
// findings, the "共 N 处" line and a 忽略 button under it. Like the chapter
// list it knows nothing of what it lists: the caller gives it the rows and
// hears which row was chosen (Enter or a double-click) or ignored (忽略).
// Esc and its close box close it; its owner's menu shortcuts keep working.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_types.h"

namespace wrivo {

struct FindingsContent {
    std::vector<std::string> rows; // GBK
    std::string summary;           // the line under the list
};

struct FindingsListeners {
    void (*chosen)(std::int32_t row) = nullptr;
    void (*ignored)(std::int32_t row) = nullptr;
};

// Opens the window with `content` and the focus on its list; an open one
// takes the content and the focus.
void openFindings(const UnitRef& owner, std::string_view title, const FindingsContent& content,
                  FindingsListeners listeners);
bool findingsOpen();
void closeFindings();
// New rows: the chosen row stays chosen while there is one.
void showFindings(const FindingsContent& content);
std::int32_t chosenFinding();
// Hidden while its owner hides, shown again with it.
void setFindingsVisible(bool visible);
// The native window (0 when closed), for tests.
std::uintptr_t findingsWindow();

} // namespace wrivo
