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
#include "app/start_routine.h"
#include "app/start_window.h"
#include "app/statistics_handlers.h"

namespace wrivo {
namespace {

std::array<EventHandler, HandlerIndex::handlerCount> makeHandlerTable()
{
    std::array<EventHandler, HandlerIndex::handlerCount> table{};
    table[HandlerIndex::startSplash] = onStartWindowCreated;
    table[HandlerIndex::splashTick] = onSplashTick;
    table[HandlerIndex::layoutOnResize] = handlers::layoutOnResize;
    table[HandlerIndex::refreshStatistics] = handlers::refreshStatistics;
    table[HandlerIndex::editBoxKeyDown] = handlers::editBoxKeyDown;
    table[HandlerIndex::selectParagraph] = handlers::selectParagraph;
    table[HandlerIndex::clearText] = handlers::clearText;
    table[HandlerIndex::countReport] = handlers::countReport;
    table[HandlerIndex::applySettings] = handlers::applySettings;
    table[HandlerIndex::chooseTextColour] = handlers::chooseTextColour;
    table[HandlerIndex::chooseBackgroundColour] = handlers::chooseBackgroundColour;
    table[HandlerIndex::applyChosenColour] = handlers::applyChosenColour;
    table[HandlerIndex::restoreDefaults] = handlers::restoreDefaults;
    table[HandlerIndex::chooseFont] = handlers::chooseFont;
    table[HandlerIndex::mainWindowKeyDown] = handlers::mainWindowKeyDown;
    table[HandlerIndex::exitDialogue] = handlers::exitDialogue;
    table[HandlerIndex::newDocument] = handlers::newDocument;
    table[HandlerIndex::saveDocument] = handlers::saveDocument;
    table[HandlerIndex::openDocument] = handlers::openDocument;
    table[HandlerIndex::appendDocument] = handlers::appendDocument;
    table[HandlerIndex::insertDateTime] = handlers::insertDateTime;
    table[HandlerIndex::hideNotice] = handlers::hideNotice;
    table[HandlerIndex::helpNotice] = handlers::helpNotice;
    table[HandlerIndex::advertisingNotice] = handlers::advertisingNotice;
    table[HandlerIndex::feedbackNotice] = handlers::feedbackNotice;
    table[HandlerIndex::authorNotice] = handlers::authorNotice;
    table[HandlerIndex::openUpdatePage] = handlers::openUpdatePage;
    table[HandlerIndex::openPartnerSite1] = handlers::openPartnerSite1;
    table[HandlerIndex::openPartnerSite2] = handlers::openPartnerSite2;
    table[HandlerIndex::openPartnerSite3] = handlers::openPartnerSite3;
    table[HandlerIndex::openPartnerSite4] = handlers::openPartnerSite4;
    table[HandlerIndex::openDroppedFile] = handlers::openDroppedFile;
    table[HandlerIndex::findText] = handlers::findText;
    table[HandlerIndex::findNext] = handlers::findNext;
    table[HandlerIndex::findPrevious] = handlers::findPrevious;
    table[HandlerIndex::replaceText] = handlers::replaceText;
    table[HandlerIndex::goToParagraph] = handlers::goToParagraph;
    table[HandlerIndex::undoEdit] = handlers::undoEdit;
    table[HandlerIndex::redoEdit] = handlers::redoEdit;
    return table;
}

} // namespace

HandlerTable applicationHandlers()
{
    static const std::array<EventHandler, HandlerIndex::handlerCount> table = makeHandlerTable();
    return table;
}

} // namespace wrivo
