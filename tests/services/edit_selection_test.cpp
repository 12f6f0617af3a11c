#include "services/controls/edit_selection.h"

#include <gtest/gtest.h>

#include <random>

namespace wrivo {

TEST(EditSelectionUnits, BytesAndCharactersOfGbkText)
{
    const std::string text = "ab汉字c"; // a b 汉(2) 字(2) c = 7 bytes, 5 characters
    EXPECT_EQ(charactersInBytes(text, 0), 0);
    EXPECT_EQ(charactersInBytes(text, 2), 2);
    EXPECT_EQ(charactersInBytes(text, 4), 3);
    EXPECT_EQ(charactersInBytes(text, 3), 2) << "half a character does not count";
    EXPECT_EQ(charactersInBytes(text, 7), 5);
    EXPECT_EQ(charactersInBytes(text, 100), 5);
    EXPECT_EQ(charactersInBytes(text, -3), 0);
    EXPECT_EQ(bytesInCharacters(text, 0), 0);
    EXPECT_EQ(bytesInCharacters(text, 3), 4);
    EXPECT_EQ(bytesInCharacters(text, 4), 6);
    EXPECT_EQ(bytesInCharacters(text, 9), 7);
    EXPECT_EQ(charactersInBytes("\r\n段落", 6), 4);
}

// Long random texts (the counting goes sixteen bytes at a time) agree with a
// walk one character at a time, 0x80 and 0xFF standing alone as the code page has them.
TEST(EditSelectionUnits, LongTextsAgreeWithACharacterByCharacterWalk)
{
    std::mt19937 random(7);
    const std::string bytes = "a\r\n\x80\xFF\xB0\xA1\x81\x40";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const bool odd = round % 3 == 0; // with 0x80 and 0xFF
        for (int n = static_cast<int>(random() % 80); n > 0; --n) {
            char c = bytes[random() % bytes.size()];
            if (!odd && (c == '\x80' || c == '\xFF')) c = 'x';
            text += c;
        }
        std::vector<std::int32_t> starts; // where each character starts, walking
        for (std::size_t i = 0; i < text.size();) {
            starts.push_back(static_cast<std::int32_t>(i));
            const auto b = static_cast<unsigned char>(text[i]);
            i += b >= 0x81 && b <= 0xFE && i + 1 < text.size() ? 2 : 1;
        }
        starts.push_back(static_cast<std::int32_t>(text.size()));
        for (std::size_t k = 0; k < starts.size(); ++k) {
            ASSERT_EQ(bytesInCharacters(text, static_cast<std::int32_t>(k)), starts[k]) << round;
            ASSERT_EQ(charactersInBytes(text, starts[k]), static_cast<std::int32_t>(k)) << round;
            if (k + 1 < starts.size() && starts[k + 1] - starts[k] == 2) {
                ASSERT_EQ(charactersInBytes(text, starts[k] + 1), static_cast<std::int32_t>(k)) << round;
            }
        }
    }
}

TEST(EditSelectionRules, StartMinusOneIsTheEndAndLengthMinusOneIsEverything)
{
    RememberedSelection selection;
    selection.writeStart(0, 20);
    selection.writeLength(10, 20);
    EXPECT_EQ(selection.start, 0);
    EXPECT_EQ(selection.length, 10);

    selection.writeStart(7, 20);
    selection.writeLength(-1, 20);
    EXPECT_EQ(selection.start, 0) << "the whole text, whatever the start was";
    EXPECT_EQ(selection.length, 20);

    selection.writeStart(-1, 20);
    EXPECT_EQ(selection.start, 20);
    EXPECT_EQ(selection.length, 0);

    selection.writeStart(-5, 20);
    selection.writeLength(-7, 20);
    EXPECT_EQ(selection.start, 0);
    EXPECT_EQ(selection.length, 0);
}

} // namespace wrivo
