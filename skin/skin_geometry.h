// Small pure computations of the skin engine: colours for GDI+ and fitting an
// image into a control.
#pragma once
#include <cstdint>

namespace wrivo {

// 0x00BBGGRR and an alpha (low 8 bits count) -> GDI+'s 0xAARRGGBB.
std::uint32_t colorToArgb(std::uint32_t colour, std::uint32_t alpha);

struct FittedSize {
    int width;
    int height;
};

// The image's size shrunk, keeping its aspect ratio, until it fits in
// boxWidth x boxHeight; an image is never enlarged.
FittedSize fitInside(int imageWidth, int imageHeight, int boxWidth, int boxHeight);

} // namespace wrivo
