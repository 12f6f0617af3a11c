// Speed of the exact 字数 and of the chapter split over a novel-like document.
//
//   word_count_bench [megabytes...]     (default: 1 and 10)
//
// The document is the editing benchmarks' sample with a heading paragraph
// ("第N章 ...", written as bytes here: benchmarks are compiled without the
// GBK literal flags) every size / 3,000 bytes, so 10 MB holds 3,000 chapters.
// Each figure is the best of several runs.
#include "bench/bench_support.h"
#include "bench/sample_document.h"
#include "services/writing/chapter_headings.h"
#include "services/writing/word_count.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

using namespace wrivo;

volatile std::int64_t sink;

// The sample with a heading paragraph after every `every` bytes of it.
std::string withHeadings(const std::string& doc, std::size_t every)
{
    const std::string first = "\xB5\xDA";                    // 第
    const std::string chapter = "\xD5\xC2 \xB7\xE7\xC6\xF0"; // 章 风起
    std::string out;
    out.reserve(doc.size() + doc.size() / every * 24);
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < doc.size()) {
        out += first + std::to_string(++number) + chapter + "\r\n";
        std::size_t end = doc.find("\r\n", std::min(doc.size(), start + every));
        end = end == std::string::npos ? doc.size() : end + 2;
        out.append(doc, start, end - start);
        start = end;
    }
    return out;
}

void benchDocument(std::size_t megabytes)
{
    const std::size_t size = megabytes << 20;
    const std::string doc = withHeadings(bench::makeDocument(size), size / 3000);
    std::vector<ChapterPart> parts = splitChapters(doc);
    std::printf("%zu MB (%zu bytes, %zu parts, %lld words)\n", megabytes, doc.size(), parts.size(),
                static_cast<long long>(countWords(doc).words));
    bench::reportThroughput("countWords", doc.size(), [&] { sink = countWords(doc).words; });
    bench::reportThroughput("splitChapters", doc.size(),
                            [&] { sink = static_cast<std::int64_t>(splitChapters(doc).size()); });
    const std::string ascii(doc.size(), 'a');
    std::string mixed = doc;
    for (std::size_t i = 0; i < mixed.size(); i += 3) mixed[i] = ' ';
    bench::reportThroughput("countWords, one ASCII run", ascii.size(), [&] { sink = countWords(ascii).words; });
    bench::reportThroughput("countWords, a space every third byte", mixed.size(),
                            [&] { sink = countWords(mixed).words; });
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        benchDocument(1);
        benchDocument(10);
    }
    for (int i = 1; i < argc; ++i) benchDocument(static_cast<std::size_t>(std::atoi(argv[i])));
    return 0;
}
