#include "app/appearance.h"
#include "app/notices.h"

#include <windows.h>

#include "app/app_globals.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/settings_file.h"
#include "app/units.h"
#include "host/font_property.h"
#include "host/host.h"
#include "services/controls/common_dialog_unit_win32.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "services/dialogs/message_box.h"
#include "services/text/text.h"

namespace wrivo {
namespace {

using namespace appearance;
using namespace settingsFile;

constexpr std::int64_t fontDialogKind = 2;

std::string decimal(std::int64_t value)
{
    return toText(Value{static_cast<std::int32_t>(value)});
}

std::int32_t readNumber(const char* key, std::int32_t fallback)
{
    return toInteger(Value{readSetting(key, decimal(fallback))});
}

void setBackground(std::int64_t colour)
{
    editBox.setBackgroundColour(colour);
    listBox.setBackgroundColour(editBox.backgroundColour());
}

void offerColours(bool forText)
{
    appGlobals()->colourTarget = forText;
    offerPickerColours(colourPicker.ref());
}

} // namespace

std::optional<std::int32_t> handlers::applySettings(const EventArguments&)
{
    editBox.setTextColour(readNumber(textColourKey, defaultTextColour));
    editBox.setFontFace(readSetting(fontFaceKey, defaultFontFace));
    editBox.setBackgroundColour(readNumber(backgroundColourKey, defaultBackgroundColour));
    // A hand-edited size no one can read (100000 makes typed text vanish) is
    // taken as the factory size; the file stays as the user wrote it.
    const std::int32_t size = readNumber(fontSizeKey, defaultFontSize);
    editBox.setFontSize(size >= smallestFontSize && size <= largestFontSize ? size : defaultFontSize);
    listBox.setBackgroundColour(editBox.backgroundColour());
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
    const std::int64_t chosen = colourPicker.colour();
    if (appGlobals()->colourTarget) {
        // Text the colour of the background is the user's choice to make.
        editBox.setTextColour(chosen);
        storeSetting(textColourKey, decimal(editBox.textColour()));
        return std::nullopt;
    }
    setBackground(chosen);
    const std::int64_t background = editBox.backgroundColour();
    if (listBox.textColour() == background || editBox.textColour() == background) {
        setBackground(conflictBackgroundColour);
        // Stored before the box: when it hands the focus back, the focus
        // handler applies the settings file again.
        storeSetting(backgroundColourKey, decimal(editBox.backgroundColour()));
        tell(notices::backgroundConflict());
        return std::nullopt;
    }
    storeSetting(backgroundColourKey, decimal(editBox.backgroundColour()));
    return std::nullopt;
}

// The font dialog; a confirmed face and size go to the edit box and the file.
std::optional<std::int32_t> handlers::chooseFont(const EventArguments&)
{
    // The dialog starts from the font it last returned, not from the edit box's.
    commonDialog.setDialogType(fontDialogKind);
    if (!openDialog(commonDialog.ref())) return std::nullopt;
    editBox.setFontFace(commonDialog.fontName());
    editBox.setFontSize(commonDialog.fontSize());
    storeSetting(fontFaceKey, editBox.fontFace());
    storeSetting(fontSizeKey, decimal(editBox.fontSize()));
    return std::nullopt;
}

std::optional<std::int32_t> handlers::restoreDefaults(const EventArguments&)
{
    editBox.setFontFace(defaultFontFace);
    editBox.setFontSize(defaultFontSize);
    editBox.setTextColour(defaultTextColour);
    setBackground(defaultBackgroundColour);
    listBox.setTextColour(listTextColour);
    storeSetting(fontFaceKey, editBox.fontFace());
    storeSetting(fontSizeKey, decimal(editBox.fontSize()));
    storeSetting(textColourKey, decimal(editBox.textColour()));
    storeSetting(backgroundColourKey, decimal(editBox.backgroundColour()));
    return std::nullopt;
}

} // namespace wrivo
