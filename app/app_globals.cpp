#include "app/app_globals.h"

#include <memory>

namespace wrivo {
namespace {

// The one reach to the application's state: handlers are plain functions the
// host calls by index, with no object of their own to carry it.
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
