// The history dialog: two lists, the current file's versions and the shelf,
// with "打开", "打开文件夹" and "关闭". A standard dialog window built from a
// dialog template in memory; Enter (or a double click) opens the chosen line,
// Esc closes. A line chosen in one list is the dialog's choice; choosing in
// the other list takes it there.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_types.h"

namespace wrivo {

struct VersionsDialogTexts {
    std::string_view title, versionsLabel, shelfLabel, openLabel, folderLabel, closeLabel;
};

enum class HistoryList {
    versions,
    shelf
};
// A line of a list; `index` is -1 when nothing is chosen in it.
struct VersionsChoice {
    HistoryList list = HistoryList::versions;
    int index = -1;
};

// Runs the dialog modally, owned by `owner` (a window). The lines hold their
// columns separated by tabs. `showFolder` runs for "打开文件夹", with the
// dialog still open. Answers the line to open, or nothing when closed.
std::optional<VersionsChoice> chooseVersion(const UnitRef& owner, const VersionsDialogTexts& texts,
                                            const std::vector<std::string>& versions,
                                            const std::vector<std::string>& shelf,
                                            const std::function<void(const VersionsChoice&)>& showFolder);

// The controls' numbers, for tests that drive the dialog.
inline constexpr int historyVersionsListId = 101, historyShelfListId = 102, historyFolderButtonId = 103;

} // namespace wrivo
