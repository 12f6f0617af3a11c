#include "skin/splash_win32.h"

#include "skin/skin_module_win32.h"
#include "skin/skin_state_win32.h"
#include "skin/splash_frames.h"

#include <cstdint>

namespace wrivo {

void createSplashSkin()
{
    if (!skinState().splash) skinState().splash = std::make_unique<PngSkinWindow>();
}

void releaseSplashSkin()
{
    stopSkinModule();
    skinState().splash.reset();
}

void attachSplashSkin(unsigned long startWindowHandle)
{
    if (PngSkinWindow* splash = skinState().splash.get())
        splash->attach(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(startWindowHandle)));
}

void showSplashFrame(int frame)
{
    if (PngSkinWindow* splash = skinState().splash.get(); splash && frame >= 1 && frame <= splashFrameCount)
        splash->setBackImageBytes(splashFrame(frame));
}

} // namespace wrivo
