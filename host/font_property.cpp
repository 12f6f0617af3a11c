#include "host/font_property.h"

#include <cstring>

namespace wrivo {
namespace {

std::int32_t readInt32(const std::uint8_t* bytes)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[i];
    return static_cast<std::int32_t>(value);
}

void writeInt32(std::uint8_t* bytes, std::int32_t value)
{
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

} // namespace

FontDescription decodeFontBlock(const std::vector<std::uint8_t>& block)
{
    std::uint8_t bytes[fontBlockSize] = {};
    std::memcpy(bytes, block.data(), block.size() < fontBlockSize ? block.size() : fontBlockSize);
    FontDescription font;
    font.height = readInt32(bytes);
    font.width = readInt32(bytes + 4);
    font.escapement = readInt32(bytes + 8);
    font.orientation = readInt32(bytes + 12);
    font.weight = readInt32(bytes + 16);
    font.italic = bytes[20];
    font.underline = bytes[21];
    font.strikeOut = bytes[22];
    font.charSet = bytes[23];
    font.outPrecision = bytes[24];
    font.clipPrecision = bytes[25];
    font.quality = bytes[26];
    font.pitchAndFamily = bytes[27];
    std::memcpy(font.faceName.data(), bytes + 28, fontFaceSize);
    font.faceName.back() = '\0';   // a face that fills all 32 bytes is cut to 31
    return font;
}

std::vector<std::uint8_t> encodeFontBlock(const FontDescription& font)
{
    std::vector<std::uint8_t> block(fontBlockSize, 0);
    writeInt32(block.data(), font.height);
    writeInt32(block.data() + 4, font.width);
    writeInt32(block.data() + 8, font.escapement);
    writeInt32(block.data() + 12, font.orientation);
    writeInt32(block.data() + 16, font.weight);
    block[20] = font.italic;
    block[21] = font.underline;
    block[22] = font.strikeOut;
    block[23] = font.charSet;
    block[24] = font.outPrecision;
    block[25] = font.clipPrecision;
    block[26] = font.quality;
    block[27] = font.pitchAndFamily;
    std::memcpy(block.data() + 28, font.faceName.data(), fontFaceSize);
    return block;
}

std::string acceptedFaceName(std::string_view name)
{
    if (name.empty() || name.size() >= fontFaceSize) return "宋体";
    return std::string(name);
}

std::int32_t fontHeightForPoints(std::int64_t points, int dpi)
{
    std::int64_t magnitude = points < 0 ? -points : points;
    // Rounded to the nearest pixel, halves away from zero.
    std::int64_t height = (magnitude * dpi * 2 + 72) / 144;
    return static_cast<std::int32_t>(-height);
}

std::int32_t fontPointsForHeight(std::int32_t height, int dpi)
{
    std::int64_t magnitude = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (dpi <= 0) return 0;
    return static_cast<std::int32_t>((magnitude * 72 * 2 + dpi) / (2 * static_cast<std::int64_t>(dpi)));
}

std::int64_t fontMemberNumber(const FontDescription& font, int member, int dpi)
{
    switch (member) {
    case FontMember::angle: return font.escapement;
    case FontMember::bold: return font.weight >= 700 ? 1 : 0;
    case FontMember::italic: return font.italic != 0;
    case FontMember::underline: return font.underline != 0;
    case FontMember::strikeOut: return font.strikeOut != 0;
    case FontMember::size: return fontPointsForHeight(font.height, dpi);
    default: return 0;
    }
}

void setFontMember(FontDescription& font, int member, std::int64_t value, int dpi)
{
    switch (member) {
    case FontMember::angle: {
        auto tenths = static_cast<std::int32_t>(value % 3600);
        font.escapement = tenths;
        font.orientation = tenths;
        break;
    }
    case FontMember::bold: font.weight = value != 0 ? 700 : 0; break;
    case FontMember::italic: font.italic = value != 0; break;
    case FontMember::underline: font.underline = value != 0; break;
    case FontMember::strikeOut: font.strikeOut = value != 0; break;
    case FontMember::size: font.height = fontHeightForPoints(value, dpi); break;
    default: break;
    }
}

} // namespace wrivo
