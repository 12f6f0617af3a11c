#include "services/dialogs/folder_dialog.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include "services/controls/control_operations.h"
#include "services/dialogs/dialog_template_win32.h"

namespace wrivo {
namespace {

constexpr WORD pathField = 100;
constexpr WORD browseButton = 101;

struct Asking {
    std::string folder;
    bool emptyMeansNone = false;
};

std::string fieldText(HWND dialog)
{
    char text[MAX_PATH] = {};
    GetDlgItemTextA(dialog, pathField, text, sizeof text);
    return text;
}

// The browser starts at the folder in the field.
int CALLBACK browseCallback(HWND browser, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

void browse(HWND dialog)
{
    // SHBrowseForFolder wants COM initialised, apartment-threaded, on its thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::string start = fieldText(dialog);
    char chosen[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = dialog;
    info.pszDisplayName = chosen;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = browseCallback;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    if (PIDLIST_ABSOLUTE folder = SHBrowseForFolderA(&info)) {
        if (SHGetPathFromIDListA(folder, chosen)) SetDlgItemTextA(dialog, pathField, chosen);
        CoTaskMemFree(folder);
    }
    if (SUCCEEDED(com)) CoUninitialize();
}

INT_PTR CALLBACK folderProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* asking = reinterpret_cast<Asking*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetDlgItemTextA(dialog, pathField, reinterpret_cast<Asking*>(lParam)->folder.c_str());
        return TRUE; // the focus goes to the first tab stop, the field
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        case browseButton: browse(dialog); return TRUE;
        case IDOK: {
            const std::string folder = fieldText(dialog);
            const DWORD attributes = GetFileAttributesA(folder.c_str());
            const bool isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
            if (folder.empty() ? asking->emptyMeansNone : isFolder) {
                asking->folder = folder;
                EndDialog(dialog, IDOK);
            } else {
                MessageBeep(MB_OK);
                const HWND field = GetDlgItem(dialog, pathField);
                SendMessageA(field, EM_SETSEL, 0, -1);
                SetFocus(field);
            }
            return TRUE;
        }
        default: return FALSE;
        }
    default: return FALSE;
    }
}

} // namespace

std::optional<std::string> askFolder(const UnitRef& owner, std::string_view title, std::string_view offered,
                                     bool emptyMeansNone)
{
    DialogTemplate form(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 240, 62, title,
                        9, "宋体");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 8, 8, 224, 10, 0xFFFF, "文件夹：");
    form.addItem(DialogTemplate::editClass, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 20, 176, 13, pathField, "");
    form.addItem(DialogTemplate::buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 188, 19, 44, 15, browseButton, "浏览…");
    form.addItem(DialogTemplate::buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 126, 40, 50, 15, IDOK, "确定");
    form.addItem(DialogTemplate::buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 182, 40, 50, 15, IDCANCEL, "取消");
    Asking asking{std::string(offered), emptyMeansNone};
    const INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), form.get(), reinterpret_cast<HWND>(windowHandle(owner)),
                                folderProcedure, reinterpret_cast<LPARAM>(&asking));
    if (result != IDOK) return std::nullopt;
    return asking.folder;
}

} // namespace wrivo
