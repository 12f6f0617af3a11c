#include "services/controls/colour_palette.h"

#include <algorithm>

namespace wrivo {

namespace {
constexpr std::uint32_t rgb(unsigned red, unsigned green, unsigned blue)
{
    return red | (green << 8) | (blue << 16);
}

// The colours in the palette's order; the names are the texts'.
constexpr std::array<std::uint32_t, 32> paletteRgb{
    rgb(0, 0, 0),       rgb(0, 0, 128),     rgb(0, 128, 0),     rgb(0, 128, 128),   rgb(128, 0, 0),
    rgb(128, 0, 128),   rgb(128, 128, 0),   rgb(192, 192, 192), rgb(128, 128, 128), rgb(0, 0, 255),
    rgb(0, 255, 0),     rgb(0, 255, 255),   rgb(255, 0, 0),     rgb(255, 0, 255),   rgb(255, 255, 0),
    rgb(255, 255, 255), rgb(128, 128, 255), rgb(88, 48, 224),   rgb(128, 224, 0),   rgb(0, 224, 128),
    rgb(192, 96, 0),    rgb(255, 168, 255), rgb(216, 216, 0),   rgb(236, 236, 236), rgb(144, 0, 255),
    rgb(0, 136, 255),   rgb(128, 160, 128), rgb(0, 96, 192),    rgb(255, 128, 0),   rgb(255, 80, 128),
    rgb(255, 128, 192), rgb(96, 96, 96),
};

constexpr std::array<NamedColour, 32> colours = [] {
    std::array<NamedColour, 32> named{};
    for (std::size_t i = 0; i < named.size(); ++i) named[i] = {paletteColourNames[i], paletteRgb[i]};
    return named;
}();
} // namespace

const std::array<NamedColour, 32>& paletteColours()
{
    return colours;
}

PaletteLayout::PaletteLayout(const PaletteMetrics& metrics, bool offerTransparent)
    : cell_(std::max(18, 2 * metrics.edge + 7)), margin_(metrics.edge)
{
    const int rows = (static_cast<int>(colours.size()) + paletteColumns - 1) / paletteColumns;
    const int gridWidth = paletteColumns * cell_;
    // A text row: the text with two margins above and below, and 2 pixels.
    const int rowHeight = metrics.textHeight + 4 * margin_ + 2;
    const int longestText = std::max(offerTransparent ? metrics.transparentWidth : 0, metrics.otherWidth);
    const int contentWidth = std::max(gridWidth, longestText + 4 * margin_);
    width_ = contentWidth + 2 * margin_;
    gridLeft_ = margin_ + (contentWidth - gridWidth) / 2;

    int y = margin_;
    if (offerTransparent) {
        transparent_ = {margin_, y, margin_ + contentWidth, y + rowHeight};
        y += rowHeight + margin_;
    }
    gridTop_ = y;
    y += rows * cell_ + margin_;
    other_ = {margin_, y, margin_ + contentWidth, y + rowHeight};
    height_ = other_.bottom + margin_;
}

PaletteRect PaletteLayout::cellRect(int index) const
{
    const int left = gridLeft_ + (index % paletteColumns) * cell_;
    const int top = gridTop_ + (index / paletteColumns) * cell_;
    return {left, top, left + cell_, top + cell_};
}

PaletteChoice PaletteLayout::hitTest(int x, int y) const
{
    if (transparent_.contains(x, y)) return {PaletteChoice::transparent, -1};
    if (other_.contains(x, y)) return {PaletteChoice::other, -1};
    for (int i = 0; i < static_cast<int>(colours.size()); ++i)
        if (cellRect(i).contains(x, y)) return {PaletteChoice::cell, i};
    return {};
}

PaletteRect placePopup(int anchorX, int anchorY, int buttonTop, int width, int height, const PaletteRect& screen)
{
    int x = anchorX;
    int y = anchorY;
    if (x + width > screen.right) x = screen.right - width;
    if (x < screen.left) x = screen.left;
    if (y + height > screen.bottom) y = buttonTop - height;
    if (y < screen.top) y = screen.top;
    return {x, y, x + width, y + height};
}

} // namespace wrivo
