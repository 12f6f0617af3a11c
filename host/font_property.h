// Font values of units: a 60-byte LOGFONTA block, read and written whole or
// one member at a time (the sub-index). Kept free of the platform so that the
// size and face-name rules can be checked anywhere.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/font_record.h"
#include "host/layout_data.h"

namespace wrivo {

// Members of a font value by sub-index; -1 is the whole font.
namespace FontMember {
inline constexpr int whole = -1;
inline constexpr int angle = 0; // tenths of a degree, modulo 3600
inline constexpr int bold = 1;  // weight 700, or 0
inline constexpr int italic = 2;
inline constexpr int underline = 3;
inline constexpr int strikeOut = 4;
inline constexpr int size = 5; // points
inline constexpr int faceName = 6;
} // namespace FontMember

// The record a written block of any length stands for: one shorter than 60
// bytes reads as the missing bytes being zero, bytes past 60 are not read.
// (decodeFontRecord reads it; encodeFontRecord writes a font back.)
Bytes fittedFontRecord(std::span<const std::uint8_t> block);

// The face name a written name becomes: an empty name or one of 32 bytes or
// more is "宋体".
std::string acceptedFaceName(std::string_view name);

// Height of a size in points at the given vertical pixels per inch:
// -(|points| x dpi / 72), rounded.
std::int32_t fontHeightForPoints(std::int64_t points, int dpi);
std::int32_t fontPointsForHeight(std::int32_t height, int dpi);

// The value of one member for reading: a number for members 0 to 5.
std::int64_t fontMemberNumber(const layout::LogFont& font, int member, int dpi);

// Changes one numeric member (0 to 5) of the font.
void setFontMember(layout::LogFont& font, int member, std::int64_t value, int dpi);

} // namespace wrivo
