#include "app/appearance.h"
#include "app/notices.h"

#include <windows.h>

#include "app/app_globals.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/settings_file.h"
#include "host/font_property.h"
#include "host/host.h"
#include "services/controls/common_dialog_unit_win32.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "services/message_box.h"
#include "services/text.h"

namespace wrivo {
namespace {

using namespace appearance;
using namespace settingsFile;

const UnitRef colorPickerRef{WindowId::main, UnitId::colorPicker, layout::kind::colorPicker};
constexpr std::int64_t fontDialogKind = 2;

std::int64_t number(const UnitRef& unit, int property)
{
    return propertyNumber(readProperty(unit, property));
}

std::string decimal(std::int64_t value)
{
    return toText(Value{static_cast<std::int32_t>(value)});
}

std::int32_t readNumber(const char* key, std::int32_t fallback)
{
    return toInteger(Value{readSetting(key, decimal(fallback))});
}

void setFontFace(const std::string& face)
{
    writeProperty(editBoxRef, EditBoxProperty::font, face, FontMember::faceName);
}

void setFontSize(std::int64_t points)
{
    writeProperty(editBoxRef, EditBoxProperty::font, points, FontMember::size);
}

std::string fontFace()
{
    return propertyText(readProperty(editBoxRef, EditBoxProperty::font, FontMember::faceName));
}

std::int64_t fontSize()
{
    return propertyNumber(readProperty(editBoxRef, EditBoxProperty::font, FontMember::size));
}

void setBackground(std::int64_t colour)
{
    writeProperty(editBoxRef, EditBoxProperty::backgroundColour, colour);
    writeProperty(listBoxRef, ListBoxProperty::backgroundColour, number(editBoxRef, EditBoxProperty::backgroundColour));
}

void offerColours(bool forText)
{
    appGlobals()->colourTarget = forText;
    offerPickerColours(colorPickerRef);
}

} // namespace

std::optional<std::int32_t> handlers::applySettings(const EventArguments&)
{
    writeProperty(editBoxRef, EditBoxProperty::textColour, std::int64_t{readNumber(textColourKey, defaultTextColour)});
    setFontFace(readSetting(fontFaceKey, defaultFontFace));
    writeProperty(editBoxRef, EditBoxProperty::backgroundColour,
                  std::int64_t{readNumber(backgroundColourKey, defaultBackgroundColour)});
    // A hand-edited size no one can read (100000 makes typed text vanish) is
    // taken as the factory size; the file stays as the user wrote it.
    const std::int32_t size = readNumber(fontSizeKey, defaultFontSize);
    setFontSize(size >= smallestFontSize && size <= largestFontSize ? size : defaultFontSize);
    writeProperty(listBoxRef, ListBoxProperty::backgroundColour, number(editBoxRef, EditBoxProperty::backgroundColour));
    return std::nullopt;
}

std::optional<std::int32_t> handlers::chooseTextColour(const EventArguments&)
{
    offerColours(true);
    return std::nullopt;
}

std::optional<std::int32_t> handlers::chooseBackgroundColour(const EventArguments&)
{
    offerColours(false);
    return std::nullopt;
}

std::optional<std::int32_t> handlers::applyChosenColour(const EventArguments&)
{
    const std::int64_t chosen = number(colorPickerRef, ColorPickerProperty::colour);
    if (appGlobals()->colourTarget) {
        // Text the colour of the background is the user's choice to make.
        writeProperty(editBoxRef, EditBoxProperty::textColour, chosen);
        storeSetting(textColourKey, decimal(number(editBoxRef, EditBoxProperty::textColour)));
        return std::nullopt;
    }
    setBackground(chosen);
    const std::int64_t background = number(editBoxRef, EditBoxProperty::backgroundColour);
    if (number(listBoxRef, ListBoxProperty::textColour) == background ||
        number(editBoxRef, EditBoxProperty::textColour) == background) {
        setBackground(conflictBackgroundColour);
        // Stored before the box: when it hands the focus back, the focus
        // handler applies the settings file again.
        storeSetting(backgroundColourKey, decimal(number(editBoxRef, EditBoxProperty::backgroundColour)));
        tell(notices::backgroundConflict());
        return std::nullopt;
    }
    storeSetting(backgroundColourKey, decimal(number(editBoxRef, EditBoxProperty::backgroundColour)));
    return std::nullopt;
}

std::optional<std::int32_t> handlers::chooseFont(const EventArguments&)
{
    // The dialog starts from the font it last returned, not from the edit box's.
    writeProperty(commonDialogRef, CommonDlgProperty::dialogType, fontDialogKind);
    if (!openDialog(commonDialogRef)) return std::nullopt;
    setFontFace(propertyText(readProperty(commonDialogRef, CommonDlgProperty::fontName)));
    setFontSize(number(commonDialogRef, CommonDlgProperty::fontSize));
    storeSetting(fontFaceKey, fontFace());
    storeSetting(fontSizeKey, decimal(fontSize()));
    return std::nullopt;
}

std::optional<std::int32_t> handlers::restoreDefaults(const EventArguments&)
{
    setFontFace(defaultFontFace);
    setFontSize(defaultFontSize);
    writeProperty(editBoxRef, EditBoxProperty::textColour, std::int64_t{defaultTextColour});
    setBackground(defaultBackgroundColour);
    writeProperty(listBoxRef, ListBoxProperty::textColour, std::int64_t{listTextColour});
    storeSetting(fontFaceKey, fontFace());
    storeSetting(fontSizeKey, decimal(fontSize()));
    storeSetting(textColourKey, decimal(number(editBoxRef, EditBoxProperty::textColour)));
    storeSetting(backgroundColourKey, decimal(number(editBoxRef, EditBoxProperty::backgroundColour)));
    return std::nullopt;
}

} // namespace wrivo
