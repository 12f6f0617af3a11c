#include "services/controls/edit_box_operations.h"

#include "host/host.h"
#include "services/controls/control_operations.h"
#include "services/controls/edit_text_win32.h"
#include "services/controls/unit_properties.h"

#include <windows.h>

namespace wrivo {

void appendText(const UnitRef& editBox, std::initializer_list<std::string_view> texts)
{
    appendEditText(reinterpret_cast<HWND>(windowHandle(editBox)), texts);
}

std::int32_t charactersOutsideCodePage(const UnitRef& editBox)
{
    return editCharactersOutsideCodePage(reinterpret_cast<HWND>(windowHandle(editBox)));
}

void setFocus(const UnitRef& control)
{
    SetFocus(reinterpret_cast<HWND>(windowHandle(control)));
}

EditRange selectionIn(const UnitRef& editBox, std::string_view text)
{
    return editSelectionIn(reinterpret_cast<HWND>(windowHandle(editBox)), text);
}

void selectIn(const UnitRef& editBox, std::string_view text, EditRange range)
{
    selectEditRangeIn(reinterpret_cast<HWND>(windowHandle(editBox)), range, text);
}

void scrollCaretLineToTop(const UnitRef& editBox)
{
    scrollEditCaretLineToTop(reinterpret_cast<HWND>(windowHandle(editBox)));
}

std::uint64_t selectionMark(const UnitRef& editBox)
{
    return editSelectionMark(reinterpret_cast<HWND>(windowHandle(editBox)));
}

void replaceRangeIn(const UnitRef& editBox, std::string_view text, EditRange range, std::string_view replacement)
{
    const HWND edit = reinterpret_cast<HWND>(windowHandle(editBox));
    // The whole text goes in as one content write: EM_REPLACESEL over a whole
    // novel lays it out about twice over (10 MB under Wine: 66 s against
    // 33 s). The write raises the one content-changed, and the caret goes
    // after the text, where a replacement leaves it.
    if (!text.empty() && range.start == 0 && static_cast<std::size_t>(range.length) == text.size()) {
        writeProperty(editBox, EditBoxProperty::content, std::string(replacement));
        SendMessageA(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF); // past the end is the end, whatever the control counts
        return;
    }
    replaceEditRangeIn(edit, text, range, replacement);
}

} // namespace wrivo
