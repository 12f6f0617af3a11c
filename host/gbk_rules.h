// Which bytes of a GBK text make a character, written here once; every scan
// of the program takes its rule from here (services/text/gbk_scan.h passes
// these on with the fast scans built on them).
//
// Which bytes lead a double-byte character follows one of two rules, chosen
// by every caller:
//  - CountRule: every byte of 0x80 or above leads. The caption's character
//    count and the paragraph split count this way, and keep doing so.
//  - CodePageRule: code page 936's own rule, which the edit control follows.
//    Only 0x81-0xFE lead; 0x80 (the euro sign "€") and 0xFF stand alone.
//    Whatever must agree with the control (its character offsets, search and
//    replace, the history's changed stretch, a path's separators) takes this
//    one. Its second bytes are 0x40-0xFE but 0x7F.
// Under either rule a lead byte and the byte after it, whatever that byte is,
// are one character (characterLength). Where a text is read for its words
// (the 字数, the tidy-up, chapter headings, names made from a text), a code
// page lead byte makes a character only with a second byte after it
// (pairedLength), and otherwise stands alone.
#pragma once
#include <cstddef>
#include <string_view>

namespace wrivo::gbk {

struct CountRule {
    static constexpr unsigned char firstLead = 0x80, lastLead = 0xFF;
    static constexpr bool leads(unsigned char c) { return c >= firstLead; }
};

struct CodePageRule {
    static constexpr unsigned char firstLead = 0x81, lastLead = 0xFE;
    static constexpr unsigned char firstTrail = 0x40, lastTrail = 0xFE, notTrail = 0x7F;
    static constexpr bool leads(unsigned char c) { return c >= firstLead && c <= lastLead; }
    static constexpr bool trails(unsigned char c) { return c >= firstTrail && c <= lastTrail && c != notTrail; }
    static constexpr bool pairs(unsigned char lead, unsigned char trail) { return leads(lead) && trails(trail); }
};

// Bytes of the character at i (< s.size()): a lead byte takes the byte after
// it, if there is one.
template <class Rule>
constexpr std::size_t characterLength(std::string_view s, std::size_t i)
{
    return Rule::leads(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// Bytes of the character at i (< s.size()) by the code page's rule, a lead
// byte taking only a second byte.
constexpr std::size_t pairedLength(std::string_view s, std::size_t i)
{
    return i + 1 < s.size() &&
                   CodePageRule::pairs(static_cast<unsigned char>(s[i]), static_cast<unsigned char>(s[i + 1]))
               ? 2
               : 1;
}

} // namespace wrivo::gbk
