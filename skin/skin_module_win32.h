// What the skin engine sets up once per process: GDI+, the GUID of GDI+'s
// "time" frame dimension (both kept in skinState()), and the engine's own
// window class "ZadedLoadDialog".
#pragma once
#include "skin/skin_api_win32.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace wrivo {

inline constexpr char loadDialogClassName[] = "ZadedLoadDialog";

// GDI+ start-up, the GUID, the class; nothing is looked at, nothing undone.
// Running it again replaces the GUID block and registers the class again
// (which fails quietly).
void startSkinModule();

// GdiplusStartup with version 1 and no output record; answers its status.
GpStatus startGraphics();

// The UTF-16LE bytes of a GBK text, with the terminating zero character.
std::vector<std::uint8_t> toWideBytes(std::string_view text);
// Those bytes as the UTF-16 text the wide functions take.
inline const WCHAR* wideChars(const std::vector<std::uint8_t>& bytes)
{
    return reinterpret_cast<const WCHAR*>(bytes.data());
}

// The skin's part of the program's exit routine: releases the GUID block.
void stopSkinModule();

// Window procedure of "ZadedLoadDialog": dragging by the body and releasing
// the window's thread, image and memory block when it is destroyed.
LRESULT CALLBACK loadDialogProc(HWND window, UINT message, WPARAM wordParameter, LPARAM longParameter);

} // namespace wrivo
