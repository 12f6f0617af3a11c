#include "skin/skin_state_win32.h"

namespace wrivo {

namespace {

// The state's one home. A global, because the caret's TimerProc and the
// skinned controls' subclass procedures are called with a window handle only.
// Destroyed after the program's last handler: the skin's binding table (and
// so GDI+) outlives it.
std::unique_ptr<SkinState> home;

} // namespace

SkinState& skinState()
{
    if (!home) home = std::make_unique<SkinState>();
    return *home;
}

} // namespace wrivo
