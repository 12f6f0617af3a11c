// The start-up splash as the application's start routine and handlers see it:
// no window handles, no GDI+. The start window's timer counts its ticks; tick
// k (1 to 28) shows frame k, from the 29th the application hands over.
#pragma once

namespace wrivo {

// GDI+, the time-dimension GUID and the "ZadedLoadDialog" class; once, from
// the start routine, after createSplashSkin.
void startSkinModule();

// The splash skin object: made with the program's globals, released by the
// exit routine (which also releases the skin module's GUID block).
void createSplashSkin();
void releaseSplashSkin();

// The start window's created event: the window becomes a layered skin window,
// invisible until the first frame is pushed.
void attachSplashSkin(unsigned long startWindowHandle);

// Shows frame k (1 to 28) on the start window; other k show nothing. A frame
// that does not decode leaves the previous one on screen.
void showSplashFrame(int frame);

} // namespace wrivo
