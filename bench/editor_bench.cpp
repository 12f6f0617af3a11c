// Times the editor on large documents with the real host, the program's
// layout and the application's handler table: a keystroke at the end of a
// 1 MB and a 10 MB document until the caption shows the new counts, opening a
// 10 MB document (content + count strip), the edit box getting the focus back
// with 10 MB loaded, and Enter in documents of 10,000 and 100,000 paragraphs.
// A plain EDIT control with the same styles, no handlers, holding the same
// text, is timed beside it as the platform's own cost. One line without a
// break, of a few lengths, put into the edit box: the figures behind the
// longest line a file may have before opening it asks. Win32 only.
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/document.h"
#include "app/editing_commands.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/recovery_internal.h"
#include "app/start_routine.h"
#include "app/start_window.h"
#include "app/statistics_handlers.h"
#include "bench/bench_support.h"
#include "bench/editor_session.h"
#include "host/host.h"
#include "host/message_loop.h"
#include "host/property_rules.h"
#include "host/scoped_win32.h"
#include "host/window_properties.h"
#include "services/controls/control_operations.h"
#include "services/controls/edit_box_operations.h"
#include "services/controls/edit_text_win32.h"
#include "services/controls/unit_properties.h"
#include "services/store/background_queue.h"

namespace {

using namespace wrivo;
using bench::editBoxHandle;
using bench::handleOf;
using bench::mainWindowHandle;
using bench::median;
using bench::nowMs;
using bench::pumpPending;
using bench::pumpUntil;
using bench::startEditor;
using bench::windowText;

const double benchStart = nowMs();

double elapsedSeconds()
{
    return (nowMs() - benchStart) / 1000.0;
}

// ---- documents ----

struct Random {
    std::uint32_t state = 12345;
    std::uint32_t next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
};

// Chinese characters (level-one GBK codes), ASCII words and spaces, with a
// line break every 60 to 200 bytes.
std::string makeDocument(std::size_t bytes)
{
    Random random;
    std::string text;
    text.reserve(bytes + 256);
    while (text.size() < bytes) {
        const std::size_t lineEnd = text.size() + 60 + static_cast<std::size_t>(random.below(141));
        while (text.size() < lineEnd) {
            const int pick = random.below(10);
            if (pick < 6) {
                text += static_cast<char>(0xB0 + random.below(0xD7 - 0xB0 + 1));
                text += static_cast<char>(0xA1 + random.below(0xFE - 0xA1 + 1));
            } else if (pick < 9) {
                const int length = 2 + random.below(7);
                for (int i = 0; i < length; ++i) text += static_cast<char>('a' + random.below(26));
            } else {
                text += ' ';
            }
        }
        text += "\r\n";
    }
    return text;
}

// `paragraphs` short paragraphs of Chinese and ASCII.
std::string makeParagraphs(int paragraphs)
{
    Random random;
    std::string text;
    for (int p = 0; p < paragraphs; ++p) {
        const int characters = 2 + random.below(8);
        for (int i = 0; i < characters; ++i) {
            text += static_cast<char>(0xB0 + random.below(0xD7 - 0xB0 + 1));
            text += static_cast<char>(0xA1 + random.below(0xFE - 0xA1 + 1));
        }
        text += " ab";
        if (p + 1 < paragraphs) text += "\r\n";
    }
    return text;
}

// ---- the host ----

void caretToEnd(HWND edit)
{
    SendMessageA(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    pumpPending();
}

// Puts the document in the edit box the way opening a file does: the content,
// then the count strip rewritten; answers milliseconds until idle.
double loadDocument(const std::string& text)
{
    const double start = nowMs();
    writeProperty(editBoxRef, EditBoxProperty::content, text);
    refreshParagraphRows();
    pumpPending();
    return nowMs() - start;
}

// 'a' typed at the end until the caption has changed and nothing is left
// queued (the box drawn again, as the plain EDIT's keystroke is measured);
// milliseconds.
double keystrokeMs()
{
    HWND edit = editBoxHandle();
    SetFocus(edit);
    caretToEnd(edit);
    const std::string before = windowText(mainWindowHandle());
    const double start = nowMs();
    PostMessageA(edit, WM_CHAR, 'a', 1);
    const bool changed = pumpUntil([&] { return windowText(mainWindowHandle()) != before; }, 120000);
    pumpPending();
    const double ms = nowMs() - start;
    if (!changed) std::printf("  (caption did not change within 120 s)\n");
    return ms;
}

// Enter at the end: the key handler (rows rewritten) and the line break the
// edit box inserts, until nothing is left queued; milliseconds. (The caption
// need not change: an empty last paragraph adds no count.)
double enterMs()
{
    HWND edit = editBoxHandle();
    SetFocus(edit);
    caretToEnd(edit);
    const double start = nowMs();
    const LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyA(VK_RETURN, 0)) << 16);
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, down);
    pumpPending();
    const double ms = nowMs() - start;
    PostMessageA(edit, WM_KEYUP, VK_RETURN, down | (1u << 30) | (1u << 31));
    pumpPending();
    return ms;
}

// The edit box gets the focus back from the count strip; milliseconds.
double focusReturnMs()
{
    SetFocus(handleOf(listBoxRef));
    pumpPending();
    const double start = nowMs();
    SetFocus(editBoxHandle());
    pumpPending();
    return nowMs() - start;
}

// ---- the plain EDIT yardstick ----

struct PlainEdit {
    HWND frame = nullptr;
    HWND edit = nullptr;
};

PlainEdit makePlainEdit(DWORD removeStyle = 0, DWORD addStyle = 0)
{
    RECT box;
    GetClientRect(editBoxHandle(), &box);
    const LONG style = GetWindowLongA(editBoxHandle(), GWL_STYLE);
    const LONG exStyle = GetWindowLongA(editBoxHandle(), GWL_EXSTYLE);
    PlainEdit plain;
    plain.frame = CreateWindowExA(0, "STATIC", "plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, box.right + 40,
                                  box.bottom + 60, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    plain.edit =
        CreateWindowExA(exStyle, "EDIT", "", ((style | WS_CHILD | WS_VISIBLE) & ~WS_POPUP & ~removeStyle) | addStyle, 0,
                        0, box.right, box.bottom, plain.frame, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(plain.edit, EM_SETLIMITTEXT, 0, 0);
    // The same font as the editor's, so that the lines break alike.
    SendMessageA(plain.edit, WM_SETFONT, SendMessageA(editBoxHandle(), WM_GETFONT, 0, 0), TRUE);
    pumpPending();
    return plain;
}

double plainSetTextMs(HWND edit, const std::string& text)
{
    const double start = nowMs();
    SetWindowTextA(edit, text.c_str());
    pumpPending();
    return nowMs() - start;
}

double plainKeystrokeMs(HWND edit)
{
    SetFocus(edit);
    caretToEnd(edit);
    const double start = nowMs();
    PostMessageA(edit, WM_CHAR, 'a', 1);
    pumpPending();
    return nowMs() - start;
}

double getTextMs(HWND edit)
{
    const double start = nowMs();
    const std::string text = windowText(edit);
    const double ms = nowMs() - start;
    if (text.empty()) std::printf("  (empty text read)\n");
    return ms;
}

// Wine's own notepad opening the file: from its start until it waits for input.
double notepadOpenMs(const std::string& path)
{
    std::string command = "notepad.exe \"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = nowMs();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    const ScopedThread thread(process.hThread);
    const ScopedProcess owned(process.hProcess);
    WaitForInputIdle(process.hProcess, 600000);
    const double ms = nowMs() - start;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    return ms;
}

// An EDIT like the editor's with one thing changed, given the 10 MB text.
double variantSetTextMs(const char* what, DWORD removeStyle, DWORD addStyle, bool editorFont, const std::string& text)
{
    PlainEdit variant = makePlainEdit(removeStyle, addStyle);
    if (!editorFont)
        SendMessageA(variant.edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    const double ms = plainSetTextMs(variant.edit, text);
    std::printf("  (%s)\n", what);
    DestroyWindow(variant.frame);
    pumpPending();
    return ms;
}

// ---- figures ----

template <typename Measure>
std::vector<double> repeat(int times, double budgetSeconds, Measure measure)
{
    std::vector<double> values;
    const double start = elapsedSeconds();
    for (int i = 0; i < times; ++i) {
        values.push_back(measure());
        if (elapsedSeconds() - start > budgetSeconds) break;
    }
    return values;
}

void report(const char* what, const std::vector<double>& values, const char* unit = "ms", double scale = 1.0)
{
    std::printf("  %-58s median %10.2f %s  (n=%d, min %.2f, max %.2f)\n", what, median(values) / scale, unit,
                static_cast<int>(values.size()), *std::min_element(values.begin(), values.end()) / scale,
                *std::max_element(values.begin(), values.end()) / scale);
    std::fflush(stdout);
}

// Where opening's time goes: the editor's EDIT set up alike, the text put in
// four ways.
void openLab(const std::string& text)
{
    std::printf("opening 10 MB: the platform's EDIT, four ways [t=%.0f s]\n", elapsedSeconds());
    auto timed = [&](const char* what, auto&& put) {
        PlainEdit variant = makePlainEdit();
        const double start = nowMs();
        put(variant.edit);
        pumpPending();
        report(what, {nowMs() - start}, "s", 1000.0);
        DestroyWindow(variant.frame);
        pumpPending();
    };
    timed("SetWindowTextA, visible", [&](HWND edit) { SetWindowTextA(edit, text.c_str()); });
    timed("SetWindowTextA with WM_SETREDRAW off", [&](HWND edit) {
        SendMessageA(edit, WM_SETREDRAW, FALSE, 0);
        SetWindowTextA(edit, text.c_str());
        SendMessageA(edit, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(edit, nullptr, TRUE);
    });
    timed("SetWindowTextA while hidden", [&](HWND edit) {
        ShowWindow(edit, SW_HIDE);
        SetWindowTextA(edit, text.c_str());
        ShowWindow(edit, SW_SHOW);
    });
    timed("SetWindowTextW into a Unicode EDIT", [&](HWND edit) {
        HWND parent = GetParent(edit);
        RECT box;
        GetClientRect(edit, &box);
        HWND wide = CreateWindowExW(GetWindowLongW(edit, GWL_EXSTYLE), L"EDIT", L"", GetWindowLongW(edit, GWL_STYLE), 0,
                                    0, box.right, box.bottom, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(wide, EM_SETLIMITTEXT, 0, 0);
        SendMessageW(wide, WM_SETFONT, SendMessageW(edit, WM_GETFONT, 0, 0), TRUE);
        DestroyWindow(edit);
        const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring converted(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), converted.data(), length);
        SetWindowTextW(wide, converted.c_str());
    });
}

// ---- the recovery copy ----

// The process's private memory (its commit charge) now and at its peak, in
// MB. PagefileUsage is that charge, as PrivateUsage is; Wine leaves
// PrivateUsage at zero, so both figures come from the pagefile pair.
std::pair<double, double> privateMemoryMb()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return {counters.PagefileUsage / 1048576.0, counters.PeakPagefileUsage / 1048576.0};
}

// With the document loaded and just typed into: what the timer's copy costs
// the user-interface thread (the text handed to the worker), and how long the
// worker takes to compare and write it.
void recoveryCopySection(const char* size)
{
    std::printf("recovery copy of a %s document [t=%.0f s]\n", size, elapsedSeconds());
    std::vector<double> ui, worker;
    for (int i = 0; i < 3; ++i) {
        keystrokeMs(); // the text differs from the last copy
        const double start = nowMs();
        recovery::copyNow();
        ui.push_back(nowMs() - start);
        const double written = nowMs();
        wrivo::worker().waitIdle();
        worker.push_back(nowMs() - written);
    }
    report("UI thread: text handed to the worker", ui);
    report("worker: compared with the file and written", worker);
    const auto [now, peak] = privateMemoryMb();
    std::printf("  private memory: %.1f MB now, %.1f MB at the peak\n", now, peak);
}

void keystrokeSection(const char* size, const std::string& text, PlainEdit& plain, int times, bool loaded)
{
    std::printf("keystroke at the end of a %s document (%zu bytes) [t=%.0f s]\n", size, text.size(), elapsedSeconds());
    if (!loaded) {
        const double open = loadDocument(text);
        std::printf("  (document opened in %.2f s)\n", open / 1000.0);
    }
    // The first keystroke after opening finds the text's character offsets
    // and makes room for the snapshots that follow; it is reported apart.
    std::printf("  (Wrivo's first keystroke: %.2f ms)\n", keystrokeMs());
    report("Wrivo: WM_CHAR 'a' -> caption updated", repeat(times, 40, keystrokeMs));
    if (!loaded) plainSetTextMs(plain.edit, text);
    std::printf("  (the plain EDIT's first keystroke: %.2f ms)\n", plainKeystrokeMs(plain.edit));
    report("plain EDIT: WM_CHAR 'a' handled", repeat(times, 20, [&] { return plainKeystrokeMs(plain.edit); }));
    // Taken in turns, so that both see the machine alike.
    report("Wrivo's own share: Wrivo less the plain EDIT, pair by pair", repeat(times * 2, 40, [&] {
               const double wrivo = keystrokeMs();
               return wrivo - plainKeystrokeMs(plain.edit);
           }));
    report("GetWindowTextA of the document (Wrivo's edit box)",
           repeat(times, 20, [&] { return getTextMs(editBoxHandle()); }));
}

// The parts of a keystroke's cost that are the program's: reading the text
// back from the edit control and recounting it.
void keystrokeParts(const char* size)
{
    std::printf("where a keystroke's own time goes, %s [t=%.0f s]\n", size, elapsedSeconds());
    HWND edit = editBoxHandle();
    report("GetWindowTextLengthA", repeat(3, 10, [&] {
               const double start = nowMs();
               volatile int length = GetWindowTextLengthA(edit);
               (void)length;
               return nowMs() - start;
           }));
    report("GetWindowTextLengthW", repeat(3, 10, [&] {
               const double start = nowMs();
               volatile int length = GetWindowTextLengthW(edit);
               (void)length;
               return nowMs() - start;
           }));
    std::wstring wide;
    report("GetWindowTextW", repeat(3, 10, [&] {
               const double start = nowMs();
               wide.assign(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
               wide.resize(static_cast<std::size_t>(GetWindowTextW(edit, wide.data(), static_cast<int>(wide.size()))));
               return nowMs() - start;
           }));
    report("WideCharToMultiByte of that text", repeat(3, 10, [&] {
               const double start = nowMs();
               std::string text(wide.size() * 2, '\0');
               text.resize(static_cast<std::size_t>(
                   WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                       static_cast<int>(text.size()), nullptr, nullptr)));
               return nowMs() - start;
           }));
    report("Wrivo: edit box content read (readProperty)", repeat(3, 10, [&] {
               const double start = nowMs();
               const PropertyValue text = readProperty(editBoxRef, EditBoxProperty::content);
               return nowMs() - start;
           }));
    // What a keystroke reads instead of the whole text.
    report("Wrivo: the last edit as the edit box saw it (lastControlEdit)", repeat(3, 10, [&] {
               const double start = nowMs();
               volatile bool known = lastControlEdit(editBoxRef).has_value();
               (void)known;
               return nowMs() - start;
           }));
    report("Wrivo: the last character read alone (textStretch)", repeat(3, 10, [&] {
               const double start = nowMs();
               const std::int32_t length = editLength(edit);
               const std::optional<std::string> last = textStretch(editBoxRef, length - 1, length, length);
               const double ms = nowMs() - start;
               if (!last || last->empty()) std::printf("  (the stretch was not read)\n");
               return ms;
           }));
    const std::string text = std::get<std::string>(readProperty(editBoxRef, EditBoxProperty::content));
    report("Wrivo: statistics recount (split + measure)", repeat(3, 10, [&] {
               auto copy = std::make_shared<const std::string>(text);
               DocumentStatistics statistics;
               const double start = nowMs();
               statistics.refresh(std::move(copy));
               return nowMs() - start;
           }));
    report("Wrivo: caption written", repeat(3, 10, [&] {
               const double start = nowMs();
               writeProperty(mainWindowRef, WindowProperty::caption, document().statistics().caption());
               return nowMs() - start;
           }));
}

// ---- undo, find and replace ----

// The edit box's own undo request (as its context menu sends; Alt+Backspace
// runs the same handler) until the caption shows the counts again.
double undoMs()
{
    const std::string before = windowText(mainWindowHandle());
    const double start = nowMs();
    PostMessageA(editBoxHandle(), WM_UNDO, 0, 0);
    if (!pumpUntil([&] { return windowText(mainWindowHandle()) != before; }, 600000))
        std::printf("  (caption did not change within 600 s)\n");
    return nowMs() - start;
}

// Each keystroke is a step of its own (the run ends with the undo after it).
void undoSection(const char* size)
{
    std::printf("undo of typed text beside a keystroke, %s [t=%.0f s]\n", size, elapsedSeconds());
    std::vector<double> typed, undone;
    for (int i = 0; i < 5 && elapsedSeconds() < 1500; ++i) {
        typed.push_back(keystrokeMs());
        undone.push_back(undoMs());
    }
    report("Wrivo: WM_CHAR 'a' -> caption updated", typed);
    report("Wrivo: WM_UNDO of it -> caption updated", undone);
}

// F3 with the caret at the start and the one match at the end, until it is selected.
void findNextSection(const std::string& term)
{
    std::printf("find next in a 10 MB document [t=%.0f s]\n", elapsedSeconds());
    appGlobals()->lastSearch.term = term;
    HWND edit = editBoxHandle();
    SetFocus(edit);
    report("Wrivo: F3 -> the match at the end selected", repeat(5, 60, [&] {
               SendMessageA(edit, EM_SETSEL, 0, 0);
               pumpPending();
               const double start = nowMs();
               const LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyA(VK_F3, 0)) << 16);
               PostMessageA(edit, WM_KEYDOWN, VK_F3, down);
               pumpPending();
               const double ms = nowMs() - start;
               PostMessageA(edit, WM_KEYUP, VK_F3, down | (1u << 30) | (1u << 31));
               pumpPending();
               DWORD selected = 0;
               SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selected), 0);
               if (selected == 0) std::printf("  (nothing found)\n");
               return ms;
           }));
    // What the control itself takes to put the caret there and show it.
    const LRESULT end = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
    report("  of which the control's EM_SETSEL + EM_SCROLLCARET at the end", repeat(5, 60, [&] {
               SendMessageA(edit, EM_SETSEL, 0, 0);
               pumpPending();
               const double start = nowMs();
               SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
               SendMessageA(edit, EM_SCROLLCARET, 0, 0);
               pumpPending();
               return nowMs() - start;
           }));
}

// `word` at the start and at the end of each line until `count` are in.
std::string withWords(const std::string& text, const std::string& word, std::size_t count)
{
    std::string out;
    out.reserve(text.size() + count * word.size());
    std::size_t put = 0;
    auto putWord = [&] {
        if (put == count) return;
        out += word;
        ++put;
    };
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = std::min(text.find("\r\n", from), text.size());
        putWord();
        out.append(text, from, end - from);
        putWord();
        out.append(text, end, 2);
        from = end + 2;
    }
    return out;
}

// Replace-all of 100,000 matches through the editor (text, step, one content
// write, one recount, the strip), and its undo.
void replaceAllSection(const std::string& tenMb)
{
    const std::string text = withWords(tenMb, "Wrivo", 100000);
    std::printf("replace-all of 100,000 matches in a 10 MB document (%zu bytes) [t=%.0f s]\n", text.size(),
                elapsedSeconds());
    std::printf("  (document opened in %.2f s)\n", loadDocument(text) / 1000.0);
    FindRequest search;
    search.term = "Wrivo";
    search.replacement = "\xCE\xD6\xD0\xB4"; // two Chinese characters
    const double start = nowMs();
    const std::size_t count = replaceEveryMatch(search);
    pumpPending();
    report("Wrivo: replace-all, caption and strip refreshed", {nowMs() - start}, "s", 1000.0);
    std::printf("  (%zu replaced)\n", count);
    report("Wrivo: its undo (WM_UNDO) -> caption updated", {undoMs()}, "s", 1000.0);
}

// One line of `bytes` bytes, no line break: Chinese and ASCII mixed as in
// makeDocument, or ASCII letters and spaces only.
std::string makeLongLine(std::size_t bytes, bool chinese)
{
    Random random;
    std::string line;
    while (line.size() + 2 <= bytes) {
        if (chinese && random.below(10) < 6) {
            line += static_cast<char>(0xB0 + random.below(0xD7 - 0xB0 + 1));
            line += static_cast<char>(0xA1 + random.below(0xFE - 0xA1 + 1));
        } else {
            line += random.below(6) == 0 ? ' ' : static_cast<char>('a' + random.below(26));
        }
    }
    return line;
}

// The edit box's cost of a long line grows with the square of its length.
void longLineSection()
{
    for (bool chinese : {true, false}) {
        std::printf("one line without a break, %s [t=%.0f s]\n", chinese ? "Chinese and ASCII" : "ASCII only",
                    elapsedSeconds());
        for (std::size_t kb : {8, 16, 20, 24, 32, 64}) {
            loadDocument(std::string());
            char what[64];
            std::snprintf(what, sizeof what, "Wrivo: content written, one line of %zu KB", kb);
            report(what, {loadDocument(makeLongLine(kb << 10, chinese))}, "s", 1000.0);
        }
    }
    loadDocument(std::string());
}

} // namespace

// With an argument, only that part runs: "editing" (undo beside a keystroke,
// find next, replace-all and its undo), "1mb" (keystroke at 1 MB), "10mb"
// (opening 10 MB, keystroke, focus, and the EDIT with another font or without
// wrapping), "recovery" (the recovery copy and memory at 10 MB, Wrivo only), "enter", or "openlab" (the EDIT given 10 MB four ways: visible,
// drawing held back, hidden, a Unicode control), or "longline" (one line
// without a break, 8 to 64 KB).
int main(int argc, char** argv)
{
    const std::string only = argc > 1 ? argv[1] : "";
    auto wanted = [&](const char* part) { return only.empty() || only == part; };
    startEditor();
    std::printf("editor_bench: the real main window, layout and handlers\n");
    const double baselineMb = privateMemoryMb().first;
    std::printf("private memory at the empty start: %.1f MB\n", baselineMb);
    PlainEdit plain = makePlainEdit();

    const std::string oneMb = makeDocument(1u << 20);
    const std::string tenMb = makeDocument(10u << 20);

    if (wanted("1mb")) {
        keystrokeSection("1 MB", oneMb, plain, 5, false);
        keystrokeParts("1 MB");
        recoveryCopySection("1 MB");
    }

    if (only == "openlab") openLab(tenMb);

    // The recovery copy's figures alone at 10 MB: Wrivo's edit box is the only
    // control given the text, so the peak memory is the editor's own.
    if (only == "recovery") {
        std::printf("recovery copy with a 10 MB document (%zu bytes) [t=%.0f s]\n", tenMb.size(), elapsedSeconds());
        const double open = loadDocument(tenMb);
        std::printf("  (document opened in %.2f s)\n", open / 1000.0);
        report("Wrivo: WM_CHAR 'a' -> caption updated", repeat(3, 40, keystrokeMs));
        recoveryCopySection("10 MB");
        report("Wrivo: WM_CHAR 'a' -> caption updated, copy written just before", repeat(3, 40, keystrokeMs));
        std::printf("  peak private memory above the empty start: %.1f MB (the benchmark itself holds 11 MB of\n"
                    "  source text beside the editor)\n",
                    privateMemoryMb().second - baselineMb);
        // Where it goes: the count strip's rows are let go, the document's
        // snapshot of the text is its size; what stays is the edit box.
        const double loaded = privateMemoryMb().first;
        clearList(listBoxRef);
        pumpPending();
        const double withoutRows = privateMemoryMb().first;
        const double snapshot = static_cast<double>(document().text().capacity()) / (1 << 20);
        std::printf("  of that: count strip rows %.1f MB, the document's snapshot %.1f MB, the rest %.1f MB\n",
                    loaded - withoutRows, snapshot, withoutRows - snapshot - baselineMb - 11.0);
        // What the system's EDIT control alone takes for the same text: the
        // part of the figure above that is not the editor's own.
        const double beforePlain = privateMemoryMb().first;
        report("plain EDIT: SetWindowTextA", {plainSetTextMs(plain.edit, tenMb)}, "s", 1000.0);
        std::printf("  private memory a plain EDIT holding the same text adds: %.1f MB\n",
                    privateMemoryMb().first - beforePlain);
    }
    if (wanted("longline")) longLineSection();

    // Undo and find: one step of typed text beside a keystroke at 1 MB and
    // 10 MB, find next in 10 MB, replace-all of 100,000 matches and its undo.
    if (wanted("editing")) {
        loadDocument(oneMb);
        undoSection("1 MB");
        const std::string marker = "Wrivo\xD6\xD5\xB5\xE3"; // "Wrivo" and two Chinese characters
        std::printf("(opening 10 MB with a term at its end took %.2f s)\n", loadDocument(tenMb + marker) / 1000.0);
        undoSection("10 MB");
        findNextSection(marker);
        replaceAllSection(tenMb);
    }

    if (wanted("10mb")) {
        std::printf("opening a 10 MB document (%zu bytes) [t=%.0f s]\n", tenMb.size(), elapsedSeconds());
        loadDocument(std::string());
        report("Wrivo: content written + count strip rewritten", {loadDocument(tenMb)}, "s", 1000.0);
        plainSetTextMs(plain.edit, std::string());
        report("plain EDIT: SetWindowTextA", {plainSetTextMs(plain.edit, tenMb)}, "s", 1000.0);
        {
            char folder[MAX_PATH];
            GetTempPathA(MAX_PATH, folder);
            const std::string path = std::string(folder) + "wrivo-bench-10mb.txt";
            {
                const ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
                DWORD written = 0;
                WriteFile(file.get(), tenMb.data(), static_cast<DWORD>(tenMb.size()), &written, nullptr);
            }
            report("Wine notepad: started with the file until idle", {notepadOpenMs(path)}, "s", 1000.0);
            DeleteFileA(path.c_str());
        }
        if (only == "10mb") {
            report("plain EDIT, default GUI font: SetWindowTextA",
                   {variantSetTextMs("wrapping, default GUI font", 0, 0, false, tenMb)}, "s", 1000.0);
            report("plain EDIT, no wrapping: SetWindowTextA",
                   {variantSetTextMs("editor font, horizontal scrolling", 0, ES_AUTOHSCROLL | WS_HSCROLL, true, tenMb)},
                   "s", 1000.0);
        }

        keystrokeSection("10 MB", tenMb, plain, 5, true); // both opened just before
        keystrokeParts("10 MB");
        recoveryCopySection("10 MB");
        std::printf("  peak private memory above the empty start: %.1f MB (the benchmark itself holds 11 MB of\n"
                    "  source text and a plain EDIT with 10 MB beside the editor)\n",
                    privateMemoryMb().second - baselineMb);

        std::printf("focus back to the edit box with 10 MB loaded [t=%.0f s]\n", elapsedSeconds());
        report("Wrivo: SetFocus(edit box), applySettings runs", repeat(7, 20, focusReturnMs));
        plainSetTextMs(plain.edit, std::string());
    }

    for (int paragraphs : {10000, 100000}) {
        if (!wanted("enter")) break;
        std::printf("Enter in a document of %d paragraphs [t=%.0f s]\n", paragraphs, elapsedSeconds());
        const std::string text = makeParagraphs(paragraphs);
        clearList(listBoxRef); // no rows left over from the longer document before
        const double open = loadDocument(text);
        std::printf("  (document opened, %d rows written, in %.2f s)\n", document().statistics().paragraphCount(),
                    open / 1000.0);
        const int times = elapsedSeconds() > 150 ? 1 : (paragraphs > 10000 ? 1 : 5);
        report("Wrivo: Enter -> rows rewritten, line break in, idle", repeat(times, 30, enterMs));
        report("  of which refreshParagraphRows alone", repeat(3, 10, [] {
                   const double start = nowMs();
                   refreshParagraphRows();
                   pumpPending();
                   return nowMs() - start;
               }));
    }
    std::printf("editor_bench: done in %.0f s\n", elapsedSeconds());
    std::fflush(stdout);
    DestroyWindow(plain.frame);
    // The host's own clean-up is not what is measured here.
    ExitProcess(0);
}
#else
#include <cstdio>
int main()
{
    std::puts("editor_bench: Win32 only (run the cross build's editor_bench.exe under Wine)");
    return 0;
}
#endif
