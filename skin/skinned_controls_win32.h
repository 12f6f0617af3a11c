// Child controls drawn into their skin window's picture. Controls of type 3
// (state images) and type 4 (text) get a window procedure of the engine's,
// which lets the control's own procedure do all its work and then recomposes
// the parent so that the picture follows the control.
#pragma once
#include "skin/skin_api_win32.h"

#include <cstdint>

namespace wrivo {

// Subclasses every skinned child of the window once and recomposes it.
void skinChildControls(HWND window);

// A type-3 control's draw state, kept in its "Zaded_DrawState" property.
enum DrawState : std::uintptr_t {
    drawNormal = 0,
    drawOver = 1,    // the pointer is over the control
    drawPressed = 2, // the left button is down on it
    drawDisabled = 3,
};

// The image of a type-3 control's draw state, falling back to the normal image.
GpImage* stateImage(HWND control);

LRESULT CALLBACK stateControlProc(HWND control, UINT message, WPARAM wordParameter, LPARAM longParameter);
LRESULT CALLBACK textControlProc(HWND control, UINT message, WPARAM wordParameter, LPARAM longParameter);

} // namespace wrivo
