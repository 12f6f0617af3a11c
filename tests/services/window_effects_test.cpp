#include "services/dialogs/window_effects.h"

#include <gtest/gtest.h>

namespace wrivo {

TEST(Transparency, AlphaOutsideTheByteRangeOrLeftOutIsOpaque)
{
    EXPECT_EQ(effectiveAlpha(std::nullopt), 255);
    EXPECT_EQ(effectiveAlpha(300), 255);
    EXPECT_EQ(effectiveAlpha(-1), 255);
    EXPECT_EQ(effectiveAlpha(256), 255);
    EXPECT_EQ(effectiveAlpha(0), 0);
    EXPECT_EQ(effectiveAlpha(6), 6);
    EXPECT_EQ(effectiveAlpha(255), 255);
}

} // namespace wrivo
