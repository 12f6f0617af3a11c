// Other encodings converted to GBK through the system's code page 936, with
// the characters GBK cannot hold counted.
#include <gtest/gtest.h>

#include <string>

#include "services/text/gbk_conversion.h"

namespace wrivo {
namespace {

using namespace std::string_literals;

TEST(GbkConversion, Utf16InEitherByteOrderBecomesGbk)
{
    // "中文a" + U+0E01 (Thai, which GBK has no code for) + "b"
    const std::string little = "\xFF\xFE"
                               "\x2D\x4E\x87\x65"
                               "a\0"
                               "\x01\x0E"
                               "b\0"s;
    const GbkConversion fromLittle = convertToGbk(little, TextEncoding::utf16le);
    EXPECT_EQ(fromLittle.text, "中文a?b");
    EXPECT_EQ(fromLittle.unrepresentable, 1u);

    const std::string big = "\xFE\xFF"
                            "\x4E\x2D\x65\x87"
                            "\0a"
                            "\x0E\x01"
                            "\0b"s;
    const GbkConversion fromBig = convertToGbk(big, TextEncoding::utf16be);
    EXPECT_EQ(fromBig.text, "中文a?b");
    EXPECT_EQ(fromBig.unrepresentable, 1u);
}

TEST(GbkConversion, ASurrogatePairIsOneCharacter)
{
    // U+1F600 as a surrogate pair between "a" and "b".
    const GbkConversion converted = convertToGbk("\xFF\xFE"
                                                 "a\0"
                                                 "\x3D\xD8\x00\xDE"
                                                 "b\0"s,
                                                 TextEncoding::utf16le);
    EXPECT_EQ(converted.unrepresentable, 1u);
    EXPECT_EQ(converted.text.front(), 'a');
    EXPECT_EQ(converted.text.back(), 'b');
}

TEST(GbkConversion, Utf8WithOrWithoutItsMarkBecomesGbk)
{
    const std::string chapter = "\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0\r\nab"; // "第一章\r\nab"
    EXPECT_EQ(convertToGbk("\xEF\xBB\xBF" + chapter, TextEncoding::utf8Bom).text, "第一章\r\nab");
    const GbkConversion plain = convertToGbk(chapter, TextEncoding::utf8);
    EXPECT_EQ(plain.text, "第一章\r\nab");
    EXPECT_EQ(plain.unrepresentable, 0u);
}

TEST(GbkConversion, EveryCharacterGbkCannotHoldIsCounted)
{
    // Two emoji, two Thai letters and a broken UTF-8 byte among a long text.
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        text += "\xE4\xB8\xAD"
                "x";                                     // 中x
        if (i == 7 || i == 1500) text += "\xE0\xB8\x81"; // ก
        if (i == 999)
            text += "\xF0\x9F\x98\x81"
                    "\xF0\x9F\x98\x80"; // two emoji
        if (i == 1999) text += "\xFF";
    }
    const GbkConversion converted = convertToGbk(text, TextEncoding::utf8);
    EXPECT_EQ(converted.unrepresentable, 5u);
    EXPECT_EQ(converted.text.substr(0, 6), "中x中x");
    EXPECT_EQ(converted.text.substr(8 * 3, 4), "?中x") << converted.text.substr(0, 40);
}

TEST(GbkConversion, AnOddLastByteOfUtf16IsCountedAsLost)
{
    const GbkConversion converted = convertToGbk("\xFF\xFE"
                                                 "a\0"
                                                 "b"s,
                                                 TextEncoding::utf16le);
    EXPECT_EQ(converted.text, "a?");
    EXPECT_EQ(converted.unrepresentable, 1u);
    EXPECT_EQ(convertToGbk("\xFF\xFE"s, TextEncoding::utf16le).text, "");
}

} // namespace
} // namespace wrivo
