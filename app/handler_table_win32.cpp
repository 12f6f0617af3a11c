// The application's handlers in the order of HandlerIndex: the layout data
// binds events to these places. A place still empty has no handler, so its
// event is raised and nothing runs.
#include <array>

#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/start_routine.h"
#include "app/start_window.h"

namespace wrivo {
namespace {

std::array<EventHandler, handlerCount> makeHandlerTable()
{
    std::array<EventHandler, handlerCount> table{};
    table[HandlerIndex::startSplash] = onStartWindowCreated;
    table[HandlerIndex::splashTick] = onSplashTick;
    table[HandlerIndex::layoutOnResize] = handlers::layoutOnResize;
    return table;
}

} // namespace

HandlerTable applicationHandlers()
{
    static const std::array<EventHandler, handlerCount> table = makeHandlerTable();
    return table;
}

} // namespace wrivo
