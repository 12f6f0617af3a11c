#include "services/controls/unit_properties.h"

namespace wrivo {

void registerEditBoxKind();
void registerListBoxKind();
void registerPickerAndDialogKinds();

void registerServiceKinds()
{
    registerEditBoxKind();
    registerListBoxKind();
    registerPickerAndDialogKinds();
}

} // namespace wrivo
