#include "services/text/gbk_conversion.h"

#include <windows.h>

namespace wrivo {
namespace {

constexpr UINT gbkCodePage = 936;

std::wstring wideText(std::string_view bytes, TextEncoding encoding)
{
    bytes.remove_prefix(byteOrderMarkLength(encoding));
    std::wstring wide;
    if (encoding == TextEncoding::utf16le || encoding == TextEncoding::utf16be) {
        const bool bigEndian = encoding == TextEncoding::utf16be;
        wide.resize(bytes.size() / 2);
        for (std::size_t i = 0; i < wide.size(); ++i) {
            const auto first = static_cast<unsigned char>(bytes[2 * i]);
            const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
            wide[i] = static_cast<wchar_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
        }
        // A last odd byte is half a character: it cannot be kept.
        if (bytes.size() % 2) wide += L'\xFFFD';
        return wide;
    }
    // Without MB_ERR_INVALID_CHARS, invalid UTF-8 becomes U+FFFD, which GBK
    // cannot hold and so is counted below (MultiByteToWideChar, Remarks).
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    wide.resize(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

// WC_NO_BEST_FIT_CHARS: a character without its own GBK code becomes "?"
// and is counted, rather than silently turned into a look-alike.
bool needsDefault(const wchar_t* units, std::size_t count)
{
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(gbkCodePage, WC_NO_BEST_FIT_CHARS, units, static_cast<int>(count), nullptr, 0, nullptr,
                        &usedDefault);
    return usedDefault != FALSE;
}

// Characters of the range that GBK cannot hold, found by halving: a few such
// characters in a long text cost a few dozen conversions, not one per
// character.
std::size_t countUnrepresentable(const wchar_t* units, std::size_t count)
{
    if (count == 0 || !needsDefault(units, count)) return 0;
    const bool onePair = count == 2 && IS_HIGH_SURROGATE(units[0]) && IS_LOW_SURROGATE(units[1]);
    if (count == 1 || onePair) return 1;
    std::size_t half = count / 2;
    if (IS_HIGH_SURROGATE(units[half - 1]) && IS_LOW_SURROGATE(units[half])) ++half; // keep the pair whole
    if (half == count) --half;
    return countUnrepresentable(units, half) + countUnrepresentable(units + half, count - half);
}

} // namespace

GbkConversion convertToGbk(std::string_view bytes, TextEncoding encoding)
{
    GbkConversion result;
    if (encoding == TextEncoding::gbk) {
        result.text = std::string(bytes);
        return result;
    }
    const std::wstring wide = wideText(bytes, encoding);
    if (wide.empty()) return result;
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(gbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, nullptr);
    result.text.resize(static_cast<std::size_t>(length));
    WideCharToMultiByte(gbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, result.text.data(), length, nullptr,
                        nullptr);
    result.unrepresentable = countUnrepresentable(wide.data(), wide.size());
    return result;
}

} // namespace wrivo
