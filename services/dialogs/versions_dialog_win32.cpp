#include "services/dialogs/versions_dialog.h"

#include <windows.h>

#include "services/controls/control_operations.h"
#include "services/dialogs/dialog_template_win32.h"

namespace wrivo {
namespace {

struct Choosing {
    const std::vector<std::string>* versions;
    const std::vector<std::string>* shelf;
    const std::function<void(const VersionsChoice&)>* showFolder;
    HistoryList active = HistoryList::versions;
    VersionsChoice answer;
};

int listId(HistoryList list)
{
    return list == HistoryList::versions ? historyVersionsListId : historyShelfListId;
}

HistoryList other(HistoryList list)
{
    return list == HistoryList::versions ? HistoryList::shelf : HistoryList::versions;
}

int chosenIn(HWND dialog, HistoryList list)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, listId(list), LB_GETCURSEL, 0, 0));
}

// The line chosen in the list last used, else in the other one.
VersionsChoice choiceIn(HWND dialog, const Choosing& choosing)
{
    for (const HistoryList list : {choosing.active, other(choosing.active)})
        if (const int index = chosenIn(dialog, list); index >= 0) return {list, index};
    return {choosing.active, -1};
}

void fill(HWND dialog, HistoryList list, const std::vector<std::string>& lines, std::initializer_list<int> tabs)
{
    HWND box = GetDlgItem(dialog, listId(list));
    std::vector<int> stops(tabs); // dialog template units
    SendMessageA(box, LB_SETTABSTOPS, stops.size(), reinterpret_cast<LPARAM>(stops.data()));
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    for (const std::string& line : lines) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
}

void initialise(HWND dialog, Choosing& choosing)
{
    fill(dialog, HistoryList::versions, *choosing.versions, {92, 150});
    fill(dialog, HistoryList::shelf, *choosing.shelf, {92, 262});
    choosing.active =
        choosing.versions->empty() && !choosing.shelf->empty() ? HistoryList::shelf : HistoryList::versions;
    SendDlgItemMessageA(dialog, listId(choosing.active), LB_SETCURSEL, 0, 0);
}

INT_PTR CALLBACK versionsDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* choosing = reinterpret_cast<Choosing*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        choosing = reinterpret_cast<Choosing*>(lParam);
        initialise(dialog, *choosing);
        SetFocus(GetDlgItem(dialog, listId(choosing->active)));
        return FALSE; // the focus is set
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (!choosing) return FALSE;
        if (id == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        if (id == historyVersionsListId || id == historyShelfListId) {
            const HistoryList list = id == historyVersionsListId ? HistoryList::versions : HistoryList::shelf;
            if (code == LBN_SELCHANGE) {
                // One choice in the dialog: the other list lets go of its line.
                choosing->active = list;
                SendDlgItemMessageA(dialog, listId(other(list)), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            }
            if (code != LBN_DBLCLK) return TRUE;
        }
        if (id == historyFolderButtonId) {
            (*choosing->showFolder)(choiceIn(dialog, *choosing));
            return TRUE;
        }
        if (id == IDOK || id == historyVersionsListId || id == historyShelfListId) {
            choosing->answer = choiceIn(dialog, *choosing);
            if (choosing->answer.index < 0) {
                MessageBeep(MB_OK);
                return TRUE;
            }
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        return FALSE;
    }
    default: return FALSE;
    }
}

} // namespace

std::optional<VersionsChoice> chooseVersion(const UnitRef& owner, const VersionsDialogTexts& texts,
                                            const std::vector<std::string>& versions,
                                            const std::vector<std::string>& shelf,
                                            const std::function<void(const VersionsChoice&)>& showFolder)
{
    constexpr DWORD listStyle =
        WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT;
    DialogTemplate form(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 340, 262,
                        texts.title, 9, "宋体");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 8, 6, 324, 10, 0xFFFF, texts.versionsLabel);
    form.addItem(DialogTemplate::listBoxClass, listStyle, 8, 18, 324, 100, historyVersionsListId, "");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 8, 124, 324, 10, 0xFFFF, texts.shelfLabel);
    form.addItem(DialogTemplate::listBoxClass, listStyle, 8, 136, 324, 100, historyShelfListId, "");
    form.addItem(DialogTemplate::buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 150, 242, 56, 14, IDOK, texts.openLabel);
    form.addItem(DialogTemplate::buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 212, 242, 60, 14, historyFolderButtonId,
                 texts.folderLabel);
    form.addItem(DialogTemplate::buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 278, 242, 54, 14, IDCANCEL, texts.closeLabel);
    Choosing choosing{&versions, &shelf, &showFolder, HistoryList::versions, {}};
    const INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), form.get(), reinterpret_cast<HWND>(windowHandle(owner)),
                                versionsDialogProcedure, reinterpret_cast<LPARAM>(&choosing));
    if (result != IDOK) return std::nullopt;
    return choosing.answer;
}

} // namespace wrivo
