// The one-key tidy-up on a novel-sized document: a manuscript typed with the
// IME's English marks and without indentation (every paragraph changes), and
// the same manuscript once tidied (nothing changes).
//   tidy_bench [megabytes...]   (default 10)
// Times are the process's processor time, best of five: the machines these
// run on are shared, and the wall clock there measures the neighbours.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "bench/sample_document.h"
#include "services/writing/manuscript_tidy.h"

namespace {

using namespace wrivo;

double bestSeconds(const std::string& text, std::size_t& changed)
{
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const std::clock_t start = std::clock();
        const TidyResult result = tidyManuscript(text, 0, text.size(), 0, TidyOptions{});
        best = std::min(best, double(std::clock() - start) / CLOCKS_PER_SEC);
        changed = static_cast<std::size_t>(result.counts.indented + result.counts.punctuation);
    }
    return best;
}

// Full-width commas and stops typed half-width with a space after, as the
// tidy-up converts them (a stop between two characters could be a name's dot).
std::string untidied(const std::string& tidy)
{
    std::string out;
    out.reserve(tidy.size());
    for (std::size_t i = 0; i < tidy.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(tidy[i]);
        if (c >= 0x81 && i + 1 < tidy.size()) {
            const std::string_view pair(tidy.data() + i, 2);
            out += pair == "\xA3\xAC" ? ", " : pair == "\xA1\xA3" ? ". " : std::string(pair);
            ++i;
        } else {
            out += tidy[i];
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::strtoul(argv[i], nullptr, 10));
    if (sizes.empty()) sizes = {10};
    for (const std::size_t megabytes : sizes) {
        const std::string messy = untidied(bench::makeDocument(megabytes << 20));
        const std::string tidy = tidiedText(messy, TidyOptions{});
        std::size_t changes = 0;
        const double first = bestSeconds(messy, changes);
        std::printf("%zu MB, untidy: %8.1f MB/s (%.1f ms, %zu changes)\n", megabytes, messy.size() / first / 1e6,
                    first * 1e3, changes);
        const double again = bestSeconds(tidy, changes);
        std::printf("%zu MB, tidy:   %8.1f MB/s (%.1f ms, %zu changes)\n", megabytes, tidy.size() / again / 1e6,
                    again * 1e3, changes);
    }
    return 0;
}
