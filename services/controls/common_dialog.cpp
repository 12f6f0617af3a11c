#include "services/controls/common_dialog.h"

#include "host/file_path.h"
#include "services/text/gbk_scan.h"

#include <cstdlib>

namespace wrivo {

namespace {
std::int32_t clamped(std::int64_t value, std::int64_t low, std::int64_t high)
{
    return static_cast<std::int32_t>(value < low ? low : value > high ? high : value);
}

// a * b / c rounded half away from zero, in 64 bits.
std::int32_t scaledRounded(std::int64_t a, std::int64_t b, std::int64_t c)
{
    if (c == 0) return 0;
    const std::int64_t product = a * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
} // namespace

void CommonDialog::setKind(std::int64_t value)
{
    kind = clamped(value, 0, 3);
}

void CommonDialog::setFilterIndex(std::int64_t value)
{
    filterIndex = clamped(value, 0, INT32_MAX);
}

void CommonDialog::setFontSize(std::int64_t value)
{
    fontSize = clamped(value, 0, INT32_MAX);
}

std::string platformFilter(std::string_view filter)
{
    while (!filter.empty() && (filter.back() == ' ' || filter.back() == '\t')) filter.remove_suffix(1);
    if (filter.empty()) return {};
    std::string strings(filter);
    if (!(strings.size() >= 2 && strings.ends_with("||"))) strings += "||";
    for (std::size_t i = 0; i < strings.size(); ++i) {
        if (gbk::CodePageRule::leads(static_cast<unsigned char>(strings[i])) && i + 1 < strings.size())
            ++i;
        else if (strings[i] == '|')
            strings[i] = '\0';
    }
    return strings;
}

std::string fittedFileName(std::string_view fileName)
{
    const std::size_t limit = fileNameBufferSize - 1;
    if (fileName.size() <= limit) return std::string(fileName);
    std::size_t end = 0;
    while (end < limit) {
        const std::size_t step = gbk::CodePageRule::leads(static_cast<unsigned char>(fileName[end])) ? 2 : 1;
        if (end + step > limit) break;
        end += step;
    }
    return std::string(fileName.substr(0, end));
}

std::int32_t fontHeightForSize(std::int32_t points, std::int32_t pixelsPerInch)
{
    if (points == 0) return 0;
    return -scaledRounded(points, pixelsPerInch, 72);
}

std::int32_t fontSizeForHeight(std::int32_t height, std::int32_t pixelsPerInch)
{
    return scaledRounded(height < 0 ? -std::int64_t{height} : height, 72, pixelsPerInch);
}

std::string defaultHelpFile(std::string_view programPath)
{
    const std::size_t separator = lastSeparator(programPath);
    const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    const std::size_t dot = programPath.rfind('.');
    std::string path(programPath);
    if (dot != std::string_view::npos && dot >= nameStart) path.erase(dot);
    return path + ".hlp";
}

} // namespace wrivo
