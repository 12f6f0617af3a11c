#include "services/controls/character_offsets.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "services/controls/edit_selection.h"
#include "services/text/text_change.h"

namespace wrivo {

// With marks every few bytes, every offset of random texts (0x80 and 0xFF standing alone, lead bytes at the
// ends of stretches) converts as the scan from the start does, both ways; and so it does after each of a walk
// of random edits taken into the offsets of the text before it (marks found or not yet).
TEST(CharacterOffsets, AgreeWithTheScanFromTheStartThroughEveryChange)
{
    auto some = [](std::mt19937& random, std::string_view bytes, unsigned most) {
        std::string piece;
        for (auto n = random() % most; n > 0; --n) piece += bytes[random() % bytes.size()];
        return piece;
    };
    auto agree = [](const CharacterOffsets& offsets, const std::string& text) {
        const auto size = static_cast<std::int32_t>(text.size());
        for (std::int32_t n = -1; n <= size + 1; ++n) {
            ASSERT_EQ(offsets.charactersInBytes(n), charactersInBytes(text, n)) << "byte " << n;
            ASSERT_EQ(offsets.bytesInCharacters(n), bytesInCharacters(text, n)) << "character " << n;
        }
    };
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        const std::string text = some(random, "a \r\n\x80\xFF\xB0\xA1\x81\x40\xFE", 300);
        ASSERT_NO_FATAL_FAILURE(agree(CharacterOffsets(text, 2 + random() % 40), text)) << round;
    }

    random.seed(12);
    const std::string_view bytes = "a\r\n\x80\xFF\xB0\xA1\x81\x40";
    for (int round = 0; round < 20; ++round) {
        std::string text = some(random, bytes, 400);
        CharacterOffsets offsets(text, 2 + random() % 30);
        for (int step = 0; step < 40; ++step) {
            if (random() % 4) offsets.charactersInBytes(0); // marks found before the change, or not
            const std::size_t at = random() % (text.size() + 1);
            const std::size_t cut = std::min<std::size_t>(random() % 20, text.size() - at);
            std::string after =
                text.substr(0, at) + some(random, bytes, random() % 4 ? 6 : 120) + text.substr(at + cut);
            offsets = offsets.afterChange(after, changedStretch(text, after));
            text = std::move(after);
            ASSERT_NO_FATAL_FAILURE(agree(offsets, text)) << round << '/' << step;
        }
    }
}

} // namespace wrivo
