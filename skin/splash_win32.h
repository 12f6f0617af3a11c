// The splash skin object behind skin/splash.h.
#pragma once
#include "skin/png_skin_window_win32.h"
#include "skin/splash.h"

namespace wrivo {

// The program's one skin object; null before createSplashSkin and after
// releaseSplashSkin.
extern PngSkinWindow* splashSkin;

} // namespace wrivo
