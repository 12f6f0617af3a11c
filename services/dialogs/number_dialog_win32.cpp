#include "services/dialogs/number_dialog.h"

#include <windows.h>

#include <string>
#include <vector>

#include "services/controls/control_operations.h"
#include "services/dialogs/dialog_template_win32.h"
#include "services/text/text.h"

namespace wrivo {
namespace {

constexpr WORD numberField = 100;

struct Asking {
    const NumberQuestion* question;
    std::int32_t answer = 0;
};

std::optional<std::int32_t> numberIn(HWND dialog, const NumberQuestion& question)
{
    char text[32] = {};
    GetDlgItemTextA(dialog, numberField, text, sizeof text);
    if (!*text) return std::nullopt;
    const std::int32_t number = toInteger(Value{std::string(text)});
    if (number < question.minimum || number > question.maximum) return std::nullopt;
    return number;
}

INT_PTR CALLBACK numberDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* asking = reinterpret_cast<Asking*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SendDlgItemMessageA(dialog, numberField, EM_LIMITTEXT, 10, 0);
        return TRUE; // the focus goes to the first tab stop, the field
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        if (LOWORD(wParam) == IDOK && asking) {
            if (const std::optional<std::int32_t> number = numberIn(dialog, *asking->question)) {
                asking->answer = *number;
                EndDialog(dialog, IDOK);
            } else {
                MessageBeep(MB_OK);
                HWND field = GetDlgItem(dialog, numberField);
                SendMessageA(field, EM_SETSEL, 0, -1);
                SetFocus(field);
            }
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

} // namespace

std::optional<std::int32_t> askNumber(const UnitRef& owner, const NumberQuestion& question)
{
    DialogTemplate form(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 186, 70,
                        question.title, 9, "宋体");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 8, 8, 170, 10, 0xFFFF, question.prompt);
    form.addItem(DialogTemplate::editClass, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, 8, 22, 170, 13,
                 numberField, "");
    form.addItem(DialogTemplate::buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 70, 46, 50, 15, IDOK, question.okLabel);
    form.addItem(DialogTemplate::buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 128, 46, 50, 15, IDCANCEL,
                 question.cancelLabel);
    Asking asking{&question};
    const INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), form.get(), reinterpret_cast<HWND>(windowHandle(owner)),
                                numberDialogProcedure, reinterpret_cast<LPARAM>(&asking));
    if (result != IDOK) return std::nullopt;
    return asking.answer;
}

} // namespace wrivo
