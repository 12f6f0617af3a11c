#include "services/controls/character_offsets.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "services/controls/edit_selection.h"
#include "services/text_change.h"

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

// A walk of random edits, each taken into the offsets of the text before it
// (marks found or not yet): after every one they convert as the scan does.
TEST(CharacterOffsets, FollowTheTextThroughItsChanges)
{
    std::mt19937 random(12);
    const std::string bytes = "a\r\n\x80\xFF\xB0\xA1\x81\x40";
    auto some = [&](int most) {
        std::string piece;
        for (int n = static_cast<int>(random() % most); n > 0; --n) piece += bytes[random() % bytes.size()];
        return piece;
    };
    for (int round = 0; round < 20; ++round) {
        std::string text = some(400);
        CharacterOffsets offsets(text, 2 + random() % 30);
        for (int step = 0; step < 40; ++step) {
            if (random() % 4) offsets.charactersInBytes(0); // marks found before the change, or not
            const std::size_t at = random() % (text.size() + 1);
            const std::size_t cut = std::min<std::size_t>(random() % 20, text.size() - at);
            std::string after = text.substr(0, at) + some(random() % 4 ? 6 : 120) + text.substr(at + cut);
            offsets = offsets.afterChange(after, changedStretch(text, after));
            text = std::move(after);
            const auto size = static_cast<std::int32_t>(text.size());
            for (std::int32_t b = 0; b <= size; ++b)
                ASSERT_EQ(offsets.charactersInBytes(b), charactersInBytes(text, b))
                    << round << '/' << step << " byte " << b;
            for (std::int32_t c = 0; c <= size; ++c)
                ASSERT_EQ(offsets.bytesInCharacters(c), bytesInCharacters(text, c))
                    << round << '/' << step << " char " << c;
        }
    }
}

} // namespace wrivo
