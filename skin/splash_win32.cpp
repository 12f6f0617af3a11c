#include "skin/splash_win32.h"

#include "skin/splash_frames.h"

namespace wrivo {

PngSkinWindow splashSkin;
std::int32_t splashTicks = 0;

bool attachSplashSkin(HWND startWindow) { return splashSkin.attach(startWindow); }

int splashFrameStep()
{
    const int k = ++splashTicks;
    if (k >= 1 && k <= splashFrameCount)
        splashSkin.setBackImageBytes(splashFrame(k));
    return k;
}

} // namespace wrivo
