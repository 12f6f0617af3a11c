// Speed of the editing core on large documents, apart from any window:
// find next and previous across a 10 MB document, replace-all of 100,000
// matches in 10 MB (the new text, the undo step, and the text its undo gives
// back), and what recording a keystroke's step and counting again around it
// cost beside a whole recount (split and measure), at 1 MB and 10 MB.
//
// Chinese text is written as its GBK bytes: benchmarks are compiled without
// the GBK execution character set. Documents come from a fixed seed, as in text_bench: Chinese characters,
// full-width punctuation, ASCII words and spaces, "\r\n" every 60 to 200 bytes.
#include "app/edit_history.h"
#include "app/statistics.h"
#include "bench/sample_document.h"
#include "services/text/text.h"
#include "services/text/text_change.h"
#include "services/text/text_search.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace wrivo;

using bench::makeDocument;

// The document with `word` put in at the start of `count` of its paragraphs
// (the first ones, as many as it has, then again from the top).
std::string withWord(const std::string& doc, std::string_view word, std::size_t count)
{
    std::string text;
    text.reserve(doc.size() + count * word.size());
    std::size_t put = 0;
    std::size_t from = 0;
    while (from < doc.size()) {
        const std::size_t end = std::min(doc.find("\r\n", from), doc.size());
        if (put < count) {
            text += word;
            ++put;
        }
        text.append(doc, from, end + 2 - from);
        from = end + 2;
        if (from >= doc.size() && put < count) {
            text.append(word);
            ++put;
        }
    }
    while (put < count) {
        text += word;
        ++put;
    }
    return text;
}

double bestMs(const std::function<void()>& work, int atLeast = 5)
{
    using Clock = std::chrono::steady_clock;
    double best = 1e12, total = 0;
    for (int run = 0; run < atLeast || total < 1000.0; ++run) {
        const auto start = Clock::now();
        work();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        best = std::min(best, ms);
        total += ms;
        if (run >= 2 && total > 20000) break;
    }
    return best;
}

volatile std::size_t sink;

void report(const char* what, double ms)
{
    std::printf("  %-62s %10.2f ms\n", what, ms);
    std::fflush(stdout);
}

void findSection(const std::string& doc)
{
    std::printf("find in a 10 MB document (%zu bytes)\n", doc.size());
    const std::string text = doc + "Wrivo\xD6\xD5\xB5\xE3";
    const SearchOptions exact{true, false}, anyCase{false, false}, whole{false, true};
    // The only match is at the very end: the whole text is searched.
    report("find next from the start, ASCII+Chinese term at the end",
           bestMs([&] { sink = *findWrapping(text, "Wrivo\xD6\xD5\xB5\xE3", 0, true, exact); }));
    report("  the same, any case",
           bestMs([&] { sink = *findWrapping(text, "wrivo\xD6\xD5\xB5\xE3", 0, true, anyCase); }));
    report("  the same, whole word, any case",
           bestMs([&] { sink = *findWrapping(text, "wrivo\xD6\xD5\xB5\xE3", 0, true, whole); }));
    report("find previous from the end, the match at the start", bestMs([&] {
               sink = *findWrapping("Wrivo\xD6\xD5\xB5\xE3" + doc, "Wrivo\xD6\xD5\xB5\xE3", doc.size(), false, exact);
           }));
    // A frequent Chinese character: many candidates on the way.
    report("find next of a full-width comma (every few dozen bytes), 10,000 times", bestMs([&] {
               std::size_t at = 0;
               for (int i = 0; i < 10000; ++i) at = *findWrapping(text, "\xA3\xAC", at + 1, true, exact);
               sink = at;
           }));
    report("not found: a term in no place", bestMs([&] {
               sink = findWrapping(text, "\xB2\xBB\xB4\xE6\xD4\xDA\xB5\xC4\xB4\xCA", 0, true, exact) ? 1 : 0;
           }));
}

void replaceSection(const std::string& doc)
{
    const std::string text = withWord(doc, "Wrivo", 100000);
    std::printf("replace-all of 100,000 matches in %zu bytes\n", text.size());
    Replacement result;
    report("replaceAll: the new text and the places", bestMs([&] {
               result = replaceAll(text, "Wrivo", "\xCE\xD6\xD0\xB4", {false, false});
           }));
    if (result.offsets.size() != 100000) std::printf("  (found %zu matches)\n", result.offsets.size());
    EditStep step;
    report("the undo step from the places", bestMs([&] {
               step = EditStep();
               step.places.reserve(result.offsets.size());
               for (std::size_t offset : result.offsets) {
                   step.places.push_back({offset, 5, 4}); // "Wrivo" -> two Chinese characters
                   step.removed.append(text, offset, 5);
                   step.inserted += "\xCE\xD6\xD0\xB4";
               }
           }));
    std::printf("  (the step holds %.1f MB)\n", step.bytes() / 1048576.0);
    std::string back;
    report("undo: the text before the step", bestMs([&] { back = textBeforeStep(result.text, step); }));
    report("redo: the text after the step", bestMs([&] { sink = textAfterStep(back, step).size(); }));
    if (back != text) std::printf("  MISMATCH: the undo did not give the text back\n");
}

void keystrokeSection(const char* size, const std::string& doc)
{
    std::printf("a keystroke's step in a %s document (%zu bytes)\n", size, doc.size());
    report("the count's own work per keystroke (split + measure)", bestMs([&] {
               std::size_t paragraphs = 0;
               forEachPiece(doc, "\r\n", [&](std::string_view) { ++paragraphs; });
               sink = paragraphs + nonSpaceLength(doc);
           }));
    const std::string atEnd = doc + "a";
    std::string inMiddle = doc;
    // (One character, not a string: GCC 12 warns wrongly of overlapping copies in that insert.)
    inMiddle.insert(inMiddle.begin() + static_cast<std::ptrdiff_t>(doc.size() / 2 + (doc.size() / 2) % 2), 'a');
    report("the changed stretch, a letter typed at the end", bestMs([&] { sink = changedStretch(doc, atEnd).offset; }));
    report("the changed stretch, a letter typed in the middle",
           bestMs([&] { sink = changedStretch(doc, inMiddle).offset; }));
    DocumentStatistics counted;
    counted.refresh(std::make_shared<const std::string>(doc));
    const auto typed = std::make_shared<const std::string>(atEnd);
    report("stretch + count again around a letter typed at the end", bestMs([&] {
               DocumentStatistics statistics = counted;
               const double before = statistics.characterCount();
               statistics.refresh(typed, changedStretch(doc, atEnd));
               sink = static_cast<std::size_t>(statistics.characterCount() - before);
           }));
    report("recording it in the history (stretch + step)", bestMs([&] {
               EditHistory history;
               history.recordChange(doc, inMiddle, 0);
               sink = history.stepCount();
           }));
}

} // namespace

int main()
{
    const std::string tenMb = makeDocument(10u << 20);
    keystrokeSection("1 MB", makeDocument(1u << 20));
    keystrokeSection("10 MB", tenMb);
    findSection(tenMb);
    replaceSection(tenMb);
    return 0;
}
