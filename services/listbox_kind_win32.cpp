// The list box kind: creates the LISTBOX control from the unit's settings
// (columns side by side for the horizontal layout, extra item height, colours
// and font), raises selection-changed and double-click, serves its properties.
#include "host/host.h"
#include "host/unit_kind.h"
#include "services/control_colours.h"
#include "services/unit_properties.h"

namespace wrivo {
namespace {

struct ListBoxState : UnitState {
    ControlPaint paint;
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

void applyItemHeight(HWND control, std::int32_t extra)
{
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    LONG height = metrics.tmHeight + (extra > 0 ? extra : 0);
    SendMessageA(control, LB_SETITEMHEIGHT, 0, MAKELPARAM(height > 255 ? 255 : height, 0));
}

HWND createListBox(const UnitCreation& creation)
{
    LiveUnit& unit = creation.unit;
    ListBoxSettings& settings = settingsOf(unit);
    const LayoutUnit& record = unit.record;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
    DWORD exStyle = 0;
    if (record.common.flags & unitTabStop) style |= WS_TABSTOP;
    if (record.common.flags & unitDisabled) style |= WS_DISABLED;
    style |= settings.horizontalLayout ? (LBS_MULTICOLUMN | WS_HSCROLL) : WS_VSCROLL;
    if (settings.sorted) style |= LBS_SORT;
    if (settings.multipleSelection == 1) style |= LBS_MULTIPLESEL;
    if (settings.multipleSelection == 2) style |= LBS_EXTENDEDSEL;
    controlBorderStyles(settings.borderStyle, style, exStyle);
    HWND control = CreateWindowExA(exStyle, "LISTBOX", "", style, record.common.left, record.common.top, record.common.width, record.common.height,
                                   creation.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.controlId)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control) return nullptr;
    ListBoxState& state = stateOf(unit);
    state.paint.setFont(control, fontBlockOf(settings.font));
    state.paint.setBackground(settings.backColour, COLOR_BTNFACE);
    applyItemHeight(control, settings.extraItemHeight);
    for (const std::string& item : settings.items) SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (settings.currentSelection >= 0) SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(settings.currentSelection), 0);
    return control;
}

HBRUSH listBoxColours(LiveUnit& unit, HDC dc)
{
    ListBoxSettings& settings = settingsOf(unit);
    return stateOf(unit).paint.paint(dc, settings.textColour, settings.backColour, COLOR_BTNFACE);
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
    case ListBoxProperty::currentSelection: return std::int64_t{static_cast<std::int32_t>(SendMessageA(unit.handle, LB_GETCURSEL, 0, 0))};
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
        state.paint.setBackground(settings.backColour, COLOR_BTNFACE);
        InvalidateRect(unit.handle, nullptr, TRUE);
        return false;
    case ListBoxProperty::font:
        settings.font = fontFromBlock(propertyBytes(value));
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
    // Style changes need a new control, which keeps the items.
    settings.items.clear();
    int count = static_cast<int>(SendMessageA(unit.handle, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        int length = static_cast<int>(SendMessageA(unit.handle, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0));
        std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
        SendMessageA(unit.handle, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
        settings.items.push_back(text);
    }
    return true;
}

} // namespace

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
    registerUnitKind(kind);
}

} // namespace wrivo
