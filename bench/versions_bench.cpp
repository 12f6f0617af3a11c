// Times the history: reading the two lists of the history dialog with 100
// versions of the file and 200 shelf files present, and what a save of a
// 64 MB file costs the user-interface thread with its version kept (the old
// bytes read and compared, then the write) against the write alone, beside
// the worker's time to keep the version. Win32 only.
#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/recovery_internal.h"
#include "app/versions.h"
#include "bench/editor_session.h"
#include "bench/sample_document.h"
#include "services/store/background_queue.h"
#include "services/store/files.h"
#include "services/store/recovery_record.h"
#include "services/store/recovery_store.h"
#include "services/store/version_files.h"

namespace {

using namespace wrivo;

double nowMs()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Step>
double medianMs(int runs, Step step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = nowMs();
        step();
        times.push_back(nowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::span<const std::uint8_t> bytesOf(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void listing(const std::string& document, const std::string& sample)
{
    for (int i = 0; i < 100; ++i)
        keepVersion(document, bytesOf(sample.substr(0, 4000 + i)), 2000 + i, {{2026, 12, 9}, 10, i / 60, i % 60});
    for (int i = 0; i < 200; ++i) {
        const std::string text = sample.substr(static_cast<std::size_t>(i) * 97, 3000);
        const DateTimeFields time{{2026, 12, 8}, 10, i / 60, i % 60};
        writeFile(shelfFolder() + "\\" + shelfNameWithCount(shelfFileName(time, text), 1500), {bytesOf(text)});
    }
    std::size_t versions = 0, shelf = 0;
    const double ms = medianMs(5, [&] {
        versions = listedVersionsOf(document).size();
        shelf = listedShelf().size();
    });
    std::printf("history dialog lists (%zu versions, %zu shelf files): %.1f ms (median of 5)\n", versions, shelf, ms);
}

void largeSave(const std::string& document)
{
    std::string text = bench::makeDocument(64u << 20);
    text.resize(largestReadableFile);
    std::vector<double> plain, withVersion, worker;
    for (int run = 0; run < 3; ++run) {
        text[run] = text[run] == 'a' ? 'b' : 'a'; // every save changes the file
        writeFile(document, {bytesOf(text)});
        text[run + 10] = text[run + 10] == 'a' ? 'b' : 'a';
        double start = nowMs();
        writeFile(document, {bytesOf(text)});
        plain.push_back(nowMs() - start);

        text[run + 20] = text[run + 20] == 'a' ? 'b' : 'a';
        start = nowMs();
        std::optional<versions::ReplacedBytes> replaced = versions::bytesBeforeSave(document, text);
        writeFile(document, {bytesOf(text)});
        if (replaced) versions::keepAfterSave(std::move(*replaced));
        withVersion.push_back(nowMs() - start);
        start = nowMs();
        wrivo::worker().waitIdle();
        worker.push_back(nowMs() - start);
    }
    for (auto* times : {&plain, &withVersion, &worker}) std::sort(times->begin(), times->end());
    std::printf("64 MB save, the write alone: %.0f ms; with the old bytes read for a version: %.0f ms; "
                "the worker then keeps the version in %.0f ms more (medians of 3)\n",
                plain[1], withVersion[1], worker[1]);
}

} // namespace

int main()
{
    const std::string local = bench::useScratchLocalData();
    const std::string sample = bench::makeDocument(64000);
    listing(local + "\\listed.txt", sample);
    largeSave(local + "\\large.txt");
    return 0;
}
#else
#include <cstdio>
int main()
{
    std::puts("history_bench: Win32 only (run the cross build's history_bench.exe under Wine)");
    return 0;
}
#endif
