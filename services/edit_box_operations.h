// The edit box's two operations, on a unit reference.
#pragma once
#include <initializer_list>
#include <string_view>

#include "host/host_types.h"

namespace wrivo {

// Appends each text in order at the end of the edit box's text, the caret
// following and the view ending at the bottom; each insertion raises the
// edit box's content-changed event through the control's own notification.
void appendText(const UnitRef& editBox, std::initializer_list<std::string_view> texts);

// Gives the keyboard focus to the control's window.
void setFocus(const UnitRef& control);

} // namespace wrivo
