// Test-side GDI+ helpers: solid test images and reading a bitmap's pixels.
// They bind the GDI+ functions the skin itself does not need by name, like
// the skin does, so the test programs import no gdiplus.dll either.
#pragma once
#include "host/dynamic_binding_win32.h"
#include "skin/skin_api_win32.h"

#include <cstdint>
#include <vector>

namespace wrivo::testing {

struct GpBitmapData {
    UINT width;
    UINT height;
    INT stride;
    INT pixelFormat;
    void* scan0;
    UINT_PTR reserved;
};

inline DynamicBinding& testGdiplus()
{
    static const BoundFunctionName names[] = {
        {"GdiPlus.dll", "GdipBitmapLockBits"},
        {"GdiPlus.dll", "GdipBitmapUnlockBits"},
        {"GdiPlus.dll", "GdipCreateBitmapFromScan0"},
        {"GdiPlus.dll", "GdipDisposeImage"},
    };
    static DynamicBinding binding(names);
    return binding;
}

// Pixels as 0xAARRGGBB, row by row from the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
    static std::uint32_t alpha(std::uint32_t pixel) { return pixel >> 24; }
};

inline Pixels readPixels(GpImage* image)
{
    Pixels pixels;
    GpBitmapData data{};
    if (boundCall<GpStatus>(testGdiplus(), 0, image, nullptr, 1u /* read */, pixelFormat32bppArgb, &data) != 0)
        return pixels;
    pixels.width = static_cast<int>(data.width);
    pixels.height = static_cast<int>(data.height);
    pixels.argb.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(data.scan0) +
                                                                 static_cast<std::ptrdiff_t>(y) * data.stride);
        for (int x = 0; x < pixels.width; ++x) pixels.argb[static_cast<std::size_t>(y) * pixels.width + x] = row[x];
    }
    boundCall<GpStatus>(testGdiplus(), 1, image, &data);
    return pixels;
}

// A width x height image of one ARGB colour; dispose of it with disposeTestImage.
inline GpImage* solidImage(int width, int height, std::uint32_t argb)
{
    GpImage* image = nullptr;
    boundCall<GpStatus>(testGdiplus(), 2, width, height, 0, pixelFormat32bppArgb, nullptr, &image);
    GpBitmapData data{};
    if (boundCall<GpStatus>(testGdiplus(), 0, image, nullptr, 2u /* write */, pixelFormat32bppArgb, &data) == 0) {
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(data.scan0) +
                                                         static_cast<std::ptrdiff_t>(y) * data.stride);
            for (int x = 0; x < width; ++x) row[x] = argb;
        }
        boundCall<GpStatus>(testGdiplus(), 1, image, &data);
    }
    return image;
}

inline void disposeTestImage(GpImage* image)
{
    if (image) boundCall<GpStatus>(testGdiplus(), 3, image);
}

} // namespace wrivo::testing
