#include "host/font_record.h"

#include <algorithm>

namespace wrivo {
namespace {

// Where each field starts in the record.
constexpr std::size_t heightAt = 0, widthAt = 4, escapementAt = 8, orientationAt = 12, weightAt = 16;
constexpr std::size_t flagsAt = 20; // italic to pitch and family, one byte each
constexpr std::size_t faceAt = 28;
static_assert(faceAt + fontFaceSize == fontBlockSize);

std::int32_t readInt32(std::span<const std::uint8_t> record, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) value = (value << 8) | record[at + i];
    return static_cast<std::int32_t>(value);
}

void writeInt32(Bytes& record, std::size_t at, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) record[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

} // namespace

Bytes encodeFontRecord(const layout::LogFont& font)
{
    Bytes record(fontBlockSize, 0);
    writeInt32(record, heightAt, font.height);
    writeInt32(record, widthAt, font.width);
    writeInt32(record, escapementAt, font.escapement);
    writeInt32(record, orientationAt, font.orientation);
    writeInt32(record, weightAt, font.weight);
    const std::uint8_t flags[] = {font.italic,       font.underline,     font.strikeOut, font.charSet,
                                  font.outPrecision, font.clipPrecision, font.quality,   font.pitchAndFamily};
    std::copy(std::begin(flags), std::end(flags), record.begin() + flagsAt);
    std::copy(font.faceName.begin(), font.faceName.end(), record.begin() + faceAt);
    return record;
}

std::optional<layout::LogFont> decodeFontRecord(std::span<const std::uint8_t> record)
{
    if (record.size() != fontBlockSize) return std::nullopt;
    layout::LogFont font;
    font.height = readInt32(record, heightAt);
    font.width = readInt32(record, widthAt);
    font.escapement = readInt32(record, escapementAt);
    font.orientation = readInt32(record, orientationAt);
    font.weight = readInt32(record, weightAt);
    font.italic = record[flagsAt];
    font.underline = record[flagsAt + 1];
    font.strikeOut = record[flagsAt + 2];
    font.charSet = record[flagsAt + 3];
    font.outPrecision = record[flagsAt + 4];
    font.clipPrecision = record[flagsAt + 5];
    font.quality = record[flagsAt + 6];
    font.pitchAndFamily = record[flagsAt + 7];
    const auto face = record.subspan(faceAt, fontFaceSize);
    std::transform(face.begin(), face.end(), font.faceName.begin(),
                   [](std::uint8_t b) { return static_cast<char>(b); });
    font.faceName.back() = '\0'; // a face that fills all 32 bytes is cut to 31
    return font;
}

} // namespace wrivo
