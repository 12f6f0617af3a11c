#include "app/app_globals.h"

#include <memory>

namespace wrivo {
namespace {

std::unique_ptr<AppGlobals>& globalsSlot()
{
    static std::unique_ptr<AppGlobals> globals;
    return globals;
}

} // namespace

AppGlobals* appGlobals()
{
    return globalsSlot().get();
}

void createAppGlobals()
{
    globalsSlot() = std::make_unique<AppGlobals>();
}

void releaseAppGlobals()
{
    globalsSlot().reset();
}

} // namespace wrivo
