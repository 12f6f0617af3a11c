#include "app/units.h"

#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_window.h"

namespace wrivo {

// The references are constants, ready before any of these is made.
const WindowFace mainWindow{mainWindowRef};
const EditBoxFace editBox{editBoxRef};
const ListBoxFace listBox{listBoxRef};
const ColorPickerFace colourPicker{UnitRef{WindowId::main, UnitId::colorPicker, layout::kind::colorPicker}};
const CommonDlgFace commonDialog{commonDialogRef};

} // namespace wrivo
