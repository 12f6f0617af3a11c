// Undo and redo (Alt+Backspace, Alt+Shift+Backspace, the menu and the edit
// box's own undo request): the document takes its last step back or makes it
// again. The caption, the strip and the recovery copy follow as they follow
// any change; the line-break count does not (these are no Enter or
// Backspace keys).
#include "app/editing_commands.h"

#include "app/document.h"

namespace wrivo {

std::optional<std::int32_t> handlers::undoEdit(const EventArguments&)
{
    document().undo();
    return std::nullopt;
}

std::optional<std::int32_t> handlers::redoEdit(const EventArguments&)
{
    document().redo();
    return std::nullopt;
}

} // namespace wrivo
