#include "services/text/text_search.h"

#include "services/text/text_change.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>

namespace wrivo {
namespace {

std::vector<std::size_t> allMatches(std::string_view text, std::string_view term, SearchOptions options = {})
{
    std::vector<std::size_t> found;
    std::optional<std::size_t> match = findForward(text, term, 0, options);
    while (match) {
        found.push_back(*match);
        match = findForward(text, term, *match + 1, options);
    }
    return found;
}

using Offsets = std::vector<std::size_t>;

TEST(TextSearch, MatchesStartOnCharacterBoundariesAndCoverWholeCharacters)
{
    // "陌、" is C4 B0 A1 A2; "啊" (B0 A1) stands across its two characters.
    EXPECT_EQ(allMatches("陌、", "啊"), Offsets{});
    // An ASCII byte that is the second byte of a character is no match either:
    // "丂" is 81 40, so its second byte is "@".
    EXPECT_EQ(allMatches("丂@", "@"), Offsets{2});
    // After a long run of double-byte characters the pairing still holds.
    EXPECT_EQ(allMatches(std::string(200, '\xB0') + "a", "a"), Offsets{200});
    EXPECT_EQ(allMatches(std::string(201, '\xB0') + "a", "a"), Offsets{});
    // A term ending in half a character is searched without that half.
    EXPECT_EQ(searchableTerm("ab\xB0"), "ab");
    EXPECT_EQ(allMatches("xab", "ab\xB0"), Offsets{1});
    EXPECT_EQ(allMatches("abc", ""), Offsets{});
    // The euro sign (0x80) stands alone, as in the edit box: it pairs with no byte after it.
    const std::string price = std::string("售价99") + '\x80' + "，约合人民币750元";
    EXPECT_EQ(allMatches(price, "人民币"), Offsets{13});
    EXPECT_EQ(allMatches(price, "，"), Offsets{7});
    EXPECT_EQ(replaceAll(price, "\x80", "欧元", {}).text, "售价99欧元，约合人民币750元");
    // "形" is D0 CE, the second byte of "中" and the first of "文".
    EXPECT_EQ(allMatches("\x80中文", "形"), Offsets{});
}

TEST(TextSearch, CaseAppliesToAsciiLettersOnlyAndWholeWordsToAsciiWordCharacters)
{
    const SearchOptions anyCase{false, false}, exactCase{true, false};
    EXPECT_EQ(allMatches("Wrivo wrivo WRIVO", "wrivo", anyCase), (Offsets{0, 6, 12}));
    EXPECT_EQ(allMatches("Wrivo wrivo WRIVO", "wrivo", exactCase), Offsets{6});
    // Trail bytes that look like letters ("羇" is E1 61) are left to the random walk below.

    const SearchOptions whole{false, true};
    EXPECT_EQ(allMatches("cat category _cat cat_ cat2 (cat) 猫cat猫", "cat", whole), (Offsets{0, 29, 36}));
}

TEST(TextSearch, ReplaceAllCountsEveryMatchOnceWithoutOverlaps)
{
    const Replacement none = replaceAll("abc", "x", "y", {});
    EXPECT_TRUE(none.offsets.empty());

    const Replacement names = replaceAll("张三说：张三、Zhang 张三丰。", "张三", "李四", {});
    EXPECT_EQ(names.text, "李四说：李四、Zhang 李四丰。");
    EXPECT_EQ(names.offsets, (Offsets{0, 8, 20}));
    // Matches do not overlap, and the replacement is not searched again.
    EXPECT_EQ(replaceAll("aaaa", "aa", "a", {}).text, "aa");
    EXPECT_EQ(replaceAll("aAa", "a", "aa", {}).offsets.size(), 3u);
    EXPECT_EQ(replaceAll("陌、啊", "啊", "", {}).text, "陌、");
    EXPECT_EQ(replaceAll("Cat cat catalog", "cat", "dog", {false, true}).text, "dog dog catalog");
}

// Random GBK texts of a few characters: every search, wrapped search and
// replacement agrees with a plain walk over the characters.
TEST(TextSearch, AgreesWithACharacterByCharacterWalkOnRandomTexts)
{
    std::mt19937 random(20);
    const std::vector<std::string> pieces = {"a",  "A",        "b",        "_",    " ",    "啊",  "陌",
                                             "、", "\xE1\x61", "\x81\x40", "\r\n", "\x80", "\xFF"};
    auto step = [](std::string_view s, std::size_t i) { // the bytes of a character, as the code page pairs them
        const auto b = static_cast<unsigned char>(s[i]);
        return b >= 0x81 && b <= 0xFE && i + 1 < s.size() ? 2 : 1;
    };
    auto randomText = [&](int characters) {
        std::string text;
        for (int i = 0; i < characters; ++i) text += pieces[random() % pieces.size()];
        return text;
    };
    for (int round = 0; round < 2000; ++round) {
        const std::string text = randomText(12);
        const std::string term = randomText(1 + static_cast<int>(random() % 2));
        const SearchOptions options{random() % 2 == 0, random() % 2 == 0};
        // The character starts of the text, by walking it.
        std::vector<std::size_t> starts;
        for (std::size_t i = 0; i < text.size(); i += step(text, i)) starts.push_back(i);
        auto fold = [&](std::string s) {
            if (options.matchCase) return s;
            for (std::size_t i = 0; i < s.size(); i += step(s, i)) {
                if (s[i] >= 'A' && s[i] <= 'Z') s[i] = static_cast<char>(s[i] + 32);
            }
            return s;
        };
        auto word = [&](std::size_t at) {
            const char c = text[at];
            return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
        };
        Offsets expected;
        for (std::size_t k = 0; k < starts.size(); ++k) {
            const std::size_t s = starts[k];
            if (s + term.size() > text.size() || fold(text.substr(s, term.size())) != fold(term)) continue;
            const bool endsOnStart = s + term.size() == text.size() ||
                                     std::find(starts.begin(), starts.end(), s + term.size()) != starts.end();
            if (!endsOnStart) continue;
            if (options.wholeWord) {
                const bool before = k > 0 && starts[k] - starts[k - 1] == 1 && word(starts[k - 1]);
                const bool after = s + term.size() < text.size() && word(s + term.size());
                if (before || after) continue;
            }
            expected.push_back(s);
        }
        ASSERT_EQ(allMatches(text, term, options), expected) << text << " / " << term;

        // Find wraps once: forward the first match at or after the start, else
        // the first of all; backward the last before it, else the last of all.
        const std::size_t start = random() % (text.size() + 1);
        const auto after = std::lower_bound(expected.begin(), expected.end(), start);
        const std::optional<std::size_t> first = expected.empty()          ? std::nullopt
                                                 : after != expected.end() ? std::optional(*after)
                                                                           : std::optional(expected.front());
        const std::optional<std::size_t> last = expected.empty()            ? std::nullopt
                                                : after != expected.begin() ? std::optional(*(after - 1))
                                                                            : std::optional(expected.back());
        EXPECT_EQ(findWrapping(text, term, start, true, options), first) << text << " / " << term << " @" << start;
        EXPECT_EQ(findWrapping(text, term, start, false, options), last) << text << " / " << term << " @" << start;

        // Replacing and then reading the offsets back gives the text again.
        const Replacement replaced = replaceAll(text, term, "#", options);
        std::string restored;
        std::size_t copied = 0, from = 0;
        for (std::size_t offset : replaced.offsets) {
            restored += replaced.text.substr(from, offset - copied);
            restored += text.substr(offset, term.size());
            from += offset - copied + 1;
            copied = offset + term.size();
        }
        if (!replaced.offsets.empty()) {
            restored += replaced.text.substr(from);
            EXPECT_EQ(restored, text);
        }
    }
}

TEST(TextChange, TheChangedStretchLiesOnCharacterBoundariesOfBothTexts)
{
    EXPECT_EQ(changedStretch("abc", "abc"), (TextChange{3, 0, 0}));
    EXPECT_EQ(changedStretch("abc", "abXc"), (TextChange{2, 0, 1}));
    EXPECT_EQ(changedStretch("aa", "aaa"), (TextChange{2, 0, 1}));
    EXPECT_EQ(changedStretch("abc", ""), (TextChange{0, 3, 0}));
    // "啊" B0 A1 and "阿" B0 A2 share their first byte: the whole character changed.
    EXPECT_EQ(changedStretch("x啊y", "x阿y"), (TextChange{1, 2, 2}));
    // Equal bytes at the end that pair into other characters are part of the
    // change: a|B0A1|A2A3|z against C4C4|C4B0|A1A2|A3z.
    EXPECT_EQ(changedStretch("a\xB0\xA1\xA2\xA3z", "\xC4\xC4\xC4\xB0\xA1\xA2\xA3z"), (TextChange{0, 6, 8}));
    const std::string long1 = std::string(100, 'x') + "一二三" + std::string(100, 'y');
    const std::string long2 = std::string(100, 'x') + "一三" + std::string(100, 'y');
    EXPECT_EQ(changedStretch(long1, long2), (TextChange{102, 2, 0}));
}

} // namespace
} // namespace wrivo
