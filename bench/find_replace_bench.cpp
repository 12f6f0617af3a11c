// Times F3 to a match at the end of 10 MB, and Replace All with few matches
// and its undo and redo, through the real editor (host, layout, handlers)
// beside the platform's own cost: the control's own select-and-scroll; the
// same replacements made in place in a plain EDIT control with the same
// styles, and the whole text set into it. Then the in-place cost per
// replacement against setting the whole text, at 1 MB and 10 MB: the figures
// behind the number of places up to which the editor replaces in place.
// Win32 only.
#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/document.h"
#include "app/editing_commands.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_routine.h"
#include "app/start_window.h"
#include "app/statistics_handlers.h"
#include "bench/bench_support.h"
#include "bench/editor_session.h"
#include "bench/sample_document.h"
#include "host/host.h"
#include "host/message_loop.h"
#include "host/property_rules.h"
#include "host/window_properties.h"
#include "services/controls/control_operations.h"
#include "services/controls/edit_selection.h"
#include "services/controls/edit_text_win32.h"
#include "services/controls/unit_properties.h"

namespace {

using namespace wrivo;
using bench::editBoxHandle;
using bench::median;
using bench::nowMs;
using bench::pumpPending;
using bench::startEditor;

const char* const term = "Wrivo";
const char* const replacement = "\xCE\xD6\xD0\xB4"; // two Chinese characters

// The document with the term at the start of `count` paragraphs spread
// evenly through it.
std::string withTerms(const std::string& doc, std::size_t count)
{
    std::vector<std::size_t> starts{0};
    for (std::size_t at = doc.find("\r\n"); at != std::string::npos; at = doc.find("\r\n", at + 2))
        if (at + 2 < doc.size()) starts.push_back(at + 2);
    std::string text;
    std::size_t from = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t at = starts[k * starts.size() / count];
        text.append(doc, from, at - from);
        text += term;
        from = at;
    }
    text.append(doc, from);
    return text;
}

struct PlainEdit {
    HWND frame = nullptr;
    HWND edit = nullptr;
    ~PlainEdit() { DestroyWindow(frame); }
};

// An EDIT like the editor's (styles and font), in a window of its own.
void makePlainEdit(PlainEdit& plain)
{
    RECT box;
    GetClientRect(editBoxHandle(), &box);
    const LONG style = GetWindowLongA(editBoxHandle(), GWL_STYLE);
    plain.frame = CreateWindowExA(0, "STATIC", "plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, box.right + 40,
                                  box.bottom + 60, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    plain.edit = CreateWindowExA(GetWindowLongA(editBoxHandle(), GWL_EXSTYLE), "EDIT", "",
                                 ((style | WS_CHILD | WS_VISIBLE) & ~WS_POPUP), 0, 0, box.right, box.bottom,
                                 plain.frame, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(plain.edit, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(plain.edit, WM_SETFONT, SendMessageA(editBoxHandle(), WM_GETFONT, 0, 0), TRUE);
    pumpPending();
}

double plainSetTextMs(HWND edit, const std::string& text)
{
    const double start = nowMs();
    SetWindowTextA(edit, text.c_str());
    pumpPending();
    return nowMs() - start;
}

// Every term in the plain EDIT replaced in place, from the last to the first,
// drawing held; the control's offsets (characters under Wine) found beforehand.
double plainInPlaceMs(HWND edit, const std::string& text, bool hidden = false)
{
    const bool characters = editControlCountsCharacters();
    std::vector<std::pair<DWORD, DWORD>> places;
    for (std::size_t at = text.find(term); at != std::string::npos; at = text.find(term, at + 5)) {
        const auto start = static_cast<std::int32_t>(at);
        places.emplace_back(characters ? charactersInBytes(text, start) : start,
                            characters ? charactersInBytes(text, start + 5) : start + 5);
    }
    const double start = nowMs();
    SendMessageA(edit, WM_SETREDRAW, FALSE, 0);
    if (hidden) ShowWindow(edit, SW_HIDE);
    for (auto place = places.rbegin(); place != places.rend(); ++place) {
        SendMessageA(edit, EM_SETSEL, place->first, place->second);
        SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(replacement));
    }
    if (hidden) ShowWindow(edit, SW_SHOW);
    SendMessageA(edit, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(edit, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    pumpPending();
    return nowMs() - start;
}

std::string captionText()
{
    char caption[512] = {};
    GetWindowTextA(reinterpret_cast<HWND>(windowHandle(mainWindowRef)), caption, sizeof caption);
    return caption;
}

// Undo or redo (the edit box's WM_UNDO, the redo command) until idle.
double historyMs(bool undo)
{
    const std::string before = captionText();
    const double start = nowMs();
    if (undo)
        SendMessageA(editBoxHandle(), WM_UNDO, 0, 0);
    else
        document().redo();
    pumpPending();
    if (captionText() == before) std::printf("  (the caption did not change)\n");
    return nowMs() - start;
}

void report(const char* what, double ms)
{
    std::printf("  %-64s %10.1f ms\n", what, ms);
    std::fflush(stdout);
}

// F3 with the caret at the start and the one match at the end, until it is
// selected, and the control's own EM_SETSEL + EM_SCROLLCARET to the same
// place, one after the other nine times: the medians of both and of the
// difference of each pair (Wrivo's own share), which the machine's noise
// touches less than the difference of the medians.
void findNext(const std::string& tenMb)
{
    const std::string marker = "Wrivo\xD6\xD5\xB5\xE3"; // "Wrivo" and two Chinese characters
    std::printf("find next in a 10 MB document (%zu bytes)\n", tenMb.size() + marker.size());
    writeProperty(editBoxRef, EditBoxProperty::content, tenMb + marker);
    pumpPending();
    appGlobals()->lastSearch.term = marker;
    HWND edit = editBoxHandle();
    SetFocus(edit);
    auto timed = [&](auto&& act) {
        SendMessageA(edit, EM_SETSEL, 0, 0);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        pumpPending();
        const double start = nowMs();
        act();
        pumpPending();
        return nowMs() - start;
    };
    const LRESULT end = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
    std::vector<double> f3, control, share;
    for (int i = 0; i < 9; ++i) {
        f3.push_back(timed([&] {
            const LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyA(VK_F3, 0)) << 16);
            PostMessageA(edit, WM_KEYDOWN, VK_F3, down);
            pumpPending();
            PostMessageA(edit, WM_KEYUP, VK_F3, down | (1u << 30) | (1u << 31));
        }));
        DWORD selected = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selected), 0);
        if (selected == 0) std::printf("  (nothing found)\n");
        control.push_back(timed([&] {
            SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
            SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        }));
        if (i > 0) share.push_back(f3.back() - control.back()); // the first F3 finds the offsets of the new text
    }
    report("Wrivo: F3 -> the match at the end selected (median of 9)", median(f3));
    report("the control's EM_SETSEL + EM_SCROLLCARET at the end (median of 9)", median(control));
    report("Wrivo's own share: F3 less the control, pair by pair (median of 8)", median(share));
}

// Replace All of `count` terms through the editor, its undo and redo; the same
// text set whole into the edit box; the plain EDIT's in-place and whole-text cost.
void fewMatches(const char* size, const std::string& doc, std::size_t count, PlainEdit& plain)
{
    const std::string text = withTerms(doc, count);
    std::printf("replace-all of %zu matches in a %s document (%zu bytes)\n", count, size, text.size());
    writeProperty(editBoxRef, EditBoxProperty::content, text);
    refreshParagraphRows();
    pumpPending();
    FindRequest search;
    search.term = term;
    search.replacement = replacement;
    double start = nowMs();
    const std::size_t replaced = replaceEveryMatch(search);
    pumpPending();
    report("Wrivo: replace-all, caption and strip refreshed", nowMs() - start);
    if (replaced != count) std::printf("  (%zu replaced)\n", replaced);
    const std::string after = document().text();
    report("Wrivo: its undo (WM_UNDO)", historyMs(true));
    if (document().text() != text) std::printf("  MISMATCH: the undo did not give the text back\n");
    report("Wrivo: its redo", historyMs(false));
    if (document().text() != after) std::printf("  MISMATCH: the redo did not give the replaced text\n");
    start = nowMs();
    writeProperty(editBoxRef, EditBoxProperty::content, text);
    pumpPending();
    report("Wrivo: the whole text set (the content property)", nowMs() - start);
    plainSetTextMs(plain.edit, text);
    report("plain EDIT: the same replacements in place", plainInPlaceMs(plain.edit, text));
    plainSetTextMs(plain.edit, text);
    report("plain EDIT: the same, the control hidden meanwhile", plainInPlaceMs(plain.edit, text, true));
    report("plain EDIT: SetWindowTextA of the text", plainSetTextMs(plain.edit, text));
    plainSetTextMs(plain.edit, std::string());
}

} // namespace

// With an argument, only that part runs: "find", "1mb" or "10mb" (Replace
// All in a document of that size).
int main(int argc, char** argv)
{
    const std::string only = argc > 1 ? argv[1] : "";
    startEditor();
    std::printf("find_replace_bench: the real main window, layout and handlers\n");
    PlainEdit plain;
    makePlainEdit(plain);
    if (only.empty() || only == "find") findNext(bench::makeDocument(10u << 20));
    if (only.empty() || only == "1mb") {
        const std::string oneMb = bench::makeDocument(1u << 20);
        for (std::size_t count : {10, 100}) fewMatches("1 MB", oneMb, count, plain);
    }
    if (only.empty() || only == "10mb") {
        const std::string tenMb = bench::makeDocument(10u << 20);
        for (std::size_t count : {10, 100}) fewMatches("10 MB", tenMb, count, plain);
    }
    std::fflush(stdout);
    ExitProcess(0); // the host's own clean-up is not what is measured here
}
#else
#include <cstdio>
int main()
{
    std::puts("find_replace_bench: Win32 only (run the cross build's find_replace_bench.exe under Wine)");
    return 0;
}
#endif
