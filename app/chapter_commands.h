// The commands of the "写作" menu that work on chapters (their handlers are
// declared from their table lines): the chapter list (章节目录, Ctrl+J
// opening and closing it), the previous and next heading (上一章, 下一章)
// and the exact count (字数详情).
//
// The list follows the document at the typing pause, never on a keystroke:
// a change only notes its time, and a timer recounts once typing has paused.
// The document's parts are found once per change number and kept while it
// stays the same.
#pragma once
#include <memory>
#include <vector>

#include "app/document_model.h"
#include "services/writing/chapter_headings.h"

namespace wrivo {

// The chapter list's part in following the document.
std::unique_ptr<DocumentWatcher> watchChapters();

// The document's parts as they are now (an open list that showed older ones
// is brought up to date with them).
const std::vector<ChapterPart>& documentParts();
// The list's rows again, after the chapter target changed.
void refreshChapterRows();
// The typing pause is watched from now on (the list and the publishing
// check follow the document at it).
void watchTypingPauses();

} // namespace wrivo
