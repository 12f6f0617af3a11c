// The 60-byte font record: the fields of a LOGFONTA in their order, integers
// little-endian, the face in its 32 bytes. The layout data stores a unit's
// font this way and a unit's font property carries it; this is the one place
// that knows the byte layout.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "host/layout_data.h"

namespace wrivo {

inline constexpr std::size_t fontBlockSize = 60;
inline constexpr std::size_t fontFaceSize = 32;

// The record of a font, always 60 bytes; the face's 32 bytes are kept as they are.
Bytes encodeFontRecord(const layout::LogFont& font);

// The font of a record of exactly 60 bytes; nothing for any other length. A
// face that fills all 32 bytes without a terminator is cut to 31.
std::optional<layout::LogFont> decodeFontRecord(std::span<const std::uint8_t> record);

} // namespace wrivo
