#include "app/app_globals.h"

#include <memory>

#include "app/chapter_commands.h"
#include "app/recovery.h"
#include "app/statistics_handlers.h"
#include "app/versions.h"
#include "app/writing_desk.h"

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
    AppGlobals& globals = *globalsSlot();
    DocumentModel& model = globals.document;
    std::unique_ptr<DocumentWatcher> watchers[] = {watchCaptionAndRows(model), recovery::watchDocument(),
                                                   watchChapters(), writing::watchDocument(), versions::watchSaves()};
    for (std::unique_ptr<DocumentWatcher>& watcher : watchers) {
        model.watch(*watcher);
        globals.watchers.push_back(std::move(watcher));
    }
}

ProcessState& processState()
{
    static ProcessState* state = new ProcessState;
    return *state;
}

BackgroundQueue& worker()
{
    return processState().worker;
}

void releaseAppGlobals()
{
    globalsSlot().reset();
}

} // namespace wrivo
