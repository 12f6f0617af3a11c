// Everything the skin engine keeps between calls, in one object: the memory
// behind each image loaded from bytes, the caret that blinks in a skin
// window, the program's one splash skin, what GDI+ start-up handed out, and
// the composition count. It is made by the first of createSplashSkin and
// startSkinModule (the splash skin is made with the program's globals, before
// the start-up) and lives until the process ends: GDI+ is never shut down,
// and the exit routine releases the splash skin and the GUID block before.
#pragma once
#include "skin/png_skin_window_win32.h"
#include "skin/scoped_skin_win32.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace wrivo {

struct SkinCaret {
    HWND window = nullptr;  // the skin window whose text control has the focus
    HWND control = nullptr; // that control
    GdipImage image;        // the last composition pushed for `window`
    int phase = 0;          // 1: the next push draws the caret line
};

struct SkinState {
    // Image -> the global memory block its stream reads from (GDI+ may read
    // it for the image's whole life). First, so that it goes last.
    std::unordered_map<GpImage*, HGLOBAL> imageMemory;
    SkinCaret caret;
    // The program's one skin object; null before createSplashSkin and after
    // releaseSplashSkin.
    std::unique_ptr<PngSkinWindow> splash;
    // Filled by GDI+ start-up and never handed back.
    ULONG_PTR gdiplusToken = 0;
    // The 16 bytes of {6AEDBD6D-3FB5-418A-83A6-7F45229DC872}, GDI+'s "time"
    // frame dimension; empty before startSkinModule and after stopSkinModule.
    std::vector<std::uint8_t> timeDimensionGuid;
    // How many compositions have been made (each recomposition counts).
    std::uint32_t compositions = 0;
};

// The engine's state, made if it is not there yet.
SkinState& skinState();

} // namespace wrivo
