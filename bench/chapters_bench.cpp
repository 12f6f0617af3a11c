// Times the chapter list with the real host, the program's layout and the
// application's handler table, on novels of 1 MB (300 chapters) and 10 MB
// (3,000 chapters): Ctrl+J until the list is painted, with the parts counted
// afresh (a key typed just before) and from the parts already counted; and a
// keystroke at the end of the document until the caption shows the new
// counts, with the list open and with it closed in turn (nine of each, the
// median). Between keystrokes the benchmark waits past the typing pause, so
// the list's recount is never inside a measured keystroke; it times that
// recount's own work (the parts counted, the rows rewritten) apart, and what
// the open list adds to a keystroke by itself. Win32 only.
//
// Chinese text is written as its GBK bytes: benchmarks are compiled without
// the GBK execution character set.
#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/chapter_commands.h"
#include "app/document.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_routine.h"
#include "app/start_window.h"
#include "bench/bench_support.h"
#include "bench/editor_session.h"
#include "bench/sample_document.h"
#include "host/host.h"
#include "host/message_loop.h"
#include "host/property_rules.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "services/dialogs/chapter_list_window.h"
#include "services/writing/chapter_headings.h"
#include "services/writing/chapter_view.h"

namespace {

using namespace wrivo;
using bench::handleOf;
using bench::median;
using bench::nowMs;
using bench::pumpPending;
using bench::pumpUntil;
using bench::startEditor;
using bench::windowText;

// A novel of about `bytes`: the sample document's paragraphs with a chapter
// heading ("第N章 风起") put before the paragraph at every 1/chapters of it.
std::string makeNovel(std::size_t bytes, int chapters)
{
    const std::string body = bench::makeDocument(bytes);
    std::string text;
    text.reserve(bytes + static_cast<std::size_t>(chapters) * 24);
    const std::size_t stride = body.size() / static_cast<std::size_t>(chapters);
    std::size_t from = 0;
    for (int n = 1; n <= chapters; ++n) {
        text += "\xB5\xDA" + std::to_string(n) + "\xD5\xC2 \xB7\xE7\xC6\xF0\r\n";
        std::size_t to = n == chapters ? body.size() : body.find("\r\n", static_cast<std::size_t>(n) * stride);
        to = to == std::string::npos ? body.size() : std::min(body.size(), to + 2);
        text.append(body, from, to - from);
        from = to;
    }
    return text;
}

std::string caption()
{
    return windowText(handleOf(mainWindowRef));
}

// Past the typing pause and the timer's next look: the list has followed.
void settle()
{
    pumpUntil([] { return false; }, 1000);
}

void caretToEnd()
{
    const HWND edit = handleOf(editBoxRef);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    pumpPending();
}

// 'a' typed at the end until the caption changes; milliseconds.
double keystrokeMs()
{
    caretToEnd();
    const std::string before = caption();
    const double start = nowMs();
    PostMessageA(handleOf(editBoxRef), WM_CHAR, 'a', 1);
    pumpUntil([&] { return caption() != before; }, 120000);
    return nowMs() - start;
}

// Ctrl+J pressed in the edit box until the list is up and painted.
double openListMs()
{
    caretToEnd();
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    SetKeyboardState(keys);
    const double start = nowMs();
    PostMessageA(handleOf(editBoxRef), WM_KEYDOWN, 'J', 1);
    const auto list = [] { return reinterpret_cast<HWND>(chapterListWindow()); };
    pumpUntil([&] { return list() && IsWindowVisible(list()) && !GetUpdateRect(list(), nullptr, FALSE); }, 60000);
    const double ms = nowMs() - start;
    PostMessageA(GetFocus(), WM_KEYUP, 'J', 1 | (3u << 30));
    pumpPending();
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
    SetKeyboardState(keys);
    return ms;
}

void report(const char* what, const std::vector<double>& values)
{
    std::printf("  %-60s median %9.2f ms  (n=%d, min %.2f, max %.2f)\n", what, median(values),
                static_cast<int>(values.size()), *std::min_element(values.begin(), values.end()),
                *std::max_element(values.begin(), values.end()));
    std::fflush(stdout);
}

template <typename Measure>
std::vector<double> times(int count, Measure measure)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i) values.push_back(measure());
    return values;
}

void section(const char* size, const std::string& novel, int runs, int keystrokes)
{
    std::printf("a novel of %s (%zu bytes, %zu chapters)\n", size, novel.size(), chapterCount(splitChapters(novel)));
    const double load = nowMs();
    writeProperty(editBoxRef, EditBoxProperty::content, novel);
    pumpPending();
    std::printf("  (document put in the edit box in %.1f s)\n", (nowMs() - load) / 1000.0);

    report("Ctrl+J -> list painted, parts counted afresh", times(runs, [] {
               keystrokeMs(); // a new text: its parts are not counted yet
               settle();
               const double ms = openListMs();
               closeChapterList();
               pumpPending();
               return ms;
           }));
    report("Ctrl+J -> list painted, parts already counted", times(runs, [] {
               const double ms = openListMs();
               closeChapterList();
               pumpPending();
               return ms;
           }));

    // Closed and open in turn, so that the machine's other work weighs on
    // both alike.
    std::vector<double> closed, open;
    for (int i = 0; i < keystrokes; ++i) {
        closed.push_back(keystrokeMs());
        settle();
        openListMs();
        settle();
        open.push_back(keystrokeMs());
        settle();
        closeChapterList();
        pumpPending();
    }
    report("keystroke -> caption, list closed", closed);
    report("keystroke -> caption, list open", open);
    std::printf("  list open vs closed: %+.1f %%\n", 100.0 * (median(open) / median(closed) - 1.0));

    // What the list adds to a keystroke, by itself: the change noted, and
    // each message's look at the open tool window before it is dispatched.
    const auto perCall = [](auto&& work) {
        constexpr int calls = 100000;
        const double start = nowMs();
        for (int i = 0; i < calls; ++i) work();
        return 1000.0 * (nowMs() - start) / calls;
    };
    const std::unique_ptr<DocumentWatcher> follower = watchChapters();
    MSG message{handleOf(editBoxRef), WM_NULL, 0, 0, 0, {0, 0}};
    const double lookClosed = perCall([&] { MessageLoop::preTranslate(message); });
    openListMs();
    const double lookOpen = perCall([&] { MessageLoop::preTranslate(message); });
    std::printf("  a change noted: %.3f us; a message's pre-translation %.2f us with the list open, %.2f us closed\n",
                perCall([&] { follower->changed(Change{}); }), lookOpen, lookClosed);
    closeChapterList();
    settle();

    openListMs();
    const std::shared_ptr<const std::string> text = document().sharedText();
    report("the recount at the pause: parts counted", times(runs, [&] {
               const double start = nowMs();
               const std::vector<ChapterPart> parts = splitChapters(*text);
               return nowMs() - start;
           }));
    // After a keystroke at the end only the last chapter's row changes.
    const std::vector<ChapterPart> parts = splitChapters(*text);
    std::vector<std::string> lines = chapterListLines(parts);
    int run = 0;
    report("the recount at the pause: rows and summary (one row changed)", times(runs, [&] {
               lines.back() += std::to_string(run++);
               const double start = nowMs();
               showChapterLines({lines, chapterListSummary(parts), static_cast<std::int32_t>(lines.size() - 1)});
               pumpPending();
               return nowMs() - start;
           }));
    closeChapterList();
    pumpPending();
}

} // namespace

int main()
{
    startEditor(); // its recovery copies and writer's files in a folder of the run's own
    std::printf("chapters_bench: the real main window, layout and handlers\n");
    section("1 MB", makeNovel(1u << 20, 300), 5, 9);
    section("10 MB", makeNovel(10u << 20, 3000), 5, 9);
    std::fflush(stdout);
    ExitProcess(0);
}
#else
#include <cstdio>
int main()
{
    std::puts("chapters_bench: Win32 only (run the cross build's chapters_bench.exe under Wine)");
    return 0;
}
#endif
