// What a chosen file holds that the edit box would lose, mangle or choke on,
// found before it is loaded: a device name in place of a file, another
// encoding than GBK, zero bytes, and lines too long to lay out in time.
// Pure decisions on bytes; the questions are the caller's.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wrivo {

// Whether the last component of the path is one of the reserved DOS device
// names (CON, PRN, AUX, NUL, COM0-9, LPT0-9, and the console's CONIN$ and
// CONOUT$), in any letter case, with or without an extension: the system
// opens the device, not a file ("NUL.txt" and "NUL.tar.gz" are both NUL, and
// trailing spaces before the extension are dropped as well). Reading CON
// waits for a console that is not there.
bool isReservedDeviceName(std::string_view path);

enum class TextEncoding {
    gbk,     // taken as it is
    utf8,    // UTF-8 without a byte-order mark
    utf8Bom, // EF BB BF
    utf16le, // FF FE
    utf16be, // FE FF
};

// How a file's bytes are to be read. A byte-order mark decides. Without one,
// bytes that are well-formed UTF-8, hold at least one multi-byte sequence and
// are not well-formed GBK are UTF-8; everything else is GBK. Short texts can
// be both (UTF-8 "中文" pairs up as three GBK characters): those stay GBK, as
// the program always read them.
TextEncoding detectEncoding(std::string_view bytes);

// Bytes of the byte-order mark that starts a text of this encoding.
std::size_t byteOrderMarkLength(TextEncoding encoding);

// UTF-8 as RFC 3629 defines it: no overlong forms, no surrogates, nothing
// past U+10FFFF.
bool isWellFormedUtf8(std::string_view bytes);

// The shape of code page 936: the lead bytes of its rule (gbk::CodePageRule,
// 0x81-0xFE) start a character whose second byte is 0x40-0x7E or 0x80-0xFE;
// bytes below 0x80 and 0x80 (the euro sign) stand alone; 0xFF is never text.
bool isWellFormedGbk(std::string_view bytes);

// The bytes from the first zero byte to the end, which the edit box cannot
// show (its text ends at a zero byte): where they start and how many.
struct ZeroByteTail {
    std::size_t position;
    std::size_t length;
};
std::optional<ZeroByteTail> zeroByteTail(std::string_view bytes);

// The edit box lays out a line in time that grows faster than linearly with
// its length. Timed black-box under Wine 8 on an ordinary machine (a file
// opened in Wrivo, one line without a break): 32 KB 4.7 s, 64 KB 13.7 s,
// 128 KB 48 s, 1 MB over 12 minutes. bench/editor_bench.cpp "longline" on a
// slower machine (Wine under qemu-user emulation, heavily loaded), Chinese and
// ASCII mixed: 8 KB 4.2 s, 16 KB 11.0 s, 20 KB 13.7 s, 24 KB 16.3 s, 32 KB
// 25.3 s, 64 KB 92 s (ASCII only: 8 KB 2.4 s, 16 KB 4.5 s, 32 KB 11.6 s).
// Scaled by the two 32 KB times (4.7 s against 25.3 s emulated), 16 KB takes
// about 2.0 s and 8 KB 0.8 s on the ordinary machine, so 16 KB is where a line
// stops loading quickly. A longer line is asked about.
inline constexpr std::size_t longestQuickLine = 16u << 10;

// Lines as the edit box sees them: only "\r\n" ends one.
struct LineShape {
    std::size_t longestLine = 0; // bytes between two "\r\n" (or the ends)
    bool loneBreaks = false;     // an LF without its CR, or a CR without its LF
};
LineShape measureLines(std::string_view text);

// Every lone LF (Unix) and lone CR (old Mac) made "\r\n"; "\r\n" stays.
std::string withCrLfBreaks(std::string_view text);

} // namespace wrivo
