// The one-key tidy-up of a manuscript: two full-width spaces at the start of
// each paragraph, blank lines cleaned, trailing blanks gone, and half-width
// punctuation typed in the IME's English mode made full-width where the text
// is plainly Chinese.
//
// Paragraphs end at "\r\n". Characters are those of code page 936 (0x81-0xFE
// lead a character whose second byte is 0x40-0x7E or 0x80-0xFE), so the
// second byte of a Chinese character is never taken for an ASCII mark.
// Blanks are half-width spaces, tabs and full-width spaces (A1 A1); a blank
// paragraph holds nothing else.
//
// Applying the tidy-up to its own result changes nothing: each paragraph is
// tidied again until it stays as it is (every rule only ever turns half-width
// marks into full-width ones or drops blanks, so this ends quickly).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wrivo {

enum class BlankLines {
    keep, // as they are
    one,  // exactly one between two paragraphs, none at the start, at most one at the end
    none  // no blank paragraph at all
};

struct TidyOptions {
    // Every paragraph that holds a counted character starts with two
    // full-width spaces instead of the blanks it had; a chapter heading
    // loses its blanks and is not indented.
    bool indent = true;
    BlankLines blankLines = BlankLines::one;
    bool trimTrailing = true;
    // Half-width , . ? ! : ; ( ) " ' ... -- made full-width where they are
    // plainly mistyped in Chinese text. One touching an ASCII letter, digit
    // or other mark stays (":)", "--help", "3.14"); "." converts after a
    // Chinese character only where a sentence ends (the paragraph's end, a
    // blank, a closing quote), so "约翰.史密斯" and "五.一" stay; brackets
    // and quotes go by pairs around Chinese text with Chinese, full-width
    // marks or the paragraph's edges outside them, so "printf("你好");" stays.
    bool punctuation = true;
    friend bool operator==(const TidyOptions&, const TidyOptions&) = default;
};

// What changed: paragraphs whose indentation changed, blank paragraphs put in
// and taken out, paragraphs whose trailing blanks went, marks converted; and
// the places where half-width marks were left as they were in paragraphs
// with Chinese in them (a run of marks, ":)", is one place), no change.
struct TidyCounts {
    std::int64_t indented = 0, blankAdded = 0, blankRemoved = 0, trailingTrimmed = 0, punctuation = 0;
    std::int64_t marksLeft = 0;
    bool any() const { return indented || blankAdded || blankRemoved || trailingTrimmed || punctuation; }
    friend bool operator==(const TidyCounts&, const TidyCounts&) = default;
};

// The bytes [start, end) of the text become `replacement`; `caret` is where
// the caret goes in the new text: in the same paragraph as before.
struct TidyResult {
    std::size_t start = 0, end = 0;
    std::string replacement;
    TidyCounts counts;
    std::size_t caret = 0;
    bool changed() const { return counts.any(); }
};

// Tidies the paragraphs that the bytes [from, to) touch (the paragraph
// holding `from` to the one holding `to`; a `to` at the very start of a
// paragraph, after a selection that ends with a line break, leaves that one
// out). The whole text is from 0 to text.size(). `caret` is a byte offset
// into the text.
TidyResult tidyManuscript(std::string_view text, std::size_t from, std::size_t to, std::size_t caret,
                          const TidyOptions& options);

// The text after the tidy-up (the whole of it).
std::string tidiedText(std::string_view text, const TidyOptions& options);

} // namespace wrivo
