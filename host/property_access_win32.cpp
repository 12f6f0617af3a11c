// Reading and writing numbered properties: the common ones (0 to 7) and menu
// entries' four here, kind-specific ones (8 and up) through the kind table,
// with font members by sub-index and the rebuild of a control that asks for it.
#include "host/font_property.h"
#include "host/host_app.h"
#include "host/property_rules.h"
#include "host/runtime_error.h"

namespace wrivo {

using layout::kindNonVisual, layout::kindNeverRebuilt, layout::unitVisible, layout::unitDisabled, layout::menuHidden;
using layout::menuDisabled, layout::menuTicked, layout::MenuEntry, layout::LayoutUnit;

namespace {

LiveUnit& findUnit(const UnitRef& ref)
{
    LiveWindow* window = HostApp::instance().liveWindow(ref.window);
    if (!window) reportRuntimeError(errorWindowNotLoaded);
    LiveUnit* unit = ref.unit == 0 ? &window->windowUnit() : window->unitById(ref.unit);
    if (!unit) reportRuntimeError(errorNoSuchUnit);
    return *unit;
}

// The unit's rectangle relative to its parent's client area (the screen for
// a window).
RECT liveRectangle(const LiveUnit& unit)
{
    RECT rectangle;
    GetWindowRect(unit.handle, &rectangle);
    if (HWND parent = GetParent(unit.handle); parent && (GetWindowLongA(unit.handle, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rectangle), 2);
    return rectangle;
}

void applyGeometry(LiveUnit& unit, bool move)
{
    if (!unit.handle) return;
    const LayoutUnit& record = unit.record;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (move ? SWP_NOSIZE : SWP_NOMOVE);
    SetWindowPos(unit.handle, nullptr, record.common.left, record.common.top, record.common.width, record.common.height,
                 flags);
}

void writeMenuEntry(LiveUnit& unit, int number, const PropertyValue& value)
{
    MenuEntry* entry = unit.record.as<MenuEntry>();
    if (!entry) return;
    bool on = propertyNumber(value) != 0;
    auto setFlag = [&](std::uint32_t flag, bool set) {
        entry->flags = set ? (entry->flags | flag) : (entry->flags & ~flag);
    };
    switch (number) {
    case MenuProperty::caption: entry->caption = propertyText(value); break;
    case MenuProperty::ticked: setFlag(4, on); break;
    case MenuProperty::disabled: setFlag(2, on); break;
    case MenuProperty::visible: setFlag(1, !on); break;
    default: return;
    }
    unit.window->rebuildMenuBar();
}

PropertyValue readMenuEntry(const LiveUnit& unit, int number)
{
    const MenuEntry* entry = unit.record.as<MenuEntry>();
    if (!entry) return std::int64_t{0};
    switch (number) {
    case MenuProperty::caption: return entry->caption;
    case MenuProperty::ticked: return std::int64_t{(entry->flags & menuTicked) != 0};
    case MenuProperty::disabled: return std::int64_t{(entry->flags & menuDisabled) != 0};
    case MenuProperty::visible: return std::int64_t{(entry->flags & menuHidden) == 0};
    default: return std::int64_t{0};
    }
}

void writeVisible(LiveUnit& unit, bool visible)
{
    LayoutUnit& record = unit.record;
    record.common.flags = visible ? (record.common.flags | unitVisible) : (record.common.flags & ~unitVisible);
    if (!unit.handle || (unit.kindFlags & kindNonVisual)) return;
    if (!visible) {
        ShowWindow(unit.handle, SW_HIDE);
        return;
    }
    LiveWindow& window = *unit.window;
    if (&unit != &window.windowUnit()) {
        ShowWindow(unit.handle, SW_SHOWNA);
        return;
    }
    HostApp& host = HostApp::instance();
    if (window.awaitingFirstShowing())
        host.firstShowing(window); // a modal window's nested loop runs in here
    else
        host.showLoaded(window);
}

void writeCommon(LiveUnit& unit, int number, const PropertyValue& value)
{
    LayoutUnit& record = unit.record;
    switch (number) {
    case CommonProperty::left:
    case CommonProperty::top:
    case CommonProperty::width:
    case CommonProperty::height:
        // The other three keep where the unit is now (it may have been moved,
        // centred or laid out since its record was written).
        if (unit.handle) {
            RECT live = liveRectangle(unit);
            record.common.left = live.left;
            record.common.top = live.top;
            record.common.width = live.right - live.left;
            record.common.height = live.bottom - live.top;
        }
        if (number == CommonProperty::left) record.common.left = clampPosition(propertyNumber(value));
        if (number == CommonProperty::top) record.common.top = clampPosition(propertyNumber(value));
        if (number == CommonProperty::width) record.common.width = clampSize(propertyNumber(value));
        if (number == CommonProperty::height) record.common.height = clampSize(propertyNumber(value));
        applyGeometry(unit, number <= CommonProperty::top);
        break;
    case CommonProperty::tag: record.common.tag = propertyText(value); break;
    case CommonProperty::visible: writeVisible(unit, propertyNumber(value) != 0); break;
    case CommonProperty::disabled: {
        bool disabled = propertyNumber(value) != 0;
        record.common.flags = disabled ? (record.common.flags | unitDisabled) : (record.common.flags & ~unitDisabled);
        if (unit.handle) EnableWindow(unit.handle, disabled ? FALSE : TRUE);
        break;
    }
    case CommonProperty::mousePointer: record.common.mousePointer = propertyBytes(value); break;
    default: break;
    }
}

PropertyValue readCommon(const LiveUnit& unit, int number)
{
    const LayoutUnit& record = unit.record;
    bool live = unit.handle != nullptr;
    RECT rectangle = {record.common.left, record.common.top, record.common.left + record.common.width,
                      record.common.top + record.common.height};
    if (live && number <= CommonProperty::height) rectangle = liveRectangle(unit);
    switch (number) {
    case CommonProperty::left: return std::int64_t{rectangle.left};
    case CommonProperty::top: return std::int64_t{rectangle.top};
    case CommonProperty::width: return std::int64_t{rectangle.right - rectangle.left};
    case CommonProperty::height: return std::int64_t{rectangle.bottom - rectangle.top};
    case CommonProperty::tag: return record.common.tag;
    case CommonProperty::visible:
        if (live && !(unit.kindFlags & kindNonVisual))
            return std::int64_t{(GetWindowLongA(unit.handle, GWL_STYLE) & WS_VISIBLE) != 0};
        return std::int64_t{(record.common.flags & unitVisible) != 0};
    case CommonProperty::disabled:
        if (live) return std::int64_t{!IsWindowEnabled(unit.handle)};
        return std::int64_t{(record.common.flags & unitDisabled) != 0};
    case CommonProperty::mousePointer: return record.common.mousePointer;
    default: return std::int64_t{0};
    }
}

// Re-creates a control from its updated record in the same place of the
// stacking order, with the same visibility and focus; no events meanwhile.
void rebuildControl(LiveUnit& unit)
{
    if (!unit.handle || !unit.kind->create) return;
    const EventSuspension quiet;
    HWND old = unit.handle;
    HWND previous = GetWindow(old, GW_HWNDPREV);
    bool visible = (GetWindowLongA(old, GWL_STYLE) & WS_VISIBLE) != 0;
    bool focused = GetFocus() == old;
    HWND parent = GetParent(old);
    DestroyWindow(old);
    unit.handle = nullptr;
    unit.state.reset();
    HWND control = unit.kind->create({unit, parent, unit.controlId});
    if (control) {
        unit.handle = control;
        tieUnitToControl(unit);
        SetWindowPos(control, previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (unit.kind->windowComplete) unit.kind->windowComplete(unit);
        if (visible && !(unit.kindFlags & kindNonVisual)) ShowWindow(control, SW_SHOWNA);
        if (focused) SetFocus(control);
    }
}

LiveUnit& requireKindControl(const UnitRef& ref)
{
    LiveUnit& unit = findUnit(ref);
    if (!unit.handle || !unit.kind->getProperty) reportRuntimeError(errorUnitNotLoaded);
    return unit;
}

} // namespace

LiveUnit& requireLiveUnit(const UnitRef& ref)
{
    LiveWindow* window = HostApp::instance().liveWindow(ref.window);
    LiveUnit* unit = nullptr;
    if (window) unit = ref.unit == 0 ? &window->windowUnit() : window->unitById(ref.unit);
    if (!unit) reportRuntimeError(errorNoSuchUnit);
    return *unit;
}

void writeProperty(const UnitRef& ref, int number, const PropertyValue& value, int subIndex)
{
    LiveUnit& unit = findUnit(ref);
    if (unit.record.isMenuEntry()) {
        writeMenuEntry(unit, number, value);
        return;
    }
    if (number < CommonProperty::firstKindProperty) {
        writeCommon(unit, number, value);
        return;
    }
    if (!unit.handle || !unit.kind->setProperty) reportRuntimeError(errorUnitNotLoaded);
    PropertyValue converted = value;
    if (number == unit.kind->fontProperty) {
        int dpi = screenPixelsPerInch();
        layout::LogFont font;
        if (subIndex >= 0) {
            font = *decodeFontRecord(fittedFontRecord(propertyBytes(unit.kind->getProperty(unit, number))));
            if (subIndex == FontMember::faceName)
                font.setFace(acceptedFaceName(propertyText(value)));
            else
                setFontMember(font, subIndex, propertyNumber(value), dpi);
        } else {
            font = *decodeFontRecord(fittedFontRecord(propertyBytes(value)));
            font.setFace(acceptedFaceName(font.face()));
        }
        converted = encodeFontRecord(font);
    }
    if (unit.kind->setProperty(unit, number, converted) && !(unit.kindFlags & kindNeverRebuilt)) rebuildControl(unit);
}

PropertyValue readProperty(const UnitRef& ref, int number, int subIndex)
{
    LiveUnit& unit = findUnit(ref);
    if (unit.record.isMenuEntry()) return readMenuEntry(unit, number);
    if (number < CommonProperty::firstKindProperty) return readCommon(unit, number);
    LiveUnit& control = requireKindControl(ref);
    PropertyValue value = control.kind->getProperty(control, number);
    if (number == control.kind->fontProperty && subIndex >= 0) {
        const layout::LogFont font = *decodeFontRecord(fittedFontRecord(propertyBytes(value)));
        if (subIndex == FontMember::faceName) return std::string(font.face());
        return fontMemberNumber(font, subIndex, screenPixelsPerInch());
    }
    return value;
}

} // namespace wrivo
