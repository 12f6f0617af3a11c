// The exact 字数 of a GBK text, by the rule Chinese editors and magazines
// check against: a Chinese character or full-width mark is one, a Western
// word is one, half-width punctuation and spaces are nothing.
//
// Characters are those of code page 936, the edit box's own: 0x81-0xFE lead
// a character whose second byte is 0x40-0x7E or 0x80-0xFE; 0x80 (the euro
// sign) and 0xFF stand alone.
//  - a double-byte character is one, except the full-width space A1 A1;
//    it is 汉字 outside rows A1-A9 and for 〇 (A9 96), 英文与数字 for the
//    full-width digits and letters (A3 B0-B9, C1-DA, E1-FA), 标点与符号
//    otherwise;
//  - a lead byte whose next byte is no second byte (or that ends the text) is
//    one 标点与符号 of its own, and the next byte is read afresh;
//  - a maximal run of the bytes 0x21-0x7E and 0x80 is one 英文与数字 when it
//    holds a letter or digit ("COVID-19", "e.g.,", "3.14"), nothing otherwise
//    ("...", "-"). The euro sign is a symbol inside a run like "$": "€5" and
//    "5€" are one, "€" alone is nothing;
//  - spaces, tabs, CR, LF, other control bytes and a lone 0xFF are nothing
//    and end a run.
// Texts split where a line ends ("\r\n") count the same in parts as whole.
#pragma once
#include <cstdint>
#include <string_view>

namespace wrivo {

struct WordCount {
    std::int64_t words = 0, hanzi = 0, latinAndDigits = 0, punctuation = 0;
    std::int64_t withoutPunctuation() const { return words - punctuation; }
    bool operator==(const WordCount&) const = default;
};

WordCount& operator+=(WordCount& total, const WordCount& part);

WordCount countWords(std::string_view gbk);

// The same count a character at a time: what countWords does where the
// processor cannot scan sixty-four bytes at once.
WordCount countWordsByCharacters(std::string_view gbk);

} // namespace wrivo
