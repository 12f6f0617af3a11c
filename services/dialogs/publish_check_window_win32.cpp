#include "services/dialogs/publish_check_window.h"
#include "services/dialogs/tool_window_win32.h"

#include <windows.h>

#include <algorithm>

#include "host/message_loop.h"
#include "services/controls/control_operations.h"
#include "services/dialogs/dialog_template_win32.h"

namespace wrivo {
namespace {

constexpr WORD listId = 100;
constexpr WORD summaryId = 101;
constexpr WORD ignoreId = 102;
constexpr int margin = 4;         // pixels around the controls
constexpr int smallestSide = 160; // pixels
constexpr int buttonWidth = 64;   // pixels
constexpr int barHeight = 24;     // pixels: the summary line and the button

struct OpenFindings {
    HWND dialog = nullptr;
    FindingsListeners listeners;
    bool ownerHidden = false;
    bool hiddenWithOwner = false;
};

OpenFindings& openFindingsState()
{
    static OpenFindings state;
    return state;
}

HWND list()
{
    return GetDlgItem(openFindingsState().dialog, listId);
}

void layOut(HWND dialog, int width, int height)
{
    const int listHeight = std::max(0, height - barHeight - 3 * margin);
    const int barTop = 2 * margin + listHeight;
    MoveWindow(GetDlgItem(dialog, listId), margin, margin, std::max(0, width - 2 * margin), listHeight, TRUE);
    MoveWindow(GetDlgItem(dialog, summaryId), margin, barTop + 4, std::max(0, width - 3 * margin - buttonWidth),
               barHeight - 4, TRUE);
    MoveWindow(GetDlgItem(dialog, ignoreId), std::max(0, width - margin - buttonWidth), barTop, buttonWidth, barHeight,
               TRUE);
}

void forget()
{
    OpenFindings& state = openFindingsState();
    if (state.dialog) MessageLoop::removeModelessDialog(state.dialog);
    state.dialog = nullptr;
    state.hiddenWithOwner = false;
}

void destroy()
{
    const HWND dialog = openFindingsState().dialog;
    if (dialog) destroyToolWindow(dialog, forget);
}

void tellRow(void (*listener)(std::int32_t))
{
    const auto row = static_cast<std::int32_t>(SendMessageA(list(), LB_GETCURSEL, 0, 0));
    if (row >= 0 && listener) listener(row);
}

// Enter in the list comes as IDOK (there is no default button), Esc and the
// close box as IDCANCEL.
void onCommand(WORD id, WORD code)
{
    if (id == IDOK || (id == listId && code == LBN_DBLCLK)) tellRow(openFindingsState().listeners.chosen);
    if (id == ignoreId && code == BN_CLICKED) tellRow(openFindingsState().listeners.ignored);
    if (id == IDCANCEL) destroy();
}

INT_PTR CALLBACK findingsProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
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
        if (openFindingsState().dialog == dialog) forget(); // its owner closed, taking it along
        return FALSE;
    default: return FALSE;
    }
}

HWND create(HWND owner, std::string_view title)
{
    DialogTemplate form(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN | DS_SETFONT,
                        WS_EX_TOOLWINDOW, 260, 200, title, 9, "宋体");
    form.addItem(DialogTemplate::listBoxClass,
                 LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP, 0, 0, 260, 170,
                 listId, "");
    form.addItem(DialogTemplate::staticClass, SS_LEFT | SS_NOPREFIX, 0, 180, 200, 10, summaryId, "");
    form.addItem(DialogTemplate::buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 210, 178, 45, 14, ignoreId, "忽略");
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), form.get(), owner, findingsProcedure, 0);
}

// Drawing is held back while the rows change, then the list is painted once.
void fill(const FindingsContent& content)
{
    const HWND box = list();
    const auto chosen = SendMessageA(box, LB_GETCURSEL, 0, 0);
    const auto top = SendMessageA(box, LB_GETTOPINDEX, 0, 0);
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    for (const std::string& row : content.rows)
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    SendMessageA(box, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    if (chosen >= 0 && !content.rows.empty())
        SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(std::min<LRESULT>(chosen, content.rows.size() - 1)), 0);
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
    SetDlgItemTextA(openFindingsState().dialog, summaryId, content.summary.c_str());
}

} // namespace

void openFindings(const UnitRef& ownerRef, std::string_view title, const FindingsContent& content,
                  FindingsListeners listeners)
{
    OpenFindings& state = openFindingsState();
    state.listeners = listeners;
    if (!state.dialog) {
        const auto owner = reinterpret_cast<HWND>(windowHandle(ownerRef));
        state.dialog = create(owner, title);
        if (!state.dialog) return;
        MessageLoop::addModelessDialog(state.dialog, owner);
        RECT ownerRect{};
        GetWindowRect(owner, &ownerRect);
        SetWindowPos(state.dialog, nullptr, ownerRect.left + 40, ownerRect.top + 40, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fill(content);
    showUnlessOwnerHidden(state, list());
}

bool findingsOpen()
{
    return openFindingsState().dialog != nullptr;
}

void closeFindings()
{
    destroy();
}

void showFindings(const FindingsContent& content)
{
    if (openFindingsState().dialog) fill(content);
}

std::int32_t chosenFinding()
{
    if (!openFindingsState().dialog) return -1;
    return static_cast<std::int32_t>(SendMessageA(list(), LB_GETCURSEL, 0, 0));
}

void setFindingsVisible(bool visible)
{
    followOwnerVisibility(openFindingsState(), visible);
}

std::uintptr_t findingsWindow()
{
    return reinterpret_cast<std::uintptr_t>(openFindingsState().dialog);
}

} // namespace wrivo
