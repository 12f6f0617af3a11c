#include "services/controls/edit_watch_win32.h"

#include "services/controls/edit_text_win32.h"

namespace wrivo {

bool EditWatch::edits(UINT message)
{
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_KEYDOWN: // Delete, Shift+Delete, Shift+Insert
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case EM_REPLACESEL: return true;
    default: return false;
    }
}

EditWatch::Around::Around(EditWatch& watch, HWND edit, UINT message)
    : watch_(watch), edit_(edit), key_(message == WM_KEYDOWN)
{
    ++watch_.depth_;
    watch_.keys_ += key_ ? 1 : 0;
    watch_.takeSelection(edit_);
}

EditWatch::Around::~Around()
{
    watch_.keys_ -= key_ ? 1 : 0;
    // An outer message goes on from where this one left the selection.
    if (--watch_.depth_ > 0) watch_.takeSelection(edit_);
}

void EditWatch::takeSelection(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    selectionStart_ = static_cast<std::int32_t>(start);
    selectionEnd_ = static_cast<std::int32_t>(end);
}

void EditWatch::changed(HWND edit)
{
    ++changes_;
    if (depth_ == 0) {
        last_.reset(); // a change no watched message made: the text must be read
        return;
    }
    const std::int32_t before[2] = {selectionStart_, selectionEnd_};
    takeSelection(edit);
    last_ = ControlEdit{before[0], before[1], selectionStart_, std::nullopt, changes_};
    lastByKey_ = keys_ > 0;
}

std::optional<ControlEdit> EditWatch::lastEdit(HWND edit) const
{
    if (!last_) return std::nullopt;
    ControlEdit last = *last_;
    // Asked only where needed: it costs a pass over a text kept as UTF-16.
    if (lastByKey_) last.length = editLength(edit);
    return last;
}

} // namespace wrivo
