#include "services/controls/control_operations.h"

#include <windows.h>

#include <string>

#include "host/unit_access.h"

namespace wrivo {
namespace {

HWND handleOf(const UnitRef& ref)
{
    return requireLiveUnit(ref).handle;
}

} // namespace

std::uintptr_t windowHandle(const UnitRef& unit)
{
    return reinterpret_cast<std::uintptr_t>(handleOf(unit));
}

bool loadWindow(const UnitRef& window, std::optional<UnitRef> owner, bool modal)
{
    std::optional<std::uint32_t> ownerId;
    if (owner) ownerId = owner->window;
    return loadWindow(window.window, ownerId, modal);
}

std::int32_t sendMessage(const UnitRef& unit, std::uint32_t message, std::int32_t wParam, std::int32_t lParam)
{
    HWND control = handleOf(unit);
    return static_cast<std::int32_t>(
        SendMessageA(control, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
}

void offerPickerColours(const UnitRef& colourPicker)
{
    // The picker opens its palette on a left-button release.
    SendMessageA(handleOf(colourPicker), WM_LBUTTONUP, 0, 0);
}

std::int32_t insertItem(const UnitRef& listBox, std::int32_t position, std::string_view text, std::int32_t itemValue)
{
    HWND control = handleOf(listBox);
    if (position < 0) return -1;
    std::string item(text);
    LRESULT index =
        SendMessageA(control, LB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(item.c_str()));
    if (index < 0) return -1;
    SendMessageA(control, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(itemValue));
    return static_cast<std::int32_t>(index);
}

bool deleteItem(const UnitRef& listBox, std::int32_t index)
{
    HWND control = handleOf(listBox);
    if (index < 0) return false;
    return SendMessageA(control, LB_DELETESTRING, static_cast<WPARAM>(index), 0) != LB_ERR;
}

void clearList(const UnitRef& listBox)
{
    SendMessageA(handleOf(listBox), LB_RESETCONTENT, 0, 0);
}

std::int32_t itemCount(const UnitRef& listBox)
{
    const LRESULT count = SendMessageA(handleOf(listBox), LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<std::int32_t>(count) : 0;
}

std::vector<std::int32_t> selectedIndexes(const UnitRef& listBox)
{
    HWND control = handleOf(listBox);
    std::vector<std::int32_t> indexes;
    LONG style = GetWindowLongA(control, GWL_STYLE);
    if (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
        LRESULT count = SendMessageA(control, LB_GETSELCOUNT, 0, 0);
        if (count <= 0) return indexes;
        std::vector<int> selected(static_cast<std::size_t>(count));
        LRESULT got = SendMessageA(control, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                   reinterpret_cast<LPARAM>(selected.data()));
        for (LRESULT i = 0; i < got; ++i) indexes.push_back(selected[static_cast<std::size_t>(i)]);
        return indexes;
    }
    LRESULT current = SendMessageA(control, LB_GETCURSEL, 0, 0);
    if (current >= 0) indexes.push_back(static_cast<std::int32_t>(current));
    return indexes;
}

} // namespace wrivo
