// The text rules the product speeds up, written the plain way, one character
// at a time, for the unit tests and the fuzzer to check against. Slow on
// purpose and independent of the product's code: a lead byte (0x80 and up)
// takes whatever byte follows it, and a lead byte with nothing after it at
// the end is no character.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wrivo::test {

// The width of the character that starts at `s[i]`.
inline std::size_t oracleCharacterWidth(const std::string& s, std::size_t i)
{
    return static_cast<unsigned char>(s[i]) >= 0x80 ? 2 : 1;
}

// `s` cut at every `delimiter` found at a character boundary, at most `max`
// pieces (none for zero or less). An empty text has no pieces, an empty
// delimiter gives the whole text, and an empty last piece is left out.
inline std::vector<std::string> oracleSplit(const std::string& s, const std::string& delimiter,
                                            std::optional<std::int32_t> max)
{
    std::vector<std::string> pieces;
    std::int64_t left = max ? std::max(*max, 0) : -1;
    if (s.empty() || left == 0) return pieces;
    if (delimiter.empty()) return {s};
    std::size_t i = 0, start = 0;
    while (s.size() - i >= delimiter.size()) {
        if (s.compare(i, delimiter.size(), delimiter) == 0) {
            pieces.push_back(s.substr(start, i - start));
            start = i += delimiter.size();
            if (--left == 0) return pieces;
        } else if (i + oracleCharacterWidth(s, i) > s.size()) {
            break;
        } else {
            i += oracleCharacterWidth(s, i);
        }
    }
    std::string tail;
    for (std::size_t j = start; j < s.size() && j + oracleCharacterWidth(s, j) <= s.size();
         j += oracleCharacterWidth(s, j))
        tail += s.substr(j, oracleCharacterWidth(s, j));
    if (!tail.empty()) pieces.push_back(tail);
    return pieces;
}

// `s` without its half-width (" ") and full-width ("\xA1\xA1") spaces, and
// without a lone lead byte at the end.
inline std::string oracleWithoutSpaces(const std::string& s)
{
    std::string kept;
    for (std::size_t i = 0; i < s.size() && i + oracleCharacterWidth(s, i) <= s.size();
         i += oracleCharacterWidth(s, i)) {
        const std::string character = s.substr(i, oracleCharacterWidth(s, i));
        if (character != " " && character != "\xA1\xA1") kept += character;
    }
    return kept;
}

} // namespace wrivo::test
