// Speed of the text services the editor runs on every keystroke over the whole
// manuscript: split at "\r\n", then per paragraph the length without spaces.
//
//   text_bench [megabytes...]     (default: 1 and 10)
//
// Documents are generated from a fixed seed: Chinese characters (valid GBK),
// full-width punctuation and spaces, ASCII words and spaces, with "\r\n" every
// 60 to 200 bytes. Each figure is the best of several runs.
#include "bench/bench_support.h"
#include "bench/sample_document.h"
#include "services/text/text.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace wrivo;

using bench::makeDocument;

volatile std::size_t sink;

struct Totals {
    std::size_t paragraphs = 0, characters = 0;
    bool operator==(const Totals&) const = default;
};

// What the editor does after each keystroke.
Totals splitAndMeasure(const std::string& doc)
{
    Totals totals;
    forEachPiece(doc, "\r\n", [&](std::string_view piece) {
        ++totals.paragraphs;
        totals.characters += nonSpaceLength(piece);
    });
    return totals;
}

// The same through the services that build texts.
Totals splitAndMeasureWithTexts(const std::string& doc)
{
    Totals totals;
    for (const std::string& piece : splitText(doc, "\r\n")) {
        ++totals.paragraphs;
        totals.characters += static_cast<std::size_t>(textLength(removeAllSpaces(piece)));
    }
    return totals;
}

void benchDocument(std::size_t megabytes)
{
    const std::string doc = makeDocument(megabytes << 20);
    const std::size_t n = doc.size();
    Totals fast = splitAndMeasure(doc), plain = splitAndMeasureWithTexts(doc);
    std::printf("%zu MB document: %zu bytes, %zu paragraphs, %zu bytes without spaces\n", megabytes, n, fast.paragraphs,
                fast.characters);
    if (!(fast == plain)) {
        std::printf("  MISMATCH: building texts gives %zu paragraphs, %zu bytes\n", plain.paragraphs, plain.characters);
        std::exit(1);
    }

    bench::reportThroughput("split-and-measure (views)", n, [&] { sink = splitAndMeasure(doc).characters; });
    bench::reportThroughput("split-and-measure (splitText, texts)", n,
                            [&] { sink = splitAndMeasureWithTexts(doc).characters; });
    bench::reportThroughput("forEachPiece at \\r\\n", n, [&] {
        std::size_t count = 0;
        forEachPiece(doc, "\r\n", [&](std::string_view) { ++count; });
        sink = count;
    });
    bench::reportThroughput("splitViews at \\r\\n", n, [&] { sink = splitViews(doc, "\r\n").size(); });
    bench::reportThroughput("splitText at \\r\\n", n, [&] { sink = splitText(doc, "\r\n").size(); });
    // A1 is also the second byte of many characters, so every hit needs the boundary check.
    bench::reportThroughput("splitViews at 。 (A1 A3)", n, [&] { sink = splitViews(doc, "\xA1\xA3").size(); });
    bench::reportThroughput("nonSpaceLength of the whole text", n, [&] { sink = nonSpaceLength(doc); });
    bench::reportThroughput("removeAllSpaces of the whole text", n, [&] { sink = removeAllSpaces(doc).size(); });
    bench::reportThroughput("textLength of every paragraph", n, [&] {
        std::size_t total = 0;
        forEachPiece(doc, "\r\n", [&](std::string_view piece) { total += textLength(piece); });
        sink = total;
    });
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::strtoul(argv[i], nullptr, 10));
    if (sizes.empty()) sizes = {1, 10};
    for (std::size_t megabytes : sizes) benchDocument(megabytes);
    return 0;
}
