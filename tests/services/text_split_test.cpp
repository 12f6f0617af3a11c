#include <gtest/gtest.h>
#include <random>
#include "services/text/text.h"
#include "tests/support/split_oracle.h"

namespace wrivo {
namespace {

using Pieces = std::vector<std::string>;

TEST(SplitText, CutsAtLineBreaks)
{
    EXPECT_EQ(splitText("第一行\r\n\r\n第二行", "\r\n"), (Pieces{"第一行", "", "第二行"}));
    EXPECT_EQ(splitText("第一行\r\n第二行\r\n", "\r\n"), (Pieces{"第一行", "第二行"}));
    EXPECT_EQ(splitText("", "\r\n"), Pieces{});
    EXPECT_EQ(splitText("\r\n", "\r\n"), Pieces{""});
    EXPECT_EQ(splitText("\r\nx", "\r\n"), (Pieces{"", "x"}));
    EXPECT_EQ(splitText("a\rb\nc", "\r\n"), Pieces{"a\rb\nc"});
}

TEST(SplitText, DefaultsToTheHalfWidthComma)
{
    EXPECT_EQ(splitText("a,b,,c"), (Pieces{"a", "b", "", "c"}));
    EXPECT_EQ(splitText("a，b"), Pieces{"a，b"});
}

TEST(SplitText, StopsAtTheMaximumCount)
{
    struct Case {
        std::optional<std::int32_t> max;
        Pieces expected;
    };
    const Case cases[] = {
        {std::nullopt, {"a", "b", "c"}}, {2, {"a", "b"}}, {1, {"a"}}, {3, {"a", "b", "c"}},
        {10, {"a", "b", "c"}},           {0, {}},         {-5, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(splitText("a,b,c", ",", c.max), c.expected) << c.max.value_or(999);
    EXPECT_EQ(splitText("a,b,", ",", 2), (Pieces{"a", "b"}));
}

TEST(SplitText, EmptyDelimiterGivesTheWholeText)
{
    EXPECT_EQ(splitText("a,b", ""), Pieces{"a,b"});
    EXPECT_EQ(splitText("", ""), Pieces{});
}

TEST(SplitText, NeverCutsADoubleByteCharacter)
{
    // 0x81 0x40 is one character whose second byte is '@'.
    EXPECT_EQ(splitText("x\x81@y@z", "@"), (Pieces{"x\x81@y", "z"}));
    // By the scanning rule a lead byte takes whatever byte follows, even a comma.
    EXPECT_EQ(splitText("a\x81,b,c"), (Pieces{"a\x81,b", "c"}));
    // A1 B0 occurs across the characters B0 A1 | B0 A1, never at a boundary.
    EXPECT_EQ(splitText("\xB0\xA1\xB0\xA1", "\xA1\xB0"), Pieces{"\xB0\xA1\xB0\xA1"});
    // A long run of double-byte characters before the delimiter byte.
    std::string run(64, '\x81');
    EXPECT_EQ(splitText(run + "\x81,b"), Pieces{run + "\x81,b"});
    EXPECT_EQ(splitText(run + ",b"), (Pieces{run, "b"}));
    EXPECT_EQ(splitText("甲，乙，丙", "，"), (Pieces{"甲", "乙", "丙"}));
}

TEST(SplitText, DropsAnUnpartneredLeadByteAtTheEnd)
{
    EXPECT_EQ(splitText("a,b\x81"), (Pieces{"a", "b"}));
    EXPECT_EQ(splitText("a,\x81"), Pieces{"a"});
    EXPECT_EQ(splitText("ab\x81", "\r\n"), Pieces{"ab"});
    EXPECT_EQ(splitText("\x81", "\r\n"), Pieces{});
    EXPECT_EQ(splitText("ab", "abc"), Pieces{"ab"});
}

TEST(SplitViews, GivesViewsIntoTheText)
{
    std::string text = "one\r\ntwo";
    std::vector<std::string_view> views = splitViews(text, "\r\n");
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0], "one");
    EXPECT_EQ(views[1].data(), text.data() + 5);
}

TEST(ForEachPiece, VisitsEveryPieceInOrder)
{
    Pieces seen;
    forEachPiece("a b\r\n\r\n中　文", "\r\n", [&](std::string_view piece) { seen.emplace_back(piece); });
    EXPECT_EQ(seen, (Pieces{"a b", "", "中　文"}));
}

std::string randomBytes(std::mt19937& random, std::size_t minLength, std::size_t maxLength)
{
    static const unsigned char alphabet[] = {',', '\r', '\n', 0x81, 0xA1, 0xB0, 'a', 0x40, ' ', 0xFE};
    std::uniform_int_distribution<std::size_t> length(minLength, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    std::string s(length(random), '\0');
    for (char& c : s) c = static_cast<char>(alphabet[pick(random)]);
    return s;
}

TEST(SplitText, AgreesWithTheCharacterByCharacterRuleOnRandomTexts)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int> maxCount(-2, 6);
    for (int round = 0; round < 20000; ++round) {
        std::string text = randomBytes(random, 0, 40);
        std::string delimiter = randomBytes(random, 0, 3);
        std::optional<std::int32_t> max;
        if (round % 3 == 0) max = maxCount(random);
        Pieces expected = test::oracleSplit(text, delimiter, max);
        ASSERT_EQ(splitText(text, delimiter, max), expected)
            << testing::PrintToString(text) << " by " << testing::PrintToString(delimiter);
        std::vector<std::string_view> views = splitViews(text, delimiter, max);
        ASSERT_EQ(Pieces(views.begin(), views.end()), expected);
    }
}

} // namespace
} // namespace wrivo
