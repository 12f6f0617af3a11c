// The colour picker and common dialog kinds as units: the colour picker's
// child window (hidden in this program; its palette popup belongs to the
// dialogs service) and the common dialog's hidden window, both holding their
// settings as properties for the services that run the dialogs.
#include "host/unit_access.h"
#include "services/controls/colour_picker_win32.h"
#include "services/controls/common_dialog.h"
#include "services/controls/unit_properties.h"

namespace wrivo {

using layout::LayoutUnit;
using layout::unitDisabled, layout::unitTabStop, layout::ColorPickerSettings, layout::CommonDlgSettings;
namespace kind = layout::kind;

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
    return CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "", style, record.common.left, record.common.top,
                           record.common.width, record.common.height, creation.parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.controlId)), GetModuleHandleA(nullptr),
                           nullptr);
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

// What a colour picker keeps beside its record: the custom colours of its
// system colour dialog.
struct ColorPickerState : UnitState {
    CustomColours customColours{};
};

CustomColours& customColoursOf(LiveUnit& unit)
{
    if (!unit.state) unit.state = std::make_unique<ColorPickerState>();
    return static_cast<ColorPickerState&>(*unit.state).customColours;
}

// The picker paints its colour and opens the palette on a left-button
// release; a choice is stored and raises colour-chosen once.
bool colorPickerMessage(LiveUnit& unit, UINT message, WPARAM, LPARAM, LRESULT& result)
{
    auto& settings = settingsOf<ColorPickerSettings>(unit);
    std::optional<std::uint32_t> chosen;
    if (!handleColourPickerMessage(unit.handle, message, settings.colour, settings.second != 0, customColoursOf(unit),
                                   chosen))
        return false;
    result = 0;
    if (chosen) {
        settings.colour = *chosen;
        raiseUnitEvent(unit, UnitEvent::primary);
    }
    return true;
}

// The stored record keeps options 15 to 19 in the first five of its thirteen
// option ints (the rest carry their stored values). The font and help
// settings (20 to 29) start as the dialog starts (black, not bold, size 0,
// help command 0) and live beside the record for as long as the unit lives;
// the font name and help file take the record's two spare texts.
struct CommonDlgState : UnitState {
    CommonDialog values;
};

CommonDialog& dialogValuesOf(LiveUnit& unit)
{
    if (!unit.state) unit.state = std::make_unique<CommonDlgState>();
    return static_cast<CommonDlgState&>(*unit.state).values;
}

constexpr int fileOptionCount = 5;

PropertyValue getCommonDlgProperty(LiveUnit& unit, int number)
{
    auto& settings = settingsOf<CommonDlgSettings>(unit);
    const CommonDialog& values = dialogValuesOf(unit);
    namespace P = CommonDlgProperty;
    switch (number) {
    case P::dialogType: return std::int64_t{settings.dialogType};
    case P::title: return settings.title;
    case P::fileName: return settings.fileName;
    case P::filter: return settings.filter;
    case P::filterIndex: return std::int64_t{settings.filterIndex};
    case P::initialFolder: return settings.initialFolder;
    case P::defaultExtension: return settings.defaultExtension;
    case P::fontColour: return std::int64_t{values.fontColour};
    case P::bold: return std::int64_t{values.fontBold};
    case P::italic: return std::int64_t{values.fontItalic};
    case P::underline: return std::int64_t{values.fontUnderline};
    case P::strikeOut: return std::int64_t{values.fontStrikeOut};
    case P::fontName: return settings.extraText1;
    case P::fontSize: return std::int64_t{values.fontSize};
    case P::helpFile: return settings.extraText2;
    case P::helpCommand: return std::int64_t{values.helpCommand};
    case P::helpValue: return std::int64_t{values.helpContext};
    default: break;
    }
    const int slot = number - P::firstFileOption;
    return std::int64_t{slot >= 0 && slot < fileOptionCount ? settings.options[static_cast<std::size_t>(slot)] : 0};
}

bool setCommonDlgProperty(LiveUnit& unit, int number, const PropertyValue& value)
{
    auto& settings = settingsOf<CommonDlgSettings>(unit);
    CommonDialog& values = dialogValuesOf(unit);
    const std::int64_t number64 = propertyNumber(value);
    const bool on = number64 != 0;
    namespace P = CommonDlgProperty;
    switch (number) {
    case P::dialogType:
        values.setKind(number64);
        settings.dialogType = values.kind;
        return false;
    case P::title: settings.title = propertyText(value); return false;
    case P::fileName: settings.fileName = propertyText(value); return false;
    case P::filter: settings.filter = propertyText(value); return false;
    case P::filterIndex:
        values.setFilterIndex(number64);
        settings.filterIndex = values.filterIndex;
        return false;
    case P::initialFolder: settings.initialFolder = propertyText(value); return false;
    case P::defaultExtension: settings.defaultExtension = propertyText(value); return false;
    case P::fontColour: values.fontColour = static_cast<std::uint32_t>(number64); return false;
    case P::bold: values.fontBold = on; return false;
    case P::italic: values.fontItalic = on; return false;
    case P::underline: values.fontUnderline = on; return false;
    case P::strikeOut: values.fontStrikeOut = on; return false;
    case P::fontName: settings.extraText1 = propertyText(value); return false;
    case P::fontSize: values.setFontSize(number64); return false;
    case P::helpFile: settings.extraText2 = propertyText(value); return false;
    case P::helpCommand: values.helpCommand = static_cast<std::int32_t>(number64); return false;
    case P::helpValue: values.helpContext = static_cast<std::int32_t>(number64); return false;
    default: break;
    }
    const int slot = number - P::firstFileOption;
    if (slot >= 0 && slot < fileOptionCount) settings.options[static_cast<std::size_t>(slot)] = on ? 1 : 0;
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
