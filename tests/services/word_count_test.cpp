#include "services/writing/word_count.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace wrivo {
namespace {

// words, hanzi, latinAndDigits, punctuation
WordCount counted(std::int64_t hanzi, std::int64_t latin, std::int64_t marks)
{
    return {hanzi + latin + marks, hanzi, latin, marks};
}

TEST(WordCount, WesternWordsCharactersByRowAndBytesAfterALeadByte)
{
    // Western words are runs with a letter or digit. (Octal escapes: "\2005" is 0x80 then "5".)
    for (const char* word : {"Wrivo", "3.14", "e.g.,", "COVID-19", "(a)", "\2005", "5\200", "a\200b"})
        EXPECT_EQ(countWords(word), counted(0, 1, 0)) << word;
    for (const char* nothing : {"...", ",", "\x80", "\xFF", " \t\r\n", "\x7F", "", "　　"})
        EXPECT_EQ(countWords(nothing), WordCount{}) << nothing;
    // Spaces, control bytes, 0xFF and characters end a run.
    EXPECT_EQ(countWords("a b\tc\r\nd\001e\377f\177g"), counted(0, 7, 0));
    EXPECT_EQ(countWords("中abc文。"), counted(2, 1, 1));

    // Double-byte characters by their row.
    EXPECT_EQ(countWords("中文〇"), counted(3, 0, 0));
    EXPECT_EQ(countWords("０９ＡＺａｚ"), counted(0, 6, 0));
    EXPECT_EQ(countWords("，。“”！（）"), counted(0, 0, 7));
    // Rows A1-A9 beside the few that are not marks: ／ (A3 AF), ＠ (A3 C0), ｛ (A3 FB), ㈠ (A2 E5).
    EXPECT_EQ(countWords("／＠｛㈠"), counted(0, 0, 4));
    EXPECT_EQ(countWords("中　文").withoutPunctuation(), 2);

    // 0x40-0x7E and 0x80 after a lead byte are second bytes, never letters.
    EXPECT_EQ(countWords("\x81\x41\x81\x7E\x81\x80"), counted(3, 0, 0));
    EXPECT_EQ(countWords("\260\141bc"), counted(1, 1, 0));
    EXPECT_EQ(countWords("\xA3\x41"), counted(0, 0, 1));
    // A lead byte without a second byte is a mark of its own.
    EXPECT_EQ(countWords("\x81\x30"), counted(0, 1, 1)); // the "0" is read again
    EXPECT_EQ(countWords("\x81 \xFE\x7F\xA1\xFF"), counted(0, 0, 3));
    EXPECT_EQ(countWords("ab\xB0"), counted(0, 1, 1)); // the text ends
    EXPECT_EQ(countWords("\x81\r\n"), counted(0, 0, 1));
}

// Over text from bytes that meet at the rule's edges, in every order: the
// block count is the count a character at a time, and lines add up.
TEST(WordCount, BlocksCountAsCharactersAndLinesAddUp)
{
    static const unsigned char edges[] = {' ',  '\t', '\r', '\n', 'a',  'Z',  '5',  '.',  0x00, 0x1F, 0x21, 0x3F, 0x40,
                                          0x7E, 0x7F, 0x80, 0x81, 0x96, 0xA1, 0xA3, 0xA9, 0xB0, 0xC1, 0xFE, 0xFF};
    std::mt19937 random(25);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (std::size_t n = random() % 400; n > 0; --n)
            text += static_cast<char>(random() % 4 ? edges[random() % sizeof edges] : random() % 256);
        const WordCount whole = countWords(text);
        ASSERT_EQ(whole, countWordsByCharacters(text)) << round;
        ASSERT_EQ(whole.words, whole.hanzi + whole.latinAndDigits + whole.punctuation);
        // Split after each "\r\n", the lines' counts add up to the whole's.
        WordCount lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines += countWords(std::string_view(text).substr(start, end + 2 - start));
        lines += countWords(std::string_view(text).substr(start));
        ASSERT_EQ(lines, whole) << round;
    }
    // Every pair of bytes, at every place of a block: the blocks' vector form
    // of the lead and second bytes reads them as the rule does.
    for (unsigned lead = 0; lead < 256; ++lead) {
        std::string text;
        for (unsigned second = 0; second < 256; ++second)
            text += {static_cast<char>(lead), static_cast<char>(second), ' '};
        ASSERT_EQ(countWords(text), countWordsByCharacters(text)) << lead;
    }
}

} // namespace
} // namespace wrivo
