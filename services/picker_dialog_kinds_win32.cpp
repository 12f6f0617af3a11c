// The colour picker and common dialog kinds as units: the colour picker's
// child window (hidden in this program; its palette popup belongs to the
// dialogs service) and the common dialog's hidden window, both holding their
// settings as properties for the services that run the dialogs.
#include "host/unit_kind.h"
#include "services/colour_picker_win32.h"
#include "services/unit_properties.h"

namespace wrivo {
namespace {

template <typename Settings>
Settings& settingsOf(LiveUnit& unit)
{
    if (!std::holds_alternative<Settings>(unit.record.settings)) unit.record.settings = Settings{};
    return std::get<Settings>(unit.record.settings);
}

HWND createColorPicker(const UnitCreation& creation)
{
    // Without the transparent entry, "no colour" starts as black.
    auto& picker = settingsOf<ColorPickerSettings>(creation.unit);
    if (picker.second == 0 && picker.colour == 0xFF000000u) picker.colour = 0;
    const LayoutUnit& record = creation.unit.record;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | SS_NOTIFY;
    if (record.common.flags & unitTabStop) style |= WS_TABSTOP;
    if (record.common.flags & unitDisabled) style |= WS_DISABLED;
    return CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "", style, record.common.left, record.common.top, record.common.width, record.common.height,
                           creation.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.controlId)),
                           GetModuleHandleA(nullptr), nullptr);
}

PropertyValue getColorPickerProperty(LiveUnit& unit, int number)
{
    auto& settings = settingsOf<ColorPickerSettings>(unit);
    if (number == ColorPickerProperty::colour) return std::int64_t{settings.colour};
    if (number == ColorPickerProperty::second) return std::int64_t{settings.second};
    return std::int64_t{0};
}

bool setColorPickerProperty(LiveUnit& unit, int number, const PropertyValue& value)
{
    auto& settings = settingsOf<ColorPickerSettings>(unit);
    if (number == ColorPickerProperty::colour) settings.colour = static_cast<std::uint32_t>(propertyNumber(value));
    if (number == ColorPickerProperty::second) settings.second = static_cast<std::int32_t>(propertyNumber(value));
    InvalidateRect(unit.handle, nullptr, TRUE);
    return false;
}

// The picker paints its colour and opens the palette on a left-button
// release; a choice is stored and raises colour-chosen once.
bool colorPickerMessage(LiveUnit& unit, UINT message, WPARAM, LPARAM, LRESULT& result)
{
    auto& settings = settingsOf<ColorPickerSettings>(unit);
    std::optional<std::uint32_t> chosen;
    if (!handleColourPickerMessage(unit.handle, message, settings.colour, settings.second != 0, chosen))
        return false;
    result = 0;
    if (chosen) {
        settings.colour = *chosen;
        raiseUnitEvent(unit, UnitEvent::primary);
    }
    return true;
}

// Options 15 to 19 and the font and help settings of the common dialog live
// in its option list after the stored thirteen.
constexpr int optionSlot(int number)
{
    return number - CommonDlgProperty::firstFileOption;
}

PropertyValue getCommonDlgProperty(LiveUnit& unit, int number)
{
    auto& settings = settingsOf<CommonDlgSettings>(unit);
    switch (number) {
    case CommonDlgProperty::dialogType: return std::int64_t{settings.dialogType};
    case CommonDlgProperty::title: return settings.title;
    case CommonDlgProperty::fileName: return settings.fileName;
    case CommonDlgProperty::filter: return settings.filter;
    case CommonDlgProperty::filterIndex: return std::int64_t{settings.filterIndex};
    case CommonDlgProperty::initialFolder: return settings.initialFolder;
    case CommonDlgProperty::defaultExtension: return settings.defaultExtension;
    default: break;
    }
    if (number == CommonDlgProperty::fontName) return settings.extraText1;
    if (number == CommonDlgProperty::helpFile) return settings.extraText2;
    std::size_t slot = static_cast<std::size_t>(optionSlot(number));
    return std::int64_t{slot < settings.options.size() ? settings.options[slot] : 0};
}

bool setCommonDlgProperty(LiveUnit& unit, int number, const PropertyValue& value)
{
    auto& settings = settingsOf<CommonDlgSettings>(unit);
    std::int64_t number64 = propertyNumber(value);
    switch (number) {
    case CommonDlgProperty::dialogType:
        settings.dialogType = number64 < 0 ? 0 : (number64 > 3 ? 3 : static_cast<std::int32_t>(number64));
        return false;
    case CommonDlgProperty::title: settings.title = propertyText(value); return false;
    case CommonDlgProperty::fileName: settings.fileName = propertyText(value); return false;
    case CommonDlgProperty::filter: settings.filter = propertyText(value); return false;
    case CommonDlgProperty::filterIndex: settings.filterIndex = static_cast<std::int32_t>(number64); return false;
    case CommonDlgProperty::initialFolder: settings.initialFolder = propertyText(value); return false;
    case CommonDlgProperty::defaultExtension: settings.defaultExtension = propertyText(value); return false;
    default: break;
    }
    if (number == CommonDlgProperty::fontName) {
        settings.extraText1 = propertyText(value);
        return false;
    }
    if (number == CommonDlgProperty::helpFile) {
        settings.extraText2 = propertyText(value);
        return false;
    }
    int slot = optionSlot(number);
    if (slot < 0 || static_cast<std::size_t>(slot) >= settings.options.size()) return false;
    settings.options[static_cast<std::size_t>(slot)] = static_cast<std::int32_t>(number64);
    return false;
}

} // namespace

void registerPickerAndDialogKinds()
{
    UnitKind picker;
    picker.code = kind::colorPicker;
    picker.create = createColorPicker;
    picker.getProperty = getColorPickerProperty;
    picker.setProperty = setColorPickerProperty;
    picker.message = colorPickerMessage;
    registerUnitKind(picker);

    UnitKind dialog;
    dialog.code = kind::commonDlg;
    dialog.create = createHiddenUnitWindow;
    dialog.getProperty = getCommonDlgProperty;
    dialog.setProperty = setCommonDlgProperty;
    registerUnitKind(dialog);
}

} // namespace wrivo
