#include "services/dialogs/lock_dialogs.h"

#include <windows.h>

#include <charconv>

#include "services/controls/control_operations.h"
#include "services/dialogs/dialog_template_win32.h"
#include "services/text/service_texts.h"

namespace wrivo {
namespace {

constexpr DWORD dialogStyle = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr std::string_view lockTitle = "闭关写作";
constexpr std::string_view surrenderTitle = "强行出关";
constexpr std::int64_t largestTarget = 1'000'000;

enum : WORD {
    wordsRadio = 101,
    minutesRadio,
    noGoalRadio,
    wordsField = 111,
    minutesField,
    messageLabel = 121,
    surrenderButton,
    sentenceField
};

INT_PTR runDialog(const UnitRef& owner, const DialogTemplate& form, DLGPROC procedure, void* state)
{
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), form.get(), reinterpret_cast<HWND>(windowHandle(owner)),
                                   procedure, reinterpret_cast<LPARAM>(state));
}

std::optional<std::int64_t> numberIn(HWND dialog, WORD field)
{
    char text[16] = {};
    GetDlgItemTextA(dialog, field, text, sizeof text);
    std::int64_t value = 0;
    const char* end = text + std::char_traits<char>::length(text);
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end || value <= 0 || value > largestTarget) return std::nullopt;
    return value;
}

INT_PTR CALLBACK goalProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* choice = reinterpret_cast<LockChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!choice) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        CheckRadioButton(dialog, wordsRadio, noGoalRadio, wordsRadio);
        SetDlgItemTextA(dialog, wordsField, std::to_string(choice->target).c_str());
        SetDlgItemTextA(dialog, minutesField, std::to_string(defaultLockMinutes).c_str());
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            const bool words = IsDlgButtonChecked(dialog, wordsRadio) == BST_CHECKED;
            const bool minutes = IsDlgButtonChecked(dialog, minutesRadio) == BST_CHECKED;
            choice->goal = words ? LockGoal::words : minutes ? LockGoal::minutes : LockGoal::none;
            if (choice->goal != LockGoal::none) {
                const WORD field = words ? wordsField : minutesField;
                const std::optional<std::int64_t> target = numberIn(dialog, field);
                if (!target) { // no number in the chosen field: the dialog stays open on it
                    MessageBeep(MB_OK);
                    SetFocus(GetDlgItem(dialog, field));
                    return TRUE;
                }
                choice->target = *target;
            }
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

INT_PTR CALLBACK refusalProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_COMMAND) return message == WM_INITDIALOG;
    const WORD command = LOWORD(wParam);
    if (command != IDOK && command != IDCANCEL && command != surrenderButton) return FALSE;
    EndDialog(dialog, command);
    return TRUE;
}

INT_PTR CALLBACK surrenderProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SendDlgItemMessageA(dialog, sentenceField, EM_LIMITTEXT, 64, 0);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK: {
        char text[80] = {};
        GetDlgItemTextA(dialog, sentenceField, text, sizeof text);
        *reinterpret_cast<std::string*>(GetWindowLongPtrA(dialog, DWLP_USER)) = text;
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
    }
}

} // namespace

std::optional<LockChoice> askLockGoal(const UnitRef& owner, std::int64_t suggestedWords)
{
    constexpr DWORD radio = BS_AUTORADIOBUTTON | WS_TABSTOP;
    constexpr DWORD field = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER;
    DialogTemplate form(dialogStyle, 0, 180, 86, lockTitle, 9, "宋体");
    form.addItem(DialogTemplate::buttonClass, radio | WS_GROUP, 10, 10, 40, 12, wordsRadio, "写够");
    form.addItem(DialogTemplate::editClass, field, 52, 9, 50, 13, wordsField, "");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 106, 11, 60, 10, 0xFFFF, "字");
    form.addItem(DialogTemplate::buttonClass, radio, 10, 28, 40, 12, minutesRadio, "写满");
    form.addItem(DialogTemplate::editClass, field, 52, 27, 50, 13, minutesField, "");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 106, 29, 60, 10, 0xFFFF, "分钟");
    form.addItem(DialogTemplate::buttonClass, radio, 10, 46, 100, 12, noGoalRadio, "不设目标");
    form.addItem(DialogTemplate::buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 64, 66, 50, 15, IDOK,
                 okButtonText);
    form.addItem(DialogTemplate::buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 120, 66, 50, 15, IDCANCEL, cancelButtonText);
    LockChoice choice{LockGoal::words, suggestedWords};
    if (runDialog(owner, form, goalProcedure, &choice) != IDOK) return std::nullopt;
    return choice;
}

bool askLockRefused(const UnitRef& owner, std::string_view refusal)
{
    DialogTemplate form(dialogStyle, 0, 180, 56, lockTitle, 9, "宋体");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 10, 10, 160, 20, messageLabel, refusal);
    form.addItem(DialogTemplate::buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 56, 36, 50, 15, IDOK, okButtonText);
    form.addItem(DialogTemplate::buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 112, 36, 58, 15, surrenderButton,
                 surrenderTitle);
    return runDialog(owner, form, refusalProcedure, nullptr) == surrenderButton;
}

std::optional<std::string> askSurrender(const UnitRef& owner)
{
    DialogTemplate form(dialogStyle, 0, 180, 68, surrenderTitle, 9, "宋体");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 10, 8, 160, 10, messageLabel, surrenderSentence);
    form.addItem(DialogTemplate::editClass, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 24, 160, 13, sentenceField,
                 "");
    form.addItem(DialogTemplate::buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 64, 46, 50, 15, IDOK, okButtonText);
    form.addItem(DialogTemplate::buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 120, 46, 50, 15, IDCANCEL, cancelButtonText);
    std::string typed;
    if (runDialog(owner, form, surrenderProcedure, &typed) != IDOK) return std::nullopt;
    return typed;
}

} // namespace wrivo
