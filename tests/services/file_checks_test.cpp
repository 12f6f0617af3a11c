#include "services/text/file_checks.h"

#include <gtest/gtest.h>

#include <string>

namespace wrivo {

using namespace std::string_literals;

TEST(FileChecks, DeviceNamesAreFoundInTheLastComponentInAnyCaseAndWithAnyExtension)
{
    for (const char* path : {"nul.txt", "C:\\docs\\NUL.txt", "C:\\docs\\con.txt", "aux", "D:/x/Prn.tar.gz",
                             "C:\\docs\\com1.txt", "COM9", "lpt1", "C:\\LPT9.md", "com0.txt", "conin$", "CONOUT$.txt",
                             "C:\\docs\\nul .txt", "C:\\docs\\nul:stream", "C:\\文档\\con.txt"})
        EXPECT_TRUE(isReservedDeviceName(path)) << path;
}

TEST(FileChecks, OrdinaryNamesThatLookLikeDevicesAreFiles)
{
    for (const char* path : {"C:\\nul\\book.txt", "null.txt", "console.txt", "com10.txt", "lpt.txt", "comx",
                             "C:\\docs\\anul.txt", "C:\\docs\\con_notes.txt", "", "C:\\docs\\", "第一章.txt",
                             // "\x95\x5C" is one GBK character: "nul" after it is not a component.
                             "C:\\docs\\\x95\x5Cnul.txt"})
        EXPECT_FALSE(isReservedDeviceName(path)) << path;
}

TEST(FileChecks, AByteOrderMarkDecidesTheEncoding)
{
    EXPECT_EQ(detectEncoding("\xEF\xBB\xBF"
                             "abc"),
              TextEncoding::utf8Bom);
    EXPECT_EQ(detectEncoding("\xFF\xFE"
                             "a\0"s),
              TextEncoding::utf16le);
    EXPECT_EQ(detectEncoding("\xFE\xFF\0a"s), TextEncoding::utf16be);
    // "中文" in UTF-8 is also well-formed GBK; the mark still decides.
    EXPECT_EQ(detectEncoding("\xEF\xBB\xBF\xE4\xB8\xAD\xE6\x96\x87"), TextEncoding::utf8Bom);
    EXPECT_EQ(byteOrderMarkLength(TextEncoding::utf8Bom), 3u);
    EXPECT_EQ(byteOrderMarkLength(TextEncoding::utf16be), 2u);
    EXPECT_EQ(byteOrderMarkLength(TextEncoding::gbk), 0u);
}

TEST(FileChecks, WithoutAMarkOnlyUtf8ThatIsNotGbkIsUtf8)
{
    // "ab中 文": the UTF-8 bytes of 中 and the first of 文 pair up as GBK,
    // then 0xAD leads the space, which no GBK character ends with.
    EXPECT_EQ(detectEncoding("ab\xE4\xB8\xAD \xE6\x96\x87"), TextEncoding::utf8);
    EXPECT_EQ(detectEncoding("\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0\r\n"), TextEncoding::utf8); // "第一章" + CRLF
    // Both at once: kept as GBK, as before.
    EXPECT_EQ(detectEncoding("\xE4\xB8\xAD\xE6\x96\x87"), TextEncoding::gbk);
    // GBK text ("第一章") is not UTF-8.
    EXPECT_EQ(detectEncoding("第一章\r\n"), TextEncoding::gbk);
    // ASCII alone is GBK: nothing to convert.
    EXPECT_EQ(detectEncoding("plain text\r\n"), TextEncoding::gbk);
    EXPECT_EQ(detectEncoding(""), TextEncoding::gbk);
    // Neither: left to the old notice.
    EXPECT_EQ(detectEncoding("a\xFF"
                             "b"),
              TextEncoding::gbk);
}

TEST(FileChecks, Utf8WellFormednessFollowsRfc3629)
{
    EXPECT_TRUE(isWellFormedUtf8("a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80")); // é 中 😀
    EXPECT_FALSE(isWellFormedUtf8("\xC0\xAF"));                             // overlong "/"
    EXPECT_FALSE(isWellFormedUtf8("\xE0\x80\xAF"));                         // overlong
    EXPECT_FALSE(isWellFormedUtf8("\xED\xA0\x80"));                         // a surrogate
    EXPECT_FALSE(isWellFormedUtf8("\xF4\x90\x80\x80"));                     // past U+10FFFF
    EXPECT_FALSE(isWellFormedUtf8("\xE4\xB8"));                             // cut short
    EXPECT_FALSE(isWellFormedUtf8("\xE4"
                                  "a\xAD")); // continuation missing
    EXPECT_FALSE(isWellFormedUtf8("\x80"));
}

TEST(FileChecks, GbkWellFormednessFollowsCodePage936)
{
    EXPECT_TRUE(isWellFormedGbk("第一章 ab\x80\x81\x40\xFE\xFE"));
    EXPECT_FALSE(isWellFormedGbk("\xB5"));     // a lead byte at the end
    EXPECT_FALSE(isWellFormedGbk("\xB5\x20")); // second byte below 0x40
    EXPECT_FALSE(isWellFormedGbk("\xB5\x7F"));
    EXPECT_FALSE(isWellFormedGbk("\xB5\xFF"));
    EXPECT_FALSE(isWellFormedGbk("a\xFF"));
}

TEST(FileChecks, TheZeroByteTailCountsFromTheFirstZeroToTheEnd)
{
    const std::string thirty = "abcdef"s + '\0' + std::string(23, 'x');
    ASSERT_EQ(thirty.size(), 30u);
    const std::optional<ZeroByteTail> tail = zeroByteTail(thirty);
    ASSERT_TRUE(tail);
    EXPECT_EQ(tail->position, 6u);
    EXPECT_EQ(tail->length, 24u);
    EXPECT_EQ(zeroByteTail("\0\0"s)->length, 2u);
    EXPECT_FALSE(zeroByteTail("no zero here"));
    EXPECT_FALSE(zeroByteTail(""));
}

TEST(FileChecks, OnlyCrLfEndsALineAndLoneBreaksAreNoticed)
{
    EXPECT_EQ(measureLines("").longestLine, 0u);
    EXPECT_EQ(measureLines("abc\r\nde\r\nfghij").longestLine, 5u);
    EXPECT_EQ(measureLines("abcdef\r\nde").longestLine, 6u);
    EXPECT_FALSE(measureLines("abc\r\nde\r\n").loneBreaks);

    const LineShape unix = measureLines("ab\ncd\nef");
    EXPECT_EQ(unix.longestLine, 8u) << "LF alone does not end a line";
    EXPECT_TRUE(unix.loneBreaks);
    EXPECT_TRUE(measureLines("ab\rcd").loneBreaks);
    EXPECT_TRUE(measureLines("ab\r\r\ncd").loneBreaks);
    EXPECT_TRUE(measureLines("ab\r").loneBreaks);
}

TEST(FileChecks, LoneBreaksBecomeCrLf)
{
    EXPECT_EQ(withCrLfBreaks("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(withCrLfBreaks("a\rb"), "a\r\nb");
    EXPECT_EQ(withCrLfBreaks("a\r\nb\nc\r"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(withCrLfBreaks("\n\n"), "\r\n\r\n");
    EXPECT_EQ(withCrLfBreaks("第一章\n"), "第一章\r\n");
    EXPECT_EQ(withCrLfBreaks(""), "");
    const std::string converted = withCrLfBreaks("ab\ncd\nef");
    EXPECT_EQ(measureLines(converted).longestLine, 2u);
    EXPECT_FALSE(measureLines(converted).loneBreaks);
}

} // namespace wrivo
