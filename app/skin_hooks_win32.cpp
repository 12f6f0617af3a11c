// The skin engine's side of the start-up, filled in by the skin engine. Until
// then nothing is drawn: the start window stays empty and the timer still
// counts its 28 frame ticks before handing over.
#include "app/skin_hooks.h"

namespace wrivo {

void startSkinModule() {}
void createSplashSkin() {}
void releaseSplashSkin() {}
void attachSplashSkin(unsigned long) {}
void showSplashFrame(int) {}

} // namespace wrivo
