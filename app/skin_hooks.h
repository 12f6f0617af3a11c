// Where the start-up meets the skin engine. The skin engine gives these their
// work (GDI+ start-up, the splash skin object, the frames); until it does, the
// start window stays an empty window and the hand-over runs all the same.
#pragma once

namespace wrivo {

// Start-up of the skin module (GDI+, its window class), from the start routine.
void startSkinModule();
// The splash skin object: made by the start routine, released by the exit routine.
void createSplashSkin();
void releaseSplashSkin();
// The start window's created event: attach the splash skin to it.
void attachSplashSkin(unsigned long startWindowHandle);
// Tick k (1 to 28) of the start window's timer: show frame k.
void showSplashFrame(int frame);

} // namespace wrivo
