#include "services/dialogs/chapter_list_window.h"
#include "services/dialogs/tool_window_win32.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "host/message_loop.h"
#include "host/scoped_win32.h"
#include "services/controls/control_operations.h"
#include "services/dialogs/dialog_template_win32.h"

namespace wrivo {
namespace {

constexpr WORD listId = 100;
constexpr WORD summaryId = 101;
constexpr int margin = 4;         // pixels around the controls
constexpr int smallestSide = 160; // pixels: the least the user can shrink it to

struct OpenList {
    HWND dialog = nullptr;
    ChapterLineListener listener = nullptr;
    std::vector<std::string> lines; // as the list shows them
    bool ownerHidden = false;       // the owner is hidden now (the Esc hide)
    bool hiddenWithOwner = false;   // the open list is hidden for that
    std::optional<RECT> lastPlace;  // where the user left the last one (screen)
};

OpenList& openList()
{
    static OpenList state;
    return state;
}

HWND list()
{
    return GetDlgItem(openList().dialog, listId);
}

int summaryHeight(HWND dialog)
{
    const HWND summary = GetDlgItem(dialog, summaryId);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(summary, WM_GETFONT, 0, 0));
    const ScopedGetDC dc(summary);
    const ScopedSelection selected(dc.get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    return metrics.tmHeight + 2;
}

// The list fills the window above the summary line.
void layOut(HWND dialog, int width, int height)
{
    const int line = summaryHeight(dialog);
    const int listHeight = std::max(0, height - line - 3 * margin);
    MoveWindow(GetDlgItem(dialog, listId), margin, margin, std::max(0, width - 2 * margin), listHeight, TRUE);
    MoveWindow(GetDlgItem(dialog, summaryId), margin, margin * 2 + listHeight, std::max(0, width - 2 * margin), line,
               TRUE);
}

// Beside the owner, inside the screen's work area; the height of the owner.
RECT firstPlace(HWND dialog, HWND owner)
{
    RECT size{}, ownerRect{}, work{};
    GetWindowRect(dialog, &size);
    GetWindowRect(owner, &ownerRect);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const LONG width = size.right - size.left;
    const LONG height = std::max<LONG>(ownerRect.bottom - ownerRect.top, smallestSide);
    LONG left = ownerRect.right;
    if (left + width > work.right) left = std::max(work.left, work.right - width);
    const LONG top = std::clamp(ownerRect.top, work.top, std::max(work.top, work.bottom - height));
    return {left, top, left + width, top + height};
}

void rememberPlace()
{
    RECT place{};
    if (openList().dialog && !IsIconic(openList().dialog) && GetWindowRect(openList().dialog, &place))
        openList().lastPlace = place;
}

// The window has gone (or is going): the loop no longer needs its keys.
void forget()
{
    OpenList& state = openList();
    if (state.dialog) MessageLoop::removeModelessDialog(state.dialog);
    state.dialog = nullptr;
    state.lines.clear();
    state.hiddenWithOwner = false;
}

void destroy()
{
    const HWND dialog = openList().dialog;
    if (!dialog) return;
    rememberPlace();
    destroyToolWindow(dialog, forget);
}

void chooseCurrent()
{
    const auto row = static_cast<std::int32_t>(SendMessageA(list(), LB_GETCURSEL, 0, 0));
    if (row >= 0 && openList().listener) openList().listener(row);
}

// Enter in the list comes as IDOK (the dialog has no default button), Esc
// and the close box as IDCANCEL.
void onCommand(WORD id, WORD code)
{
    if (id == IDOK || (id == listId && code == LBN_DBLCLK)) chooseCurrent();
    if (id == IDCANCEL) destroy();
}

INT_PTR CALLBACK listProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_SIZE: layOut(dialog, LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {smallestSide, smallestSide};
        return TRUE;
    case WM_COMMAND: onCommand(LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_CLOSE: destroy(); return TRUE;
    case WM_NCDESTROY:
        // Its owner closed, taking it along.
        if (openList().dialog == dialog) forget();
        return FALSE;
    default: return FALSE;
    }
}

HWND create(HWND owner, std::string_view title)
{
    // WS_THICKFRAME: resizable; WS_EX_TOOLWINDOW: a small caption and no
    // button of its own on the taskbar. Not visible until filled.
    DialogTemplate form(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN | DS_SETFONT,
                        WS_EX_TOOLWINDOW, 150, 240, title, 9, "宋体");
    form.addItem(DialogTemplate::listBoxClass, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                 0, 0, 150, 220, listId, "");
    form.addItem(DialogTemplate::staticClass, SS_LEFT | SS_NOPREFIX, 0, 225, 150, 10, summaryId, "");
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), form.get(), owner, listProcedure, 0);
}

void rewriteAll(HWND box, const std::vector<std::string>& lines)
{
    std::size_t bytes = 0;
    for (const std::string& line : lines) bytes += line.size() + 1;
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    SendMessageA(box, LB_INITSTORAGE, lines.size(), static_cast<LPARAM>(bytes));
    for (const std::string& line : lines) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void rewriteChanged(HWND box, const std::vector<std::string>& before, const std::vector<std::string>& lines)
{
    for (std::size_t row = 0; row < lines.size(); ++row) {
        if (before[row] == lines[row]) continue;
        SendMessageA(box, LB_DELETESTRING, row, 0);
        SendMessageA(box, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(lines[row].c_str()));
    }
}

// Drawing is held back while the rows change (thousands of rows would each
// repaint otherwise), then the list is painted once.
void fill(const ChapterListContent& content)
{
    OpenList& state = openList();
    const HWND box = list();
    const auto top = SendMessageA(box, LB_GETTOPINDEX, 0, 0);
    const bool sameRows = state.lines.size() == content.lines.size();
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    if (sameRows)
        rewriteChanged(box, state.lines, content.lines);
    else
        rewriteAll(box, content.lines);
    state.lines = content.lines;
    if (sameRows) SendMessageA(box, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(content.chosen), 0);
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
    SetDlgItemTextA(state.dialog, summaryId, content.summary.c_str());
}

} // namespace

void openChapterList(const UnitRef& ownerRef, std::string_view title, const ChapterListContent& content,
                     ChapterLineListener listener)
{
    OpenList& state = openList();
    state.listener = listener;
    if (!state.dialog) {
        const auto owner = reinterpret_cast<HWND>(windowHandle(ownerRef));
        const HWND dialog = create(owner, title);
        if (!dialog) return;
        state.dialog = dialog;
        const RECT place = state.lastPlace ? *state.lastPlace : firstPlace(dialog, owner);
        MoveWindow(dialog, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
        MessageLoop::addModelessDialog(dialog, owner);
    }
    fill(content);
    if (showUnlessOwnerHidden(state, list())) UpdateWindow(state.dialog);
}

bool chapterListOpen()
{
    return openList().dialog != nullptr;
}

void closeChapterList()
{
    destroy();
}

void showChapterLines(const ChapterListContent& content)
{
    if (openList().dialog) fill(content);
}

void chooseChapterLine(std::int32_t line)
{
    if (openList().dialog && chosenChapterLine() != line)
        SendMessageA(list(), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
}

std::int32_t chosenChapterLine()
{
    if (!openList().dialog) return -1;
    return static_cast<std::int32_t>(SendMessageA(list(), LB_GETCURSEL, 0, 0));
}

void setChapterListVisible(bool visible)
{
    followOwnerVisibility(openList(), visible);
}

std::uintptr_t chapterListWindow()
{
    return reinterpret_cast<std::uintptr_t>(openList().dialog);
}

} // namespace wrivo
