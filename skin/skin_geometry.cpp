#include "skin/skin_geometry.h"

namespace wrivo {

std::uint32_t colorToArgb(std::uint32_t colour, std::uint32_t alpha)
{
    const std::uint32_t red = colour & 0xFF;
    const std::uint32_t green = (colour >> 8) & 0xFF;
    const std::uint32_t blue = (colour >> 16) & 0xFF;
    return ((alpha & 0xFF) << 24) | (red << 16) | (green << 8) | blue;
}

FittedSize fitInside(int imageWidth, int imageHeight, int boxWidth, int boxHeight)
{
    // 64-bit products: a large image times a large box must not overflow.
    FittedSize size{imageWidth, imageHeight};
    if (imageWidth > boxWidth) {
        size.width = boxWidth;
        size.height = static_cast<int>(static_cast<std::int64_t>(imageHeight) * boxWidth / imageWidth);
    }
    if (size.height > boxHeight) {
        size.width = static_cast<int>(static_cast<std::int64_t>(size.width) * boxHeight / size.height);
        size.height = boxHeight;
    }
    return size;
}

} // namespace wrivo
