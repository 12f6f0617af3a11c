#include "skin/skin_geometry.h"

#include <gtest/gtest.h>

namespace wrivo {

TEST(ColorToArgb, ReordersRedAndBlueAndPutsTheAlphaOnTop)
{
    EXPECT_EQ(colorToArgb(0x000000FF, 255), 0xFFFF0000u); // red
    EXPECT_EQ(colorToArgb(0x00FF0000, 128), 0x800000FFu); // blue, half
    EXPECT_EQ(colorToArgb(0x00336699, 0), 0x00996633u);
    EXPECT_EQ(colorToArgb(0x00000000, 255), 0xFF000000u);   // the caret's opaque black
    EXPECT_EQ(colorToArgb(0xFF123456, 0x1FF), 0xFF563412u); // only the low bytes count
}

TEST(FitInside, ShrinksKeepingTheAspectRatioButNeverEnlarges)
{
    struct Case {
        int iw, ih, cw, ch, nw, nh;
    };
    const Case cases[] = {
        {200, 100, 100, 100, 100, 50},  // wide image, square box
        {100, 200, 100, 100, 50, 100},  // tall image
        {50, 20, 100, 100, 50, 20},     // small image stays as it is
        {100, 100, 100, 100, 100, 100}, // exactly the box
        {300, 300, 100, 50, 50, 50},    // both steps
        {464, 273, 100, 100, 100, 58},  // truncated, not rounded
        {3, 1000, 1000, 10, 0, 10},     // a sliver truncates to nothing
    };
    for (const Case& c : cases) {
        const FittedSize size = fitInside(c.iw, c.ih, c.cw, c.ch);
        EXPECT_EQ(size.width, c.nw) << c.iw << "x" << c.ih << " in " << c.cw << "x" << c.ch;
        EXPECT_EQ(size.height, c.nh) << c.iw << "x" << c.ih << " in " << c.cw << "x" << c.ch;
    }
}

} // namespace wrivo
