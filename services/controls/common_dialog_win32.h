// Running the common dialog control's dialogs.
#pragma once
#include "services/controls/common_dialog.h"

#include <windows.h>

namespace wrivo {

// Runs the dialog `dialog.kind` asks for, owned by `owner`, and takes the
// user's answer into the dialog's properties. True when the user confirmed
// (the help kind: when the help engine was asked to show a file that exists);
// false on cancel, when the dialog cannot be shown, and for help commands 4
// and 5. A cancelled dialog changes nothing.
bool openDialog(CommonDialog& dialog, HWND owner);

} // namespace wrivo
