// The 28 frames of the start-up splash: PNG files of 464 x 273 pixels built
// into the program as byte blocks (count of dimensions 1, byte length, bytes).
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace wrivo {

inline constexpr int splashFrameCount = 28;
inline constexpr int splashFrameWidth = 464;
inline constexpr int splashFrameHeight = 273;

// The PNG bytes of frame k (1 to 28); empty for any other k.
std::span<const std::uint8_t> splashFrame(int k);

// The stored block of frame k, header included; empty for any other k.
std::span<const std::uint8_t> splashFrameBlock(int k);

// Registers every frame's block as a constant range of the memory services,
// so a frame is never freed and resizing one copies it. Idempotent.
void registerSplashFrameRanges();

} // namespace wrivo
