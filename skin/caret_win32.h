// The skin caret: a layered window shows only what is pushed to it, so the
// engine draws a caret line of its own into the picture and blinks it with
// each skin window's 500 ms timer. One caret blinks at a time.
#pragma once
#include "skin/skin_api_win32.h"

namespace wrivo {

inline constexpr UINT_PTR skinTimerId = 64;
inline constexpr UINT skinTimerInterval = 500;

// Flips the caret's phase and re-pushes its image when the tick is its
// window's (skinState().caret).
void CALLBACK caretTimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// A 12-pixel opaque black line, vertically centred in the control, 5 pixels
// right of the control's caret position.
void drawCaret(HWND window, HWND control, GpGraphics* graphics);

} // namespace wrivo
