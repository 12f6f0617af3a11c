#include "services/controls/colour_palette.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace wrivo {

TEST(ColourPalette, ThirtyTwoNamedColoursInOrder)
{
    const auto& colours = paletteColours();
    EXPECT_EQ(colours[0].name, "黑色");
    EXPECT_EQ(colours[0].colour, 0x000000u);
    EXPECT_EQ(colours[1].name, "藏青");
    EXPECT_EQ(colours[1].colour, 0x800000u) << "blue is the high byte";
    EXPECT_EQ(colours[12].name, "红色");
    EXPECT_EQ(colours[12].colour, 0x0000FFu);
    EXPECT_EQ(colours[17].name, "藏蓝");
    EXPECT_EQ(colours[17].colour, 0xE03058u) << "the editor's background colour";
    EXPECT_EQ(colours[11].colour, 0xFFFF00u) << "艳青, the editor's text colour";
    EXPECT_EQ(colours[31].name, "深灰");
    EXPECT_EQ(colours[31].colour, 0x606060u);
    std::set<std::string_view> names;
    for (const auto& entry : colours) names.insert(entry.name);
    EXPECT_EQ(names.size(), 32u);
}

TEST(ColourPaletteLayout, SevenColumnsOfEighteenPixelCells)
{
    PaletteMetrics metrics{2, 16, 30, 80};
    const PaletteLayout layout(metrics, false);
    EXPECT_EQ(layout.cellSize(), 18);
    EXPECT_EQ(layout.cellRect(0).left, 2);
    EXPECT_EQ(layout.cellRect(0).top, 2);
    EXPECT_EQ(layout.cellRect(6).left, 2 + 6 * 18);
    EXPECT_EQ(layout.cellRect(7).top, 2 + 18) << "the eighth colour starts the second row";
    EXPECT_EQ(layout.cellRect(31).top, 2 + 4 * 18) << "five rows, the last holding four";
    EXPECT_EQ(layout.width(), 7 * 18 + 4);
    EXPECT_EQ(layout.transparentRect().height(), 0);
    const int rowHeight = 16 + 4 * 2 + 2;
    EXPECT_EQ(layout.otherRect().top, 2 + 5 * 18 + 2);
    EXPECT_EQ(layout.otherRect().height(), rowHeight);
    EXPECT_EQ(layout.height(), layout.otherRect().bottom + 2);
}

TEST(ColourPaletteLayout, CellsGrowWithWideEdgesAndTheTransparentRowComesFirst)
{
    PaletteMetrics metrics{7, 16, 30, 80};
    const PaletteLayout layout(metrics, true);
    EXPECT_EQ(layout.cellSize(), 21) << "twice the edge plus 7";
    EXPECT_EQ(layout.transparentRect().top, 7);
    EXPECT_EQ(layout.cellRect(0).top, layout.transparentRect().bottom + 7);
}

TEST(ColourPaletteLayout, WideTextsWidenThePopup)
{
    PaletteMetrics metrics{2, 16, 30, 200};
    const PaletteLayout layout(metrics, true);
    EXPECT_EQ(layout.width(), 200 + 4 * 2 + 2 * 2);
    EXPECT_EQ(layout.otherRect().width(), 208);
}

TEST(ColourPaletteLayout, HitTestFindsCellsAndRows)
{
    const PaletteLayout layout(PaletteMetrics{2, 16, 30, 80}, true);
    const PaletteRect cell = layout.cellRect(9);
    const PaletteChoice onCell = layout.hitTest(cell.left + 5, cell.top + 5);
    EXPECT_EQ(onCell.kind, PaletteChoice::cell);
    EXPECT_EQ(onCell.index, 9);
    EXPECT_EQ(layout.hitTest(layout.transparentRect().left + 1, layout.transparentRect().top + 1).kind,
              PaletteChoice::transparent);
    EXPECT_EQ(layout.hitTest(layout.otherRect().left + 1, layout.otherRect().top + 1).kind, PaletteChoice::other);
    EXPECT_EQ(layout.hitTest(0, 0).kind, PaletteChoice::none) << "the margin chooses nothing";
    const PaletteRect last = layout.cellRect(31);
    EXPECT_EQ(layout.hitTest(last.right + 2, last.top + 2).kind, PaletteChoice::none)
        << "no cell after the thirty-second";
}

TEST(ColourPalettePlacement, StaysOnTheScreen)
{
    const PaletteRect screen{0, 0, 1280, 1024};
    const PaletteRect below = placePopup(100, 200, 180, 130, 150, screen);
    EXPECT_EQ(below.left, 100);
    EXPECT_EQ(below.top, 200);
    const PaletteRect left = placePopup(1200, 200, 180, 130, 150, screen);
    EXPECT_EQ(left.right, 1280);
    const PaletteRect right = placePopup(-40, 200, 180, 130, 150, screen);
    EXPECT_EQ(right.left, 0);
    const PaletteRect up = placePopup(100, 1000, 980, 130, 150, screen);
    EXPECT_EQ(up.bottom, 980) << "above the button";
}

} // namespace wrivo
