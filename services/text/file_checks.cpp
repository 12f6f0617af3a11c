#include "services/text/file_checks.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "host/file_path.h"
#include "services/text/gbk_scan.h"

namespace wrivo {
namespace {

unsigned char byteAt(std::string_view text, std::size_t i)
{
    return static_cast<unsigned char>(text[i]);
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

bool startsWith(std::string_view bytes, std::string_view mark)
{
    return bytes.substr(0, mark.size()) == mark;
}

} // namespace

bool isReservedDeviceName(std::string_view path)
{
    // Microsoft's "Naming Files, Paths, and Namespaces": "Do not use the
    // following reserved names for the name of a file: CON, PRN, AUX, NUL,
    // COM0 ... COM9, LPT0 ... LPT9 ... Also avoid these names followed
    // immediately by an extension". CONIN$ and CONOUT$ are the console's own
    // (CreateFile, "Consoles"). The superscript-digit forms (COM¹) have no
    // GBK bytes, so an ANSI path cannot hold them.
    const std::size_t separator = lastSeparator(path);
    std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    name = name.substr(0, name.find_first_of(".:"));
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);

    static constexpr std::array<std::string_view, 6> plain = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view device : plain)
        if (sameLetters(name, device)) return true;
    return name.size() == 4 && (sameLetters(name.substr(0, 3), "COM") || sameLetters(name.substr(0, 3), "LPT")) &&
           name[3] >= '0' && name[3] <= '9';
}

TextEncoding detectEncoding(std::string_view bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF")) return TextEncoding::utf8Bom;
    if (startsWith(bytes, "\xFF\xFE")) return TextEncoding::utf16le;
    if (startsWith(bytes, "\xFE\xFF")) return TextEncoding::utf16be;
    bool multiByte = false;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            multiByte = true;
            break;
        }
    if (multiByte && isWellFormedUtf8(bytes) && !isWellFormedGbk(bytes)) return TextEncoding::utf8;
    return TextEncoding::gbk;
}

std::size_t byteOrderMarkLength(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::utf8Bom: return 3;
    case TextEncoding::utf16le:
    case TextEncoding::utf16be: return 2;
    default: return 0;
    }
}

bool isWellFormedUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = byteAt(bytes, i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // RFC 3629, section 4: the second byte's range depends on the first.
        std::size_t length;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0; // no overlong forms
            else if (lead == 0xED)
                high = 0x9F; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F; // nothing past U+10FFFF
        } else
            return false;
        if (i + length > bytes.size()) return false;
        const unsigned char second = byteAt(bytes, i + 1);
        if (second < low || second > high) return false;
        for (std::size_t k = 2; k < length; ++k)
            if ((byteAt(bytes, i + k) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

bool isWellFormedGbk(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = byteAt(bytes, i);
        if (lead == 0xFF) return false;
        if (!gbk::CodePageRule::leads(lead)) {
            ++i;
            continue;
        }
        if (i + 1 == bytes.size()) return false;
        const unsigned char trail = byteAt(bytes, i + 1);
        if (!gbk::CodePageRule::trails(trail)) return false;
        i += 2;
    }
    return true;
}

std::optional<ZeroByteTail> zeroByteTail(std::string_view bytes)
{
    const void* zero = std::memchr(bytes.data(), 0, bytes.size());
    if (!zero) return std::nullopt;
    const std::size_t position = static_cast<std::size_t>(static_cast<const char*>(zero) - bytes.data());
    return ZeroByteTail{position, bytes.size() - position};
}

LineShape measureLines(std::string_view text)
{
    // 0x0D and 0x0A are never the second byte of a GBK character, so the
    // bytes can be looked at one by one.
    LineShape shape;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            shape.longestLine = std::max(shape.longestLine, i - lineStart);
            lineStart = i + 2;
            ++i;
        } else if (text[i] == '\r' || text[i] == '\n') {
            shape.loneBreaks = true;
        }
    }
    shape.longestLine = std::max(shape.longestLine, text.size() - lineStart);
    return shape;
}

std::string withCrLfBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            result += "\r\n";
            ++i;
        } else if (c == '\r' || c == '\n') {
            result += "\r\n";
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace wrivo
