// The 60-byte font record, the one byte layout behind the layout data's fonts
// and the font property.
#include "host/font_record.h"

#include <gtest/gtest.h>

namespace wrivo {
namespace {

using layout::LogFont;

// Every field away from zero and from every other, so a field written to or
// read from the wrong place shows.
LogFont distinctFont()
{
    LogFont font;
    font.height = -0x12345678;
    font.width = 0x0A0B0C0D;
    font.escapement = 900;
    font.orientation = -900;
    font.weight = 700;
    font.italic = 1;
    font.underline = 2;
    font.strikeOut = 3;
    font.charSet = 134;
    font.outPrecision = 5;
    font.clipPrecision = 6;
    font.quality = 7;
    font.pitchAndFamily = 8;
    font.setFace("新宋体");
    return font;
}

TEST(FontRecord, EveryFieldRoundTrips)
{
    const LogFont font = distinctFont();
    const Bytes record = encodeFontRecord(font);
    ASSERT_EQ(record.size(), 60u);
    const std::optional<LogFont> back = decodeFontRecord(record);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, font);
}

TEST(FontRecord, FieldsSitInLogFontOrderLittleEndian)
{
    const Bytes record = encodeFontRecord(distinctFont());
    // -0x12345678 is 0xEDCBA988.
    EXPECT_EQ(Bytes(record.begin(), record.begin() + 8), (Bytes{0x88, 0xA9, 0xCB, 0xED, 0x0D, 0x0C, 0x0B, 0x0A}));
    EXPECT_EQ(Bytes(record.begin() + 8, record.begin() + 20),
              (Bytes{0x84, 0x03, 0, 0, 0x7C, 0xFC, 0xFF, 0xFF, 0xBC, 0x02, 0, 0})); // 900, -900, 700
    EXPECT_EQ(Bytes(record.begin() + 20, record.begin() + 28), (Bytes{1, 2, 3, 134, 5, 6, 7, 8}));
    const std::string face = "新宋体";
    EXPECT_EQ(std::string(record.begin() + 28, record.begin() + 28 + face.size()), face);
    EXPECT_EQ(record[28 + face.size()], 0);

    // And a record built by hand reads back the same way.
    Bytes hand(60, 0);
    hand[0] = 0xE8; // -24
    hand[1] = hand[2] = hand[3] = 0xFF;
    hand[16] = 0x90; // 400
    hand[17] = 0x01;
    hand[23] = 134;
    hand[28] = 'A';
    const std::optional<LogFont> font = decodeFontRecord(hand);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->height, -24);
    EXPECT_EQ(font->weight, 400);
    EXPECT_EQ(font->charSet, 134);
    EXPECT_EQ(font->face(), "A");
}

TEST(FontRecord, OnlyExactlySixtyBytesAreAFont)
{
    const Bytes record = encodeFontRecord(distinctFont());
    for (std::size_t size : {0u, 1u, 28u, 59u, 61u, 120u}) {
        Bytes other = record;
        other.resize(size, 0);
        EXPECT_FALSE(decodeFontRecord(other).has_value()) << size << " bytes";
    }
}

TEST(FontRecord, AFaceWithoutTerminatorIsCutTo31Bytes)
{
    Bytes record = encodeFontRecord(distinctFont());
    std::fill(record.begin() + 28, record.end(), 'F');
    const std::optional<LogFont> font = decodeFontRecord(record);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->face(), std::string(31, 'F'));
    EXPECT_EQ(font->pitchAndFamily, 8) << "the bytes before the face are untouched";
}

TEST(FontRecord, BytesAfterTheFaceTerminatorAreKept)
{
    LogFont font = distinctFont();
    font.faceName[20] = 'x'; // stored data may carry bytes past the terminator
    const std::optional<LogFont> back = decodeFontRecord(encodeFontRecord(font));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->faceName, font.faceName);
}

} // namespace
} // namespace wrivo
