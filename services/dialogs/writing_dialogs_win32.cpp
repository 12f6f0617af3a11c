#include "services/dialogs/writing_dialogs.h"

#include <windows.h>

#include <charconv>
#include <string>

#include "host/scoped_win32.h"
#include "services/controls/control_operations.h"
#include "services/dialogs/dialog_template_win32.h"
#include "services/text/service_texts.h"
#include "services/writing/writing_chart.h"
#include "services/writing/writing_settings.h"

namespace wrivo {
namespace {

constexpr DWORD dialogStyle = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD checkBox = BS_AUTOCHECKBOX | WS_TABSTOP;

// "…N…M…" with the numbers in place.
std::string filledIn(std::string_view text, std::int64_t n, std::int64_t m = 0)
{
    std::string out;
    for (const char c : text) out += c == 'N' ? std::to_string(n) : c == 'M' ? std::to_string(m) : std::string(1, c);
    return out;
}

INT_PTR runDialog(const UnitRef& owner, const DialogTemplate& form, DLGPROC procedure, void* state)
{
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), form.get(), reinterpret_cast<HWND>(windowHandle(owner)),
                                   procedure, reinterpret_cast<LPARAM>(state));
}

template <typename State>
State* stateOf(HWND dialog, UINT message, LPARAM lParam)
{
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The OK and Cancel of a dialog's WM_COMMAND: OK closes it once `accept`
// has taken its fields (true), Cancel closes it as it is; other commands are
// not handled here.
template <typename Accept>
INT_PTR okOrCancel(HWND dialog, WPARAM wParam, Accept accept)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        if (accept()) EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
    }
}

// ---- 一键排版 ---------------------------------------------------------------

enum : WORD {
    indentBox = 101,
    trimBox,
    punctuationBox,
    keepRadio = 111,
    oneRadio,
    noneRadio
};

INT_PTR CALLBACK tidyProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* options = stateOf<TidyOptions>(dialog, message, lParam);
    if (!options) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        CheckDlgButton(dialog, indentBox, options->indent ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, trimBox, options->trimTrailing ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, punctuationBox, options->punctuation ? BST_CHECKED : BST_UNCHECKED);
        CheckRadioButton(dialog, keepRadio, noneRadio, keepRadio + static_cast<int>(options->blankLines));
        return TRUE;
    case WM_COMMAND:
        return okOrCancel(dialog, wParam, [&] {
            options->indent = IsDlgButtonChecked(dialog, indentBox) == BST_CHECKED;
            options->trimTrailing = IsDlgButtonChecked(dialog, trimBox) == BST_CHECKED;
            options->punctuation = IsDlgButtonChecked(dialog, punctuationBox) == BST_CHECKED;
            for (WORD radio : {keepRadio, oneRadio, noneRadio})
                if (IsDlgButtonChecked(dialog, radio) == BST_CHECKED)
                    options->blankLines = static_cast<BlankLines>(radio - keepRadio);
            return true;
        });
    default: return FALSE;
    }
}

// ---- 今日目标 ---------------------------------------------------------------

enum : WORD {
    writtenLabel = 201,
    goalField,
    leftLabel,
    chartBox,
    streakLabel,
    speedLabel
};

struct GoalState {
    const GoalSummary* summary;
    std::int64_t goal = 0;
};

std::optional<std::int64_t> goalIn(HWND dialog)
{
    char text[16] = {};
    GetDlgItemTextA(dialog, goalField, text, sizeof text);
    std::int64_t goal = 0;
    const std::string_view digits(text);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), goal);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || goal < 0 ||
        goal > largestDailyGoal)
        return std::nullopt;
    return goal;
}

void showLeft(HWND dialog, const GoalState& state)
{
    const std::int64_t left = state.goal - state.summary->written;
    const std::string text = state.goal == 0 ? std::string(goalDialogTexts::noGoal)
                             : left <= 0     ? std::string(goalDialogTexts::reached)
                                             : filledIn(goalDialogTexts::left, left);
    SetDlgItemTextA(dialog, leftLabel, text.c_str());
}

COLORREF barColour(const ChartBar& bar)
{
    return bar.today ? RGB(200, 60, 40) : RGB(60, 110, 170);
}

// The bars, filled for the days whose goal was met and outlined for the
// others; today's in its own colour; the goal's line dashed; a day below zero
// drawn as zero with its figure above it.
void drawChart(const DRAWITEMSTRUCT& item, const GoalState& state)
{
    const HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    SetBkMode(dc, TRANSPARENT);
    const ScopedSelection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    RECT caption{r.left + 4, r.top + 2, r.right - 4, r.top + 16};
    DrawTextA(dc, goalDialogTexts::chartCaption.data(), static_cast<int>(goalDialogTexts::chartCaption.size()),
              &caption, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    const ChartArea area{r.left + 6, r.top + 20, r.right - r.left - 12, r.bottom - r.top - 26};
    const Chart chart = chartGeometry(state.summary->days, state.summary->today, state.goal, area);
    for (const ChartBar& bar : chart.bars) {
        const ScopedBrush brush(CreateSolidBrush(barColour(bar)));
        // An empty bar still shows as a line on the base.
        RECT box{bar.left, bar.top - (bar.height ? 0 : 1), bar.left + bar.width, bar.top + bar.height};
        if (bar.goalMet)
            FillRect(dc, &box, brush.get());
        else
            FrameRect(dc, &box, brush.get());
        if (bar.belowZero) {
            const std::string figure = std::to_string(bar.words);
            RECT label{bar.left - 20, bar.top - 14, bar.left + bar.width + 20, bar.top - 1};
            SetTextColor(dc, barColour(bar));
            DrawTextA(dc, figure.c_str(), static_cast<int>(figure.size()), &label,
                      DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_BOTTOM);
        }
    }
    if (chart.goalLine >= 0) {
        const ScopedPen pen(CreatePen(PS_DOT, 1, RGB(0, 140, 60)));
        const ScopedSelection selected(dc, pen.get());
        MoveToEx(dc, area.left, chart.goalLine, nullptr);
        LineTo(dc, area.left + area.width, chart.goalLine);
    }
}

INT_PTR CALLBACK goalProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = stateOf<GoalState>(dialog, message, lParam);
    if (!state) return FALSE;
    switch (message) {
    case WM_INITDIALOG: {
        const GoalSummary& summary = *state->summary;
        SetDlgItemTextA(dialog, writtenLabel, filledIn(goalDialogTexts::written, summary.written).c_str());
        SendDlgItemMessageA(dialog, goalField, EM_LIMITTEXT, 7, 0);
        SetDlgItemTextA(dialog, goalField, std::to_string(summary.goal).c_str());
        SetDlgItemTextA(dialog, streakLabel,
                        filledIn(goalDialogTexts::streakAndAverage, summary.streak, summary.average).c_str());
        const std::int64_t perHour =
            summary.minutes > 0 ? std::max<std::int64_t>(summary.written, 0) * 60 / summary.minutes : 0;
        SetDlgItemTextA(dialog, speedLabel, filledIn(goalDialogTexts::speed, summary.minutes, perHour).c_str());
        showLeft(dialog, *state);
        return TRUE; // the focus goes to the first tab stop, the goal
    }
    case WM_DRAWITEM:
        if (wParam != chartBox) return FALSE;
        drawChart(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), *state);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == goalField && HIWORD(wParam) == EN_CHANGE) {
            // What is left and the goal's line follow the field as it is typed.
            if (const std::optional<std::int64_t> goal = goalIn(dialog)) {
                state->goal = *goal;
                showLeft(dialog, *state);
                InvalidateRect(GetDlgItem(dialog, chartBox), nullptr, TRUE);
            }
            return TRUE;
        }
        return okOrCancel(dialog, wParam, [&] {
            if (const std::optional<std::int64_t> goal = goalIn(dialog)) {
                state->goal = *goal;
                return true;
            }
            MessageBeep(MB_OK); // no goal in the field: it stays open on it
            SendDlgItemMessageA(dialog, goalField, EM_SETSEL, 0, -1);
            SetFocus(GetDlgItem(dialog, goalField));
            return false;
        });
    default: return FALSE;
    }
}

} // namespace

std::optional<TidyOptions> askTidyOptions(const UnitRef& owner, const TidyOptions& current)
{
    namespace t = tidyDialogTexts;
    DialogTemplate form(dialogStyle, 0, 200, 142, t::title, 9, "宋体");
    form.addItem(DialogTemplate::buttonClass, checkBox | WS_GROUP, 10, 8, 180, 12, indentBox, t::indent);
    form.addItem(DialogTemplate::buttonClass, BS_GROUPBOX, 10, 24, 180, 54, 0xFFFF, t::blankLines);
    form.addItem(DialogTemplate::buttonClass, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 20, 36, 160, 12, keepRadio,
                 t::keepBlankLines);
    form.addItem(DialogTemplate::buttonClass, BS_AUTORADIOBUTTON, 20, 49, 160, 12, oneRadio, t::oneBlankLine);
    form.addItem(DialogTemplate::buttonClass, BS_AUTORADIOBUTTON, 20, 62, 160, 12, noneRadio, t::noBlankLines);
    form.addItem(DialogTemplate::buttonClass, checkBox | WS_GROUP, 10, 84, 180, 12, trimBox, t::trimTrailing);
    form.addItem(DialogTemplate::buttonClass, checkBox, 10, 99, 180, 12, punctuationBox, t::punctuation);
    form.addItem(DialogTemplate::buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 84, 120, 50, 15, IDOK, okButtonText);
    form.addItem(DialogTemplate::buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 140, 120, 50, 15, IDCANCEL, cancelButtonText);
    TidyOptions options = current;
    if (runDialog(owner, form, tidyProcedure, &options) != IDOK) return std::nullopt;
    return options;
}

std::optional<std::int64_t> askDailyGoal(const UnitRef& owner, const GoalSummary& summary)
{
    namespace t = goalDialogTexts;
    DialogTemplate form(dialogStyle, 0, 260, 218, t::title, 9, "宋体");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 10, 8, 240, 10, writtenLabel, "");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 10, 25, 50, 10, 0xFFFF, t::goal);
    form.addItem(DialogTemplate::editClass, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, 60, 23, 50, 13,
                 goalField, "");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 114, 25, 136, 10, 0xFFFF, t::goalUnit);
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 10, 42, 240, 10, leftLabel, "");
    form.addItem(DialogTemplate::staticClass, SS_OWNERDRAW, 10, 56, 240, 104, chartBox, "");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 10, 165, 240, 10, streakLabel, "");
    form.addItem(DialogTemplate::staticClass, SS_LEFT, 10, 178, 240, 10, speedLabel, "");
    form.addItem(DialogTemplate::buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, 144, 196, 50, 15, IDOK, okButtonText);
    form.addItem(DialogTemplate::buttonClass, BS_PUSHBUTTON | WS_TABSTOP, 200, 196, 50, 15, IDCANCEL, cancelButtonText);
    GoalState state{&summary, summary.goal};
    if (runDialog(owner, form, goalProcedure, &state) != IDOK) return std::nullopt;
    return state.goal;
}

} // namespace wrivo
