#include "host/font_property.h"

#include <algorithm>

namespace wrivo {

Bytes fittedFontRecord(std::span<const std::uint8_t> block)
{
    Bytes record(fontBlockSize, 0);
    std::copy_n(block.begin(), std::min(block.size(), fontBlockSize), record.begin());
    return record;
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

std::int64_t fontMemberNumber(const layout::LogFont& font, int member, int dpi)
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

void setFontMember(layout::LogFont& font, int member, std::int64_t value, int dpi)
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
