// Access to the built-in splash frames (their bytes are generated at build
// time from assets/splash by tools/embed-bytes.py).
#include "skin/splash_frames.h"

#include "host/memory.h"

#include <cstring>

namespace wrivo {

// Defined by the generated source.
extern const int splashFrameDataCount;
extern const std::uint8_t* const splashFrameDataBlocks[];
extern const std::size_t splashFrameDataBlockSizes[];

std::span<const std::uint8_t> splashFrameBlock(int k)
{
    if (k < 1 || k > splashFrameDataCount || k > splashFrameCount) return {};
    return {splashFrameDataBlocks[k - 1], splashFrameDataBlockSizes[k - 1]};
}

std::span<const std::uint8_t> splashFrame(int k)
{
    const std::span<const std::uint8_t> block = splashFrameBlock(k);
    if (block.size() < 8) return {};
    std::uint32_t length = 0;
    std::memcpy(&length, block.data() + 4, 4);
    return block.subspan(8, length);
}

void registerSplashFrameRanges()
{
    for (int k = 1; k <= splashFrameCount; ++k) {
        const std::span<const std::uint8_t> block = splashFrameBlock(k);
        if (!isInConstantRange(block.data())) registerConstantRange(block.data(), block.size());
    }
}

} // namespace wrivo
