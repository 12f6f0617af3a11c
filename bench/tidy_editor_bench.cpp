// The tidy-up end to end on a 10 MB manuscript in the real editor (host,
// layout, handlers): the text tidied, one step of the history, the edit box
// rewritten and the count strip following, beside setting the same text into
// a plain EDIT control with the editor's styles and font, in the same run.
// Win32 only; run under Wine it shows the control's own share.
//   tidy_editor_bench [megabytes]   (default 10)
#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app_globals.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_routine.h"
#include "app/start_window.h"
#include "app/statistics_handlers.h"
#include "app/units.h"
#include "app/writing_desk.h"
#include "bench/bench_support.h"
#include "bench/editor_session.h"
#include "bench/sample_document.h"
#include "host/host.h"
#include "host/message_loop.h"
#include "host/property_rules.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "services/writing/manuscript_tidy.h"

namespace {

using namespace wrivo;
using bench::handleOf;
using bench::nowMs;
using bench::pumpPending;
using bench::startEditor;

// The sample manuscript with its commas and stops typed half-width and no
// indentation: every paragraph changes.
std::string untidyManuscript(std::size_t bytes)
{
    const std::string tidy = bench::makeDocument(bytes);
    std::string out;
    for (std::size_t i = 0; i < tidy.size(); ++i) {
        if (static_cast<unsigned char>(tidy[i]) >= 0x81 && i + 1 < tidy.size()) {
            const std::string_view pair(tidy.data() + i++, 2);
            out += pair == "\xA3\xAC" ? ", " : pair == "\xA1\xA3" ? "." : std::string(pair);
        } else {
            out += tidy[i];
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10;
    const std::string text = untidyManuscript(megabytes << 20);

    startEditor();

    double start = nowMs();
    writeProperty(editBoxRef, EditBoxProperty::content, text);
    refreshParagraphRows();
    pumpPending();
    std::printf("%zu MB manuscript loaded: %.0f ms\n", megabytes, nowMs() - start);

    start = nowMs();
    const std::string tidied = tidiedText(text, TidyOptions{});
    const double transformMs = nowMs() - start;

    start = nowMs();
    const TidyCounts counts = writing::tidyDocument(TidyOptions{});
    pumpPending();
    const double tidyMs = nowMs() - start;
    if (editBox.content() != tidied) std::printf("  MISMATCH: the edit box does not hold the tidied text\n");

    // The yardstick: the same text into a plain EDIT of the same styles and font.
    RECT box;
    GetClientRect(handleOf(editBoxRef), &box);
    const LONG style = GetWindowLongA(handleOf(editBoxRef), GWL_STYLE);
    HWND frame = CreateWindowExA(0, "STATIC", "plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, box.right + 40,
                                 box.bottom + 60, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND plain = CreateWindowExA(GetWindowLongA(handleOf(editBoxRef), GWL_EXSTYLE), "EDIT", "",
                                 (style | WS_CHILD | WS_VISIBLE) & ~WS_POPUP, 0, 0, box.right, box.bottom, frame,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(plain, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(plain, WM_SETFONT, SendMessageA(handleOf(editBoxRef), WM_GETFONT, 0, 0), TRUE);
    pumpPending();
    start = nowMs();
    SetWindowTextA(plain, tidied.c_str());
    pumpPending();
    const double plainMs = nowMs() - start;

    std::printf("  the transform alone:                 %8.0f ms (%.0f MB/s)\n", transformMs,
                static_cast<double>(text.size()) / 1e3 / transformMs);
    std::printf("  tidy-up in the editor (%lld changes): %8.0f ms\n",
                static_cast<long long>(counts.indented + counts.punctuation), tidyMs);
    std::printf("  the same text into a plain EDIT:     %8.0f ms\n", plainMs);
    std::printf("  ratio:                               %8.2f\n", tidyMs / plainMs);
    DestroyWindow(frame);
    return 0;
}
#else
int main()
{
    return 0;
}
#endif
