// Finding and replacing a term in a GBK text.
//
// A match starts on a character boundary and covers whole characters, as the
// edit box's code page pairs the bytes (gbk::CodePageRule: 0x80, the euro
// sign, stands alone), so the bytes of "啊" standing across the two characters
// of "陌、" are no match.
// Without matchCase, ASCII letters match either case; Chinese characters have
// none. A whole word is neither preceded nor followed by an ASCII letter,
// digit or underscore. Offsets are bytes of the text.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wrivo {

struct SearchOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

// The term as it is searched for: without a last lead byte that has no partner.
std::string_view searchableTerm(std::string_view term);

// The first match starting at or after `from`.
std::optional<std::size_t> findForward(std::string_view text, std::string_view term, std::size_t from,
                                       SearchOptions options);
// The last match starting before `before`.
std::optional<std::size_t> findBackward(std::string_view text, std::string_view term, std::size_t before,
                                        SearchOptions options);
// Forward from `from` (or backward from before it), wrapping once past the end
// (or the start) of the text.
std::optional<std::size_t> findWrapping(std::string_view text, std::string_view term, std::size_t from, bool forward,
                                        SearchOptions options);

// Every match, left to right, none overlapping the one before, replaced in one
// pass: the new text, and where each match stood in the old one. No offsets
// (and an empty text) when there is no match.
struct Replacement {
    std::string text;
    std::vector<std::size_t> offsets;
};
Replacement replaceAll(std::string_view text, std::string_view term, std::string_view replacement,
                       SearchOptions options);

} // namespace wrivo
