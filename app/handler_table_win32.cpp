// The application's handlers in the order of HandlerIndex: the layout data
// binds events to these places. A place still empty has no handler, so its
// event is raised and nothing runs.
#include <array>

#include "app/appearance.h"
#include "app/commands.h"
#include "app/document_commands.h"
#include "app/editing_commands.h"
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
// recovery copy met since the last one is said first, never in the middle of
// typing. (Undo and redo are not wrapped: they are pressed while typing.)
template <EventHandler handler>
std::optional<std::int32_t> command(const EventArguments& arguments)
{
    recovery::reportStoreTrouble();
    writing::tellPending();
    return handler(arguments);
}

std::array<EventHandler, HandlerIndex::handlerCount> makeHandlerTable()
{
    std::array<EventHandler, HandlerIndex::handlerCount> table{};
    table[HandlerIndex::startSplash] = onStartWindowCreated;
    table[HandlerIndex::splashTick] = onSplashTick;
    table[HandlerIndex::layoutOnResize] = handlers::layoutOnResize;
    table[HandlerIndex::refreshStatistics] = handlers::refreshStatistics;
    table[HandlerIndex::editBoxKeyDown] = handlers::editBoxKeyDown;
    table[HandlerIndex::selectParagraph] = handlers::selectParagraph;
    table[HandlerIndex::clearText] = command<handlers::clearText>;
    table[HandlerIndex::countReport] = command<handlers::countReport>;
    table[HandlerIndex::applySettings] = handlers::applySettings;
    table[HandlerIndex::chooseTextColour] = command<handlers::chooseTextColour>;
    table[HandlerIndex::chooseBackgroundColour] = command<handlers::chooseBackgroundColour>;
    table[HandlerIndex::applyChosenColour] = handlers::applyChosenColour;
    table[HandlerIndex::restoreDefaults] = command<handlers::restoreDefaults>;
    table[HandlerIndex::chooseFont] = command<handlers::chooseFont>;
    table[HandlerIndex::mainWindowKeyDown] = handlers::mainWindowKeyDown;
    table[HandlerIndex::exitDialogue] = handlers::exitDialogue;
    table[HandlerIndex::newDocument] = command<handlers::newDocument>;
    table[HandlerIndex::saveDocument] = command<handlers::saveDocument>;
    table[HandlerIndex::openDocument] = command<handlers::openDocument>;
    table[HandlerIndex::appendDocument] = command<handlers::appendDocument>;
    table[HandlerIndex::insertDateTime] = command<handlers::insertDateTime>;
    table[HandlerIndex::hideNotice] = command<handlers::hideNotice>;
    table[HandlerIndex::helpNotice] = command<handlers::helpNotice>;
    table[HandlerIndex::advertisingNotice] = command<handlers::advertisingNotice>;
    table[HandlerIndex::feedbackNotice] = command<handlers::feedbackNotice>;
    table[HandlerIndex::authorNotice] = command<handlers::authorNotice>;
    table[HandlerIndex::openUpdatePage] = command<handlers::openUpdatePage>;
    table[HandlerIndex::openPartnerSite1] = command<handlers::openPartnerSite1>;
    table[HandlerIndex::openPartnerSite2] = command<handlers::openPartnerSite2>;
    table[HandlerIndex::openPartnerSite3] = command<handlers::openPartnerSite3>;
    table[HandlerIndex::openPartnerSite4] = command<handlers::openPartnerSite4>;
    table[HandlerIndex::openDroppedFile] = handlers::openDroppedFile;
    table[HandlerIndex::findText] = command<handlers::findText>;
    table[HandlerIndex::findNext] = command<handlers::findNext>;
    table[HandlerIndex::findPrevious] = command<handlers::findPrevious>;
    table[HandlerIndex::replaceText] = command<handlers::replaceText>;
    table[HandlerIndex::goToParagraph] = command<handlers::goToParagraph>;
    table[HandlerIndex::undoEdit] = handlers::undoEdit;
    table[HandlerIndex::redoEdit] = handlers::redoEdit;
    table[HandlerIndex::tidyManuscript] = command<handlers::tidyManuscript>;
    table[HandlerIndex::dailyGoal] = command<handlers::dailyGoal>;
    return table;
}

} // namespace

HandlerTable applicationHandlers()
{
    static const std::array<EventHandler, HandlerIndex::handlerCount> table = makeHandlerTable();
    return table;
}

} // namespace wrivo
