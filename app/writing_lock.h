// 闭关写作 (F11): the main window goes full screen on its monitor, without
// caption or borders, the menu bar kept, with a line at the top saying what
// is left; while a goal stands, F11 and every close are refused (the
// exact sentence of 强行出关 aside). A log-off or shut-down is never refused
// and the lock ends with the program. Its handler, handlers::writingLock, is
// declared from app/command_table.h.
#pragma once
#include <cstdint>

namespace wrivo::writing {

// Net 字数 noted by the desk (a typing pause, a change of the text).
void lockWordsNoted(std::int64_t difference);
// At a typing pause: the line follows, and the pause that meets the goal
// says 出关 once. Answers whether it did (it stands for the goal's notice).
bool lockPaused();
// A close request (not a session's end): while a goal stands it is refused,
// and true comes back.
bool lockRefusesClose();
// The main window's layout while locked: the line on top, the edit box and
// the count strip filling the rest. False when not locked.
bool layOutLocked();

} // namespace wrivo::writing
