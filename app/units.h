// The units the handlers act on, as typed faces over their numbered
// properties (services/controls/unit_faces.h): editBox.content(),
// mainWindow.setCaption(text).
#pragma once
#include "services/controls/unit_faces.h"

namespace wrivo {

extern const WindowFace mainWindow;
extern const EditBoxFace editBox;
extern const ListBoxFace listBox;
extern const ColorPickerFace colourPicker;
extern const CommonDlgFace commonDialog;

} // namespace wrivo
