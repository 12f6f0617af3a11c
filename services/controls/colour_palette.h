// The colour picker's palette: its 32 named colours and the geometry of the
// popup that shows them (7 columns of 18-pixel cells, an optional "透明" row
// above and the "其它颜色..." row below), kept apart from any window so that
// the popup's window code only draws and routes the mouse.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "services/text/service_texts.h"

namespace wrivo {

struct NamedColour {
    std::string_view name;
    std::uint32_t colour; // 0x00BBGGRR
};

// The palette, in its display order.
const std::array<NamedColour, 32>& paletteColours();

inline constexpr std::uint32_t noColour = 0xFF000000; // "透明"
inline constexpr int paletteColumns = 7;

struct PaletteRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// What the measurements of the system give the layout.
struct PaletteMetrics {
    int edge = 2;             // the system edge width: the margin
    int textHeight = 16;      // height of the entry texts
    int transparentWidth = 0; // width of "透明"
    int otherWidth = 0;       // width of "其它颜色..."
};

struct PaletteChoice {
    enum Kind {
        none,
        cell,
        transparent,
        other
    } kind = none;
    int index = -1; // the cell, for kind cell
};

class PaletteLayout {
public:
    PaletteLayout(const PaletteMetrics& metrics, bool offerTransparent);

    int cellSize() const { return cell_; }
    int width() const { return width_; }
    int height() const { return height_; }
    PaletteRect cellRect(int index) const;
    PaletteRect transparentRect() const { return transparent_; } // empty when not offered
    PaletteRect otherRect() const { return other_; }
    PaletteChoice hitTest(int x, int y) const;

private:
    int cell_;
    int margin_;
    int gridTop_;
    int gridLeft_;
    int width_;
    int height_;
    PaletteRect transparent_;
    PaletteRect other_;
};

// Where the popup goes: with its top-left corner at `anchorX`, `anchorY` (the
// button's bottom-left), moved left, right or up (above the button, whose top
// is `buttonTop`) as needed to stay on `screen`.
PaletteRect placePopup(int anchorX, int anchorY, int buttonTop, int width, int height, const PaletteRect& screen);

} // namespace wrivo
