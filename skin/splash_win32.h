// The start-up splash: the skin object of the start window and the frame
// step of its timer. The hand-over to the main window (from the 29th tick on)
// is the application's; splashFrameStep tells it when.
#pragma once
#include "skin/png_skin_window_win32.h"

#include <cstdint>

namespace wrivo {

// The program's one skin object; lives until exit.
extern PngSkinWindow splashSkin;
// Ticks of the start window's timer so far; never reset.
extern std::int32_t splashTicks;

// The start window's created event: makes it a layered skin window (invisible
// until the first frame is pushed).
bool attachSplashSkin(HWND startWindow);

// The timer's tick: counts it and, for ticks 1 to 28, shows frame k. A frame
// that does not decode leaves the previous one on screen. Answers the new tick
// count; from 29 on the caller hands over to the main window.
int splashFrameStep();

} // namespace wrivo
