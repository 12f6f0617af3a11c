#include "services/word_count.h"

#include <array>
#include <cstddef>

namespace wrivo {

namespace {

enum ByteClass : unsigned char {
    blank,
    runSymbol,
    runAlnum,
    lead
};

constexpr std::array<unsigned char, 256> byteClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (unsigned b = 0x21; b <= 0x7E; ++b) {
        const bool alnum = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        classes[b] = alnum ? runAlnum : runSymbol;
    }
    classes[0x80] = runSymbol;
    for (unsigned b = 0x81; b <= 0xFE; ++b) classes[b] = lead;
    return classes;
}();

// The second byte of a code page 936 character.
constexpr std::array<bool, 256> trailBytes = [] {
    std::array<bool, 256> trail{};
    for (unsigned b = 0x40; b <= 0xFE; ++b) trail[b] = b != 0x7F;
    return trail;
}();

// A double-byte character of rows A1-A9 (lead - 0xA1 < 9): symbols, but for
// the full-width space, the full-width digits and letters and 〇.
void countSymbolRow(unsigned leadByte, unsigned trail, WordCount& count)
{
    if (leadByte == 0xA1 && trail == 0xA1) return;
    ++count.words;
    if (leadByte == 0xA3 &&
        ((trail >= 0xB0 && trail <= 0xB9) || (trail >= 0xC1 && trail <= 0xDA) || (trail >= 0xE1 && trail <= 0xFA)))
        ++count.latinAndDigits;
    else if (leadByte == 0xA9 && trail == 0x96)
        ++count.hanzi;
    else
        ++count.punctuation;
}

} // namespace

WordCount& operator+=(WordCount& total, const WordCount& part)
{
    total.words += part.words;
    total.hanzi += part.hanzi;
    total.latinAndDigits += part.latinAndDigits;
    total.punctuation += part.punctuation;
    return total;
}

WordCount countWords(std::string_view gbk)
{
    const auto* p = reinterpret_cast<const unsigned char*>(gbk.data());
    const std::size_t n = gbk.size();
    WordCount count;
    // Kept apart from `count` so the commonest case adds to a register.
    std::int64_t hanzi = 0, runs = 0;
    std::size_t i = 0;
    while (i < n) {
        const unsigned c = p[i];
        const unsigned cls = byteClasses[c];
        if (cls == lead) {
            if (i + 1 < n && trailBytes[p[i + 1]]) {
                if (c - 0xA1 > 8)
                    ++hanzi;
                else
                    countSymbolRow(c, p[i + 1], count);
                i += 2;
            } else {
                ++count.words;
                ++count.punctuation;
                ++i;
            }
        } else if (cls == blank) {
            ++i;
        } else {
            // A run: runSymbol and runAlnum are distinct bits.
            unsigned seen = 0;
            unsigned next = cls;
            do {
                seen |= next;
                next = ++i < n ? byteClasses[p[i]] : unsigned{blank};
            } while (next == runSymbol || next == runAlnum);
            runs += (seen & runAlnum) != 0;
        }
    }
    count.words += hanzi + runs;
    count.hanzi += hanzi;
    count.latinAndDigits += runs;
    return count;
}

} // namespace wrivo
