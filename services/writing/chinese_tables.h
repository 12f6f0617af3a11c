// The Simplified/Traditional tables, generated at build time from OpenCC's
// dictionaries by tools/make-chinese-tables.py (which describes the layout).
#pragma once
#include <cstdint>

namespace wrivo {

struct ConversionTable {
    // Entry i: [key length][characters kept for GBK][key][value], from
    // pool + entries[i]; entries[count] is the pool's end. Sorted by key.
    const unsigned char* pool;
    const std::uint32_t* entries;
    std::uint32_t count;
    // One bit per character slot: whether some key starts with it.
    const unsigned char* starts;
    // When not null, the first entry of each character slot (the next slot's
    // start ends it).
    const std::uint32_t* buckets;
};

// A character's slot: a double-byte character (lead 0x81-0xFE, the code
// page's rule) by its two bytes, a single byte after them.
inline constexpr unsigned characterSlots = 126 * 256 + 256;

extern const ConversionTable simplifiedToTraditional;
extern const ConversionTable traditionalToSimplified;
extern const ConversionTable taiwanForms;
extern const ConversionTable taiwanFormsBack;
extern const ConversionTable hongKongForms;
extern const ConversionTable hongKongFormsBack;

} // namespace wrivo
