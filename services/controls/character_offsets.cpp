#include "services/controls/character_offsets.h"

#include <algorithm>

#include "services/controls/edit_selection.h"

namespace wrivo {

// From a boundary, the code page pairs the bytes exactly as it does in the
// whole text, so each stretch between two marks is counted on its own.
CharacterOffsets::Mark CharacterOffsets::markUntil(Mark mark, std::size_t end) const
{
    const std::string_view text = text_;
    while (end - mark.byte > spacing_) {
        // The characters wholly inside the next `spacing_` bytes: a character
        // cut at the end is left for the next stretch.
        const std::string_view stretch = text.substr(mark.byte, spacing_);
        const std::int32_t characters =
            wrivo::charactersInBytes(text.substr(mark.byte), static_cast<std::int32_t>(spacing_));
        if (characters == 0) break; // cannot happen: spacing is at least 2
        mark.byte += static_cast<std::size_t>(wrivo::bytesInCharacters(stretch, characters));
        mark.character += characters;
        marks_.push_back(mark);
    }
    return {end, mark.character +
                     wrivo::charactersInBytes(text.substr(mark.byte), static_cast<std::int32_t>(end - mark.byte))};
}

void CharacterOffsets::findMarks() const
{
    if (!marks_.empty()) return;
    marks_.reserve(text_.size() / spacing_ + 1);
    marks_.push_back({0, 0});
    markUntil(marks_.back(), text_.size());
}

CharacterOffsets CharacterOffsets::afterChange(std::string_view after, const TextChange& change) const
{
    CharacterOffsets changed(after, spacing_);
    if (marks_.empty() || change.offset + change.removedLength > text_.size()) return changed; // found when asked
    const auto byByte = [](std::size_t b, const Mark& m) { return b < m.byte; };
    // Marks at or before the change's start are where they were; the first
    // one wholly after the removed bytes, and those after it, move.
    const auto kept = std::upper_bound(marks_.begin(), marks_.end(), change.offset, byByte);
    const auto moved = std::upper_bound(kept, marks_.end(), change.offset + change.removedLength, byByte);
    changed.marks_.reserve(marks_.size() + change.insertedLength / spacing_ + 1);
    changed.marks_.assign(marks_.begin(), kept);
    if (moved == marks_.end()) {
        changed.markUntil(changed.marks_.back(), after.size());
        return changed;
    }
    const std::size_t movedTo = moved->byte + change.insertedLength - change.removedLength;
    const Mark reached = changed.markUntil(changed.marks_.back(), movedTo);
    const std::int32_t shift = reached.character - moved->character;
    for (auto mark = moved; mark != marks_.end(); ++mark)
        changed.marks_.push_back({mark->byte + change.insertedLength - change.removedLength, mark->character + shift});
    return changed;
}

std::int32_t CharacterOffsets::charactersInBytes(std::int32_t bytes) const
{
    findMarks();
    const std::size_t end = bytes < 0 ? 0 : std::min(static_cast<std::size_t>(bytes), text_.size());
    const auto after =
        std::upper_bound(marks_.begin(), marks_.end(), end, [](std::size_t b, const Mark& m) { return b < m.byte; });
    const Mark& mark = *(after - 1);
    return mark.character +
           wrivo::charactersInBytes(text_.substr(mark.byte), static_cast<std::int32_t>(end - mark.byte));
}

std::int32_t CharacterOffsets::bytesInCharacters(std::int32_t characters) const
{
    if (characters <= 0) return 0;
    findMarks();
    const auto after = std::upper_bound(marks_.begin(), marks_.end(), characters,
                                        [](std::int32_t c, const Mark& m) { return c < m.character; });
    const Mark& mark = *(after - 1);
    // Only up to the next mark when the answer lies before it, so that the
    // scan stays within one stretch.
    const std::size_t until = after == marks_.end() ? text_.size() : after->byte;
    return static_cast<std::int32_t>(mark.byte) +
           wrivo::bytesInCharacters(text_.substr(mark.byte, until - mark.byte), characters - mark.character);
}

} // namespace wrivo
