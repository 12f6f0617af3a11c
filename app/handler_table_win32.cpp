// The application's handlers in the order of HandlerIndex, as
// app/command_table.h lists them: the layout data binds events to these
// places. A place left empty (a command the edit box does itself) has no
// handler, so its event is raised and nothing runs.
#include <array>

#include "app/appearance.h"
#include "app/command_handlers.h"
#include "app/commands.h"
#include "app/exit_dialogue.h"
#include "app/layout_content.h"
#include "app/main_window.h"
#include "app/named_files.h"
#include "app/recovery.h"
#include "app/start_routine.h"
#include "app/start_window.h"
#include "app/statistics_handlers.h"
#include "app/writing_desk.h"

namespace wrivo {

namespace {

// A command the user chose from the menu or by its key: what the background
// recovery copy met since the last one, and the daily goal reached, are said
// first, never in the middle of typing.
template <EventHandler handler>
std::optional<std::int32_t> command(const EventArguments& arguments)
{
    recovery::reportStoreTrouble();
    writing::tellPending();
    return handler(arguments);
}

// How each way a command runs (app/command_table.h) fills its place.
#define WRIVO_RUNS_afterNotices(name) command<handlers::name>
#define WRIVO_RUNS_whileTyping(name) handlers::name
#define WRIVO_RUNS_byEditBox(name) nullptr

#define WRIVO_EVENT_PLACE(name, function) table[HandlerIndex::name] = function;
#define WRIVO_NOTHING(...)
#define WRIVO_COMMAND_PLACE(name, caption, level, shortcut, flags, runs) \
    table[HandlerIndex::name] = WRIVO_RUNS_##runs(name);

std::array<EventHandler, HandlerIndex::handlerCount> makeHandlerTable()
{
    std::array<EventHandler, HandlerIndex::handlerCount> table{};
    WRIVO_HANDLERS(WRIVO_EVENT_PLACE, WRIVO_COMMAND_PLACE, WRIVO_NOTHING)
    return table;
}

} // namespace

HandlerTable applicationHandlers()
{
    static const std::array<EventHandler, HandlerIndex::handlerCount> table = makeHandlerTable();
    return table;
}

} // namespace wrivo
