// The system's find and replace dialogs: modeless, owned by a window of the
// program, their keys handled through the message loop. They search nothing
// themselves: each press of 查找下一个, 替换 or 全部替换 comes to the
// listener as a request, with the term, the replacement and the options the
// user set.
//
//   openFindDialog(mainWindowRef, {.term = "张三"}, onFindRequest);
#pragma once
#include <cstddef>
#include <string>

#include "host/host_types.h"

namespace wrivo {

struct FindRequest {
    enum class Action {
        findNext,
        replace,
        replaceAll
    };
    Action action = Action::findNext;
    std::string term;        // GBK, as typed
    std::string replacement; // the replace dialog's
    bool down = true;        // the find dialog's direction; the replace dialog searches down
    bool matchCase = false;
    bool wholeWord = false;
};

using FindListener = void (*)(const FindRequest& request);

// The longest term (and replacement) the dialogs take, in bytes.
inline constexpr std::size_t longestFindTerm = 255;

// Opens the find (or replace) dialog owned by `owner`, a window, with the
// term, replacement and options of `start`; a term longer than the dialog
// takes is cut on a character boundary. One of the two is open at a time: the
// open one is brought forward when it is the one asked for, and closed when
// the other is.
void openFindDialog(const UnitRef& owner, const FindRequest& start, FindListener listener);
void openReplaceDialog(const UnitRef& owner, const FindRequest& start, FindListener listener);

} // namespace wrivo
