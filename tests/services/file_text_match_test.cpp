// Comparing a text with a file's text fed in pieces must answer exactly what
// compareText (case-sensitive) answers for the whole file's text, up to its
// first zero byte, whatever the pieces.
#include "services/store/file_text_match.h"

#include "services/text/text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace wrivo {
namespace {

using namespace std::string_literals;

bool matchInPieces(std::string_view text, std::string_view file, std::size_t pieceSize)
{
    FileTextMatch match(text);
    if (!match.sizeCanMatch(file.size())) return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
    for (std::size_t at = 0; at < file.size(); at += pieceSize) {
        const std::size_t length = std::min(pieceSize, file.size() - at);
        if (!match.feed({bytes + at, length})) break;
    }
    return match.matches();
}

bool wholeFileAnswer(std::string_view text, std::string_view file)
{
    return compareText(text, file.substr(0, file.find('\0')), true) == 0;
}

TEST(FileTextMatch, AnswersAsTheWholeFileComparison)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"abc", "abc"},
        {"abc", "abd"},
        {"abc", "ABC"}, // case counts
        {"abc", "ab"},
        {"abc", "abcd"},
        {"abc", "abc\0garbage"s}, // the file's text ends at its zero byte
        {"abc", "ab\0c"s},
        {"第一段\r\n第二段", "第一段\r\n第二段"},
        {"第一段", "第一"},
        {"ab\x81", "ab"}, // a lone lead byte ends a text like its end
        {"ab", "ab\x81"},
        {"ab\x81", "ab\x82"},
        {"ab\x81", "ab\x81\x40"}, // but with a trail it is a character
        {"ab", "ab\x81\x40"},
        {"ab", "ab\x81\0rest"s},
        {"\x81", ""},
        {"x", ""},
        {"\x81\x81\x81", "\x81\x81"}, // run of three: the last is alone
        {"\x81\x81", "\x81\x81\x81"},
        {"a\x81\x40\x81", "a\x81\x40"},
        {"a\x81\x40", "a\x81"},
    };
    for (const auto& [text, file] : cases) {
        for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{1000}})
            EXPECT_EQ(matchInPieces(text, file, piece), wholeFileAnswer(text, file))
                << "text [" << text << "] file [" << file << "] pieces of " << piece;
    }
}

// Random texts over the bytes that matter (letters in both cases, lead and
// trail bytes, zero) against files made from them.
TEST(FileTextMatch, RandomTextsAgreeWithTheWholeFileComparison)
{
    std::mt19937 random(11);
    const std::string alphabet = "aA\x40\x81\xFF"s + '\0';
    auto randomText = [&](std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        return text;
    };
    int matched = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text = randomText(random() % 7);
        text = text.substr(0, text.find('\0')); // a document holds no zero byte
        std::string file = text;
        switch (random() % 4) {
        case 0: file += randomText(random() % 3); break;
        case 1:
            if (!file.empty()) file.pop_back();
            break;
        case 2:
            if (!file.empty()) file[random() % file.size()] = alphabet[random() % alphabet.size()];
            break;
        default: break;
        }
        const bool expected = wholeFileAnswer(text, file);
        matched += expected;
        for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{64}})
            ASSERT_EQ(matchInPieces(text, file, piece), expected) << "text [" << text << "] file [" << file << "]";
    }
    EXPECT_GT(matched, 1000) << "both answers were exercised";
}

TEST(FileTextMatch, AFileShorterThanTheTextCannotMatchByItsSize)
{
    FileTextMatch match("第一段");
    EXPECT_FALSE(match.sizeCanMatch(5));
    EXPECT_TRUE(match.sizeCanMatch(6));
    EXPECT_TRUE(FileTextMatch("ab\x81").sizeCanMatch(2)) << "the lone lead byte need not be in the file";
}

TEST(FileTextMatch, StopsAsSoonAsTheOutcomeIsKnown)
{
    FileTextMatch differing("abc");
    EXPECT_FALSE(differing.feed({reinterpret_cast<const std::uint8_t*>("x"), 1}));
    FileTextMatch ended("abc");
    EXPECT_FALSE(ended.feed({reinterpret_cast<const std::uint8_t*>("abc\0"), 4}));
    EXPECT_TRUE(ended.matches());
    FileTextMatch going("abc");
    EXPECT_TRUE(going.feed({reinterpret_cast<const std::uint8_t*>("ab"), 2}));
}

} // namespace
} // namespace wrivo
