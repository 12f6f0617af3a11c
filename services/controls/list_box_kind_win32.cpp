// The list box kind: creates the LISTBOX control from the unit's settings
// (columns side by side for the horizontal layout, extra item height, colours
// and font), raises selection-changed and double-click, serves its properties.
//
// The rows live in the program (ListRows), not in the control: the control is
// an owner-data list box that knows only how many rows there are and has each
// visible row painted from its text here. The text messages (LB_ADDSTRING,
// LB_INSERTSTRING, LB_GETTEXT, LB_GETITEMDATA, ...) are answered from the
// rows, so to anyone sending them it is an ordinary list box of texts; and a
// whole strip of rows can be rewritten in one step (rewriteItems).
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "host/unit_access.h"
#include "services/controls/control_colours.h"
#include "services/controls/control_operations.h"
#include "services/controls/list_rows.h"
#include "services/controls/unit_properties.h"

namespace wrivo {

using layout::unitDisabled, layout::unitTabStop, layout::ListBoxSettings, layout::LayoutUnit;
namespace kind = layout::kind;

namespace {

struct ListBoxState : UnitState {
    ControlPaint paint;
    ListRows rows;
};

ListBoxSettings& settingsOf(LiveUnit& unit)
{
    if (!std::holds_alternative<ListBoxSettings>(unit.record.settings)) unit.record.settings = ListBoxSettings{};
    return std::get<ListBoxSettings>(unit.record.settings);
}

ListBoxState& stateOf(LiveUnit& unit)
{
    if (!unit.state) unit.state = std::make_unique<ListBoxState>();
    return static_cast<ListBoxState&>(*unit.state);
}

// Where a sorted list box puts a new text: after every row that does not
// sort after it, ignoring case, as the platform's sorted list box does.
std::int32_t sortedPosition(const ListRows& rows, std::string_view text)
{
    const std::string wanted(text);
    std::int32_t position = rows.count();
    while (position > 0 && CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, rows.row(position - 1)->text.c_str(),
                                          -1, wanted.c_str(), -1) == CSTR_GREATER_THAN)
        --position;
    return position;
}

void applyItemHeight(HWND control, std::int32_t extra)
{
    TEXTMETRICA metrics = {};
    {
        ScopedGetDC dc(control);
        ScopedSelection font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
        GetTextMetricsA(dc.get(), &metrics);
    }
    LONG height = metrics.tmHeight + (extra > 0 ? extra : 0);
    SendMessageA(control, LB_SETITEMHEIGHT, 0, MAKELPARAM(height > 255 ? 255 : height, 0));
}

HWND createListBox(const UnitCreation& creation)
{
    LiveUnit& unit = creation.unit;
    ListBoxSettings& settings = settingsOf(unit);
    const LayoutUnit& record = unit.record;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_NODATA | LBS_OWNERDRAWFIXED;
    DWORD exStyle = 0;
    if (record.common.flags & unitTabStop) style |= WS_TABSTOP;
    if (record.common.flags & unitDisabled) style |= WS_DISABLED;
    style |= settings.horizontalLayout ? (LBS_MULTICOLUMN | WS_HSCROLL) : WS_VSCROLL;
    if (settings.multipleSelection == 1) style |= LBS_MULTIPLESEL;
    if (settings.multipleSelection == 2) style |= LBS_EXTENDEDSEL;
    controlBorderStyles(settings.borderStyle, style, exStyle);
    HWND control = CreateWindowExA(exStyle, "LISTBOX", "", style, record.common.left, record.common.top,
                                   record.common.width, record.common.height, creation.parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.controlId)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control) return nullptr;
    ListBoxState& state = stateOf(unit);
    state.paint.setFont(control, fontBlockOf(settings.font));
    state.paint.setBackground(settings.backColour);
    applyItemHeight(control, settings.extraItemHeight);
    for (const std::string& item : settings.items) {
        const std::int32_t position = settings.sorted ? sortedPosition(state.rows, item) : state.rows.count();
        state.rows.insert(position, item);
    }
    SendMessageA(control, LB_SETCOUNT, static_cast<WPARAM>(state.rows.count()), 0);
    if (settings.currentSelection >= 0)
        SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(settings.currentSelection), 0);
    return control;
}

HBRUSH listBoxColours(LiveUnit& unit, HDC dc)
{
    ListBoxSettings& settings = settingsOf(unit);
    return stateOf(unit).paint.paint(dc, settings.textColour, settings.backColour);
}

void listBoxNotified(LiveUnit& unit, int code)
{
    if (code == LBN_SELCHANGE) raiseUnitEvent(unit, UnitEvent::primary);
    if (code == LBN_DBLCLK) raiseUnitEvent(unit, UnitEvent::listBoxDoubleClick);
}

PropertyValue getListBoxProperty(LiveUnit& unit, int number)
{
    ListBoxSettings& settings = settingsOf(unit);
    switch (number) {
    case ListBoxProperty::borderStyle: return std::int64_t{settings.borderStyle};
    case ListBoxProperty::sorted: return std::int64_t{settings.sorted != 0};
    case ListBoxProperty::horizontalLayout: return std::int64_t{settings.horizontalLayout != 0};
    case ListBoxProperty::extraItemHeight: return std::int64_t{settings.extraItemHeight};
    case ListBoxProperty::textColour: return std::int64_t{settings.textColour};
    case ListBoxProperty::backgroundColour: return std::int64_t{settings.backColour};
    case ListBoxProperty::font: return fontBlockOf(settings.font);
    case ListBoxProperty::multipleSelection: return std::int64_t{settings.multipleSelection};
    case ListBoxProperty::currentSelection:
        return std::int64_t{static_cast<std::int32_t>(SendMessageA(unit.handle, LB_GETCURSEL, 0, 0))};
    default: return std::int64_t{0};
    }
}

bool setListBoxProperty(LiveUnit& unit, int number, const PropertyValue& value)
{
    ListBoxSettings& settings = settingsOf(unit);
    ListBoxState& state = stateOf(unit);
    std::int64_t number64 = propertyNumber(value);
    switch (number) {
    case ListBoxProperty::textColour:
        settings.textColour = static_cast<std::uint32_t>(number64);
        InvalidateRect(unit.handle, nullptr, TRUE);
        return false;
    case ListBoxProperty::backgroundColour:
        settings.backColour = static_cast<std::uint32_t>(number64);
        state.paint.setBackground(settings.backColour);
        InvalidateRect(unit.handle, nullptr, TRUE);
        return false;
    case ListBoxProperty::font:
        settings.font = decodeFontRecord(propertyBytes(value));
        state.paint.setFont(unit.handle, fontBlockOf(settings.font));
        applyItemHeight(unit.handle, settings.extraItemHeight);
        return false;
    case ListBoxProperty::extraItemHeight:
        settings.extraItemHeight = static_cast<std::int32_t>(number64);
        applyItemHeight(unit.handle, settings.extraItemHeight);
        InvalidateRect(unit.handle, nullptr, TRUE);
        return false;
    case ListBoxProperty::currentSelection:
        settings.currentSelection = static_cast<std::int32_t>(number64);
        SendMessageA(unit.handle, LB_SETCURSEL, static_cast<WPARAM>(settings.currentSelection), 0);
        return false;
    case ListBoxProperty::borderStyle: settings.borderStyle = static_cast<std::int32_t>(number64); break;
    case ListBoxProperty::sorted: settings.sorted = number64 != 0; break;
    case ListBoxProperty::horizontalLayout: settings.horizontalLayout = number64 != 0; break;
    case ListBoxProperty::multipleSelection: settings.multipleSelection = static_cast<std::int32_t>(number64); break;
    default: return false;
    }
    // Style changes need a new control, which keeps the rows' texts.
    settings.items.clear();
    for (std::int32_t i = 0; i < state.rows.count(); ++i) settings.items.push_back(state.rows.row(i)->text);
    return true;
}

// Copies a row's text into a caller's buffer as LB_GETTEXT does.
LRESULT copyRowText(const ListRow* row, LPARAM buffer)
{
    if (!row) return LB_ERR;
    if (buffer) std::memcpy(reinterpret_cast<char*>(buffer), row->text.c_str(), row->text.size() + 1);
    return static_cast<LRESULT>(row->text.size());
}

// LB_FINDSTRING (prefix) and LB_FINDSTRINGEXACT: the first row after `after`,
// wrapping round, whose text matches ignoring case.
LRESULT findRow(const ListRows& rows, WPARAM after, const char* text, bool exact)
{
    if (!text || rows.count() == 0) return LB_ERR;
    const int length = static_cast<int>(std::strlen(text));
    const std::int32_t start = static_cast<std::int32_t>(after) >= rows.count() ? -1 : static_cast<std::int32_t>(after);
    for (std::int32_t step = 1; step <= rows.count(); ++step) {
        const std::int32_t index = (start + step) % rows.count();
        const std::string& candidate = rows.row(index)->text;
        if (!exact && static_cast<int>(candidate.size()) < length) continue;
        const int compared = exact ? -1 : length; // a prefix of that length, or the whole text
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, candidate.c_str(), compared, text, compared) ==
            CSTR_EQUAL)
            return index;
    }
    return LB_ERR;
}

// The text messages, answered from the rows; the control itself is told only
// of rows coming and going so that it keeps the count and the selection.
bool listBoxMessage(LiveUnit& unit, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    ListRows& rows = stateOf(unit).rows;
    const char* text = reinterpret_cast<const char*>(lParam);
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        WPARAM position = wParam;
        if (message == LB_ADDSTRING)
            position =
                static_cast<WPARAM>(settingsOf(unit).sorted ? sortedPosition(rows, text ? text : "") : rows.count());
        result = DefSubclassProc(unit.handle, LB_INSERTSTRING, position, 0);
        if (result >= 0) rows.insert(static_cast<std::int32_t>(result), text ? text : "");
        return true;
    }
    case LB_DELETESTRING:
        result = DefSubclassProc(unit.handle, message, wParam, lParam);
        if (result != LB_ERR) rows.erase(static_cast<std::int32_t>(wParam));
        return true;
    case LB_RESETCONTENT:
        result = DefSubclassProc(unit.handle, message, wParam, lParam);
        rows.clear();
        return true;
    case LB_SETCOUNT:
        result = DefSubclassProc(unit.handle, message, wParam, lParam);
        if (result != LB_ERR) rows.resize(static_cast<std::int32_t>(wParam));
        return true;
    case LB_GETTEXT: result = copyRowText(rows.row(static_cast<std::int32_t>(wParam)), lParam); return true;
    case LB_GETTEXTLEN: {
        const ListRow* row = rows.row(static_cast<std::int32_t>(wParam));
        result = row ? static_cast<LRESULT>(row->text.size()) : LB_ERR;
        return true;
    }
    case LB_GETITEMDATA: {
        const ListRow* row = rows.row(static_cast<std::int32_t>(wParam));
        result = row ? static_cast<LRESULT>(row->value) : LB_ERR;
        return true;
    }
    case LB_SETITEMDATA:
        result = rows.setValue(static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam)) ? TRUE : LB_ERR;
        return true;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT: result = findRow(rows, wParam, text, message == LB_FINDSTRINGEXACT); return true;
    case LB_SELECTSTRING:
        result = findRow(rows, wParam, text, false);
        if (result != LB_ERR) DefSubclassProc(unit.handle, LB_SETCURSEL, static_cast<WPARAM>(result), 0);
        return true;
    default: return false;
    }
}

// One visible row: its own colours (or the highlight when selected), its
// text at the left of the cell, and the focus frame.
bool drawListBoxItem(LiveUnit& unit, const DRAWITEMSTRUCT& item)
{
    if (item.CtlType != ODT_LISTBOX) return false;
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool focusOnly = item.itemAction == ODA_FOCUS;
    if (item.itemID != static_cast<UINT>(-1) && !focusOnly) {
        ListBoxSettings& settings = settingsOf(unit);
        ListBoxState& state = stateOf(unit);
        HBRUSH brush;
        if (item.itemState & ODS_SELECTED) {
            brush = GetSysColorBrush(COLOR_HIGHLIGHT);
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            brush = state.paint.paint(dc, settings.textColour, settings.backColour);
        }
        FillRect(dc, &area, brush);
        if (const ListRow* row = state.rows.row(static_cast<std::int32_t>(item.itemID))) {
            ScopedSelection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(unit.handle, WM_GETFONT, 0, 0)));
            const int mode = SetBkMode(dc, TRANSPARENT);
            ExtTextOutA(dc, area.left + 1, area.top, ETO_CLIPPED, &area, row->text.data(),
                        static_cast<UINT>(row->text.size()), nullptr);
            SetBkMode(dc, mode);
        }
    }
    // The focus frame is drawn by inversion: a focus change toggles it, a
    // repainted row that has the focus gets it again.
    if (focusOnly || (item.itemState & ODS_FOCUS)) DrawFocusRect(dc, &area);
    return true;
}

} // namespace

void rewriteItems(const UnitRef& listBox, std::vector<std::string> texts)
{
    LiveUnit& unit = requireLiveUnit(listBox);
    if (unit.kind->code != kind::listBox || texts.empty()) return; // no rows to rewrite
    HWND control = unit.handle;
    ListRows& rows = stateOf(unit).rows;
    const auto rewritten = static_cast<std::int32_t>(texts.size());

    SendMessageA(control, WM_SETREDRAW, FALSE, 0);
    // Each rewritten row is deleted once on the way, which takes its selection.
    const bool multiple = (GetWindowLongA(control, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    if (multiple) {
        for (std::int32_t index : selectedIndexes(listBox)) {
            if (index >= rewritten) break;
            SendMessageA(control, LB_SETSEL, FALSE, static_cast<LPARAM>(index));
        }
    }
    const auto current = static_cast<std::int32_t>(SendMessageA(control, LB_GETCURSEL, 0, 0));
    rows.rewriteLeading(std::move(texts));
    if (SendMessageA(control, LB_GETCOUNT, 0, 0) != rows.count())
        SendMessageA(control, LB_SETCOUNT, static_cast<WPARAM>(rows.count()), 0);
    if (!multiple) {
        const std::int32_t after = selectionAfterRewrite(current, rewritten);
        if (SendMessageA(control, LB_GETCURSEL, 0, 0) != after)
            SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(after), 0);
    }
    SendMessageA(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
}

void registerListBoxKind()
{
    UnitKind kind;
    kind.code = kind::listBox;
    kind.fontProperty = ListBoxProperty::font;
    kind.create = createListBox;
    kind.getProperty = getListBoxProperty;
    kind.setProperty = setListBoxProperty;
    kind.notify = listBoxNotified;
    kind.colours = listBoxColours;
    kind.message = listBoxMessage;
    kind.drawItem = drawListBoxItem;
    registerUnitKind(kind);
}

} // namespace wrivo
