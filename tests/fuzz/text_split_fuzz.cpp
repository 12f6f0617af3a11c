// Splitting, space removal and comparison on arbitrary bytes, checked against
// the rules written the plain way, one character at a time (the oracle the
// unit tests share).
#include "services/text/gbk_scan.h"
#include "services/text/text.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/split_oracle.h"

#include <cstdio>
#include <cstdlib>

using namespace wrivo;

namespace {

int sign(int v)
{
    return (v > 0) - (v < 0);
}

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

    std::vector<std::string> expected = test::oracleSplit(text, delimiter, max);
    FUZZ_CHECK(splitText(text, delimiter, max) == expected);
    std::vector<std::string_view> views = splitViews(text, delimiter, max);
    FUZZ_CHECK(views.size() == expected.size());
    for (std::size_t i = 0; i < views.size(); ++i) {
        FUZZ_CHECK(views[i] == expected[i]);
        FUZZ_CHECK(views[i].empty() ||
                   (views[i].data() >= text.data() && views[i].data() + views[i].size() <= text.data() + text.size()));
    }

    std::string kept = test::oracleWithoutSpaces(text);
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
