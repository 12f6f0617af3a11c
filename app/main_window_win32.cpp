#include "app/main_window.h"

#include "app/layout_content.h"
#include "app/start_window.h"
#include "app/units.h"
#include "app/writing_lock.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "services/controls/unit_properties.h"

namespace wrivo {

const UnitRef editBoxRef{WindowId::main, UnitId::editBox, layout::kind::editBox};
const UnitRef listBoxRef{WindowId::main, UnitId::listBox, layout::kind::listBox};
const UnitRef commonDialogRef{WindowId::main, UnitId::commonDialog, layout::kind::commonDlg};

std::optional<std::int32_t> handlers::layoutOnResize(const EventArguments&)
{
    if (writing::layOutLocked()) return std::nullopt;
    const std::int64_t width = mainWindow.width();
    const std::int64_t height = mainWindow.height();
    editBox.setWidth(width - 6);
    editBox.setHeight(height - 83);
    listBox.setTop(editBox.height() - 3);
    listBox.setWidth(width);
    return std::nullopt;
}

} // namespace wrivo
