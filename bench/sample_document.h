// A novel-like GBK document for the benchmarks: paragraphs of 60 to 200
// bytes of Chinese characters, punctuation, spaces and short ASCII words,
// the same for every run (a fixed seed).
#pragma once
#include <cstdint>
#include <string>

namespace wrivo::bench {

// xorshift: small, fast and the same everywhere.
struct Random {
    std::uint64_t state;
    std::uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::uint32_t>(state >> 11);
    }
    std::uint32_t below(std::uint32_t n) { return next() % n; }
};

inline std::string makeDocument(std::size_t size)
{
    Random random{0x9E3779B97F4A7C15ull};
    std::string doc;
    doc.reserve(size + 256);
    while (doc.size() < size) {
        std::size_t paragraph = 60 + random.below(141);
        std::size_t end = doc.size() + paragraph;
        while (doc.size() + 2 < end) {
            std::uint32_t kind = random.below(100);
            if (kind < 70) { // a Chinese character, B0A1..F7FE
                doc += static_cast<char>(0xB0 + random.below(0xF7 - 0xB0 + 1));
                doc += static_cast<char>(0xA1 + random.below(0xFE - 0xA1 + 1));
            } else if (kind < 76) { // ， or 。
                doc += kind < 73 ? "\xA3\xAC" : "\xA1\xA3";
            } else if (kind < 78) { // full-width space
                doc += "\xA1\xA1";
            } else if (kind < 90) { // an ASCII word
                for (std::uint32_t n = 2 + random.below(7); n > 0; --n)
                    doc += static_cast<char>('a' + random.below(26));
            } else {
                doc += ' ';
            }
        }
        doc += "\r\n";
    }
    return doc;
}

} // namespace wrivo::bench
