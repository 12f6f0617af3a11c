#include "services/common_dialog_win32.h"

#include <commdlg.h>

#include <cstring>

#include "host/unit_kind.h" // screenPixelsPerInch

namespace wrivo {

namespace {

const char* orNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

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
    request.Flags = OFN_HIDEREADONLY;
    if (dialog.createPrompt)
        request.Flags |= OFN_CREATEPROMPT;
    if (dialog.fileMustExist)
        request.Flags |= OFN_FILEMUSTEXIST;
    if (dialog.overwritePrompt)
        request.Flags |= OFN_OVERWRITEPROMPT;
    if (dialog.pathMustExist)
        request.Flags |= OFN_PATHMUSTEXIST;
    if (dialog.keepCurrentFolder)
        request.Flags |= OFN_NOCHANGEDIR;

    const BOOL confirmed = dialog.kind == CommonDialog::saveFile ? GetSaveFileNameA(&request)
                                                                 : GetOpenFileNameA(&request);
    if (!confirmed)
        return false;
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
    if (!ChooseFontA(&request))
        return false;

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
    if (!owner || !IsWindow(owner))
        return false;
    switch (dialog.helpCommand) {
    case 4:
        WinHelpA(owner, nullptr, HELP_HELPONHELP, 0);
        return false;
    case 5:
        WinHelpA(owner, nullptr, HELP_QUIT, 0);
        return false;
    case 0:
    case 1:
    case 2:
    case 3:
        break;
    default:
        return false;
    }
    std::string file = dialog.helpFile;
    if (file.empty()) {
        char program[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
        file = defaultHelpFile(std::string_view(program, length));
    }
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
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
    case CommonDialog::saveFile:
        return runFileDialog(dialog, owner);
    case CommonDialog::font:
        return runFontDialog(dialog, owner);
    case CommonDialog::help:
        return runHelp(dialog, owner);
    default:
        return false;
    }
}

} // namespace wrivo
