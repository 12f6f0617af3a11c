// The commands of the "写作" menu that work on chapters (their handlers are
// declared from their table lines): the chapter list (章节目录, Ctrl+J
// opening and closing it), the previous and next heading (上一章, 下一章)
// and the exact count (字数详情).
//
// The list follows the document at the typing pause, never on a keystroke:
// a change only notes its time (chapterDocumentChanged), and a timer recounts
// once typing has paused. The document's parts are found once per text and
// kept while the text stays the same.
#pragma once

namespace wrivo {

// Every change of the document's text (after the count has read it).
void chapterDocumentChanged();

} // namespace wrivo
