// Splitting, space removal and comparison on arbitrary bytes, checked against
// the rules written the plain way, one character at a time.
#include "services/gbk_scan.h"
#include "services/text.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstdio>
#include <cstdlib>

using namespace wrivo;

namespace {

std::size_t characterWidth(const std::string& s, std::size_t i)
{
    return static_cast<unsigned char>(s[i]) >= 0x80 ? 2 : 1;
}

std::vector<std::string> plainSplit(const std::string& s, const std::string& d, std::optional<std::int32_t> max)
{
    std::vector<std::string> out;
    std::int64_t left = max ? (*max < 0 ? 0 : *max) : -1;
    if (s.empty() || left == 0) return out;
    if (d.empty()) return {s};
    std::size_t i = 0, start = 0;
    while (s.size() - i >= d.size()) {
        if (s.compare(i, d.size(), d) == 0) {
            out.push_back(s.substr(start, i - start));
            start = i += d.size();
            if (--left == 0) return out;
        } else if (i + characterWidth(s, i) > s.size()) {
            break;
        } else {
            i += characterWidth(s, i);
        }
    }
    std::string tail;
    for (std::size_t j = start; j < s.size() && j + characterWidth(s, j) <= s.size(); j += characterWidth(s, j))
        tail += s.substr(j, characterWidth(s, j));
    if (!tail.empty()) out.push_back(tail);
    return out;
}

std::string plainRemoveSpaces(const std::string& s)
{
    std::string kept;
    for (std::size_t i = 0; i < s.size() && i + characterWidth(s, i) <= s.size(); i += characterWidth(s, i)) {
        std::string c = s.substr(i, characterWidth(s, i));
        if (c != " " && c != "\xA1\xA1") kept += c;
    }
    return kept;
}

int sign(int v) { return (v > 0) - (v < 0); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input input(data, size);
    std::uint8_t mode = input.byte();
    std::optional<std::int32_t> max;
    if (mode & 1) max = static_cast<std::int8_t>(input.byte());
    std::string delimiter = input.text((mode >> 1) % 5);
    std::string other = input.text(input.byte() % 64);
    std::string text = input.rest();

    std::vector<std::string> expected = plainSplit(text, delimiter, max);
    FUZZ_CHECK(splitText(text, delimiter, max) == expected);
    std::vector<std::string_view> views = splitViews(text, delimiter, max);
    FUZZ_CHECK(views.size() == expected.size());
    for (std::size_t i = 0; i < views.size(); ++i) {
        FUZZ_CHECK(views[i] == expected[i]);
        FUZZ_CHECK(views[i].empty() || (views[i].data() >= text.data() &&
                                        views[i].data() + views[i].size() <= text.data() + text.size()));
    }

    std::string kept = plainRemoveSpaces(text);
    FUZZ_CHECK(removeAllSpaces(text) == kept);
    FUZZ_CHECK(nonSpaceLength(text) == kept.size());

    for (bool caseSensitive : {true, false}) {
        int ab = compareText(text, other, caseSensitive);
        FUZZ_CHECK(sign(ab) == -sign(compareText(other, text, caseSensitive)));
        FUZZ_CHECK(compareText(text, text, caseSensitive) == 0);
    }
    std::string wholeText = text.substr(0, gbk::wholeLength(text));
    std::string wholeOther = other.substr(0, gbk::wholeLength(other));
    FUZZ_CHECK(sign(compareText(text, other, true)) == compareBytes(wholeText, wholeOther));
    FUZZ_CHECK(compareBytes(text, other) == -compareBytes(other, text));
    return 0;
}
