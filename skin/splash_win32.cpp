#include "skin/splash_win32.h"

#include "skin/skin_module_win32.h"
#include "skin/splash_frames.h"

#include <cstdint>

namespace wrivo {

PngSkinWindow* splashSkin = nullptr;

void createSplashSkin()
{
    if (!splashSkin)
        splashSkin = new PngSkinWindow;
}

void releaseSplashSkin()
{
    stopSkinModule();
    delete splashSkin;
    splashSkin = nullptr;
}

void attachSplashSkin(unsigned long startWindowHandle)
{
    if (splashSkin)
        splashSkin->attach(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(startWindowHandle)));
}

void showSplashFrame(int frame)
{
    if (splashSkin && frame >= 1 && frame <= splashFrameCount)
        splashSkin->setBackImageBytes(splashFrame(frame));
}

} // namespace wrivo
