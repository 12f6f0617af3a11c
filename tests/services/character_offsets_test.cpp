#include "services/controls/character_offsets.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "services/controls/edit_selection.h"

namespace wrivo {

// With marks every few bytes, every offset of random texts (0x80 and 0xFF
// standing alone, lead bytes at the ends of stretches) converts as the
// scan from the start does, both ways.
TEST(CharacterOffsets, AgreeWithTheScanFromTheStart)
{
    std::mt19937 random(11);
    const std::string bytes = "a \r\n\x80\xFF\xB0\xA1\x81\x40\xFE";
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int n = static_cast<int>(random() % 300); n > 0; --n) text += bytes[random() % bytes.size()];
        const CharacterOffsets offsets(text, 2 + random() % 40);
        const auto size = static_cast<std::int32_t>(text.size());
        for (std::int32_t b = -1; b <= size + 1; ++b)
            ASSERT_EQ(offsets.charactersInBytes(b), charactersInBytes(text, b)) << round << " byte " << b;
        for (std::int32_t c = -1; c <= size + 1; ++c)
            ASSERT_EQ(offsets.bytesInCharacters(c), bytesInCharacters(text, c)) << round << " character " << c;
    }
}

} // namespace wrivo
