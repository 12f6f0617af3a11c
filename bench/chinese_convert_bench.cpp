// 转为繁体 and 转为简体 on a megabyte of text (the novel-like sample, then its
// own Traditional form), in OpenCC's standard forms and Taiwan's.
//   chinese_convert_bench [megabytes...]   (default 1)
// Times are the process's processor time, best of ten: the machines these run
// on are shared, and the wall clock there measures the neighbours.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "bench/sample_document.h"
#include "services/writing/chinese_convert.h"

int main(int argc, char** argv)
{
    using namespace wrivo;
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::strtoul(argv[i], nullptr, 10));
    if (sizes.empty()) sizes = {1};
    for (const std::size_t megabytes : sizes) {
        const std::string simplified = bench::makeDocument(megabytes << 20);
        const std::string traditional =
            convertChinese(simplified, ChineseScript::traditional, TraditionalForms::standard).text;
        const struct {
            const char* name;
            const std::string& text;
            ChineseScript to;
            TraditionalForms forms;
        } runs[] = {
            {"to Traditional", simplified, ChineseScript::traditional, TraditionalForms::standard},
            {"to Traditional (Taiwan)", simplified, ChineseScript::traditional, TraditionalForms::taiwan},
            {"to Simplified", traditional, ChineseScript::simplified, TraditionalForms::standard},
            {"to Simplified (Taiwan)", traditional, ChineseScript::simplified, TraditionalForms::taiwan},
        };
        for (const auto& run : runs) {
            std::size_t changed = 0;
            double seconds = 1e9;
            for (int round = 0; round < 10; ++round) {
                const std::clock_t start = std::clock();
                changed = convertChinese(run.text, run.to, run.forms).changed;
                seconds = std::min(seconds, double(std::clock() - start) / CLOCKS_PER_SEC);
            }
            std::printf("%zu MB %-24s %8.1f ms  (%zu characters changed)\n", megabytes, run.name, seconds * 1000,
                        changed);
        }
    }
    return 0;
}
