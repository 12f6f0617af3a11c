#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <limits>
#include "services/text/datetime.h"
#include "services/text/text.h"

namespace wrivo {
namespace {

using Bytes = ByteBlock;

TEST(ValueKinds, HandlersBuildValuesWithoutNaming)
{
    EXPECT_TRUE(std::holds_alternative<std::int32_t>(Value{5}));
    EXPECT_TRUE(std::holds_alternative<double>(Value{2.5}));
    EXPECT_TRUE(std::holds_alternative<float>(Value{2.5f}));
    EXPECT_TRUE(std::holds_alternative<std::string>(Value{"文本"}));
    EXPECT_TRUE(std::holds_alternative<std::int16_t>(Value{std::int16_t{1}}));
    EXPECT_TRUE(std::holds_alternative<std::uint8_t>(Value{std::uint8_t{1}}));
    EXPECT_TRUE(std::holds_alternative<std::int64_t>(Value{std::int64_t{1}}));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(Value{}));
}

TEST(NormaliseFullWidth, TurnsFullWidthAsciiFormsIntoAscii)
{
    EXPECT_EQ(normaliseFullWidth("１２３"), "123");
    EXPECT_EQ(normaliseFullWidth("\xA3\xA1\xA3\xFE"), "!~"); // the ends of the range
    EXPECT_EQ(normaliseFullWidth("\xA3\xAB\xA3\xAD\xA3\xAE"), "+-.");
    EXPECT_EQ(normaliseFullWidth("\xA1\xA1\xA1\xAB\xA1\xEE\xA1\xEF"), " ~**");
    EXPECT_EQ(normaliseFullWidth("\xA3\xA0\xA1\xA2"), "\xA3\xA0\xA1\xA2"); // outside the forms
    EXPECT_EQ(normaliseFullWidth("中文abc"), "中文abc");
    // A3 as the second byte of a character is not a full-width form.
    EXPECT_EQ(normaliseFullWidth("\xB0\xA3\xA3\xB1"), "\xB0\xA3"
                                                      "1");
    EXPECT_EQ(normaliseFullWidth("7\xA3"), "7");
}

TEST(ToInteger, ParsesTextsLikeTheCLibraryAfterNormalising)
{
    struct Case {
        std::string text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"１２３", 123},
        {"12ab", 12},
        {"ab", 0},
        {"", 0},
        {"  -42", -42},
        {"+7", 7},
        {"\t\r\n 9", 9},
        {"－５", -5},
        {"　１２", 12}, // the full-width space is white space too
        {"1２3", 123},
        {"- 5", 0},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN},
        {"0x1F", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(toInteger(Value{c.text}), c.expected) << c.text;
}

TEST(ToInteger, ConvertsOtherKinds)
{
    EXPECT_EQ(toInteger(Value{3.99}), 3);
    EXPECT_EQ(toInteger(Value{-3.99}), -3);
    EXPECT_EQ(toInteger(Value{2.5f}), 2);
    EXPECT_EQ(toInteger(Value{1e20}), INT32_MAX);
    EXPECT_EQ(toInteger(Value{-1e20}), INT32_MIN);
    EXPECT_EQ(toInteger(Value{std::numeric_limits<double>::quiet_NaN()}), 0);
    EXPECT_EQ(toInteger(Value{Logical{true}}), 1);
    EXPECT_EQ(toInteger(Value{Logical{false}}), 0);
    EXPECT_EQ(toInteger(Value{std::uint8_t{200}}), 200);
    EXPECT_EQ(toInteger(Value{std::int16_t{-5}}), -5);
    EXPECT_EQ(toInteger(Value{std::int64_t{0x100000005}}), 5); // the low 32 bits
    EXPECT_EQ(toInteger(Value{std::int64_t{-1}}), -1);
    EXPECT_EQ(toInteger(Value{ProcAddress{0xFFFFFFFFu}}), -1);
    EXPECT_EQ(toInteger(Value{DateTime{5.0}}), 0);
    EXPECT_EQ(toInteger(Value{Bytes{'1'}}), 0);
    EXPECT_EQ(toInteger(Value{}), 0);
}

TEST(ToNumber, ParsesTextsAndConvertsOtherKinds)
{
    EXPECT_EQ(toNumber(Value{"３．５"}), 3.5);
    EXPECT_EQ(toNumber(Value{" -1e3x"}), -1000.0);
    EXPECT_EQ(toNumber(Value{"abc"}), 0.0);
    EXPECT_EQ(toNumber(Value{""}), 0.0);
    EXPECT_EQ(toNumber(Value{Logical{true}}), 1.0);
    EXPECT_EQ(toNumber(Value{std::uint8_t{255}}), 255.0);
    EXPECT_EQ(toNumber(Value{std::int16_t{-7}}), -7.0);
    EXPECT_EQ(toNumber(Value{std::int32_t{INT32_MIN}}), -2147483648.0);
    EXPECT_EQ(toNumber(Value{std::int64_t{1} << 53}), 9007199254740992.0);
    EXPECT_EQ(toNumber(Value{0.1f}), double(0.1f));
    EXPECT_EQ(toNumber(Value{0.1}), 0.1);
    EXPECT_EQ(toNumber(Value{ProcAddress{0xFFFFFFFFu}}), 4294967295.0);
    EXPECT_EQ(toNumber(Value{DateTime{5.0}}), 0.0);
    EXPECT_EQ(toNumber(Value{}), 0.0);
}

TEST(ToText, WritesNumbersWithTheirFormats)
{
    EXPECT_EQ(toText(Value{-12}), "-12");
    EXPECT_EQ(toText(Value{std::int16_t{-32768}}), "-32768");
    EXPECT_EQ(toText(Value{std::uint8_t{255}}), "255");
    EXPECT_EQ(toText(Value{std::int64_t{INT64_MIN}}), "-9223372036854775808");
    EXPECT_EQ(toText(Value{std::int64_t{12345678901}}), "12345678901");
    EXPECT_EQ(toText(Value{1.5}), "1.5");
    EXPECT_EQ(toText(Value{0.1}), "0.1");
    EXPECT_EQ(toText(Value{1.0 / 3}), "0.3333333333333");
    EXPECT_EQ(toText(Value{1e20}), "1e+20");
    EXPECT_EQ(toText(Value{1.5f}), "1.5");
    EXPECT_EQ(toText(Value{0.1f}), "0.1");
    EXPECT_EQ(toText(Value{1.0f / 3}), "0.333333");
}

TEST(ToText, WritesOtherKinds)
{
    EXPECT_EQ(toText(Value{Logical{true}}), "真");
    EXPECT_EQ(toText(Value{Logical{false}}), "假");
    EXPECT_EQ(toText(Value{"中文"}), "中文");
    EXPECT_EQ(toText(Value{Bytes{'a', 'b', 0, 'c', 'd'}}), "ab");
    EXPECT_EQ(toText(Value{Bytes{'a', 'b'}}), "ab");
    EXPECT_EQ(toText(Value{std::vector<std::int16_t>{0x4241, 0x0043}}), "ABC");
    EXPECT_EQ(toText(Value{DateTime{0}}), "1899年12月30日");
    EXPECT_EQ(toText(Value{ProcAddress{5}}), "");
    EXPECT_EQ(toText(Value{}), "");
}

TEST(ToBytes, GivesStoredBytesInLittleEndianOrder)
{
    struct Case {
        Value value;
        Bytes expected;
    };
    const Case cases[] = {
        {Value{"ab"}, {'a', 'b'}},
        {Value{""}, {}},
        {Value{std::uint8_t{7}}, {7}},
        {Value{std::int16_t{-2}}, {0xFE, 0xFF}},
        {Value{std::int32_t{0x01020304}}, {4, 3, 2, 1}},
        {Value{std::int64_t{0x0102030405060708}}, {8, 7, 6, 5, 4, 3, 2, 1}},
        {Value{1.0f}, {0, 0, 0x80, 0x3F}},
        {Value{1.0}, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
        {Value{DateTime{1.0}}, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
        {Value{Logical{true}}, {1, 0, 0, 0}},
        {Value{Bytes{9, 0, 8}}, {9, 0, 8}},
        {Value{std::vector<std::int16_t>{1, 0x0203}}, {1, 0, 3, 2}},
        {Value{std::vector<double>{}}, {}},
        {Value{ProcAddress{5}}, {}},
        {Value{}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(toBytes(c.value), c.expected) << "kind " << c.value.index();
}

} // namespace
} // namespace wrivo
