// The chapter list's window: a modeless tool window owned by a window of the
// program, made from a dialog template in memory, resizable, with a list of
// lines and a summary line under it. It knows nothing of chapters: the caller
// gives it the lines and hears which line the user chose (Enter or a
// double-click). Esc and its close box close it. While it has the focus, its
// owner's menu shortcuts keep working; when it closes with the focus, the
// focus goes back to its owner.
//
//   openChapterList(mainWindowRef, "章节目录", {lines, "共 3 章，9000 字", 1}, onChosen);
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_types.h"

namespace wrivo {

struct ChapterListContent {
    std::vector<std::string> lines; // GBK, one per row
    std::string summary;            // the line under the list
    std::int32_t chosen = -1;       // the row shown chosen; -1 none
};

// Enter or a double-click on a row.
using ChapterLineListener = void (*)(std::int32_t line);

// Opens the window filled with `content`, painted, with the focus on its list;
// an open one takes the content and the focus. It comes back where the user
// last left it; the first time it stands beside its owner.
void openChapterList(const UnitRef& owner, std::string_view title, const ChapterListContent& content,
                     ChapterLineListener listener);
bool chapterListOpen();
void closeChapterList();

// New rows and summary. Rows whose text did not change are left alone, and
// the list keeps its scroll place when the number of rows stays.
void showChapterLines(const ChapterListContent& content);
// The chosen row, scrolled into view.
void chooseChapterLine(std::int32_t line);
std::int32_t chosenChapterLine();

// Hidden while its owner hides (the Esc hide), shown again with it; a
// closed list stays closed, and one opened meanwhile waits for its owner.
void setChapterListVisible(bool visible);

// The native window (0 when closed), for tests and benchmarks.
std::uintptr_t chapterListWindow();

} // namespace wrivo
