// Other encodings converted to GBK through the system's code page 936, with
// the characters GBK cannot hold counted.
#include <gtest/gtest.h>

#include <string>

#include "services/gbk_conversion.h"

namespace wrivo {
namespace {

using namespace std::string_literals;

TEST(GbkConversion, Utf16InEitherByteOrderBecomesGbk)
{
    // "中文a" + U+1F600 (a surrogate pair GBK has no code for) + "b"
    const std::string little = "\xFF\xFE" "\x2D\x4E\x87\x65" "a\0" "\x3D\xD8\x00\xDE" "b\0"s;
    const GbkConversion fromLittle = convertToGbk(little, TextEncoding::utf16le);
    EXPECT_EQ(fromLittle.text, "中文a?b");
    EXPECT_EQ(fromLittle.unrepresentable, 1u);

    const std::string big = "\xFE\xFF" "\x4E\x2D\x65\x87" "\0a" "\xD8\x3D\xDE\x00" "\0b"s;
    const GbkConversion fromBig = convertToGbk(big, TextEncoding::utf16be);
    EXPECT_EQ(fromBig.text, "中文a?b");
    EXPECT_EQ(fromBig.unrepresentable, 1u);
}

TEST(GbkConversion, Utf8WithOrWithoutItsMarkBecomesGbk)
{
    const std::string chapter = "\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0\r\nab";   // "第一章\r\nab"
    EXPECT_EQ(convertToGbk("\xEF\xBB\xBF" + chapter, TextEncoding::utf8Bom).text, "第一章\r\nab");
    const GbkConversion plain = convertToGbk(chapter, TextEncoding::utf8);
    EXPECT_EQ(plain.text, "第一章\r\nab");
    EXPECT_EQ(plain.unrepresentable, 0u);
}

TEST(GbkConversion, EveryCharacterGbkCannotHoldIsCounted)
{
    // Three emoji, a Hangul syllable and a broken UTF-8 byte among a long text.
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        text += "\xE4\xB8\xAD" "x";   // 中x
        if (i == 7 || i == 1500) text += "\xF0\x9F\x98\x80";
        if (i == 999) text += "\xF0\x9F\x98\x81\xEA\xB0\x80";   // emoji + 가
        if (i == 1999) text += "\xFF";
    }
    const GbkConversion converted = convertToGbk(text, TextEncoding::utf8);
    EXPECT_EQ(converted.unrepresentable, 5u);
    EXPECT_EQ(converted.text.size(), 2000u * 3 + 5);
    EXPECT_EQ(converted.text.substr(0, 6), "中x中x");
}

TEST(GbkConversion, AnOddLastByteOfUtf16IsCountedAsLost)
{
    const GbkConversion converted = convertToGbk("\xFF\xFE" "a\0" "b"s, TextEncoding::utf16le);
    EXPECT_EQ(converted.text, "a?");
    EXPECT_EQ(converted.unrepresentable, 1u);
    EXPECT_EQ(convertToGbk("\xFF\xFE"s, TextEncoding::utf16le).text, "");
}

} // namespace
} // namespace wrivo
