// The skin's table of system functions bound by name, generated from the one
// list in skin_api_win32.h.
#include "skin/skin_api_win32.h"

namespace wrivo {

namespace {

const BoundFunctionName skinFunctionNames[skinApiCount] = {
#define WRIVO_SKIN_NAME(entry, library, function, Pointer) {library, function},
    WRIVO_SKIN_FUNCTIONS(WRIVO_SKIN_NAME)
#undef WRIVO_SKIN_NAME
};

} // namespace

std::span<const BoundFunctionName> skinFunctionTable()
{
    return skinFunctionNames;
}

DynamicBinding& skinApi()
{
    // Never destroyed: GDI+ is never shut down, so gdiplus.dll (and its
    // background thread) must stay loaded until the process is gone rather
    // than be unloaded by a static destructor on the way out.
    static DynamicBinding& binding = *new DynamicBinding(skinFunctionNames);
    return binding;
}

} // namespace wrivo
