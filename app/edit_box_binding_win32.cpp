#include "app/edit_box_binding.h"

#include <cassert>
#include <memory>
#include <utility>

#include "app/main_window.h"
#include "app/units.h"
#include "host/host.h"
#include "services/controls/common_dialog_unit_win32.h"
#include "services/controls/control_operations.h"
#include "services/controls/edit_box_operations.h"
#include "services/controls/unit_faces.h"

namespace wrivo {
namespace {

// The edit box's face with its text writable: nowhere else.
class EditBoxWriter : public EditBoxFace {
public:
    using EditBoxFace::EditBoxFace;
    void setContent(std::string content) const { write(EditBoxProperty::content, std::move(content)); }
};

} // namespace

EditBoxBinding::EditBoxBinding(DocumentModel& model) : model_(model)
{
    model_.bind(*this, steadyMilliseconds);
}

void EditBoxBinding::contentChanged()
{
    if (takeEdit()) {
#ifndef NDEBUG
        assert(model_.text() == editBox.content()); // the stretch gave what the whole text gives
#endif
        return;
    }
    auto after = std::make_shared<std::string>(editBox.content());
    // Found once for the count, the offsets and the history.
    const TextChange change = changedStretch(model_.text(), *after);
    controlChangesSeen_ = controlChanges(editBoxRef);
    model_.boxChanged(std::move(after), change, true);
}

bool EditBoxBinding::takeEdit()
{
    const std::uint32_t changes = controlChanges(editBoxRef);
    if (changes != controlChangesSeen_ + 1) return false;
    const std::optional<ControlEdit> edit = lastControlEdit(editBoxRef);
    if (!edit || edit->number != changes) return false;
    const std::string& before = model_.text();
    const CharacterOffsets& at = model_.offsets();
    const std::int32_t lengthBefore = controlOffset(at, static_cast<std::int32_t>(before.size()));
    const std::optional<ControlStretch> stretch = stretchOf(*edit, lengthBefore);
    if (!stretch) return false;
    std::optional<std::string> inserted =
        stretch->inserted == 0 ? std::string()
                               : textStretch(editBoxRef, stretch->start, stretch->start + stretch->inserted,
                                             lengthBefore - stretch->removed + stretch->inserted);
    if (!inserted) return false;
    const auto from = static_cast<std::size_t>(byteOffset(at, stretch->start));
    const auto to = static_cast<std::size_t>(byteOffset(at, stretch->start + stretch->removed));
    // Narrowed to the bytes that differ: a character typed over the same one
    // changes nothing.
    TextChange change = changedStretch(std::string_view(before).substr(from, to - from), *inserted);
    change.offset += from;
    std::shared_ptr<std::string> after = model_.textWith(from, to, *inserted);
    controlChangesSeen_ = changes;
    model_.boxChanged(std::move(after), change, false);
    return true;
}

// The model reads the whole text to confirm its snapshot, and takes it when
// it differs: either way it holds the box's text from here on.
std::string EditBoxBinding::content()
{
    controlChangesSeen_ = controlChanges(editBoxRef);
    return editBox.content();
}

void EditBoxBinding::setContent(std::string text)
{
    EditBoxWriter(editBoxRef).setContent(std::move(text));
}

void EditBoxBinding::replaceRange(const CharacterOffsets& offsets, EditRange range, std::string_view replacement)
{
    replaceRangeIn(editBoxRef, offsets, range, replacement);
}

void EditBoxBinding::replaceRanges(const CharacterOffsets& offsets, std::span<const RangeReplacement> replacements)
{
    {
        const EventSuspension quiet;
        replaceRangesIn(editBoxRef, offsets, replacements);
    }
    // One content change for all of them: the text read once (a few
    // milliseconds a megabyte, next to tens for each replacement).
    raiseEvent(editBoxRef.window, editBoxRef.unit, UnitEvent::primary);
}

void EditBoxBinding::append(std::string_view text)
{
    appendText(editBoxRef, {text});
}

EditRange EditBoxBinding::selection(const CharacterOffsets& offsets)
{
    return selectionIn(editBoxRef, offsets);
}

void EditBoxBinding::select(const CharacterOffsets& offsets, EditRange range)
{
    selectIn(editBoxRef, offsets, range);
}

std::string EditBoxBinding::rememberedFile() const
{
    return commonDialog.fileName();
}

void EditBoxBinding::rememberFile(const std::string& path)
{
    commonDialog.setFileName(path);
}

} // namespace wrivo
