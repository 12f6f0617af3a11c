#include "services/number_dialog.h"

#include <windows.h>

#include <string>
#include <vector>

#include "services/controls/control_operations.h"
#include "services/text.h"

namespace wrivo {
namespace {

constexpr WORD numberField = 100;
constexpr WORD classButton = 0x0080, classEdit = 0x0081, classStatic = 0x0082;

// A dialog template in memory (DLGTEMPLATE and DLGITEMTEMPLATE): WORDs, its
// texts in UTF-16 whichever function reads it, each item on a DWORD boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, std::string_view title, WORD pointSize,
                   std::string_view face)
    {
        addDword(style);
        addDword(0); // extended style
        countAt_ = words_.size();
        words_.push_back(0); // item count, filled in as items come
        for (short value : {short{0}, short{0}, width, height}) words_.push_back(static_cast<WORD>(value));
        words_.push_back(0); // no menu
        words_.push_back(0); // the standard dialog class
        addText(title);
        words_.push_back(pointSize);
        addText(face);
    }

    void addItem(WORD itemClass, DWORD style, short x, short y, short width, short height, WORD id,
                 std::string_view text)
    {
        if (words_.size() % 2) words_.push_back(0);
        addDword(style | WS_CHILD | WS_VISIBLE);
        addDword(0);
        for (short value : {x, y, width, height}) words_.push_back(static_cast<WORD>(value));
        words_.push_back(id);
        words_.push_back(0xFFFF); // a predefined class, by its atom
        words_.push_back(itemClass);
        addText(text);
        words_.push_back(0); // no creation data
        ++words_[countAt_];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void addDword(DWORD value)
    {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void addText(std::string_view gbk)
    {
        const int length = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
        const std::size_t at = words_.size();
        words_.resize(at + static_cast<std::size_t>(length > 0 ? length : 0) + 1, 0);
        if (length > 0)
            MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()),
                                reinterpret_cast<wchar_t*>(words_.data() + at), length);
    }

    std::vector<WORD> words_; // WORD-aligned from the start, as std::vector<WORD> is DWORD-aligned
    std::size_t countAt_ = 0;
};

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
    DialogTemplate form(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 186, 70,
                        question.title, 9, "宋体");
    form.addItem(classStatic, SS_LEFT, 8, 8, 170, 10, 0xFFFF, question.prompt);
    form.addItem(classEdit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, 8, 22, 170, 13, numberField, "");
    form.addItem(classButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 70, 46, 50, 15, IDOK, question.okLabel);
    form.addItem(classButton, BS_PUSHBUTTON | WS_TABSTOP, 128, 46, 50, 15, IDCANCEL, question.cancelLabel);
    Asking asking{&question};
    const INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), form.get(), reinterpret_cast<HWND>(windowHandle(owner)),
                                numberDialogProcedure, reinterpret_cast<LPARAM>(&asking));
    if (result != IDOK) return std::nullopt;
    return asking.answer;
}

} // namespace wrivo
