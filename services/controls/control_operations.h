// Operations on windows and controls by their reference: the native handle,
// loading and destroying, sending a message, and the list box's rows. A
// reference to a window or control that is not loaded is the run-time error
// "指定窗口或窗口组件不存在或尚未载入" (loadWindow answers false instead).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_types.h"

namespace wrivo {

std::uintptr_t windowHandle(const UnitRef& unit);
// Loads the window (modal: its first showing runs a nested loop); an owner
// that is not loaded gives false.
bool loadWindow(const UnitRef& window, std::optional<UnitRef> owner, bool modal);
// destroyUnit is the host's (host/host.h).
std::int32_t sendMessage(const UnitRef& unit, std::uint32_t message, std::int32_t wParam, std::int32_t lParam);
// The colour picker offers its palette, as a click on it does; its
// colour-chosen event follows a choice.
void offerPickerColours(const UnitRef& colourPicker);

// List box rows.
std::int32_t insertItem(const UnitRef& listBox, std::int32_t position, std::string_view text,
                        std::int32_t itemValue = 0);
bool deleteItem(const UnitRef& listBox, std::int32_t index);
void clearList(const UnitRef& listBox);
std::vector<std::int32_t> selectedIndexes(const UnitRef& listBox);
// How many rows the list box has (0 for a unit that is no list box).
std::int32_t itemCount(const UnitRef& listBox);
// Rows 0..n-1 take `texts` (item value 0), appended where missing; rows from
// n on stay. Rows, values and selection end up as inserting text k at
// position k and deleting row k + 1, for each k in turn, leave them, but the
// program's list box does it in one step and one repaint. A unit that is no
// list box has no rows to rewrite.
void rewriteItems(const UnitRef& listBox, std::vector<std::string> texts);

} // namespace wrivo
