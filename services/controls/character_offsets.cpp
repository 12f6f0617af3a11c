#include "services/controls/character_offsets.h"

#include <algorithm>

#include "services/controls/edit_selection.h"

namespace wrivo {

// From a boundary, the code page pairs the bytes exactly as it does in the
// whole text, so each stretch between two marks is counted on its own.
void CharacterOffsets::findMarks() const
{
    if (!marks_.empty()) return;
    const std::string_view text = text_;
    const std::size_t spacing = spacing_;
    marks_.reserve(text.size() / spacing + 1);
    Mark mark{0, 0};
    marks_.push_back(mark);
    while (text.size() - mark.byte > spacing) {
        // The characters wholly inside the next `spacing` bytes: a character
        // cut at the end is left for the next stretch.
        const std::string_view stretch = text.substr(mark.byte, spacing);
        const std::int32_t characters =
            wrivo::charactersInBytes(text.substr(mark.byte), static_cast<std::int32_t>(spacing));
        if (characters == 0) break; // cannot happen: spacing is at least 2
        mark.byte += static_cast<std::size_t>(wrivo::bytesInCharacters(stretch, characters));
        mark.character += characters;
        marks_.push_back(mark);
    }
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
