#include "services/controls/control_edit.h"

#include <algorithm>

namespace wrivo {

std::optional<ControlStretch> stretchOf(const ControlEdit& edit, std::int32_t lengthBefore)
{
    const std::int32_t selectionStart = std::min(edit.selectionStart, edit.selectionEnd);
    const std::int32_t selectionEnd = std::max(edit.selectionStart, edit.selectionEnd);
    const std::int32_t length = edit.length.value_or(edit.caret + lengthBefore - selectionEnd);
    if (selectionStart < 0 || selectionEnd > lengthBefore || edit.caret < 0 || edit.caret > length) return std::nullopt;
    const std::int32_t start = std::min(selectionStart, edit.caret);
    const std::int32_t untouchedEnd = std::min(lengthBefore - selectionEnd, length - edit.caret);
    const ControlStretch stretch{start, lengthBefore - untouchedEnd - start, length - untouchedEnd - start};
    if (stretch.removed < 0 || stretch.inserted < 0) return std::nullopt;
    return stretch;
}

} // namespace wrivo
