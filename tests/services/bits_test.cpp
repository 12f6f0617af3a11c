#include <gtest/gtest.h>
#include <climits>
#include "services/text/bits.h"

namespace wrivo {

TEST(Bits, OrCombinesEveryArgumentAndPassesASingleOneThrough)
{
    EXPECT_EQ(bitOr({1, 2, 8}), 11);
    EXPECT_EQ(bitOr({-2147483647 - 1, 1}), INT32_MIN + 1);
    EXPECT_EQ(bitOr({42}), 42);
}

TEST(Bits, ShiftLeftUsesTheLowFiveBitsOfTheCount)
{
    EXPECT_EQ(shiftLeft(1, 33), 2);
    EXPECT_EQ(shiftLeft(1, 31), INT32_MIN);
    EXPECT_EQ(shiftLeft(3, 31), INT32_MIN); // the upper bit is lost
    EXPECT_EQ(shiftLeft(5, 32), 5);
    EXPECT_EQ(shiftLeft(1, -1), INT32_MIN); // -1 AND 31 = 31
}

TEST(Bits, AbsValueNegatesOnlyNegatives)
{
    EXPECT_EQ(absValue(-2.5), 2.5);
    EXPECT_EQ(absValue(2.5), 2.5);
    EXPECT_EQ(absValue(0.0), 0.0);
}

} // namespace wrivo
