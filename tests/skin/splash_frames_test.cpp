// The built-in splash frames as stored blocks: 28 PNG files of 464 x 273,
// RGBA, 8 bits, not interlaced, each in the stored byte-block layout, and
// constants of the program that the memory services never free.
#include "host/memory.h"
#include "skin/splash_frames.h"

#include <gtest/gtest.h>
#include <cstring>

namespace wrivo {

namespace {
std::uint32_t bigEndian(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}
} // namespace

TEST(SplashFrames, AreTwentyEightPngBlocksOf464By273Rgba)
{
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::size_t total = 0;
    for (int k = 1; k <= splashFrameCount; ++k) {
        const auto block = splashFrameBlock(k);
        const auto png = splashFrame(k);
        ASSERT_GT(png.size(), 33u) << k;
        std::uint32_t dimensions = 0, length = 0;
        std::memcpy(&dimensions, block.data(), 4);
        std::memcpy(&length, block.data() + 4, 4);
        EXPECT_EQ(dimensions, 1u);
        EXPECT_EQ(length, png.size());
        EXPECT_EQ(png.data(), block.data() + 8);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.data()) % 4, 0u);
        EXPECT_EQ(std::memcmp(png.data(), signature, 8), 0) << k;
        EXPECT_EQ(std::memcmp(png.data() + 12, "IHDR", 4), 0) << k;
        EXPECT_EQ(bigEndian(png.data() + 16), 464u) << k;
        EXPECT_EQ(bigEndian(png.data() + 20), 273u) << k;
        EXPECT_EQ(png[24], 8); // bits per channel
        EXPECT_EQ(png[25], 6); // RGBA
        EXPECT_EQ(png[28], 0); // not interlaced
        EXPECT_EQ(std::memcmp(png.data() + png.size() - 8, "IEND", 4), 0) << k;
        total += png.size();
    }
    EXPECT_TRUE(splashFrame(0).empty());
    EXPECT_TRUE(splashFrame(29).empty());
    EXPECT_TRUE(splashFrameBlock(-1).empty());
    EXPECT_GT(total, 1700000u);
}

TEST(SplashFrames, AreConstantsThatAreNeverFreed)
{
    registerSplashFrameRanges();
    registerSplashFrameRanges(); // idempotent
    for (int k = 1; k <= splashFrameCount; ++k) {
        const auto block = splashFrameBlock(k);
        EXPECT_TRUE(isInConstantRange(block.data())) << k;
        EXPECT_TRUE(isInConstantRange(block.data() + block.size() - 1)) << k;
    }
    const auto first = splashFrame(1);
    const std::uint8_t before = first[0];
    freeBlock(const_cast<std::uint8_t*>(first.data())); // nothing happens
    EXPECT_EQ(first[0], before);
    // Resizing a frame copies it, at most up to the end of its block.
    const auto block = splashFrameBlock(2);
    auto* copy = static_cast<std::uint8_t*>(resize(const_cast<std::uint8_t*>(block.data()), 16));
    ASSERT_NE(copy, block.data());
    EXPECT_EQ(std::memcmp(copy, block.data(), 16), 0);
    freeBlock(copy);
}

} // namespace wrivo
