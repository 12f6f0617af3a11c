#include "app/main_window.h"

#include "app/layout_content.h"
#include "app/start_window.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "services/controls/unit_properties.h"

namespace wrivo {

const UnitRef editBoxRef{WindowId::main, UnitId::editBox, layout::kind::editBox};
const UnitRef listBoxRef{WindowId::main, UnitId::listBox, layout::kind::listBox};
const UnitRef commonDialogRef{WindowId::main, UnitId::commonDialog, layout::kind::commonDlg};

std::string documentText()
{
    return propertyText(readProperty(editBoxRef, EditBoxProperty::content));
}

std::string rememberedFile()
{
    return propertyText(readProperty(commonDialogRef, CommonDlgProperty::fileName));
}

std::optional<std::int32_t> handlers::layoutOnResize(const EventArguments&)
{
    std::int64_t width = propertyNumber(readProperty(mainWindowRef, CommonProperty::width));
    std::int64_t height = propertyNumber(readProperty(mainWindowRef, CommonProperty::height));
    writeProperty(editBoxRef, CommonProperty::width, width - 6);
    writeProperty(editBoxRef, CommonProperty::height, height - 83);
    std::int64_t editHeight = propertyNumber(readProperty(editBoxRef, CommonProperty::height));
    writeProperty(listBoxRef, CommonProperty::top, editHeight - 3);
    writeProperty(listBoxRef, CommonProperty::width, width);
    return std::nullopt;
}

} // namespace wrivo
