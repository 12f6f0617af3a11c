// 转为繁体 and 转为简体: GBK text converted by OpenCC's tables, as OpenCC
// converts. Left to right, each place takes the longest key that starts there
// (a phrase), else its character's first candidate, else stays. The Taiwan and
// Hong Kong forms are a second pass of the same kind, after the Traditional
// conversion or before the Simplified one, as OpenCC chains them.
//
// A character GBK cannot hold is never written: it stays as in the source and
// the rest of its phrase converts.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace wrivo {

enum class ChineseScript {
    traditional,
    simplified
};

// Which Traditional forms: OpenCC's standard ones, Taiwan's or Hong Kong's.
enum class TraditionalForms {
    standard,
    taiwan,
    hongKong
};

struct ChineseConversion {
    std::string text;
    std::size_t changed = 0;    // characters that differ from the source
    std::size_t keptForGbk = 0; // characters left as they were: GBK has no form for the result
    // The stretch that changed: [from, sourceEnd) of the source became
    // [from, textEnd) of the text (all zero when nothing changed).
    std::size_t from = 0, sourceEnd = 0, textEnd = 0;
};

ChineseConversion convertChinese(std::string_view text, ChineseScript to, TraditionalForms forms);

} // namespace wrivo
