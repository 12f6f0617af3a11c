#include "app/edit_history.h"

#include <algorithm>

#include "services/text/gbk_scan.h"

namespace wrivo {
namespace {

// A pause this long (or longer) between two typed characters ends a step.
constexpr std::uint64_t runPauseMs = 1000;

// One typed (or deleted) character as the edit box has it: a byte that leads
// nothing, a double-byte character, or the line break Enter puts in.
bool isOneCharacter(std::string_view bytes)
{
    if (bytes.size() == 1) return !gbk::CodePageRule::leads(static_cast<unsigned char>(bytes[0]));
    return bytes.size() == 2 && (gbk::CodePageRule::leads(static_cast<unsigned char>(bytes[0])) || bytes == "\r\n");
}

ByteSelection caretAt(std::size_t offset)
{
    return {static_cast<std::int32_t>(offset), 0};
}

ByteSelection range(std::size_t offset, std::size_t length)
{
    return {static_cast<std::int32_t>(offset), static_cast<std::int32_t>(length)};
}

// Rebuilds a text place by place: from each place's start in `source`, the
// bytes `take` says it had there are skipped and the ones `put` says are
// written instead. `sourceOffset` turns a place into where it starts in source.
template <typename SourceOffset>
std::string rebuild(std::string_view source, const EditStep& step, bool forward, SourceOffset sourceOffset)
{
    std::string text;
    const std::string_view put = forward ? step.inserted : step.removed;
    text.reserve(source.size() + put.size());
    std::size_t copied = 0, putAt = 0;
    for (const TextChange& place : step.places) {
        const std::size_t start = sourceOffset(place);
        const std::size_t skipped = forward ? place.removedLength : place.insertedLength;
        const std::size_t written = forward ? place.insertedLength : place.removedLength;
        text.append(source, copied, start - copied);
        text.append(put, putAt, written);
        putAt += written;
        copied = start + skipped;
    }
    text.append(source, copied, std::string_view::npos);
    return text;
}

// A correction: `removed` bytes at `at` become `put`.
struct Correction {
    std::size_t at = 0;
    std::size_t removed = 0;
    std::string_view put;
    std::ptrdiff_t growth() const
    {
        return static_cast<std::ptrdiff_t>(put.size()) - static_cast<std::ptrdiff_t>(removed);
    }
};

void shiftPast(ByteSelection& selection, const Correction& correction)
{
    if (static_cast<std::size_t>(selection.start) > correction.at)
        selection.start = static_cast<std::int32_t>(std::max<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(correction.at),
                                                                             selection.start + correction.growth()));
}

enum class Absorbed {
    inStep, // the step now puts in the corrected bytes
    before, // the correction lies outside the step: `correction` now names it in the text before the step
    straddles
};

// `correction` of the text after `step`, made part of it.
Absorbed absorbInto(EditStep& step, Correction& correction)
{
    std::ptrdiff_t shift = 0;
    std::size_t insertedAt = 0;
    for (std::size_t k = 0; k < step.places.size(); ++k) {
        TextChange& place = step.places[k];
        const std::size_t start = place.offset + static_cast<std::size_t>(shift);
        const std::size_t end = start + place.insertedLength;
        if (correction.at >= start && correction.at + correction.removed <= end) {
            step.inserted.replace(insertedAt + (correction.at - start), correction.removed, correction.put);
            place.insertedLength = place.insertedLength + correction.put.size() - correction.removed;
            shiftPast(step.selectionAfter, correction);
            return Absorbed::inStep;
        }
        if (correction.at + correction.removed <= start) {
            // In the text the step left alone, before this place: the later
            // places stand shifted in the text before the step too.
            for (std::size_t j = k; j < step.places.size(); ++j)
                step.places[j].offset = step.places[j].offset + static_cast<std::size_t>(correction.growth());
            break;
        }
        if (correction.at < end) return Absorbed::straddles;
        shift += static_cast<std::ptrdiff_t>(place.insertedLength) - static_cast<std::ptrdiff_t>(place.removedLength);
        insertedAt += place.insertedLength;
    }
    shiftPast(step.selectionAfter, correction);
    correction.at -= static_cast<std::size_t>(shift);
    shiftPast(step.selectionBefore, correction);
    return Absorbed::before;
}

} // namespace

EditStep EditStep::single(std::size_t offset, std::string_view removed, std::string_view inserted, ByteSelection before,
                          ByteSelection after)
{
    EditStep step;
    step.places.push_back({offset, removed.size(), inserted.size()});
    step.removed = removed;
    step.inserted = inserted;
    step.selectionBefore = before;
    step.selectionAfter = after;
    return step;
}

std::size_t EditStep::bytes() const
{
    return sizeof(EditStep) + places.size() * sizeof(TextChange) + removed.size() + inserted.size() +
           (file ? file->before.size() + file->after.size() : 0);
}

EditStep stepBetween(std::string_view before, std::string_view after)
{
    const TextChange change = changedStretch(before, after);
    return EditStep::single(change.offset, before.substr(change.offset, change.removedLength),
                            after.substr(change.offset, change.insertedLength),
                            range(change.offset, change.removedLength), caretAt(change.offset + change.insertedLength));
}

std::size_t offsetAfterStep(const EditStep& step, std::size_t offset)
{
    std::ptrdiff_t shift = 0;
    for (const TextChange& place : step.places) {
        if (place.offset >= offset) break;
        if (place.offset + place.removedLength > offset)
            return place.offset + static_cast<std::size_t>(shift) + place.insertedLength;
        shift += static_cast<std::ptrdiff_t>(place.insertedLength) - static_cast<std::ptrdiff_t>(place.removedLength);
    }
    return offset + static_cast<std::size_t>(shift);
}

std::string textAfterStep(std::string_view before, const EditStep& step)
{
    return rebuild(before, step, true, [](const TextChange& place) { return place.offset; });
}

std::string textBeforeStep(std::string_view after, const EditStep& step)
{
    // Each place stands shifted by what the places before it added or took away.
    std::ptrdiff_t shift = 0;
    return rebuild(after, step, false, [&shift](const TextChange& place) {
        const std::size_t start = place.offset + static_cast<std::size_t>(shift);
        shift += static_cast<std::ptrdiff_t>(place.insertedLength) - static_cast<std::ptrdiff_t>(place.removedLength);
        return start;
    });
}

void EditHistory::recordChange(std::string_view before, std::string_view after, std::uint64_t nowMs)
{
    recordChange(before, after, changedStretch(before, after), nowMs);
}

void EditHistory::recordChange(std::string_view before, std::string_view after, const TextChange& change,
                               std::uint64_t nowMs)
{
    if (change.removedLength == 0 && change.insertedLength == 0) return;
    const std::string_view removed = before.substr(change.offset, change.removedLength);
    const std::string_view inserted = after.substr(change.offset, change.insertedLength);
    const bool continued = extendsRun(change, removed, inserted, nowMs);
    lastChangeMs_ = nowMs;
    if (continued) return;

    Kind kind = Kind::other;
    ByteSelection selectionBefore = range(change.offset, removed.size()); // a selection pasted over or cut
    if (isOneCharacter(inserted)) {
        kind = Kind::typing; // typed at the caret, or over a selection
    } else if (inserted.empty() && isOneCharacter(removed)) {
        kind = Kind::deleting; // Backspace: the caret stood after the character
        selectionBefore = caretAt(change.offset + removed.size());
    }
    push(EditStep::single(change.offset, removed, inserted, selectionBefore, caretAt(change.offset + inserted.size())),
         kind, after.size());
    runOpen_ = kind != Kind::other;
}

bool EditHistory::extendsRun(const TextChange& change, std::string_view removed, std::string_view inserted,
                             std::uint64_t nowMs)
{
    if (!runOpen_ || applied_ == 0 || applied_ != steps_.size() || nowMs - lastChangeMs_ >= runPauseMs) return false;
    EditStep& step = steps_.back();
    if (step.places.size() != 1) return false;
    TextChange& place = step.places.front();
    if (lastKind_ == Kind::typing && removed.empty() && isOneCharacter(inserted) &&
        change.offset == place.offset + place.insertedLength) {
        step.inserted += inserted;
        place.insertedLength += inserted.size();
        step.selectionAfter = caretAt(place.offset + place.insertedLength);
    } else if (lastKind_ == Kind::deleting && inserted.empty() && isOneCharacter(removed) &&
               change.offset + removed.size() == place.offset) {
        step.removed.insert(0, removed);
        place.offset = change.offset;
        place.removedLength += removed.size();
        step.selectionAfter = caretAt(place.offset);
    } else {
        return false;
    }
    bytes_ += inserted.size() + removed.size();
    return true;
}

void EditHistory::recordStep(EditStep step, std::size_t documentBytes)
{
    push(std::move(step), Kind::other, documentBytes);
    runOpen_ = false;
}

void EditHistory::dropRedo()
{
    for (std::size_t i = applied_; i < steps_.size(); ++i) bytes_ -= steps_[i].bytes();
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(applied_), steps_.end());
}

void EditHistory::push(EditStep step, Kind kind, std::size_t documentBytes)
{
    dropRedo(); // what was undone can no longer be redone
    bytes_ += step.bytes();
    steps_.push_back(std::move(step));
    applied_ = steps_.size();
    lastKind_ = kind;
    // The newest step stays, however large.
    const std::size_t budget = std::max(minByteBudget, 4 * documentBytes);
    while (steps_.size() > maxSteps || (bytes_ > budget && steps_.size() > 1)) {
        bytes_ -= steps_.front().bytes();
        steps_.pop_front();
        --applied_;
    }
}

void EditHistory::absorb(const TextChange& correction, std::string_view after)
{
    if (correction.removedLength == 0 && correction.insertedLength == 0) return;
    dropRedo();
    runOpen_ = false;
    Correction placed{correction.offset, correction.removedLength,
                      after.substr(correction.offset, correction.insertedLength)};
    const std::ptrdiff_t growth = placed.growth();
    for (std::size_t i = applied_; i-- > 0;) {
        switch (absorbInto(steps_[i], placed)) {
        case Absorbed::inStep: bytes_ = bytes_ + static_cast<std::size_t>(growth); return;
        case Absorbed::before: break;
        case Absorbed::straddles: clear(); return;
        }
    }
}

void EditHistory::clear()
{
    steps_.clear();
    applied_ = 0;
    bytes_ = 0;
    runOpen_ = false;
}

const EditStep* EditHistory::undo()
{
    if (!canUndo()) return nullptr;
    runOpen_ = false;
    return &steps_[--applied_];
}

const EditStep* EditHistory::redo()
{
    if (!canRedo()) return nullptr;
    runOpen_ = false;
    return &steps_[applied_++];
}

} // namespace wrivo
