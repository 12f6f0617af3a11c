#include "services/controls/edit_box_operations.h"

#include "services/controls/control_operations.h"
#include "services/controls/edit_text_win32.h"

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
    replaceEditRangeIn(reinterpret_cast<HWND>(windowHandle(editBox)), text, range, replacement);
}

} // namespace wrivo
