#include "skin/skin_state_win32.h"

namespace wrivo {

SkinState& skinState()
{
    // Never destroyed, like the binding table: a static destructor on the way
    // out would run after GDI+ and the windows it refers to are gone.
    static SkinState& state = *new SkinState;
    return state;
}

} // namespace wrivo
