#include "services/controls/common_dialog_unit_win32.h"

#include "host/unit_access.h"
#include "services/controls/common_dialog_win32.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"

namespace wrivo {

namespace {

namespace P = CommonDlgProperty;

std::int64_t numberOf(const UnitRef& unit, int property)
{
    return propertyNumber(readProperty(unit, property));
}

std::string textOf(const UnitRef& unit, int property)
{
    return propertyText(readProperty(unit, property));
}

CommonDialog readDialog(const UnitRef& unit)
{
    CommonDialog dialog;
    dialog.setKind(numberOf(unit, P::dialogType));
    dialog.title = textOf(unit, P::title);
    dialog.fileName = textOf(unit, P::fileName);
    dialog.filter = textOf(unit, P::filter);
    dialog.setFilterIndex(numberOf(unit, P::filterIndex));
    dialog.initialFolder = textOf(unit, P::initialFolder);
    dialog.defaultExtension = textOf(unit, P::defaultExtension);
    dialog.createPrompt = numberOf(unit, P::firstFileOption) != 0;
    dialog.fileMustExist = numberOf(unit, P::firstFileOption + 1) != 0;
    dialog.overwritePrompt = numberOf(unit, P::firstFileOption + 2) != 0;
    dialog.pathMustExist = numberOf(unit, P::firstFileOption + 3) != 0;
    dialog.keepCurrentFolder = numberOf(unit, P::firstFileOption + 4) != 0;
    dialog.fontColour = static_cast<std::uint32_t>(numberOf(unit, P::fontColour));
    dialog.fontBold = numberOf(unit, P::bold) != 0;
    dialog.fontItalic = numberOf(unit, P::italic) != 0;
    dialog.fontUnderline = numberOf(unit, P::underline) != 0;
    dialog.fontStrikeOut = numberOf(unit, P::strikeOut) != 0;
    dialog.fontName = textOf(unit, P::fontName);
    dialog.setFontSize(numberOf(unit, P::fontSize));
    dialog.helpFile = textOf(unit, P::helpFile);
    dialog.helpCommand = static_cast<std::int32_t>(numberOf(unit, P::helpCommand));
    dialog.helpContext = static_cast<std::int32_t>(numberOf(unit, P::helpValue));
    return dialog;
}

// Only what a confirmed dialog can change is written back.
void writeAnswer(const UnitRef& unit, const CommonDialog& dialog)
{
    if (dialog.kind == CommonDialog::openFile || dialog.kind == CommonDialog::saveFile) {
        writeProperty(unit, P::fileName, dialog.fileName);
        return;
    }
    if (dialog.kind != CommonDialog::font) return;
    writeProperty(unit, P::fontColour, std::int64_t{dialog.fontColour});
    writeProperty(unit, P::bold, std::int64_t{dialog.fontBold});
    writeProperty(unit, P::italic, std::int64_t{dialog.fontItalic});
    writeProperty(unit, P::underline, std::int64_t{dialog.fontUnderline});
    writeProperty(unit, P::strikeOut, std::int64_t{dialog.fontStrikeOut});
    writeProperty(unit, P::fontName, dialog.fontName);
    writeProperty(unit, P::fontSize, std::int64_t{dialog.fontSize});
}

} // namespace

bool openDialog(const UnitRef& commonDialog)
{
    CommonDialog dialog = readDialog(commonDialog);
    HWND control = reinterpret_cast<HWND>(windowHandle(commonDialog));
    HWND owner = control ? GetAncestor(control, GA_ROOT) : nullptr;
    if (!openDialog(dialog, owner)) return false;
    writeAnswer(commonDialog, dialog);
    return true;
}

} // namespace wrivo
