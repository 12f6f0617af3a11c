#include "host/font_property.h"
#include "host/property_rules.h"

#include <gtest/gtest.h>

namespace wrivo {
namespace {

TEST(CommonPropertyClamping, PositionsStayWithinTheDrawableRange)
{
    EXPECT_EQ(clampPosition(40000), 32627);
    EXPECT_EQ(clampPosition(-40000), -32627);
    EXPECT_EQ(clampPosition(-5), -5);
    EXPECT_EQ(clampPosition(32627), 32627);
}

TEST(CommonPropertyClamping, SizesAreNeverNegative)
{
    EXPECT_EQ(clampSize(-5), 0);
    EXPECT_EQ(clampSize(40000), 32627);
    EXPECT_EQ(clampSize(556), 556);
    EXPECT_EQ(clampSize(0x100000000LL), 32627);
}

TEST(EventArguments, KeypadKeysCountAsTheMainKeys)
{
    EXPECT_EQ(eventKeyCode(0x60), '0');
    EXPECT_EQ(eventKeyCode(0x69), '9');
    EXPECT_EQ(eventKeyCode(0x6D), 189);
    EXPECT_EQ(eventKeyCode(0x6E), 190);
    EXPECT_EQ(eventKeyCode(0x6F), 191);
    EXPECT_EQ(eventKeyCode(0x1B), 0x1B);
    EXPECT_EQ(eventKeyCode('A'), 'A');
}

TEST(EventArguments, CoordinatesAndWheelAreSigned)
{
    EXPECT_EQ(lowSigned16(0x0014FFFEu), -2);
    EXPECT_EQ(highSigned16(0x0014FFFEu), 20);
    EXPECT_EQ(wheelNotches(0xFF880000u), -1); // -120
    EXPECT_EQ(wheelNotches(0x00F00000u), 2);  // 240
}

TEST(FontProperty, SizeBecomesANegativePixelHeight)
{
    EXPECT_EQ(fontHeightForPoints(18, 96), -24);
    EXPECT_EQ(fontHeightForPoints(-18, 96), -24);
    EXPECT_EQ(fontHeightForPoints(10, 96), -13); // 13.33 rounds down
    EXPECT_EQ(fontHeightForPoints(9, 96), -12);
    EXPECT_EQ(fontHeightForPoints(18, 120), -30);
    EXPECT_EQ(fontPointsForHeight(-24, 96), 18);
    EXPECT_EQ(fontPointsForHeight(-13, 96), 10);
}

TEST(FontProperty, FaceNamesTooLongOrEmptyBecomeSongTi)
{
    EXPECT_EQ(acceptedFaceName(""), "宋体");
    EXPECT_EQ(acceptedFaceName(std::string(40, 'x')), "宋体");
    EXPECT_EQ(acceptedFaceName(std::string(32, 'x')), "宋体");
    EXPECT_EQ(acceptedFaceName(std::string(31, 'x')), std::string(31, 'x'));
    EXPECT_EQ(acceptedFaceName("新宋体"), "新宋体");
}

TEST(FontProperty, BlockRoundTripsEveryField)
{
    layout::LogFont font;
    font.height = -24;
    font.weight = 400;
    font.charSet = 134;
    font.outPrecision = 3;
    font.clipPrecision = 2;
    font.quality = 1;
    font.pitchAndFamily = 2;
    font.setFace("宋体");
    auto block = encodeFontRecord(font);
    ASSERT_EQ(block.size(), fontBlockSize);
    EXPECT_EQ(block[0], 0xE8); // -24 little-endian
    EXPECT_EQ(block[23], 134);
    EXPECT_EQ(decodeFontRecord(fittedFontRecord(block)), font);
}

TEST(FontProperty, MembersChangeOneAtATime)
{
    layout::LogFont font;
    font.height = -24;
    font.weight = 400;
    setFontMember(font, FontMember::angle, 3700, 96);
    EXPECT_EQ(font.escapement, 100);
    setFontMember(font, FontMember::bold, 1, 96);
    EXPECT_EQ(font.weight, 700);
    EXPECT_EQ(fontMemberNumber(font, FontMember::bold, 96), 1);
    setFontMember(font, FontMember::bold, 0, 96);
    EXPECT_EQ(font.weight, 0);
    setFontMember(font, FontMember::italic, 5, 96);
    EXPECT_EQ(font.italic, 1);
    setFontMember(font, FontMember::size, 12, 96);
    EXPECT_EQ(font.height, -16);
    EXPECT_EQ(fontMemberNumber(font, FontMember::size, 96), 12);
}

} // namespace
} // namespace wrivo
