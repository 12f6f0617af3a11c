#include "services/controls/common_dialog_win32.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstring>

#include "host/unit_kind.h" // screenPixelsPerInch

namespace wrivo {

namespace {

const char* orNull(const std::string& text)
{
    return text.empty() ? nullptr : text.c_str();
}

// The file name field: the "File name" combo box (cmb13) of Explorer-style
// dialogs, or the edit box (edt1) where that is absent.
constexpr int fileNameCombo = 0x047C;
constexpr int fileNameEdit = 0x0480;

// Limits the name field to what a full path of MAX_PATH can still hold in the
// folder shown. A longer name (even typed, then Enter) is more than the
// dialog's own path buffers take: Wine's dialog then fails inside its own
// clean-up and takes the program with it. The folder is counted in bytes,
// which is never fewer than its characters.
void limitFileNameField(HWND fileDialog)
{
    char folder[MAX_PATH * 2] = {};
    const LRESULT length = SendMessageA(fileDialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    // The answer counts the terminating zero (or is the size needed when the
    // buffer is short); the copy is measured too, whichever is longer.
    int folderLength = length > 1 ? static_cast<int>(length - 1) : 0;
    const int copied = static_cast<int>(strnlen(folder, sizeof folder));
    if (copied > folderLength) folderLength = copied;
    // Room for the separator and the terminating zero; never 0, which would mean no limit.
    const int room = MAX_PATH - 2 - folderLength;
    const WPARAM limit = static_cast<WPARAM>(room < 1 ? 1 : room);
    if (HWND combo = GetDlgItem(fileDialog, fileNameCombo)) {
        char kind[16] = {};
        GetClassNameA(combo, kind, sizeof kind);
        // An extended combo box keeps its edit box one level further down.
        if (lstrcmpiA(kind, "ComboBoxEx32") == 0) {
            if (HWND edit = reinterpret_cast<HWND>(SendMessageA(combo, CBEM_GETEDITCONTROL, 0, 0)))
                SendMessageA(edit, EM_LIMITTEXT, limit, 0);
        } else {
            SendMessageA(combo, CB_LIMITTEXT, limit, 0);
        }
    }
    if (HWND edit = GetDlgItem(fileDialog, fileNameEdit)) SendMessageA(edit, EM_LIMITTEXT, limit, 0);
}

// Explorer-style hook (OFNHookProc): it runs for the dialog's child dialog,
// whose parent is the file dialog itself. It limits the name field once the
// dialog is laid out and again whenever the folder changes.
UINT_PTR CALLBACK fileDialogHook(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        const auto* notice = reinterpret_cast<const OFNOTIFYA*>(lParam);
        if (notice->hdr.code == CDN_INITDONE || notice->hdr.code == CDN_FOLDERCHANGE)
            limitFileNameField(GetParent(child));
    }
    return 0; // the dialog's own handling goes on
}

bool runFileDialog(CommonDialog& dialog, HWND owner)
{
    const std::string filter = platformFilter(dialog.filter);
    char name[fileNameBufferSize] = {};
    const std::string initial = fittedFileName(dialog.fileName);
    std::memcpy(name, initial.data(), initial.size());

    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    request.nFilterIndex = filter.empty() ? 0 : static_cast<DWORD>(dialog.filterIndex) + 1;
    request.lpstrFile = name;
    request.nMaxFile = sizeof name;
    request.lpstrInitialDir = orNull(dialog.initialFolder);
    request.lpstrTitle = orNull(dialog.title);
    request.lpstrDefExt = orNull(dialog.defaultExtension);
    request.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    request.lpfnHook = fileDialogHook;
    if (dialog.createPrompt) request.Flags |= OFN_CREATEPROMPT;
    if (dialog.fileMustExist) request.Flags |= OFN_FILEMUSTEXIST;
    if (dialog.overwritePrompt) request.Flags |= OFN_OVERWRITEPROMPT;
    if (dialog.pathMustExist) request.Flags |= OFN_PATHMUSTEXIST;
    if (dialog.keepCurrentFolder) request.Flags |= OFN_NOCHANGEDIR;

    const BOOL confirmed =
        dialog.kind == CommonDialog::saveFile ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
    if (!confirmed) return false;
    dialog.fileName.assign(name, strnlen(name, sizeof name));
    return true;
}

bool runFontDialog(CommonDialog& dialog, HWND owner)
{
    const int pixelsPerInch = screenPixelsPerInch();
    LOGFONTA font{};
    font.lfWeight = dialog.fontBold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = dialog.fontItalic;
    font.lfUnderline = dialog.fontUnderline;
    font.lfStrikeOut = dialog.fontStrikeOut;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font.lfFaceName, dialog.fontName.c_str(), LF_FACESIZE - 1);
    font.lfHeight = fontHeightForSize(dialog.fontSize, pixelsPerInch);

    CHOOSEFONTA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpLogFont = &font;
    request.rgbColors = dialog.fontColour;
    request.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&request)) return false;

    dialog.fontColour = request.rgbColors;
    dialog.fontBold = font.lfWeight >= FW_BOLD;
    dialog.fontItalic = font.lfItalic != 0;
    dialog.fontUnderline = font.lfUnderline != 0;
    dialog.fontStrikeOut = font.lfStrikeOut != 0;
    dialog.fontName.assign(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
    dialog.fontSize = fontSizeForHeight(font.lfHeight, pixelsPerInch);
    return true;
}

bool runHelp(const CommonDialog& dialog, HWND owner)
{
    if (!owner || !IsWindow(owner)) return false;
    switch (dialog.helpCommand) {
    case 4: WinHelpA(owner, nullptr, HELP_HELPONHELP, 0); return false;
    case 5: WinHelpA(owner, nullptr, HELP_QUIT, 0); return false;
    case 0:
    case 1:
    case 2:
    case 3: break;
    default: return false;
    }
    std::string file = dialog.helpFile;
    if (file.empty()) {
        char program[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
        file = defaultHelpFile(std::string_view(program, length));
    }
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    UINT command = HELP_FINDER;
    ULONG_PTR data = 0;
    if (dialog.helpCommand == 3) {
        command = HELP_FORCEFILE;
    } else if ((dialog.helpCommand == 1 || dialog.helpCommand == 2) && dialog.helpContext != 0) {
        command = dialog.helpCommand == 1 ? HELP_CONTEXT : HELP_CONTEXTPOPUP;
        data = static_cast<ULONG_PTR>(dialog.helpContext);
    }
    WinHelpA(owner, file.c_str(), command, data);
    return true;
}

} // namespace

bool openDialog(CommonDialog& dialog, HWND owner)
{
    switch (dialog.kind) {
    case CommonDialog::openFile:
    case CommonDialog::saveFile: return runFileDialog(dialog, owner);
    case CommonDialog::font: return runFontDialog(dialog, owner);
    case CommonDialog::help: return runHelp(dialog, owner);
    default: return false;
    }
}

} // namespace wrivo
