#include "services/writing/chinese_convert.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

namespace wrivo {
namespace {

using enum ChineseScript;
using enum TraditionalForms;

// The rule itself: the longest phrase first, else the character's first
// candidate; Taiwan and Hong Kong forms both ways; a result GBK cannot hold
// stays as in the source, the rest of its phrase converting.
TEST(ChineseConvert, LongestPhraseFirstWithinGbk)
{
    struct Case {
        const char* source;
        ChineseScript to;
        TraditionalForms forms;
        const char* expected;
        std::size_t changed, kept;
    };
    const Case cases[] = {
        {"头发和发财", traditional, standard, "頭髮和發財", 4, 0},
        {"里面有后台", traditional, standard, "裏面有後臺", 3, 0},
        {"里面有后台", traditional, taiwan, "裡面有後臺", 3, 0},
        {"为什么", traditional, hongKong, "為什麼", 2, 0},
        {"着急", traditional, taiwan, "著急", 1, 0},
        {"着急", traditional, hongKong, "着急", 0, 0},
        {"abc，123", traditional, standard, "abc，123", 0, 0},
        {"頭髮和發財", simplified, standard, "头发和发财", 4, 0},
        {"裡面", simplified, taiwan, "里面", 1, 0},
        {"郭家獅子騧", simplified, standard, "郭家狮子騧", 1, 1},
        {"", traditional, standard, "", 0, 0},
        {"半个\xB0", traditional, standard, "半個\xB0", 1, 0},
    };
    for (const Case& c : cases) {
        const ChineseConversion result = convertChinese(c.source, c.to, c.forms);
        EXPECT_EQ(result.text, c.expected) << c.source;
        EXPECT_EQ(result.changed, c.changed) << c.source;
        EXPECT_EQ(result.keptForGbk, c.kept) << c.source;
    }
    // The stretch that changed, from its first changed character to its last.
    const ChineseConversion stretch = convertChinese("ab头发cd后x", traditional, standard);
    EXPECT_EQ(stretch.text, "ab頭髮cd後x");
    EXPECT_EQ(std::tie(stretch.from, stretch.sourceEnd, stretch.textEnd), std::make_tuple(2u, 10u, 10u));
}

// The same lines as the opencc command converts them, in its six
// configurations (the samples are made by the build).
TEST(ChineseConvert, AgreesWithOpenCC)
{
    const std::map<std::string, std::pair<ChineseScript, TraditionalForms>> configurations = {
        {"s2t", {traditional, standard}}, {"s2tw", {traditional, taiwan}}, {"s2hk", {traditional, hongKong}},
        {"t2s", {simplified, standard}},  {"tw2s", {simplified, taiwan}},  {"hk2s", {simplified, hongKong}},
    };
    std::ifstream samples(WRIVO_CHINESE_SAMPLES, std::ios::binary);
    std::map<std::string, std::size_t> lines, different, keptThere, keptHere;
    for (std::string row; std::getline(samples, row);) {
        std::istringstream fields(row);
        std::string name, source, expected, kept;
        std::getline(fields, name, '\t');
        std::getline(fields, source, '\t');
        std::getline(fields, expected, '\t');
        std::getline(fields, kept);
        const auto [to, forms] = configurations.at(name);
        const ChineseConversion result = convertChinese(source, to, forms);
        ++lines[name];
        keptThere[name] += std::stoul(kept);
        keptHere[name] += result.keptForGbk;
        if (result.text != expected && different[name]++ < 3)
            ADD_FAILURE() << name << ": " << source << "\n  opencc: " << expected << "\n  wrivo:  " << result.text;
    }
    for (const auto& [name, _] : configurations) {
        EXPECT_GE(lines[name], 2500u) << name;
        EXPECT_EQ(different[name], 0u) << name;
        EXPECT_EQ(keptHere[name], keptThere[name]) << name;
    }
}

} // namespace
} // namespace wrivo
