// The Simplified/Traditional tables, generated at build time from OpenCC's
// dictionaries by tools/make-chinese-tables.py (which describes the layout).
#pragma once
#include <cstdint>

#include "host/gbk_rules.h"

namespace wrivo {

struct ConversionTable {
    // Entry i: [key length][characters kept for GBK][key][value], from
    // pool + entries[i]; entries[count] is the pool's end. Sorted by key.
    const unsigned char* pool;
    const std::uint32_t* entries;
    std::uint32_t count;
    // One bit per character slot: whether some key starts with it.
    const unsigned char* starts;
};

// A character's slot, numbered in the order of the bytes: a single byte below
// 0x81 by itself, a double-byte character (lead 0x81-0xFE, the code page's
// rule) after them by its two bytes, 0xFF last.
inline constexpr unsigned leadBytes = gbk::CodePageRule::lastLead - gbk::CodePageRule::firstLead + 1;
inline constexpr unsigned characterSlots = 256 + leadBytes * 256 + 1;

inline unsigned characterSlot(unsigned char first, unsigned char second, bool doubleByte)
{
    if (doubleByte) return 256 + (first - gbk::CodePageRule::firstLead) * 256 + second;
    return first == 0xFF ? characterSlots - 1 : first;
}

extern const ConversionTable simplifiedToTraditional;
extern const ConversionTable traditionalToSimplified;
extern const ConversionTable taiwanForms;
extern const ConversionTable taiwanFormsBack;
extern const ConversionTable hongKongForms;
extern const ConversionTable hongKongFormsBack;

} // namespace wrivo
