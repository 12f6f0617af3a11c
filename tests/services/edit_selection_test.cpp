#include "services/controls/edit_selection.h"

#include <gtest/gtest.h>

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
