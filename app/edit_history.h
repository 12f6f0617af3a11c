// The document's undo and redo history.
//
// A step holds only what changed: for each changed place, where it was and the
// bytes taken out and put in (one place for an edit, one per match for a
// replace-all), and the selection before and after it. A run of typed
// characters is one step until a pause of a second or more, a caret move or
// another kind of change; a run of Backspaces likewise. Undo restores the
// text and selection before a step, redo reapplies it; a new change drops
// what could have been redone. At most 1,000 steps and max(64 MB, four times
// the document) bytes are kept, the oldest going first. A step that changed
// the remembered file (an append) changes it back and forth with the text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/statistics.h"
#include "services/text/text_change.h"

namespace wrivo {

struct FileChange {
    std::string before;
    std::string after;
};

struct EditStep {
    // In the order of the text, offsets into the text before the step.
    std::vector<TextChange> places;
    std::string removed;  // the removed bytes of every place, one after the other
    std::string inserted; // the inserted bytes likewise
    ByteSelection selectionBefore;
    ByteSelection selectionAfter;
    std::optional<FileChange> file; // the remembered file, when the step changed it
    // Whether the change counted as writing in the day's figure: the clear
    // command and an append load or drop text rather than write it, and
    // their undo and redo count as they did, which is not at all.
    bool countsAsWriting = true;

    // One place: `removed` at `offset` becomes `inserted`.
    static EditStep single(std::size_t offset, std::string_view removed, std::string_view inserted,
                           ByteSelection before, ByteSelection after);
    std::size_t bytes() const;
};

// The one stretch in which `after` differs from `before`, as a step: the
// stretch selected before it, the caret after what it put in.
EditStep stepBetween(std::string_view before, std::string_view after);

// Where a place of the text before the step stands after it: moved by what
// the places before it added or took away; inside a replaced stretch, at the
// end of what replaced it.
std::size_t offsetAfterStep(const EditStep& step, std::size_t offset);

// The text before the step, given the text after it, and the other way round.
std::string textBeforeStep(std::string_view after, const EditStep& step);
std::string textAfterStep(std::string_view before, const EditStep& step);

class EditHistory {
public:
    static constexpr std::size_t maxSteps = 1000;
    static constexpr std::size_t minByteBudget = 64u << 20;

    // A change the user made in the edit box, found by comparing the text
    // before it with the text after it. `nowMs` is a steady clock.
    void recordChange(std::string_view before, std::string_view after, std::uint64_t nowMs);
    // The same with the stretch already found (changedStretch of the two).
    void recordChange(std::string_view before, std::string_view after, const TextChange& change, std::uint64_t nowMs);
    // A change the editor made itself, described whole.
    void recordStep(EditStep step, std::size_t documentBytes);
    // A correction of the text found by a later check (the text the history
    // followed differed from the box's): `correction` of the text as the
    // last step left it, `after` the corrected text. It becomes part of the
    // text each step left, not a step of its own, so that no undo puts back
    // what the box never held; what was undone can no longer be redone. A
    // correction that straddles the edge of what a step changed cannot be
    // placed in it, and then the history starts afresh.
    void absorb(const TextChange& correction, std::string_view after);
    // The caret moved: the next typed character starts a new step.
    void breakRun() { runOpen_ = false; }
    // New and open start afresh.
    void clear();

    bool canUndo() const { return applied_ > 0; }
    bool canRedo() const { return applied_ < steps_.size(); }
    // The step undo or redo would take, without taking it (null when none).
    const EditStep* nextToUndo() const { return canUndo() ? &steps_[applied_ - 1] : nullptr; }
    const EditStep* nextToRedo() const { return canRedo() ? &steps_[applied_] : nullptr; }
    // The step to take back (null when none); it counts as undone.
    const EditStep* undo();
    // The step to reapply (null when none); it counts as done again.
    const EditStep* redo();

    std::size_t stepCount() const { return steps_.size(); }
    std::size_t byteCount() const { return bytes_; }

private:
    enum class Kind {
        typing,
        deleting,
        other
    };
    bool extendsRun(const TextChange& change, std::string_view before, std::string_view after, std::uint64_t nowMs);
    void push(EditStep step, Kind kind, std::size_t documentBytes);
    void dropRedo();

    std::deque<EditStep> steps_;
    std::size_t applied_ = 0; // steps_[0 .. applied_) are done, the rest undone
    std::size_t bytes_ = 0;
    Kind lastKind_ = Kind::other;
    bool runOpen_ = false;
    std::uint64_t lastChangeMs_ = 0;
};

} // namespace wrivo
