// The commands of the "写作" menu that make a book ready to publish (their
// handlers are declared from their table lines): the chapter target
// (章节目标…), the check before publishing (发布前检查, F9) in its own
// window, the chapter copied for a platform (复制本章（发布用）, Shift+F9) and
// one file per part (按章导出…, Ctrl+F9).
//
// The chapter they work on is the one the caret is in, with its sections;
// the whole text when it has no headings. The check takes the selection
// instead when there is one, and follows the document at the typing pause.
#pragma once

namespace wrivo::publishing {

// At a typing pause after a change: an open check looks again.
void typingPaused();

} // namespace wrivo::publishing
