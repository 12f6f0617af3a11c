// openDialog on the common dialog control of a loaded window: its properties
// go into the dialog and the user's answer comes back into them.
#pragma once
#include "host/host_types.h"

namespace wrivo {

// True when the user confirmed; see common_dialog_win32.h. The dialog is
// owned by the window holding the control.
bool openDialog(const UnitRef& commonDialog);

} // namespace wrivo
