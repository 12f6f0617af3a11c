// The commands of the "写作" menu that work on chapters: the chapter list
// (章节目录), the previous and next heading (上一章, 下一章) and the exact
// count (字数详情).
//
// The list follows the document at the typing pause, never on a keystroke:
// a change only notes its time (chapterDocumentChanged), and a timer recounts
// once typing has paused. The document's parts are found once per text and
// kept while the text stays the same.
#pragma once
#include <cstdint>
#include <optional>

#include "host/host_types.h"

namespace wrivo {

// Every change of the document's text (after the count has read it).
void chapterDocumentChanged();

namespace handlers {
// Opens the list, or closes it when it is open (Ctrl+J both ways).
std::optional<std::int32_t> chapterList(const EventArguments& arguments);
std::optional<std::int32_t> previousChapter(const EventArguments& arguments);
std::optional<std::int32_t> nextChapter(const EventArguments& arguments);
std::optional<std::int32_t> countDetails(const EventArguments& arguments);
} // namespace handlers

} // namespace wrivo
