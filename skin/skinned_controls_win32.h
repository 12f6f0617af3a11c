// Child controls drawn into their skin window's picture. Controls of type 3
// (state images) and type 4 (text) get a window procedure of the engine's,
// which lets the control's own procedure do all its work and then recomposes
// the parent so that the picture follows the control.
#pragma once
#include "skin/skin_api_win32.h"

namespace wrivo {

// Subclasses every skinned child of the window once and recomposes it.
void skinChildControls(HWND window);

// The image of a type-3 control's draw state ("Zaded_DrawState": 0 normal,
// 1 over, 2 pressed, 3 disabled), falling back to the normal image.
GpImage* stateImage(HWND control);

LRESULT CALLBACK stateControlProc(HWND control, UINT message, WPARAM wordParameter, LPARAM longParameter);
LRESULT CALLBACK textControlProc(HWND control, UINT message, WPARAM wordParameter, LPARAM longParameter);

} // namespace wrivo
