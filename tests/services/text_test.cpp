#include "services/text/gbk_scan.h"
#include "services/text/gbk_scan_sse2.h"
#include "services/text/text.h"
#include "tests/support/split_oracle.h"

#include <gtest/gtest.h>
#include <cstring>
#include <random>

namespace wrivo {
namespace {

// Characters are spelled as bytes where the exact GBK bytes matter.
const std::string fullWidthSpace = "\xA1\xA1";

TEST(TextLength, CountsBytesNotCharacters)
{
    EXPECT_EQ(textLength("中文ab"), 6);
    EXPECT_EQ(textLength(""), 0);
    EXPECT_EQ(textLength("\r\n"), 2);
}

TEST(ConcatTexts, JoinsPartsInOrderAndSkipsEmptyOnes)
{
    EXPECT_EQ(concatTexts("a", "中", "", "b"), "a中b");
    EXPECT_EQ(concatTexts(std::string("x"), std::string_view("y")), "xy");
    EXPECT_EQ(concatTexts({"1", "2", "3"}), "123");
    EXPECT_EQ(concatTexts("", ""), "");
}

TEST(CompareBytes, OrdersByUnsignedBytesThenLength)
{
    struct Case {
        std::string a, b;
        int expected;
    };
    const Case cases[] = {
        {"", "", 0},        {"abc", "abc", 0},  {"abc", "abcd", -1}, // a text that ends first is lower
        {"abcd", "abc", 1}, {"abd", "abc", 1},  {"\x80", "a", 1},    // high bytes are large, not negative
        {"a", "\xFF", -1},  {"中", "中文", -1}, {std::string("a\0b", 3), std::string("a\0c", 3), -1},
    };
    for (const Case& c : cases) EXPECT_EQ(compareBytes(c.a, c.b), c.expected) << c.a << " vs " << c.b;
}

int sign(int v)
{
    return (v > 0) - (v < 0);
}

TEST(CompareText, FoldsOnlyAsciiLettersWhenCaseDoesNotMatter)
{
    EXPECT_EQ(compareText("Hello", "hELLO", false), 0);
    EXPECT_NE(compareText("Hello", "hello", true), 0);
    EXPECT_LT(compareText("Apple", "apple", true), 0); // 'A' is below 'a'
    EXPECT_LT(compareText("_", "a", false), 0);        // letters fold to lower case
    EXPECT_LT(compareText("_", "A", false), 0);
    // A letter that is the second byte of a double-byte character stays exact.
    EXPECT_NE(compareText("\x81"
                          "A",
                          "\x81"
                          "a",
                          false),
              0);
    EXPECT_EQ(compareText("中文", "中文", false), 0);
}

TEST(CompareText, SignFollowsTheFirstDifferentCharacter)
{
    EXPECT_LT(compareText("ab", "abc", true), 0);
    EXPECT_GT(compareText("abc", "ab", true), 0);
    EXPECT_EQ(compareText("", "", true), 0);
    EXPECT_LT(compareText("z", "中", true), 0); // single bytes sort below double ones
    EXPECT_EQ(sign(compareText("啊", "阿", true)), sign(compareBytes("啊", "阿")));
    // An unpartnered lead byte at the end is not a character.
    EXPECT_EQ(compareText("ab\x81", "ab", true), 0);
    EXPECT_LT(compareText("ab\x81",
                          "ab\x81"
                          "c",
                          true),
              0);
}

TEST(RemoveAllSpaces, DropsHalfAndFullWidthSpacesOnly)
{
    EXPECT_EQ(removeAllSpaces(" a" + fullWidthSpace + "b\t"), "ab\t");
    EXPECT_EQ(removeAllSpaces("一 二　三\r\n"), "一二三\r\n");
    EXPECT_EQ(removeAllSpaces("   "), "");
    EXPECT_EQ(removeAllSpaces(""), "");
}

TEST(RemoveAllSpaces, RespectsCharacterBoundaries)
{
    // B0 A1 | A1 B0: the A1 A1 pair straddles two characters, so it is no space.
    EXPECT_EQ(removeAllSpaces("\xB0\xA1\xA1\xB0"), "\xB0\xA1\xA1\xB0");
    // A space byte right after a lead byte is that character's second byte.
    EXPECT_EQ(removeAllSpaces("\x81 x "), "\x81 x");
    // An unpartnered lead byte at the end is dropped.
    EXPECT_EQ(removeAllSpaces("a b\x81"), "ab");
    EXPECT_EQ(removeAllSpaces(std::string("\xA1")), "");
}

TEST(RemoveAllSpaces, FindsFullWidthSpacesAtEveryOffset)
{
    // Scanning goes in blocks of four or eight bytes; a space may straddle two.
    for (std::size_t offset = 0; offset < 20; ++offset) {
        std::string before(offset, 'a');
        EXPECT_EQ(removeAllSpaces(before + fullWidthSpace + "b"), before + "b") << offset;
        EXPECT_EQ(removeAllSpaces(before + fullWidthSpace), before) << offset;
        EXPECT_EQ(nonSpaceLength(before + fullWidthSpace + "b"), offset + 1) << offset;
        // After an odd run of high bytes the A1 pair starts one byte later.
        std::string shifted = before + "\xB0" + fullWidthSpace + "b";
        EXPECT_EQ(removeAllSpaces(shifted), shifted) << offset;
    }
}

TEST(NonSpaceLength, MatchesTheLengthOfTheTextWithoutSpaces)
{
    EXPECT_EQ(nonSpaceLength(" a" + fullWidthSpace + "b\t"), 3u);
    EXPECT_EQ(nonSpaceLength("中 文"), 4u);
    EXPECT_EQ(nonSpaceLength("\xB0\xA1\xA1\xB0"), 4u);
    EXPECT_EQ(nonSpaceLength("a\x81"), 1u);
    EXPECT_EQ(nonSpaceLength(""), 0u);
}

// Random texts over bytes that matter: spaces, A1, other lead bytes, letters,
// line breaks; long enough to cross the eight- and sixteen-byte fast paths
// several times.
std::string randomText(std::mt19937& random, std::size_t maxLength)
{
    static const unsigned char alphabet[] = {' ', ' ', 0xA1, 0xA1, 0x81, 0xB0, 0xD6, 0xFE,
                                             'a', 'Z', '\r', '\n', ',',  0x40, 0x7F, '\t'};
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    std::string s(length(random), '\0');
    for (char& c : s) c = static_cast<char>(alphabet[pick(random)]);
    return s;
}

TEST(RemoveAllSpaces, AgreesWithTheCharacterByCharacterRuleOnRandomTexts)
{
    std::mt19937 random(1234);
    for (int round = 0; round < 20000; ++round) {
        std::string s = randomText(random, round % 2 ? 48 : 100);
        std::string expected = test::oracleWithoutSpaces(s);
        ASSERT_EQ(removeAllSpaces(s), expected) << testing::PrintToString(s);
        ASSERT_EQ(nonSpaceLength(s), expected.size()) << testing::PrintToString(s);
        // Both ways of measuring: sixteen bytes at a time where the processor
        // can, a word at a time where it cannot.
        ASSERT_EQ(gbk::nonSpaceLengthByWords(s), expected.size()) << testing::PrintToString(s);
    }
}

// The word-at-a-time form of each lead-byte rule says of a word what the rule
// says of its bytes: a word of lead bytes with any one byte in any place
// leads whole exactly when that byte leads.
template <class Rule>
void checkWordForm()
{
    for (unsigned b = 0; b < 256; ++b) {
        for (unsigned place = 0; place < gbk::wordBytes; ++place) {
            unsigned char word[gbk::wordBytes];
            std::memset(word, 0xB0, sizeof word);
            word[place] = static_cast<unsigned char>(b);
            ASSERT_EQ(gbk::allLead<Rule>(gbk::loadWord(word)), Rule::leads(word[place])) << b << " at " << place;
        }
    }
}

TEST(GbkRules, WordsLeadWholeExactlyWhenEveryByteLeads)
{
    checkWordForm<gbk::CountRule>();
    checkWordForm<gbk::CodePageRule>();
}

TEST(FindByte, FindsTheFirstMatchLikeMemchrAtEveryOffset)
{
    std::mt19937 random(99);
    for (int round = 0; round < 5000; ++round) {
        const std::string s = randomText(random, 90);
        const auto* p = reinterpret_cast<const unsigned char*>(s.data());
        for (const unsigned char wanted : {0x0D, 0xA1, 0x71}) {
            const std::size_t from = s.empty() ? 0 : static_cast<std::size_t>(random() % (s.size() + 1));
            ASSERT_EQ(gbk::findByte(p + from, wanted, s.size() - from), std::memchr(p + from, wanted, s.size() - from))
                << testing::PrintToString(s) << " from " << from;
        }
    }
}

TEST(Spaces, GivesExactlyNSpacesAndNothingBelowOne)
{
    EXPECT_EQ(spaces(3), "   ");
    EXPECT_EQ(spaces(1), " ");
    EXPECT_EQ(spaces(0), "");
    EXPECT_EQ(spaces(-2), "");
}

} // namespace
} // namespace wrivo
