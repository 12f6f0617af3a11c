// Undo and redo: the history's steps put back into the edit box as one edit
// each, so that the caption, the strip and the recovery copy follow as they
// follow any edit (and the line-break count does not: these are no keys).
#include "app/editing_commands.h"

#include "app/app_globals.h"
#include "app/main_window.h"
#include "app/units.h"
#include "host/host.h"
#include "services/controls/edit_box_operations.h"

namespace wrivo {
namespace {

EditHistory& history()
{
    return appGlobals()->editHistory;
}

using NextChange = AppGlobals::NextChange;

// For the length of a change the editor makes, its content change is known.
class Expecting {
public:
    explicit Expecting(NextChange what) { appGlobals()->nextChange = what; }
    ~Expecting()
    {
        appGlobals()->nextChange = NextChange::userEdit;
        appGlobals()->ownStep.reset();
    }
    Expecting(const Expecting&) = delete;
    Expecting& operator=(const Expecting&) = delete;
};

EditRange asRange(std::size_t offset, std::size_t length)
{
    return {static_cast<std::int32_t>(offset), static_cast<std::int32_t>(length)};
}

// The step taken back (undo) or made again: one place is one replacement in
// the edit box; many (a replace-all) give the whole text anew.
// Whether the step's places lie inside the text as it stands (they always
// do while every change goes into the history; a history that does not fit
// is not applied).
bool fits(const EditStep& step, std::size_t textBytes, bool undo)
{
    std::ptrdiff_t shift = 0;
    for (const TextChange& place : step.places) {
        const std::size_t start = undo ? place.offset + static_cast<std::size_t>(shift) : place.offset;
        if (start + (undo ? place.insertedLength : place.removedLength) > textBytes) return false;
        shift += static_cast<std::ptrdiff_t>(place.insertedLength) - static_cast<std::ptrdiff_t>(place.removedLength);
    }
    return true;
}

void replay(const EditStep& step, bool undo)
{
    const std::shared_ptr<const std::string> current = appGlobals()->statistics.document();
    if (!fits(step, current->size(), undo)) {
        history().clear();
        return;
    }
    const ByteSelection selection = undo ? step.selectionBefore : step.selectionAfter;
    bool caretInPlace = false;
    {
        const Expecting replaying(NextChange::replay);
        if (step.places.size() == 1) {
            const TextChange& place = step.places.front();
            const std::string_view replacement = undo ? step.removed : step.inserted;
            replaceRangeIn(editBoxRef, *current,
                           asRange(place.offset, undo ? place.insertedLength : place.removedLength), replacement);
            // The control leaves the caret after what it put in.
            caretInPlace = selection == ByteSelection{static_cast<std::int32_t>(place.offset + replacement.size()), 0};
        } else {
            editBox.setContent(undo ? textBeforeStep(*current, step) : textAfterStep(*current, step));
        }
    }
    if (!caretInPlace) selectIn(editBoxRef, *appGlobals()->statistics.document(), {selection.start, selection.length});
}

} // namespace

void recordDocumentChange(const std::string& before, const std::string& after)
{
    std::optional<EditStep>& ownStep = appGlobals()->ownStep;
    switch (appGlobals()->nextChange) {
    case NextChange::replay: return;
    case NextChange::ownStep:
        if (ownStep) history().recordStep(std::move(*ownStep), after.size());
        ownStep.reset();
        return;
    case NextChange::userEdit: history().recordChange(before, after, steadyMilliseconds()); return;
    }
}

void changeAsStep(EditStep step, const std::function<void()>& change)
{
    const Expecting own(NextChange::ownStep);
    appGlobals()->ownStep = std::move(step);
    change();
}

void startFreshHistory()
{
    history().clear();
}

std::optional<std::int32_t> handlers::undoEdit(const EventArguments&)
{
    if (const EditStep* step = history().undo()) replay(*step, true);
    return std::nullopt;
}

std::optional<std::int32_t> handlers::redoEdit(const EventArguments&)
{
    if (const EditStep* step = history().redo()) replay(*step, false);
    return std::nullopt;
}

} // namespace wrivo
