// Text measurement and conversion on GBK byte strings.
//
// A text is a std::string of GBK bytes; the missing text is the empty string.
// Lengths and offsets count bytes (a Chinese character is 2). Where a service
// scans a text it steps over double-byte characters as units (see gbk_scan.h):
// a delimiter byte equal to the second byte of a character never splits it, and
// a lead byte with nothing after it is dropped from any text being built.
#pragma once
#include "services/text/value.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wrivo {

// Number of bytes (not characters).
std::int32_t textLength(std::string_view text);

std::string concatTexts(std::initializer_list<std::string_view> parts);
template <class... Parts>
std::string concatTexts(const Parts&... parts)
{
    return concatTexts({std::string_view(parts)...});
}

// Byte-wise comparison of unsigned bytes: -1, 0 or 1; a text that ends first is lower.
std::int32_t compareBytes(std::string_view a, std::string_view b);

// Character-wise comparison; only the sign of the result means anything. Without
// caseSensitive, ASCII letters match either case (double-byte characters never do).
std::int32_t compareText(std::string_view a, std::string_view b, bool caseSensitive);

// The text without its spaces: 0x20 and the full-width space A1 A1. Tabs and
// line breaks stay.
std::string removeAllSpaces(std::string_view text);

// textLength(removeAllSpaces(text)) without building the text.
std::size_t nonSpaceLength(std::string_view text);

// The pieces between delimiters, in order. Empty text, or a maximum count of 0
// or less, gives none; an empty delimiter gives the whole text as one piece; two
// adjacent delimiters give an empty piece, a delimiter at the end none. With a
// maximum count the split stops once that many pieces were cut at delimiters.
std::vector<std::string> splitText(std::string_view text, std::string_view delimiter = ",",
                                   std::optional<std::int32_t> maxCount = std::nullopt);

// The same pieces as splitText, as views into `text`.
std::vector<std::string_view> splitViews(std::string_view text, std::string_view delimiter = ",",
                                         std::optional<std::int32_t> maxCount = std::nullopt);

// Hands out splitText's pieces one at a time without copying; splitText and
// splitViews are built on it. The views point into the scanned text.
class PieceScanner {
public:
    PieceScanner(std::string_view text, std::string_view delimiter,
                 std::optional<std::int32_t> maxCount = std::nullopt);
    // Sets `piece` to the next piece and returns true, or returns false at the end.
    bool next(std::string_view& piece);

private:
    std::string_view text_;
    std::string_view delimiter_;
    std::size_t pieceStart_ = 0; // where the next piece begins (a character boundary)
    std::size_t searchFrom_ = 0; // a character boundary at or after pieceStart_
    std::size_t piecesLeft_;     // pieces still allowed to be cut at a delimiter
    bool done_ = false;
};

template <class Fn>
void forEachPiece(std::string_view text, std::string_view delimiter, Fn&& fn)
{
    PieceScanner scanner(text, delimiter);
    std::string_view piece;
    while (scanner.next(piece)) fn(piece);
}

// n spaces; empty for n below 1.
std::string spaces(std::int32_t n);

// Full-width forms of printable ASCII (A3 A1..A3 FE, and A1 A1, A1 AB, A1 EE,
// A1 EF) become their ASCII forms, so that "１２３" parses as 123.
std::string normaliseFullWidth(std::string_view text);

std::string toText(const Value& value);
// Texts parse as a C decimal integer after full-width normalisation; beyond the
// 32-bit range they saturate. Floating values truncate toward zero (NaN gives 0,
// values beyond the range saturate).
std::int32_t toInteger(const Value& value);
double toNumber(const Value& value);
ByteBlock toBytes(const Value& value);

} // namespace wrivo
